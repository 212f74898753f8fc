// Display settings read by the drawing view, printing, the pick list and the control bars.
#pragma once

#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CAppDraw : public CObject {
    DECLARE_DYNCREATE(CAppDraw)
public:
    CAppDraw();
    ~CAppDraw() override;
    // Archives older than version 8 lack the last display value.
    void Serialize(CArchive& ar) override;
    void ClampLoaded();

    double zoomStepFactor;
    WORD zoomWindowFactor;
    double showAllMargin;
    short zoomWindowMode;            // 0 copy of the frame, 1 small window, 2 none
    int m_displayFlag1;
    int m_displayFlag2;
    int m_displayFlag3;
    int zoomWindowClosed;
    short candidateLimitNoZoomWindow;
    short candidateLimit;
    short m_pickLimit3;
    short m_pickLimit4;
    short m_pickLimit5;
    short m_pickLimit6;
    short m_pickLimit7;
    short m_pickLimit8;
    double m_coincidenceTolerance;
    short penWidthMode;              // thick-line display, cycles through three values
    int grayDisplay;                 // pale reference layers
    int showHintLine;
    int m_showTextUnderline;
    BYTE m_barBits;
    CRectD m_initialArea;
    CPointD m_viewPoint;
    int m_newWindowHeight;
    int m_newWindowWidth;
    // View sizes, in logical units.
    short originMarkSize;
    short pointerCrossSize;
    short referenceMarkSize;
    short crossMarkSize;
    short pointCrossSize;
    short directionMarkSize;
    short pointerMarkSize;
    short historyInterval;           // seconds
    short m_stepCount;
    double grayRatio;
    double m_ellipseStep;            // degrees between polyline points of an ellipse
    short historyMax;
    short m_displayValue6;
    short messageFontHeight;
    short m_displayValue8;
    short m_displayValue9;

    // Display settings kept by position in the fields above.
    short minPenWidth() const { return m_displayValue6; }
    short overlapPixels() const { return m_pickLimit3; }
    short zoomWindowHalfSize() const { return m_pickLimit8; }
    int zoomWindowKeepInside() const { return m_displayFlag3; }
    short sketchLimit() const { return m_displayValue8; }
    short crowdedIntersections() const { return m_pickLimit4; }
    short crowdedEndPoints() const { return m_pickLimit5; }
    short crowdedOnElementPoints() const { return m_pickLimit6; }
    double minDistinctDistance() const { return m_coincidenceTolerance; }
    short crowdedScreenDistance() const { return m_displayValue9; }
    RECT newWindowRect() const { return RECT{0, 0, m_newWindowWidth, m_newWindowHeight}; }
};
