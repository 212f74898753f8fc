// Box selection and group processing on the active drawing.
#pragma once

class CGroupProcessor {
public:

};
