// The drawing window of a drawing document: maps world millimetres to the window and back,
// paints the drawing pass by pass, redraws changed elements, and serves the document's per-view
// draw requests. The requests are virtual so that a drawing can also be driven without a window
// (tests record them through the same interface).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "input/DragSketch.h"
#include "input/SavedScreen.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/View.h"

class CArc;
class CCmdUI;
class CToolTipCtrl;
class CArcs;
class CArchive;
class CDC;
class CCircles;
class CConics;
class CCurves;
class CDataPoints;
class CFont;
class CLine;
class CLines;
class CPen;
class CText;
class CTexts;
class CViewPainter;
enum class PassRule;
class CTypeFont;
class CTypePen;
class CZelkDoc;
class CZelkCntrItem;
class CZelkObj;
class CZelkOleObj;
struct CCircleFigure;
struct CNativeWriteTables;

// A data field of replace printing as it goes into the drawing: "#" alone is empty, a longer
// field loses its leading "#".
CString ReplaceFieldValue(const CString& field);

class CZelkView : public CScrollView {
    DECLARE_DYNCREATE(CZelkView)
    DECLARE_MESSAGE_MAP()
public:
    // ---- display state, in declaration order ------------------------------------------
    std::int16_t m_viewNumber = 0;
    std::int16_t m_viewKind = 1;         // 1 ordinary view, 2 zoom window
    int m_active = 0;                    // this is the active drawing view
    CZelkDoc* m_document = nullptr;
    CZelkView* m_primaryView = nullptr;  // of a zoom window: the view it belongs to
    CPointD m_origin;                    // world point shown at logical (0, 0)
    double m_zoom = 1.0;                 // logical units per millimetre
    CPointD m_centre;                    // world point kept at the logical centre
    RECT m_clientRectLogical = {0, 0, 0, 0};
    POINT m_scrollPos = {0, 0};          // logical top left corner
    POINT m_lineSize = {10, 10};
    RECT m_pickRect = {0, 0, 0, 0};
    COLORREF m_backColor = RGB(255, 255, 255);
    CPen* m_pen = nullptr;
    CPen* m_firstOldPen = nullptr;
    CFont* m_font = nullptr;
    CFont* m_firstOldFont = nullptr;
    CWordArray m_layerStates;      // per layer: bit 0 hidden here, 0x80 display changed, redraw pending
    CWordArray m_savedLayerStates;
    std::int16_t m_stateWord = 0;
    POINT m_pressPoint = {0, 0};
    CPointD m_pressLogicalPoint;
    CPointD m_pressLogicalPoint2;
    CPointD m_releaseLogicalPoint;
    CPointD m_cursorWorldPoint;
    POINT m_mousePoint = {0, 0};
    int m_fitOnResize = 1;         // a resize fits the drawing; cleared by scroll-bar scrolling
    CString m_hintText;
    CString m_messageText;
    int m_showAllLayers = 1;       // layers marked hidden are drawn too
    int m_leftDragged = 0;
    int m_middleDragged = 0;
    int m_rightDragged = 0;
    int m_singleLayerIndex = -1;
    int m_singleLayerMode = 0;
    WORD m_gestureCcw = 0;
    WORD m_gestureCw = 0;
    std::vector<CZelkObj*> m_oleSelection;   // placed objects selected in this view
    int m_pastedImagesLast = 0;    // placed objects are drawn after the elements
    // Printing: the print-frame layer of whole-area and real-size print, the real-size sheets,
    // the job's first page prepared, the placed objects printed in the job.
    std::int16_t m_printLayerIndex = -1;
    std::int16_t m_pagesAcross = 1;
    std::int16_t m_pagesDown = 1;
    int m_printStarted = 0;
    int m_printedObjectCount = 0;
    std::int16_t m_oleDragHandle = 0;  // the handle grabbed for a resize (1 to 8)
    // A resize by a handle changed the object: its size when the resize began and the size the
    // drag gave it, both in world units; the next left release records the step for undo.
    int m_oleResized = 0;
    CPointD m_oleResizeStartSize;
    CPointD m_oleResizeSize;

    CZelkView();
    ~CZelkView() override;

    // The 48-byte view-state record: origin, centre, zoom, scroll position.
    void Serialize(CArchive& ar) override;

    // ---- life cycle ----------------------------------------------------------------------
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    void OnDraw(CDC* pDC) override;
    // Both used by the application to reuse a view after its drawing was replaced.
    void ReleaseViewState();
    void InitViewState();

    // ---- mapping, zoom, centring and scrolling --------------------------------------------
    void SetZoom(double zoom, int mirror);
    void SetOrigin(CPointD origin, int mirror);
    void StoreScrollPosition(int x, int y, int mirror);
    BOOL ComputeOriginForZoom(CPointD& origin, double zoom, int axis);
    void UpdateScrollSizes();
    void CenterScrollPosition();
    BOOL PanTo(POINT p);
    void RecentreAtPanLimit(int xAxis);
    virtual BOOL ShowAll();
    // The client area's width in world millimetres, to the message digits.
    CString ClientWidthText() const;
    void ShowOriginAtZoomOne();
    // Scrolls the window to the stored position (the main frame's timer 1 after a pan).
    void ScrollToStoredPosition();
    // The window's client rectangle in logical units of the prepared mapping.
    RECT ClientRectLogical();

    // ---- navigation (view/ZelkViewNavigation.cpp) ------------------------------------------
    // Previous screens, newest first; a push within the history interval of the last attempt,
    // or of the screen shown by the newest record, adds nothing.
    CPtrArray m_screenHistory;           // CSavedScreen, owned
    std::int16_t m_historyIndex = 0;     // the record shown; 0 after every push
    int m_lastPushTime = 0;              // seconds, of the last push attempt
    CPointD m_zoomAnchor;                // logical point that stays in place when zooming
    void PushPreviousScreen();
    // step +1 older, -1 newer.
    void ShowPreviousScreen(int step);
    void RestoreScreen(const CSavedScreen& screen);
    void ZoomInAtCursor();
    void ZoomOutAtCursor();
    // 1 moved, 0 refused at the pan limit.
    int PanLeft();
    int PanRight();
    int PanUp();
    int PanDown();
    // Scrolls so that world point a moves onto b; a drag shorter than the pick size zooms in.
    int DragScreen(const CPointD& a, const CPointD& b);
    void ZoomAboutAnchor(double factor);
    void ZoomWindowAboutAnchor();
    // Removes the drag sketch from the screen when it is shown.
    void EraseDragSketch();
    // While box selection works on a drawing, its sketch is made again for this view's mapping.
    void RebuildGroupSketch();
    // The gesture tooltips answer the pointer (TTM_ACTIVATE).
    virtual void ActivateGestureTips(BOOL active);

    // ---- zoom windows and new windows (view/ZelkViewZoomWindow.cpp) ------------------------
    // By the zoom-window setting: 0 a copy of the frame, 1 a small window, 2 none.
    BOOL OpenZoomWindow();
    // The same with another zoom-in factor for this one opening.
    BOOL OpenZoomWindowWithFactor(double factor);
    BOOL OpenZoomWindowCopy();
    BOOL OpenSmallZoomWindow();
    // Closes this view's frame when this is a zoom window.
    virtual BOOL CloseZoomWindow();
    void OnWindowNew();
    // The normal position of a small zoom window about the device point, inside the frame's
    // client rectangle r.
    static RECT PlaceSmallZoomWindow(POINT corner, POINT device, int halfSize, int keepInside, const RECT& r);

    // ---- placed objects and the clipboard ---------------------------------------------------
    // Conversions through the mapping the view draws with.
    RECT LogicalToDeviceRect(const RECT& rect);
    RECT DeviceToLogicalRect(const RECT& rect);
    POINT LogicalToDevicePoint(POINT point);
    // The empty rectangle at the device point (10, 25), where new objects are placed.
    RECT DefaultObjectRect();
    // The lines of clipboard text: CR LF, CR and LF each end a line, a NUL ends the text.
    static void SplitClipboardText(const BYTE* data, size_t size, CStringArray& lines);
    // The clipboard's CF_TEXT split into lines; FALSE when it holds no text.
    BOOL ReadClipboardText(CStringArray& lines);
    // Pastes the clipboard: text only becomes texts placed through group processing, a picture
    // a placed object; FALSE when nothing could be made.
    BOOL PasteFromClipboard();
    // The paste command: a failed paste is told on the message line.
    void OnEditPaste();
    // The clipboard text as texts, whatever else the clipboard holds.
    void OnPasteAsText();
    // A new placed picture of the given item at the default place, fitted to the view, as one
    // undo step; the item joins the drawing.
    CZelkOleObj* AddPastedObject(CZelkCntrItem* item);
    // Inserts a picture chosen from a file at the default place, sized from its extent; any other
    // file is refused with the message of a failed creation and leaves nothing behind.
    void OnInsertObject();
    // The view's own selection of placed objects.
    BOOL IsSelected(const CObject* pDocItem) const override;
    void SelectOleObject(CZelkObj* object, BOOL add);
    // Repaints the selected objects of this view (the update of hint 2).
    void InvalidateOleSelection();
    void BringObjectToFront(CZelkObj* object);
    // Mouse operations on placed objects (points logical): a press on a handle of the one
    // selected object starts a resize, a press on a picked object arms the move (Shift takes it
    // out of the selection), the move resizes, the release moves the selection by the pointer's
    // offset as one step or, with Ctrl, adds copies.
    BOOL BeginObjectResize(POINT point);
    BOOL PressOnObject(POINT point, BOOL shift);
    void ResizeSelectedObjects(POINT point);
    void EndObjectMove(UINT keyFlags, CPointD point);

    // The item active in place in this view closed, its objects' recovery files written; FALSE
    // when none was (a picture never is).
    BOOL CloseInPlaceItem();
    // The handle's cursor over a handle of the one selected object, else the arrow (unless a
    // resize runs); nothing while the view holds the pointer.
    void SetObjectCursor(POINT point);
    // The double-click on the one selected object opens it.
    void OpenSelectedObject();

    // The clipboard commands, each to the input box while it has the focus. Copy puts the one
    // selected object (its archive under "Zelk Client" and its picture), or with none selected
    // the drawing as a picture and its archive; it refuses several.
    void OnEditCopy();
    void OnEditCut();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdatePasteAsText(CCmdUI* pCmdUI);
    // Escape while an item is active in place here, or while the drawing is in place elsewhere.
    void OnCancelEditCntr();
    void OnCancelEditSrvr();

    // ---- invalidation ----------------------------------------------------------------------
    void InvalidateWorldRect(const CRectD* rect);
    void InvalidateAroundPoint(CPointD point, int halfSize);
    virtual void InvalidateObject(CZelkObj* object);
    // The window receives WM_PAINT at once (sent, not posted).
    virtual void SendPaint();

    // ---- pens, fonts and color rules -------------------------------------------------------
    BOOL SelectDrawingPen(CDC* dc, int style, int width, COLORREF color);
    BOOL RestoreDrawingPen(CDC* dc);
    CPen* SelectNewPen(CDC* dc, int style, int width, COLORREF color);
    void RestoreOldPen(CDC* dc, CPen* previous);
    BOOL SelectScaledFont(CDC* dc, LOGFONT font, SIZE size, int& readable);
    CFont* CreateScaledFont(CDC* dc, LOGFONT font, SIZE size, double zoom, int& readable);
    void RestoreGivenFont(CDC* dc, CFont* previous);
    BOOL SelectPrintFont(CDC* dc, LOGFONT font, SIZE size, int& readable);
    BOOL SelectRotatedPrintFont(CDC* dc, LOGFONT font, int& readable);
    BOOL RestoreFont(CDC* dc);
    int ScaledPenWidth(int width) const;
    static int ScaledPrintPenWidth(int width, double scale);
    void AdjustColorToBackground(COLORREF& color) const;
    static void AdjustColorForPrint(COLORREF& color);
    static void GetGrayColor(COLORREF& color);
    void BlurColor(COLORREF& color, int attenuation, int count, int pass) const;
    static void BlurColorForPrint(COLORREF& color, int attenuation, int count, int pass);

    // ---- redraw of changed elements and per-view draw requests ------------------------------
    virtual void RedrawElements(int clipKind);
    virtual void EraseChangedElements();
    virtual void DrawGroupMembers(int drawMode, int clipKind, int group);
    virtual void DrawPointElement(int drawMode, int clipKind, CDataPoints* block, int slot);
    virtual void DrawLineElement(int drawMode, int clipKind, CLines* block, int slot);
    virtual void DrawCircleElement(int drawMode, int clipKind, CCircles* block, int slot);
    virtual void DrawArcElement(int drawMode, int clipKind, CArcs* block, int slot);
    virtual void DrawConicElement(int drawMode, int clipKind, CConics* block, int slot);
    virtual void DrawCurveElement(int drawMode, int clipKind, CCurves* block, int slot);
    virtual void DrawTextElement(int drawMode, int clipKind, CTexts* block, int slot);
    virtual void DrawLineObject(int drawMode, CLine* line);
    virtual void DrawArcObject(int drawMode, CArc* arc);
    void RedrawOriginAndAxes();
    void EraseRelativeAxesNow();
    void DrawPlacedObjects(CDC* dc, const RECT& clip);
    void DrawLoopOutlines(CDC* dc, const RECT& clip, int lastOnly);

    // ---- element pick -------------------------------------------------------------------------
    // Picks in the window (view units): pick type 1 picks and highlights the first candidate, 3
    // picks without marking, any other collects into the found set; the search type (1-3) is
    // the pick list's. The number of candidates (0 also after too many).
    int PickElementsInRect(const RECT& rect, int pickType, int searchType);
    int PickElements(const CRectD& window, int pickType, int searchType);
    // TRUE when candidates overlap (or several placed objects were picked); distinct receives
    // the number of candidates less the overlapping pairs.
    BOOL CountOverlappingCandidates(int& distinct);

    // ---- overlays and messages the drawing asks for ------------------------------------------
    // Marks and lines drawn over the drawing at once, and erased by drawing them again in the
    // background color (view/ZelkViewOverlays.cpp). The clip rectangles are logical.
    void DrawOriginMark(CDC* dc, const RECT& clip);
    void DrawRelativeAxes(CDC* dc, const RECT& clip);
    void EraseRelativeAxes(CDC* dc, const RECT& clip);
    void DrawReferencePointMark(CDC* dc, const RECT& clip);
    virtual void DrawInputPointMark(int show);
    virtual void DrawCrossMark(CPointD point, int halfSize);
    virtual void DrawColoredCrossMark(CPointD point, COLORREF color, int halfSize);
    virtual void DrawCircleMark(CPointD) {}
    virtual void EraseCircleMark(CPointD point);
    virtual void DrawPointerMarks(int erase);
    virtual void DrawDirectionMarks(int show);
    // The hint line at the top left, the message line below it (at the top without hints).
    virtual void ShowHintLine(const CString& text);
    virtual void ShowMessageLine(const CString& text);
    virtual void AppendMessageLine(const CString& text);
    // One centred line of the banner; the counter counts the lines.
    virtual void DrawBannerLine(const CString& text, int& line);
    // Kind 0: the gesture zones about the press point; 1 to 10: one tool over the whole window
    // announcing a command switch or the macro recorder's input-data state; others only clear.
    virtual void LayGestureTooltips(int kind);
    // The single-layer view: one layer after the other (backward 1 steps back), and its end,
    // which gives back the layer display it started from.
    virtual void EndSingleLayerView();
    virtual void StepSingleLayerView(int backward);
    // Takes the first occurrence of the object out of the view's selection of placed objects.
    virtual void DeselectOleObject(CZelkObj* object);
    virtual int HasHiddenLayer() const;
    // The extent of a text in a font made from the description, through a client device
    // context of the view; FALSE when the font cannot be made.
    virtual BOOL MeasureTextExtent(const LOGFONT& font, const CString& text, SIZE& extent);
    // The text settings' character width from the extent of the alphabet in their font.
    void MeasureDefaultCharWidth();

    // ---- printing (view/ZelkViewPrint.cpp) ---------------------------------------------------
    // The print and preview commands of the three modes and the real-size ratio.
    void OnFilePrintView();
    void OnFilePrintRatio();
    void OnFilePrintReal();
    void OnFilePrintPreviewView();
    void OnFilePrintPreviewRatio();
    void OnFilePrintPreviewReal();
    void OnRatioPrintReal();
    // The print, preview and replace-print items are always offered.
    void OnUpdatePrintCommand(CCmdUI* pCmdUI);
    // 1 when printing may go on, 0 when no print-frame layer can be found.
    int FindPrintLayer();
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    BOOL PreparePrinterDC(CPrintInfo* pInfo);
    void SetPaperOrientation(CPrintInfo* pInfo, double width, double height);
    // 1 when a text printed at an angle that is not a multiple of 90 degrees.
    int PrintPage(CDC* pDC, CPrintInfo* pInfo);
    // Replace printing: the four commands, and the whole run in a mode (0 trial without
    // printing, 1 screen, 2 real size, 3 whole area).
    void OnPrintReplaceView();
    void OnPrintReplaceRatio();
    void OnPrintReplaceReal();
    void OnPrintReplaceTry();
    void RunReplacePrinting(int mode);
    // Places the placed objects on the page; the number printed.
    virtual int PrintPlacedObjects(CDC* dc, const CPointD& origin, double zoom, const RECT& page,
                                   int offsetX, int offsetY, double scale);

    // A native drawing file or a DXF file read into the document (view/ZelkViewFileOpen.cpp);
    // 1 on success, 0 (and no message of its own) when it could not be read.
    int ReadNativeFile(const CString& path);
    int ReadDxfFile(const CString& path);
    // Add-open: several drawing files chosen together read into this drawing.
    void AddOpenFiles();
    void OnFileAddOpen();
    // DXF import (view/ZelkViewDxf.cpp).
    int ReadDxfData(const CString& path, int* layerReplaced);
    // What the last DXF import passed over, as the message line tells it; empty when nothing.
    CString m_dxfSkippedNote;
    static int LookupDxfLineType(const CObArray& styles, const CString& name);

    // The native drawing file of the document, with the embedded-object block when itemFlag is
    // nonzero; 1 on success. The steps: size pass (chooses what is written), embedded-object
    // data, write pass into the caller's buffer (returns the position reached).
    int WriteNativeFile(const CString& path, int itemFlag);
    int MeasureNativeFile(CNativeWriteTables& tables);
    int WriteNativeItems(CNativeWriteTables& tables);
    int FillNativeBuffer(CNativeWriteTables& tables, BYTE* buffer, int size);

    // ---- rubber-band previews, drawn and removed by exclusive-or --------------------------
    POINT m_previewPoints[4] = {};   // box corners, rotated-box corners, segment ends
    int m_boxShown = 0;
    int m_quadShown = 0;
    int m_segmentShown = 0;
    int m_secondSegmentShown = 0;
    int m_previewArc[8] = {};        // the arguments of the last Arc call of a circle preview
    int m_arcShown = 0;
    int m_secondArcShown = 0;
    POINT m_crossPoints[4] = {};
    int m_crossShown = 0;
    int m_lineShown[8] = {};         // work lines 0 to 3; 7 the outlines of dragged objects
    CDragSketch m_dragSketch;
    int m_oleDragMode = 0;           // 1 a press on a placed object may move it, 2 a resize
    std::vector<CPointD> m_freehandPoints;

    // Draws nothing when a coordinate lies outside the 16-bit range of the device context.
    static void DrawSegment(CDC* dc, POINT a, POINT b);
    virtual void ErasePreviews();
    virtual void ClearDragSketch();
    void PreviewDragBox(const CPointD& press, const CPointD& pointer);
    void EraseDragBox();
    void PreviewRotatedBox(const CPointD& corner, double angle, const CPointD& opposite);
    void EraseRotatedBox();
    virtual void PreviewSegment(CPointD* a, CPointD* b);
    void EraseSegments();
    void PreviewPointerCross(const CPointD& p);
    void ErasePointerCross();
    void PreviewWorkLine(int index);
    void EraseWorkLine(int index);
    void PreviewObjectDrag(const CPointD& pointer);
    void EraseObjectDrag();
    void EraseArc();
    void EraseSecondArc();

    // Circle and arc previews of the pointer P.
    void PreviewCircleAboutCentre(const CPointD& centre, const CPointD& p);
    void PreviewFixedRadiusCircle(const CPointD& p);
    void PreviewCircleTangentToLine(double r, const CPointD& p);
    void PreviewCircleTangentToCircle(double r, const CPointD& p);
    void PreviewDiameterCircle(const CPointD& p);
    void PreviewCircleThrough3Points(const CPointD& p);
    void PreviewCircleThroughTwoPoints(const CPointD& p);
    void PreviewCircleOnDirection(const CPointD& p);
    void PreviewCircleLineAndPoint(const CPointD& p, const CPointD& reference, int mode);
    void PreviewCircleCircleAndPoint(const CPointD& p, int mode);
    void PreviewCircleWithOffset(const CPointD& p, int radiusLine);
    void PreviewCircleWithAngle(const CPointD& p, int radiusLines);
    void PreviewCircleTangentAtPoint(const CPointD& q1, const CPointD& q2, int order);
    void PreviewCircleTangentToCircleAt(const CPointD& p);
    void PreviewCircleTwoLines(const CPointD& p);
    void PreviewCircleTwoCircles(const CPointD& p);
    void PreviewCircleLineAndCircle(const CPointD& p, int mode);
    void PreviewCircleRadiusToward(const CPointD& p);
    void PreviewArc(const CPointD& centre, double radius, const CPointD& start, const CPointD& end);
    void PreviewArcEnd(const CPointD& p);

    // ---- buttons and keys (view/ZelkViewButtons.cpp) -------------------------------------------
    // Nothing while context help runs or another view is the active one; a double-click's
    // screen operation swallows the next press.
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnRButtonDblClk(UINT nFlags, CPoint point) override;
    void OnMButtonDown(UINT nFlags, CPoint point) override;
    void OnMButtonUp(UINT nFlags, CPoint point) override;
    void OnMButtonDblClk(UINT nFlags, CPoint point) override;
    // The keys that drive commands go to the dispatcher (code 7, key up code 8) before the
    // frame's accelerators; the input method's key arrives at OnKeyDown.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // A client point in logical units and in world coordinates.
    BOOL ClientToWorld(CPoint point, CPointD& logical, CPointD& world);

    // ---- mouse move, gestures and the preview of the command's kind ------------------------
    void OnMouseMove(UINT nFlags, CPoint point) override;
    // The preview of the drawing's preview kind at the effective point p; ar the snapped
    // direction of a right drag (radians). endHandler: the group-processing step is skipped.
    void ShowKindPreview(const CPointD& p, double ar, int ctrlHeld, int& endHandler);
    // Adds the pointer's direction from the press point to the gesture words; 1 when they
    // make a gesture, which then switches the drawing command.
    int AdvanceGesture(CPoint point);
    // The menu of a command's modes at the pointer after a command starts or switches; general
    // asks for the general menu, notifyOnly for the beeps and the tip of the multi-command
    // setting instead of a menu.
    virtual void ShowCommandPopupMenu(int code, int general, int notifyOnly);
    // The tooltip control of the gesture zones and the announcements.
    std::unique_ptr<CToolTipCtrl> m_gestureTips;

    // ---- commands of the drawing (view/ZelkViewCommands.cpp, view/ZelkViewSubModes.cpp) ------
    // The commands of the view's command table and their menu states.
    void OnTableCommand(UINT id);
    void OnUpdateTableCommand(CCmdUI* pCmdUI);
    // The mode items of the command popup menu.
    void OnSubModeCommand(UINT id);
    void OnUpdateSubModeCommand(CCmdUI* pCmdUI);
    // Starters of the drawing commands: macro 0 from a menu, 1 from the macro command queue.
    void StartPointCommand(int macro);
    void StartLineCommand(int macro);
    void StartCircleCommand(int macro);
    void StartArcCommand(int macro);
    void StartTextCommand(int macro);
    void StartDimensionCommand(int macro);
    void StartCurveCommand(int macro);
    void StartLoopCommand(int macro);
    void StartGroupProcessing(int macro);
    void OnSetFont();
    // Numeric moves of the base point (millimetres, degrees); kinds 2 and 4 move backward.
    void MoveBasePointByVector(int kind, double dx, double dy);
    void MoveBasePointAlongAxis(int kind, double distance);
    void MoveBasePointPolar(int kind, double angle, double length);
    void OffsetBasePoint(double distance);
    void OpenMacroTextFile();
    void RunMacroTextFile();
    void RunUserApplication();
    void SelectAllElements();
    // editing 1: the texts come from a selection being edited.
    void StartMultiText(int editing);
    void TogglePastedImagesLast();
    // The strings of the selected texts shown here, in the order a reader reads them; FALSE
    // (nothing appended) when there are none.
    BOOL CollectTextsInReadingOrder(CStringArray& strings);
    // The circle and arc items of the popup menu (CIRCLE, ARC, E_CIRCLE, E_ARC) by command id.
    void OnCircleSubMode(UINT id);

protected:
    int OnCreate(LPCREATESTRUCT lpcs) override;
    void OnDestroy() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    LRESULT OnNcHitTest(CPoint point) override;
    // A scroll is painted at once.
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

private:
    void ScrollWithBar(BOOL horizontal, UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // Steps the button handlers share.
    BOOL AcceptPress(CPoint point);
    CPointD StartPress(CPoint point, std::int32_t& buttonDown, CPointD& world, BOOL pickRect);
    void AnnounceShiftPress();
    void CaptureButtons();
    void ReleaseButtons();
    BOOL EndContextHelpOnRelease();
    BOOL StartRelease(std::int32_t* buttonDown, std::int32_t* doubleClicked);
    void TakeReleasePoint(CPoint point, CPointD& world);
    BOOL TakeScreenDoubleClick(BOOL always);
    BOOL FreehandStroke() const;
    void EndFreehandStroke(const CPointD& release);
    BOOL InputBoxHasFocus() const;
    template <class Draw>
    void DrawMark(COLORREF color, int width, Draw draw);

    // The steps native and DXF reading share; kind 2 native, 4 DXF.
    int ReadDrawingFile(const CString& path, int kind);
    // One drawing routine for the paint, the redraw and the requests: which elements of a
    // pen (or font) a pass draws is a predicate over the element's state, mark and layer.
    friend class CViewPainter;
    friend class CZelkSrvrItem;
    static int PenStyle(const CTypePen& pen);
    // The sketch-line, gray, color (with blur) and text passes, under the paint's rules or the
    // redraw's; then one highlight color over every pen's elements or every font's texts.
    void DrawElementPasses(CViewPainter& painter, bool redraw);
    void DrawHighlightPass(CViewPainter& painter, PassRule rule, COLORREF color, bool scaledWidth);
    void DrawFontPass(CViewPainter& painter, PassRule rule, COLORREF color);
    void DrawWorkText(CViewPainter& painter, CText& text, COLORREF color);
    void DrawLineByDirection(CDC* dc, CLine& line, const CRectD& clip);
    // One XOR figure of the previews: the client DC prepared, the preview pen and R2_XORPEN.
    template <class Draw>
    void DrawPreviewFigure(COLORREF color, Draw draw);
    // The circle or arc of a figure by one Arc call; second: the fixed-radius circle's flag.
    void DrawCircleFigure(const CCircleFigure& figure, int second);
    // A circle preview that found its figure hands the centre to the circle command and draws it.
    void ShowFoundCircle(int found, const CCircleFigure& figure);
    // Writes the centre a circle preview found to the main circle command.
    void HandCentreToCommand(const CPointD& centre);
    POINT ScreenPoint(const CPointD& world) const;
    // The segment clipped to the view moved in by 2 units; FALSE when nothing remains.
    BOOL ClipToView(const CPointD& a, const CPointD& b, POINT& p, POINT& q) const;
    void DrawBox(CDC* dc, POINT a, POINT b);
    void DrawObjectOutlines(CDC* dc, POINT shift);
    // The device context of the window for drawing outside a paint (a test records on its own).
    virtual std::unique_ptr<CDC> CreateClientDC();
    // The application's mirrors take the scroll position, origin and zoom.
    void MirrorState();
    // Erases previews, invalidates with erasing and paints now.
    void RepaintAll();
    // The world width of the client area for the messages, at the message digits.
    // Selects a font of the given height after the checks every font selection makes.
    BOOL SelectCheckedFont(CDC* dc, const LOGFONT& font, int& readable);
    // The logical rectangle of a clip kind of the requests.
    RECT ClipOfKind(CDC* dc, int clipKind) const;
    void GrowLayerStates();
    // The element's pen width, blur passes and color rules for a per-element request.
    const CTypePen* PenAt(int index) const;
    template <class Block, class DrawOne>
    void DrawElementRequest(int drawMode, int clipKind, Block* block, int slot, bool blurred, DrawOne drawOne);
    void RunReplacePrintingCommand(const char* helpPage, int mode);
    int DrawGroupMembersAt(int drawMode, int clipKind, int group, int depth,
                           std::vector<int>& visited);
};
