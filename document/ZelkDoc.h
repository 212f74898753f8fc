// The drawing document: owns every element, attribute table, group and placed object of one
// drawing, its command objects and its undo history, and forwards all drawing to its views.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/BlockExtents.h"
#include "document/ByteKeyHash.h"
#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/Document.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "app/DocGrid.h"
#include "input/InputPoint.h"

class CArcs;
class CCircleCommand;
class CCircles;
class CColor;
class CConics;
class CCreationLog;
class CCurves;
class CDataPoint;
class CDataPoints;
class CDataString;
class CDimCommand;
class CGroup;
class CGroupDeleteMode;
class CGroupModeHelper;
class CInputEvent;
class CLayer;
class CLineCommand;
class CLines;
class CLoopCommand;
class CPickList;
class CPointCommand;
class CPointSearch;
class CRelativeCoordSystem;
class CStdioFile;
class CText;
class CTextCommand;
class CTexts;
class CTypeFont;
class CTypePen;
class CUndoHistory;
class CConic;
class CCurve;
class CZelkObj;
class CZelkView;
class CZelkCntrItem;
class CZelkSrvrItem;
class CMemFile;
struct CNativeReadState;

// The current-block maps: one per element kind (lines one per direction kind), indexed by pen
// (texts: by font). An entry names the block that takes the next element, or NO_BLOCK.
enum BlockMapKind {
    MAP_POINT = 0,
    MAP_LINE_H,
    MAP_LINE_V,
    MAP_LINE_O,
    MAP_CIRCLE,
    MAP_ARC,
    MAP_TEXT,
    MAP_CONIC,
    MAP_CURVE,
    MAP_COUNT
};

// The clipboard format of drawings, registered by the first drawing of a run; 0 before.
extern WORD g_zelkClientFormat;

// The key of the drawing's font index: a font's height, its description but for width and
// orientation, and its width, as bytes.
using FontIndexKey = std::array<char, 4 * sizeof(std::int32_t) + 8 + LF_FACESIZE>;
using FontIndexKeyHash = ByteKeyHash<std::tuple_size_v<FontIndexKey>>;

// Its views, modified flag and title are the framework document's.
class CZelkDoc : public CDocument {
    DECLARE_DYNCREATE(CZelkDoc)
public:
    // ---- members, in declaration order -------------------------------------------------
    WORD m_docNumber;
    CRectD m_extents;
    std::int32_t m_quietClose;
    CString m_recoveryBase;
    CString m_path;
    CString m_name;
    CString m_dataVersion;
    CString m_headerName;
    CString m_renewalDate1;
    CString m_renewalDate2;
    CString m_renewalDate3;
    CString m_creationDate;
    CString m_loadedDates[4];   // renewal dates 1 to 3, creation date, as last read
    CPointD m_relOrigin;
    double m_relAngle;
    CPointD m_relPoint2;
    CStringArray m_memo;
    CDocGrid m_grid;
    double m_ratio;
    CLine* m_workLines[4];
    // main command objects (instance 0)
    CPointCommand* m_pointCmd;
    CLineCommand* m_lineCmd;
    CCircleCommand* m_circleCmd;
    CTextCommand* m_textCmd;
    CLoopCommand* m_loopCmd;
    CDimCommand* m_dimCmd;
    // interrupting command objects (instance 1); there is no interrupting loop command
    CPointCommand* m_pointCmdInt;
    CLineCommand* m_lineCmdInt;
    CCircleCommand* m_circleCmdInt;
    CTextCommand* m_textCmdInt;
    CDimCommand* m_dimCmdInt;
    CPickList* m_pickList;
    CPointSearch* m_pointSearch;
    CUndoHistory* m_undoHistory;
    CCreationLog* m_creationLog;
    CInputEvent* m_inputEvent;
    CRelativeCoordSystem* m_relativeSystem;
    CGroupModeHelper* m_groupModeHelper;
    CGroupDeleteMode* m_groupDeleteMode;
    CObArray m_colors;       // CColor
    CObArray m_pens;         // CTypePen
    CObArray m_fonts;        // CTypeFont
    CPtrArray m_pointerMarks;
    CObArray m_groups;       // CGroup
    CObArray m_layers;       // CLayer
    CObArray m_attrStrings;  // CDataString; not part of the OLE archive
    CObArray m_pointBlocks;  // CDataPoints
    CObArray m_lineBlocks;   // CLines
    CObArray m_circleBlocks; // CCircles
    CObArray m_arcBlocks;    // CArcs
    CObArray m_textBlocks;   // CTexts
    CObArray m_conicBlocks;  // CConics
    CObArray m_curveBlocks;  // CCurves
    CObArray m_dxfBlocks;    // CBlock
    CPtrArray m_auxList1;
    CPtrArray m_auxList2;
    std::vector<CZelkObj*> m_objects;        // placed objects, in drawing order
    std::vector<CZelkCntrItem*> m_oleItems;
    std::vector<CZelkObj*> m_objects2;
    std::vector<CZelkCntrItem*> m_oleItems2;
    CPtrArray m_directionMarks;  // CPointEntry, owned
    std::int16_t m_writeLayer;
    CWordArray m_blockMaps[MAP_COUNT];
    CPointD m_basePoint;
    CPointD m_refPoint;
    CPointD m_referencePoint;    // the constraint point
    double m_absAngle;
    double m_referenceSize = 0.0;   // the size of the edited element, for lengths typed as ratios
    double m_curAngle;
    // command work state
    double m_previewValue;      // work value V of the previews (a radius or a distance)
    double m_workFactor;
    std::int32_t m_workMode;
    CPointD m_workPoint;
    std::vector<CElemRef> m_selection;
    CDataPoint* m_hiPoint;   // work elements the views highlight
    CLine* m_hiLine;
    CCircle* m_hiCircle;
    CArc* m_hiArc;
    CText* m_hiText;
    CConic* m_hiConic;
    CCurve* m_hiCurve;
    std::int16_t m_workShort1;
    std::int16_t m_workShort2;
    CPointD m_inputMarkPos;
    std::int32_t m_inputMarkFlag;
    std::int32_t m_inputMarkWork;
    std::int16_t m_inputMarkShort;
    // The preview model: what the command in progress asks the views to show under the pointer.
    CPointD m_previewPointA;
    CPointD m_previewPointB;
    CPointD m_previewPointC;    // the reference point of choices
    std::int32_t m_previewAsArc;          // an arc between two end points instead of the circle
    std::int32_t m_previewArcMovesStart;  // the start of the work arc follows the pointer, else its end
    CPointD m_previewTextBox[4];          // corner offsets of a text box from its placement point
    std::int32_t m_workInts2[2];
    CLine m_previewLines[3];
    CCircle m_previewCircles[3];
    CArc m_previewWorkArc;                // the work arc whose end is being moved
    std::int16_t m_previewKind;           // what the mouse move shows; 0 nothing
    // What a user application's previews (negative kinds) are drawn from.
    std::int32_t m_previewFlags[2] = {};
    CPointD m_previewPoints[10];
    double m_previewValues[5] = {};
    double m_previewAngle;                // degrees
    double m_previewAngle2;               // degrees; also the step angle of regular polygons
    double m_previewLength;
    double m_previewTextAngle;            // degrees
    CPointD m_pickPoint1;                 // where the first and the second element were picked
    CPointD m_pickPoint2;
    CPointD m_dragPoint;                  // where the dragged placed objects were drawn last
    CPointD m_workPoints3[3];
    std::int32_t m_workInts3[2];
    std::int32_t m_previewsSuppressed;  // a view was just closed; cleared by the frame's timer 2
    std::int32_t m_workInt3;
    std::int32_t m_linksUpdate;
    CRectD m_workRect;
    std::int16_t m_nativeWriteMode;
    std::int16_t m_recoveryOpCount;
    CInputPoint m_inputPoint;
    std::int32_t m_groupWork1;
    std::int32_t m_groupProcessing;
    CStringArray m_multiLineTexts;   // the lines a multi-line input window handed over
    double m_printScale;
    std::int32_t m_embedded = 0;  // serves an embedded item: view changes modify the drawing
    std::int64_t m_fileTime = 0;  // modification time of a library drawing when it was opened
    // DXF files read into the drawing whose import passed over entities: writing the drawing back
    // over one of them would lose those entities, so Ctrl+S asks first.
    CStringArray m_lossyDxfPaths;
    // Set on a drawing restored from recovery files that did not record where it belonged:
    // Ctrl+S asks for a name instead of writing under one the program made up.
    BOOL m_pathUnknown = FALSE;
    // Input and selection state of the input hub.
    CZelkView* m_pressView = nullptr;  // the view that took the last button press
    std::int32_t m_deformMode = 0;    // the box selection (m_groupProcessing) is a deform selection
    CZelkView* m_zoomView = nullptr;  // the drawing's open zoom window
    // The element-reference mode's referenced element of each kind (none when unset), with the
    // pen of the last referenced pen-drawn element and the font of the last referenced text.
    CDataPoint* m_refPointElem = nullptr;
    CLine* m_refLineElem = nullptr;
    CCircle* m_refCircleElem = nullptr;
    CArc* m_refArcElem = nullptr;
    CConic* m_refConicElem = nullptr;
    CCurve* m_refCurveElem = nullptr;
    CText* m_refTextElem = nullptr;
    std::int16_t m_refPenIndex = 0;
    std::int16_t m_refFontIndex = 0;

    CZelkDoc();
    ~CZelkDoc() override;
    CZelkDoc(const CZelkDoc&) = delete;
    CZelkDoc& operator=(const CZelkDoc&) = delete;

    void InitContents();
    void FreeContents();
    void FreePointerMarks();
    void FreeElementStore();
    int HasData() const;

    // The binary form: tag, path, name, write layer, extents, the tables, groups, blocks, block
    // maps, DXF blocks, placed objects and embedded items. Loading replaces all of them;
    // damaged data throw the archive exception and leave the drawing as it was.
    void Serialize(CArchive& ar) override;

    // A drawing made in context-help mode has no contents: the template's creation of it
    // fails, and neither a new nor an opened drawing is left.
    BOOL OnNewDocument() override;

    // ---- recovery files -------------------------------------------------------------------
    void SaveRecoveryFile();
    void SaveRecoveryObject(int index);
    void WriteObjectRecoveryFile(int index, const CString& name);
    void ReadObjectRecoveryFile(const CString& path, int k);

    // ---- what the framework's document gives ------------------------------------------
    // The framework's view list, which holds only drawing views; a view without a window (a
    // test's) joins it the same way and also learns its document at once.
    void AddView(CZelkView* view);
    void RemoveView(CZelkView* view);
    class CViewRange {
    public:
        class iterator {
        public:
            explicit iterator(std::vector<CView*>::const_iterator it) : m_it(it) {}
            CZelkView* operator*() const;
            iterator& operator++() { ++m_it; return *this; }
            bool operator!=(const iterator& other) const { return m_it != other.m_it; }
        private:
            std::vector<CView*>::const_iterator m_it;
        };
        explicit CViewRange(const std::vector<CView*>& list) : m_list(list) {}
        iterator begin() const { return iterator(m_list.begin()); }
        iterator end() const { return iterator(m_list.end()); }
        bool empty() const { return m_list.empty(); }
        std::size_t size() const { return m_list.size(); }
        CZelkView* front() const;
    private:
        const std::vector<CView*>& m_list;
    };
    CViewRange GetViews() const { return CViewRange(m_viewList); }
    // Every view but the sender, windows or not.
    void UpdateAllViews(CZelkView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    // ---- typed access to the tables ---------------------------------------------------
    CTypePen* GetPen(int i) const;
    CTypeFont* GetFont(int i) const;
    CLayer* GetLayer(int i) const;
    CDataString* GetString(int i) const;
    CGroup* GetGroup(int i) const;
    CColor* GetColor(int i) const;
    CDataPoints* PointBlockAt(int i) const;
    CLines* LineBlockAt(int i) const;
    CCircles* CircleBlockAt(int i) const;
    CArcs* ArcBlockAt(int i) const;
    CTexts* TextBlockAt(int i) const;
    CConics* ConicBlockAt(int i) const;
    CCurves* CurveBlockAt(int i) const;
    // The element of a reference, or none when its block or slot is not in use.
    CDataPoint* GetPointElem(int block, int slot) const;
    CLine* GetLineElem(int block, int slot) const;
    CCircle* GetCircleElem(int block, int slot) const;
    CArc* GetArcElem(int block, int slot) const;
    CText* GetTextElem(int block, int slot) const;
    CConic* GetConicElem(int block, int slot) const;
    CCurve* GetCurveElem(int block, int slot) const;

    // The extent of every element block, for the walks that look only at what meets a window
    // (picks, point searches, box selections, paints). Blocks added or filled are measured when
    // next asked for; whoever moves elements in place or frees blocks invalidates it.
    CBlockExtents m_blockExtents;

    // ---- attribute tables -------------------------------------------------------------
    // Pens, layers and fonts are looked up in side indexes, which answer a miss without going
    // through the table. The document keeps them current as it adds to its tables; whoever
    // changes a pen, layer or font in place or takes entries away (a rename, a rollback, a
    // load) calls TablesChanged, and the next lookup indexes the tables again, as it does for
    // a table that grew or shrank behind the index. A bulk add (an import) holds the tables:
    // the hold indexes them afresh when it starts, so that whatever was changed in place before
    // is found by its present values. Holds nest.
    void TablesChanged();
    void HoldTables();
    void ReleaseTables();
    std::int16_t FindOrAddPen(std::int32_t lineType, std::int16_t width, COLORREF color,
                              std::uint8_t blurCount, std::uint8_t blurRate);
    std::int16_t FindOrAddFont(LOGFONT font, std::int32_t width, std::int32_t height,
                               std::uint8_t style1, double angle);
    std::int16_t FindOrAddCurrentFont(double angle);
    std::int16_t FindOrCreateLayer(const CString& name);
    std::int16_t GetLayerIndex(const CString& name);
    CDataString* FindOrAddAttributeString(CString& entry, int& index, int& mode);
    std::int16_t LayerIndexFromList(int i, const CStringArray& names);
    // Lists of UserAppPenRecord* and UserAppFontRecord*: an index outside the list, or naming
    // no record, gives the element-creation pen (with its blur whatever the blur mode) or the
    // text settings' font (style 1, the slant angle).
    std::int16_t PenIndexFromList(int i, const CPtrArray& pens);
    std::int16_t FontIndexFromList(int i, const CPtrArray& fonts);

    // ---- layer and attribute-string lookup --------------------------------------------
    int FindLayer(const CString& name);
    int FindLayersByPattern(const CString& pattern, CWordArray& found);
    void GetLayerNames(CStringArray& names) const;
    void GetAttributeStringNames(CStringArray& names) const;
    CDataString* FindAttributeString(const CString& text, int& index) const;

    // ---- colors -----------------------------------------------------------------------
    COLORREF GetColorValue(int position);
    int ColorToDxfIndex(COLORREF color) const;

    // DXF R12 export of the layers displayed in the active drawing view; FALSE when the file
    // cannot be written (the previous file at the path is then left as it was).
    BOOL WriteDxfFile(const CString& path);
    // The header variables after $CLAYER and the fixed tables, up to the LAYER table.
    void WriteDxfFixedHeaderAndTables(CStdioFile& file);

    // ---- element blocks and adding ----------------------------------------------------
    CDataPoints* GetPointBlock(std::int16_t pen);
    CLines* GetLineBlock(std::int16_t pen, int directionKind);
    CCircles* GetCircleBlock(std::int16_t pen);
    CArcs* GetArcBlock(std::int16_t pen);
    CConics* GetConicBlock(std::int16_t pen);
    CCurves* GetCurveBlock(std::int16_t pen);
    CTexts* GetTextBlock(std::int16_t font);
    CDataPoints* NewPointBlock(std::int16_t pen);
    CLines* NewLineBlock(std::int16_t pen, int directionKind);
    CCircles* NewCircleBlock(std::int16_t pen);
    CArcs* NewArcBlock(std::int16_t pen);
    CConics* NewConicBlock(std::int16_t pen);
    CCurves* NewCurveBlock(std::int16_t pen);
    CTexts* NewTextBlock(std::int16_t font);

    CDataPoints* AddPoint(CPointD position, std::int16_t layer, std::int16_t pen);
    CLines* AddLine(CPointD start, CPointD end, std::int16_t layer, std::int16_t pen);
    CCircles* AddCircle(CPointD centre, double radius, std::int16_t layer, std::int16_t pen);
    CArcs* AddArc(CPointD centre, double radius, CPointD angles, std::int16_t layer,
                  std::int16_t pen);
    CConics* AddConic(CPointD centre, double radius, double ratio, CPointD angles, double tilt,
                      std::int16_t layer, std::int16_t pen);
    CCurves* AddCurve(int kind, const std::vector<CPointD>& points, std::int16_t layer,
                      std::int16_t pen);
    CTexts* AddText(CPointD position, const CString& text, COLORREF color, int alignment,
                    std::int16_t layer, std::int16_t font);

    CLines* AddLineWithPen(CPointD start, CPointD end, std::int16_t layer, std::int16_t pen,
                           std::int16_t& block, std::int16_t& slot);
    CCircles* AddCircleWithPen(CPointD centre, double radius, std::int16_t layer,
                               std::int16_t pen, std::int16_t& block, std::int16_t& slot);
    CArcs* AddArcWithPen(CPointD centre, double radius, CPointD angles, std::int16_t layer,
                         std::int16_t pen, std::int16_t& block, std::int16_t& slot);
    CCurves* AddCurveWithPen(int kind, const std::vector<CPointD>& points, std::int16_t layer,
                             std::int16_t pen, std::int16_t& block, std::int16_t& slot);
    CTexts* AddTextWithFont(const CString& text, CPointD position, std::int16_t layer,
                            std::int16_t font, int alignment, COLORREF color,
                            std::int16_t& block, std::int16_t& slot);

    CDataPoints* AddPointWithCurrentPen(CPointD position, std::int16_t& block, std::int16_t& slot);
    CLines* AddLineWithCurrentPen(CPointD start, CPointD end, std::int16_t& block,
                                  std::int16_t& slot);
    CCircles* AddCircleWithCurrentPen(CPointD centre, double radius, std::int16_t& block,
                                      std::int16_t& slot);
    CArcs* AddArcWithCurrentPen(CPointD centre, double radius, CPointD angles,
                                std::int16_t& block, std::int16_t& slot);
    CConics* AddConicWithCurrentPen(CPointD centre, double radius, double ratio, CPointD angles,
                                    double tilt, std::int16_t& block, std::int16_t& slot);
    CCurves* AddCurveWithCurrentPen(int kind, const std::vector<CPointD>& points,
                                    std::int16_t& block, std::int16_t& slot);
    CTexts* AddTextFromCommand(CPointD position, std::int16_t& block, std::int16_t& slot);

    // ---- compound elements and groups ---------------------------------------------------
    // 1 when one more group may be added; otherwise shows why and returns 0.
    int CheckGroupLimit() const;
    CTexts* AddTextWithFontSpec(const CString& text, CPointD position, double angle,
                                const LOGFONT& font, std::int32_t width, std::int32_t height,
                                int alignment, COLORREF color, std::int16_t& block,
                                std::int16_t& slot);
    void AddDimensionDot(CPointD centre, int groupIndex, CGroup* group);
    void AddArrowLine(CPointD from, CPointD to, int role, int groupIndex, CGroup* group);
    int BuildNotationTextGroup(const CString& text, CPointD position, double angle,
                               const LOGFONT& font, std::int32_t width, std::int32_t height,
                               int alignment, COLORREF color);
    // A composite text of the font on the layer: its group number, -1 when it cannot be made.
    int AddCompositeText(const CString& text, CPointD position, std::int16_t font,
                         std::int16_t layer, int alignment, COLORREF color);
    int AddLinearDimensionGroup(CPointD ext1From, CPointD ext1To, CPointD ext2From,
                                CPointD ext2To, CPointD a, CPointD b, CPointD tipA1,
                                CPointD tipA2, CPointD tipB1, CPointD tipB2, double angle,
                                const LOGFONT& font, std::int32_t width, std::int32_t height,
                                int alignment, COLORREF color);
    int AddChamferDimensionGroup(CPointD p, CPointD q, const CString& text, CPointD position,
                                 double angle, const LOGFONT& font, std::int32_t width,
                                 std::int32_t height, int alignment, COLORREF color,
                                 CPointD tip1, CPointD tip2);
    int AddDiameterDimensionGroup(CPointD p, CPointD q, CPointD tipP1, CPointD tipP2,
                                  CPointD tipQ1, CPointD tipQ2, const CString& text,
                                  CPointD position, double angle, const LOGFONT& font,
                                  std::int32_t width, std::int32_t height, int alignment,
                                  COLORREF color);
    int AddRadiusDimensionGroup(CPointD p, CPointD q, CPointD tipQ1, CPointD tipQ2,
                                const CString& text, CPointD position, double angle,
                                const LOGFONT& font, std::int32_t width, std::int32_t height,
                                int alignment, COLORREF color);
    int AddAngularDimensionGroup(CPointD centre, double radius, double start, double end,
                                 CPointD measured1, CPointD ext1, CPointD measured2,
                                 CPointD ext2, const CPointD tips[4], const CString& text,
                                 CPointD position, double angle, const LOGFONT& font,
                                 std::int32_t width, std::int32_t height, int alignment,
                                 COLORREF color);
    int AddLeaderGroup(const std::vector<CPointD>& vertices, const CString& text,
                       CPointD position, double angle, const LOGFONT& font, std::int32_t width,
                       std::int32_t height, int alignment, COLORREF color);
    int AddBalloonGroup(const std::vector<CPointD>& vertices, double radius, const CString& text,
                        CPointD position, double angle, const LOGFONT& font, std::int32_t width,
                        std::int32_t height, int alignment, COLORREF color);

    // ---- print frames on work layers --------------------------------------------------
    int FindPrintFrameLayer();
    int FirstWorkPrintLayer();
    int AddPrintFrame();
    int RedrawPrintFrame(int layer);

    // ---- connected element chains -------------------------------------------------------
    CPointD FollowChain(CPointD start, int kind, int block, int slot, std::vector<CElemRef>& entries);
    int IsLineEndShared(CPointD point, int block, int slot);
    // Continues the loop command's run of joined lines from the point at the end of its last
    // line, over bends up to its angle limit, appending each line to the run and its far end to
    // the vertices; stops at a branch, a dead end or where the run closes on itself.
    CPointD FollowCollinearChain(CPointD start, int block, int slot,
                                 std::vector<CPointD>& vertices);
    static int ListHoldsElement(const CElemRef& entry, const std::vector<CElemRef>& entries);

    // ---- view broadcasts --------------------------------------------------------------
    void PaintAllViews();
    void RedrawChangedElements(int clipMode);
    void EraseChangedElements();
    void InvalidateObjectInViews(CZelkObj* object);
    void UpdateAndPaintAllViews();
    void ShowAllInViews();
    void ShowMessageInViews(const CString& text);
    void DrawGroupInViews(int drawMode, int clipMode, int group);
    void DrawPointInViews(int drawMode, int clipMode, CDataPoints* block, int slot);
    void DrawLineInViews(int drawMode, int clipMode, CLines* block, int slot);
    void DrawCircleInViews(int drawMode, int clipMode, CCircles* block, int slot);
    void DrawArcInViews(int drawMode, int clipMode, CArcs* block, int slot);
    void DrawConicInViews(int drawMode, int clipMode, CConics* block, int slot);
    void DrawCurveInViews(int drawMode, int clipMode, CCurves* block, int slot);
    void DrawTextInViews(int drawMode, int clipMode, CTexts* block, int slot);
    void DrawWorkLineInViews(int colorSelector, CLine* line);
    void DrawWorkArcInViews(int colorSelector, CArc* arc);
    void DrawCrossMarkInViews(CPointD* point);
    void DrawCircleMarkInViews(CPtrArray* points, int n);
    // Every view erases the point search's mark at the point.
    void EraseFoundMarkInViews(CPointD point);
    void DrawPointerMarks(int erase);
    void DrawOriginMarksInViews();
    void DrawRelativeAxesInViews();
    // Every view erases the relative axes now, or draws the origin mark and the axes again.
    void EraseRelativeAxesInViews();
    void RedrawOriginAndAxesInViews();
    void ShowInputPointMark(int show);
    void RedrawPreviewsInViews();
    void DrawDirectionMarks(int draw);
    void ClearDragSketches();
    // The preview operations of every view of the drawing; the segment, circle-about-centre,
    // fixed-radius, given-arc and work-line requests wait while a closed view suppresses previews.
    void PreviewSegment(CPointD* a, CPointD* b);
    void EraseSegments();
    void PreviewDragBox(const CPointD& press, const CPointD& pointer);
    void EraseDragBox();
    void EraseRotatedBox();
    void PreviewPointerCross(const CPointD& p);
    void ErasePointerCross();
    void PreviewWorkLine(int index);
    void EraseWorkLine(int index);
    void PreviewObjectDrag(const CPointD& pointer);
    void EraseObjectDrag();
    void EraseArc();
    void EraseSecondArc();
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

    // ---- document services ------------------------------------------------------------
    void ClearRedrawBits();
    void SetBasePoint(CPointD base, CPointD reference);
    // Erases the base-point cross in every view.
    void EraseBasePointMarks();
    void SetCurrentAngle(double a);
    CPointD WorldToRelative(CPointD p) const;
    CPointD RelativeToWorld(CPointD p) const;
    int CountObjectsShownInView(CZelkView* view) const;
    void ShowNoticeLineInActiveView(const CString& text, int* line);
    // The notice shown once after start; main-frame timer 16 takes it away after ten seconds.
    void ShowStartupNotice();
    // Rendering as an OLE server item: fit the extents into the application's item rectangle.
    int FitServerItemView();
    int ComputeServerItemOrigin(const CPointD& centre, double zoom, CPointD& origin) const;
    void CenterServerItemScroll();
    static void ComputeUnderlineEnds(CPointD corner1, CPointD corner2, int directionKind,
                                     double angle, const LOGFONT& font, std::int32_t widthTenths,
                                     std::int32_t heightTenths, CPointD& end1, CPointD& end2);

    // ---- extents, deletion, attribute strings on the selection ------------------------
    void ComputeExtents();
    void ExtendExtents(double& minX, double& minY, double& maxX, double& maxY, int kind,
                       int block, int slot);
    int DeleteSelected(int withGroups);
    int DeleteElement(int kind, int block, int slot);
    void ApplyAttributeStringToSelection(int index, int remove);

    // ---- open and save (document/ZelkDocSave.cpp) --------------------------------------
    // The framework's open and save of a plain file go through the program's own reader and
    // writer, chosen by the extension; its archive form is never used for drawings.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    // The framework's question before closing: AskToWrite, or the framework's own when quiet.
    BOOL SaveModified() override;
    // The drawing as an item for other programs, made on the first request and kept.
    CZelkSrvrItem* GetEmbeddedItem();
    CZelkSrvrItem* OnGetEmbeddedItem();
    CZelkSrvrItem* m_embeddedItem = nullptr;   // owned
    int OpenFileOrStorage(const CString& path);
    int SaveFileOrStorage(const CString& path);
    // Writes the application's pending drawing through its pending view; 1 on success.
    int SaveToFile();
    int SaveAs();
    int WriteByKind(int kind, const CString& path, const CString& name);
    int AskToWrite();
    int CloseAfterAsking();
    // Creation date when unset; renewal dates rotated once a day.
    void StampDates();
    // Every drawing of the drawing template written into the data folder under its name, after
    // one question; 1 when all were written. Plug-ins ask for them too.
    int SaveAllAsDxf();
    int SaveAllAsNative();

    // ---- framework hooks (document/ZelkDocCommands.cpp) ----------------------------------
    // Stays open while a save is pending; during a training, closing moves to the next note.
    void OnCloseDocument() override;
    // The drawing's windows were shown: the default layer, every view's layer array, and for
    // the first drawing of a run the start-up work (recovery, first-start notices, the guide).
    virtual void OnShowViews(BOOL bVisible);

    // ---- native drawing file -----------------------------------------------------------
    // Adds the file's contents; 1 when it was read to its end without damage.
    int LoadNativeFile(const CString& path);
    // The loaded data of this windowless drawing (source 1 a symbol file, 2 a user
    // application's result) selected whole and handed to group processing to be copied into
    // the active drawing; 0 when there is nothing to copy.
    int StartCopyOfLoadedData(int source);
    int ApplyNativeHeaderLine(const CString& line, int code);
    int ApplyNativeRecord(const BYTE* header, const BYTE* payload, int code, int length,
                          CNativeReadState& state);
    int ReadNativeItems(CMemFile& file);

    // ---- element and placed-object queries --------------------------------------------
    int GetGroupChain(int group, CWordArray& chain);
    void FilterGroupChain(std::int16_t& verdict, CWordArray& chain);
    bool CollectElements(int layer, int kindMask, int lineTypeMask, CPtrArray& refs);
    static void FreeRefList(CPtrArray& refs);
    bool CollectSelection();
    CZelkObj* FindObjectAt(CZelkView* view, POINT point);
    int FindObjectsAt(CZelkView* view, POINT point, CWordArray& found);
    int AddObject(CZelkObj* object);
    void RemoveObject(CZelkObj* object);
    std::int16_t FindObjectIndex(CZelkObj* object) const;

protected:
    DECLARE_MESSAGE_MAP()
    void OnFileSave();
    void OnUpdateFileSave(CCmdUI* pCmdUI);
    void OnFileSaveAs();
    void OnFileClose();
    void OnSaveAllDxf();
    void OnSaveAllNative();
    // Document commands (document/ZelkDocCommands.cpp).
    void OnTextAttributeInput();
    void OnUpdateTextAttributeInput(CCmdUI* pCmdUI);
    void OnAttributeFind();
    void OnUpdateAttributeFind(CCmdUI* pCmdUI);
    void OnReselectLatestBox();
    void OnUpdateReselectLatestBox(CCmdUI* pCmdUI);
    void OnIntervalConstraint();
    void OnUpdateIntervalConstraint(CCmdUI* pCmdUI);
    void OnErasePointerMarks();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);

private:
    void StoreArchive(CArchive& ar);
    void LoadArchive(CArchive& ar);
    void ForgetWorkElements();
    // The recovery files this drawing wrote under its present number; a missing one is no error.
    void RemoveRecoveryFiles();
    CString RecoverySideFileName(int k) const;
    CTextCommand* CurrentTextCommand() const;
    std::int16_t CurrentPen(int withBlur);
    void EnterPenInMaps(int pen);
    std::int16_t FindFont(const LOGFONT& font, std::int32_t width, std::int32_t height,
                          std::uint8_t style1, double angle);
    std::int16_t CreateFont(const LOGFONT& font, std::int32_t width, std::int32_t height,
                            std::uint8_t style1, double angle, int current);
    int CheckBlockLimit(int count) const;

    int FindPenIndexed(std::int32_t lineType, std::int16_t width, COLORREF color,
                       std::uint8_t blurCount, std::uint8_t blurRate);
    void IndexPens();
    void IndexLayers();
    void IndexFonts();

    // Side indexes of the pen, layer and font tables, with the size of the table each was made
    // for (-1 after TablesChanged). A hit is still checked against the table; layers keep the
    // names they were indexed under for that.
    std::unordered_map<std::string, int> m_penIndex;
    int m_penIndexedCount = 0;
    std::unordered_map<std::string, int> m_layerIndex;
    std::vector<std::string> m_layerIndexedNames;
    int m_layerIndexedCount = 0;
    std::unordered_map<FontIndexKey, std::vector<int>, FontIndexKeyHash> m_fontIndex;
    int m_fontIndexedCount = 0;
    int m_tablesHeld = 0;

    // The recovery files written under the present number: the main file, and the side files
    // by their object number k. Others of the same name belong to whoever wrote them.
    BOOL m_hasContents = FALSE;   // FALSE only when made in context-help mode
    BOOL m_wroteMainRecovery = FALSE;
    std::set<int> m_wroteSideRecovery;
};

// Text-box computations shared by the text adders, compound elements and element sets.
void ComputeTextBoxCorners(const LOGFONT& font, std::int32_t widthTenths,
                           std::int32_t heightTenths, int alignment, const CString& text,
                           int directionKind, double r, CPointD& lowerLeft, CPointD& lowerRight,
                           CPointD& upperLeft, CPointD& upperRight);
void ComputeTextAnchorOffset(const LOGFONT& font, std::int32_t widthTenths,
                             std::int32_t heightTenths, int alignment, const CString& text,
                             CPointD& start, CPointD& direction);
double ComputeTextWidthRatio(const CString& text, const LOGFONT& font, std::int32_t widthTenths,
                             std::int32_t heightTenths, int alignment, double spacing,
                             std::int32_t rightToLeft, double angle, int directionKind);

// 1 when the name may become a layer name; otherwise shows why and returns 0.
int ValidateLayerName(const CString& name);

// Holds a drawing's tables (CZelkDoc::HoldTables) for as long as it lives.
class CDocTablesHold {
public:
    explicit CDocTablesHold(CZelkDoc* doc) : m_doc(doc) { m_doc->HoldTables(); }
    ~CDocTablesHold() { m_doc->ReleaseTables(); }
    CDocTablesHold(const CDocTablesHold&) = delete;
    CDocTablesHold& operator=(const CDocTablesHold&) = delete;

private:
    CZelkDoc* m_doc;
};
