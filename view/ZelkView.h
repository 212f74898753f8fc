// The drawing view as the document sees it: the display state it reads and every drawing,
// marking and preview request it forwards. The requests are virtual so that a drawing can be
// driven without a window (tests record them through the same interface).
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/View.h"

class CArc;
class CArcs;
class CCircles;
class CConics;
class CCurves;
class CDataPoints;
class CLine;
class CLines;
class CTexts;
class CZelkDoc;
class CZelkObj;
struct CNativeWriteTables;

class CZelkView : public CView {
    DECLARE_DYNCREATE(CZelkView)
public:
    CPointD m_origin;              // world point shown at logical (0, 0)
    double m_zoom = 1.0;           // logical units per millimetre
    CWordArray m_layerStates;      // per layer: bit 0 hidden here, 0x80 display changed, redraw pending
    std::int32_t m_singleLayerMode = 0;
    std::int32_t m_showAllLayers = 1;  // layers marked hidden are drawn too
    CZelkDoc* m_document = nullptr;
    std::vector<CZelkObj*> m_oleSelection;   // placed objects selected in this view

    CZelkView();
    virtual ~CZelkView();

    // The window receives WM_PAINT at once (sent, not posted).
    virtual void SendPaint() {}
    virtual void OnUpdate(CZelkView* sender, LPARAM hint, void* hintObject);
    // Rendering of the drawing comes with the view's own painting.
    void OnDraw(CDC* pDC) override;
    // The window side: the view joins the application's drawing views while its window lives
    // and becomes the active drawing view when activated.
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

protected:
    void OnDestroy() override;

public:

    virtual void RedrawElements(int clipMode) {}
    virtual void EraseChangedElements() {}
    virtual void InvalidateObjectArea(CZelkObj* object) {}
    virtual void ShowAll() {}
    virtual void ShowMessageLine(const CString& text) {}
    virtual void ShowNoticeLine(const CString& text, int& line) { ++line; }
    virtual void DrawGroup(int drawMode, int clipMode, int group) {}
    virtual void DrawPointElement(int drawMode, int clipMode, CDataPoints* block, int slot) {}
    virtual void DrawLineElement(int drawMode, int clipMode, CLines* block, int slot) {}
    virtual void DrawCircleElement(int drawMode, int clipMode, CCircles* block, int slot) {}
    virtual void DrawArcElement(int drawMode, int clipMode, CArcs* block, int slot) {}
    virtual void DrawConicElement(int drawMode, int clipMode, CConics* block, int slot) {}
    virtual void DrawCurveElement(int drawMode, int clipMode, CCurves* block, int slot) {}
    virtual void DrawTextElement(int drawMode, int clipMode, CTexts* block, int slot) {}
    virtual void DrawWorkLine(int colorSelector, CLine* line) {}
    virtual void DrawWorkArc(int colorSelector, CArc* arc) {}
    virtual void DrawCrossMark(CPointD point, int size) {}
    virtual void DrawCrossMarkColored(CPointD point, COLORREF color, int size) {}
    virtual void DrawCircleMark(CPointD point) {}
    virtual void DrawPointerMarks(int erase) {}
    virtual void DrawOriginMarks() {}
    virtual void DrawRelativeAxes() {}
    virtual void DrawInputPointMark(int show) {}
    virtual void DrawDirectionMarks(int draw) {}
    virtual void RedrawPreviews() {}
    virtual void ClearDragSketch() {}
    virtual void DeselectOleObject(CZelkObj* object) {}
    virtual int HasHiddenLayer() const;
    // The extent of a text in a font made from the description, through a client device
    // context of the view; FALSE when the font cannot be made.
    virtual BOOL MeasureTextExtent(const LOGFONT& font, const CString& text, SIZE& extent);

    // A native drawing file read into the document (view/ZelkViewFileOpen.cpp); 1 on success.
    int ReadNativeFile(const CString& path);
    // DXF import (view/ZelkViewDxf.cpp).
    int ReadDxfFile(const CString& path);
    int ReadDxfData(const CString& path, int* layerReplaced);
    static int LookupDxfLineType(const CObArray& styles, const CString& name);

    // The native drawing file of the document, with the embedded-object block when itemFlag is
    // nonzero; 1 on success. The steps: size pass (chooses what is written), embedded-object
    // data, write pass into the caller's buffer (returns the position reached).
    int WriteNativeFile(const CString& path, int itemFlag);
    int MeasureNativeFile(CNativeWriteTables& tables);
    int WriteNativeItems(CNativeWriteTables& tables);
    int FillNativeBuffer(CNativeWriteTables& tables, BYTE* buffer, int size);

    virtual void PreviewSegment(CPointD* p, CPointD* q) {}
    virtual void PreviewArcThrough(CPointD* p, CPointD* q) {}
    virtual void PreviewValueSegment(CPointD* p, double value, CPointD* q, CPointD* r) {}
    virtual void PreviewLineOffset(double value, CPointD* p) {}
    virtual void PreviewCircleOffset(double value, CPointD* p) {}
    virtual void PreviewLineConstruction(CPointD* p, CPointD* q, int n) {}
    virtual void PreviewDistance(CPointD* p) {}
    virtual void PreviewCircle3P(CPointD* p) {}
    virtual void PreviewCircleChord(CPointD* p) {}
    virtual void PreviewArcChord(CPointD* p) {}
    virtual void PreviewPerpendicular(CPointD* p) {}
    virtual void PreviewTangentCircle(CPointD* p, int n) {}
    virtual void PreviewClippedSegment(CPointD* p, int n) {}
    virtual void PreviewArcChordAngle(CPointD* p, int n) {}
    virtual void PreviewLengthAngle(CPointD* p, CPointD* q, int n) {}
    virtual void PreviewIntersection(CPointD* p) {}
    virtual void PreviewLineSet(CPointD* p) {}
    virtual void PreviewCircleTouch(CPointD* p) {}
    virtual void PreviewLinesAndCircles(CPointD* p, int n) {}
    virtual void PreviewArcKeyPoints(CPointD* p) {}
    virtual void PreviewArcEnd(CPointD* p) {}
    virtual void PreviewObliqueA(int n) {}
    virtual void PreviewObliqueB(int n) {}
};
