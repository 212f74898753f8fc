// The origin-setting mode; it keeps no data of its own.
#pragma once

class COriginSetting {
public:

};
