// The screen operation mode (panning and zooming by picks).
#pragma once

class CScreenOperation {
public:

};
