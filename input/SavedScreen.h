// One entry of the previous-screen history.
#pragma once

class CSavedScreen {
public:

};
