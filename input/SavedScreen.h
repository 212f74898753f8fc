// One screen of a view: its origin, centre, zoom and scroll position, kept by the previous-screen
// history and by the saved screens of the function keys.
#pragma once

#include "geometry/PointD.h"

class CZelkView;

class CSavedScreen {
public:
    // The screen of a new view.
    CSavedScreen()
    {
        origin.Init(-16000, 16000);
        centre.Init(0, 0);
    }
    CSavedScreen(const CPointD& origin_, const CPointD& centre_, double zoom_, int scrollX_, int scrollY_)
        : origin(origin_), centre(centre_), zoom(zoom_), scrollX(scrollX_), scrollY(scrollY_)
    {
    }

    CZelkView* view = nullptr;   // set only by the saved-screen keys
    CPointD origin;
    CPointD centre;
    double zoom = 1.0;
    int scrollX = 0;
    int scrollY = 0;
};
