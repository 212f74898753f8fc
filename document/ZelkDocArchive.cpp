// The binary archive form of a drawing: what the clipboard and an embedding container keep of
// it. Loading reads everything aside, checks every object's class and every index, and only
// then replaces the drawing's tables, so that damaged data change nothing and leak nothing.
#include "document/ZelkDoc.h"

#include <set>

#include "app/ZelkCntrItem.h"
#include "document/CreationLog.h"
#include "document/DocEnvironment.h"
#include "document/UndoHistory.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Color.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementCommon.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "formats/Block.h"
#include "platform/core/Archive.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

namespace {

const char kArchiveTag[] = "Zelk data ver.02.00";
// Archives of this version hold no points, ellipses or curves, nor their maps.
const char kArchiveTagA[] = "Zelk data ver.00.00A";
const char kMsgCurvesDropped[] =
    "旧植え込みオブジェクトの書きなぐり線のデータは不完全のため消去しました";

// Everything one load reads, held apart from the drawing until it has been checked. Whatever
// is still held when it goes is freed, each object once (damaged data can name one object in
// several places).
struct CArchivedDrawing {
    CString tag;
    CString path;
    CString name;
    std::int16_t writeLayer = 0;
    CRectD extents;
    CObArray colors, pens, fonts, groups, layers;
    CObArray points, lines, circles, arcs, texts, conics, curves;
    CWordArray maps[MAP_COUNT];
    CObArray dxfBlocks, objects, items;

    std::vector<CObArray*> Lists()
    {
        return {&colors, &pens, &fonts, &groups, &layers, &points, &lines, &circles, &arcs,
                &texts, &conics, &curves, &dxfBlocks, &objects, &items};
    }
    ~CArchivedDrawing()
    {
        std::set<CObject*> freed;
        for (CObArray* list : Lists())
            for (CObject* o : *list)
                if (o && freed.insert(o).second)
                    delete o;
    }
    // The drawing took the objects over.
    void Release()
    {
        for (CObArray* list : Lists())
            list->RemoveAll();
    }
};

// Every entry an object of the class (or one derived from it), and no object named twice.
void CheckClasses(const CObArray& list, const CRuntimeClass* cls, std::set<CObject*>& seen)
{
    for (CObject* o : list)
        if (!o || !o->IsKindOf(cls) || !seen.insert(o).second)
            ThrowBadArchive();
}

template <class Block>
void CheckBlocks(const CObArray& blocks, int penCount, int layerCount, int groupCount)
{
    if (blocks.GetSize() > NO_BLOCK)
        ThrowBadArchive();
    // Attribute lists were cleared: no string index is valid.
    for (CObject* o : blocks)
        static_cast<Block*>(o)->CheckIndices(penCount, layerCount, groupCount, 0);
}

// A map has one entry per pen (texts: per font), each naming no block or a block of that pen.
template <class Block>
void CheckMap(const CWordArray& map, const CObArray& blocks, int penCount, int direction = 0)
{
    if (map.GetSize() != penCount)
        ThrowBadArchive();
    for (int pen = 0; pen < map.GetSize(); ++pen) {
        const WORD entry = map[pen];
        if (entry == NO_BLOCK)
            continue;
        if (entry >= blocks.GetSize())
            ThrowBadArchive();
        const Block* block = static_cast<const Block*>(blocks[entry]);
        if (block->m_pen != pen)
            ThrowBadArchive();
        if constexpr (std::is_same_v<Block, CLines>) {
            if (block->m_direction != direction)
                ThrowBadArchive();
        }
    }
}

template <class Block>
int SlotInUse(const CObArray& blocks, int block, int slot)
{
    return block >= 0 && block < blocks.GetSize() && slot >= 0 &&
           slot < static_cast<const Block*>(blocks[block])->m_count;
}

void CheckGroups(const CArchivedDrawing& d)
{
    const int groupCount = d.groups.GetSize();
    if (groupCount > CGroup::MaxCount)
        ThrowBadArchive();
    for (CObject* o : d.groups) {
        const CGroup* g = static_cast<const CGroup*>(o);
        CheckGroupIndex(g->m_parent, groupCount);
        for (const CElemRef& m : g->m_members) {
            int ok = 0;
            switch (m.m_kind) {
            case ELEM_GROUP: ok = m.m_block >= 0 && m.m_block < groupCount; break;
            case ELEM_POINT: ok = SlotInUse<CDataPoints>(d.points, m.m_block, m.m_slot); break;
            case ELEM_LINE: ok = SlotInUse<CLines>(d.lines, m.m_block, m.m_slot); break;
            case ELEM_CIRCLE: ok = SlotInUse<CCircles>(d.circles, m.m_block, m.m_slot); break;
            case ELEM_ARC: ok = SlotInUse<CArcs>(d.arcs, m.m_block, m.m_slot); break;
            case ELEM_TEXT: ok = SlotInUse<CTexts>(d.texts, m.m_block, m.m_slot); break;
            case ELEM_CONIC: ok = SlotInUse<CConics>(d.conics, m.m_block, m.m_slot); break;
            case ELEM_CURVE: ok = SlotInUse<CCurves>(d.curves, m.m_block, m.m_slot); break;
            case ELEM_OBJECT: ok = m.m_block >= 0 && m.m_block < d.objects.GetSize(); break;
            default: break;
            }
            if (!ok)
                ThrowBadArchive();
        }
    }
}

// Attribute strings are not part of the archive, so no loaded list may keep an index.
template <class Block>
void ClearAttributeLists(const CObArray& blocks)
{
    for (CObject* o : blocks) {
        Block* b = static_cast<Block*>(o);
        for (auto& slot : b->m_slots)
            slot.m_attrStrings.RemoveAll();
    }
}

void CheckLoaded(CArchivedDrawing& d)
{
    std::set<CObject*> seen;
    CheckClasses(d.colors, RUNTIME_CLASS(CColor), seen);
    CheckClasses(d.pens, RUNTIME_CLASS(CTypePen), seen);
    CheckClasses(d.fonts, RUNTIME_CLASS(CTypeFont), seen);
    CheckClasses(d.groups, RUNTIME_CLASS(CGroup), seen);
    CheckClasses(d.layers, RUNTIME_CLASS(CLayer), seen);
    CheckClasses(d.points, RUNTIME_CLASS(CDataPoints), seen);
    CheckClasses(d.lines, RUNTIME_CLASS(CLines), seen);
    CheckClasses(d.circles, RUNTIME_CLASS(CCircles), seen);
    CheckClasses(d.arcs, RUNTIME_CLASS(CArcs), seen);
    CheckClasses(d.texts, RUNTIME_CLASS(CTexts), seen);
    CheckClasses(d.conics, RUNTIME_CLASS(CConics), seen);
    CheckClasses(d.curves, RUNTIME_CLASS(CCurves), seen);
    CheckClasses(d.dxfBlocks, RUNTIME_CLASS(CBlock), seen);
    CheckClasses(d.objects, RUNTIME_CLASS(CZelkObj), seen);
    CheckClasses(d.items, RUNTIME_CLASS(CZelkCntrItem), seen);

    for (CObject* o : d.groups)
        static_cast<CGroup*>(o)->m_attrStrings.RemoveAll();
    ClearAttributeLists<CDataPoints>(d.points);
    ClearAttributeLists<CLines>(d.lines);
    ClearAttributeLists<CCircles>(d.circles);
    ClearAttributeLists<CArcs>(d.arcs);
    ClearAttributeLists<CTexts>(d.texts);
    ClearAttributeLists<CConics>(d.conics);
    ClearAttributeLists<CCurves>(d.curves);

    const int pens = d.pens.GetSize();
    const int fonts = d.fonts.GetSize();
    const int layers = d.layers.GetSize();
    const int groups = d.groups.GetSize();
    // A drawing whose tables were emptied for a new document has no layer yet; its write
    // layer is 0 until the first layer is made.
    if (layers > 0 || d.writeLayer != 0)
        CheckTableIndex(d.writeLayer, layers);
    CheckGroups(d);
    CheckBlocks<CDataPoints>(d.points, pens, layers, groups);
    CheckBlocks<CLines>(d.lines, pens, layers, groups);
    CheckBlocks<CCircles>(d.circles, pens, layers, groups);
    CheckBlocks<CArcs>(d.arcs, pens, layers, groups);
    CheckBlocks<CTexts>(d.texts, fonts, layers, groups);
    CheckBlocks<CConics>(d.conics, pens, layers, groups);
    CheckBlocks<CCurves>(d.curves, pens, layers, groups);
    for (CObject* o : d.lines) {
        const int direction = static_cast<CLines*>(o)->m_direction;
        if (direction != 1 && direction != 2 && direction != 4)
            ThrowBadArchive();
    }
    CheckMap<CDataPoints>(d.maps[MAP_POINT], d.points, pens);
    CheckMap<CLines>(d.maps[MAP_LINE_H], d.lines, pens, 1);
    CheckMap<CLines>(d.maps[MAP_LINE_V], d.lines, pens, 2);
    CheckMap<CLines>(d.maps[MAP_LINE_O], d.lines, pens, 4);
    CheckMap<CCircles>(d.maps[MAP_CIRCLE], d.circles, pens);
    CheckMap<CArcs>(d.maps[MAP_ARC], d.arcs, pens);
    CheckMap<CTexts>(d.maps[MAP_TEXT], d.texts, fonts);
    CheckMap<CConics>(d.maps[MAP_CONIC], d.conics, pens);
    CheckMap<CCurves>(d.maps[MAP_CURVE], d.curves, pens);
    for (CObject* o : d.objects) {
        const CZelkObj* obj = static_cast<const CZelkObj*>(o);
        CheckLayerIndex(obj->m_layer, layers);
        CheckGroupIndex(obj->m_group, groups);
    }
}

void StoreObjects(CArchive& ar, const std::vector<CObject*>& objects)
{
    CObArray list;
    for (CObject* o : objects)
        list.Add(o);
    list.Serialize(ar);
}

}  // namespace

void CZelkDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreArchive(ar);
    else
        LoadArchive(ar);
}

void CZelkDoc::StoreArchive(CArchive& ar)
{
    ar << CString(kArchiveTag);
    ar << m_path;
    ar << m_name;
    ar << static_cast<short>(m_writeLayer);
    StoreRectD(ar, m_extents);
    for (CObArray* list : {&m_colors, &m_pens, &m_fonts, &m_groups, &m_layers, &m_pointBlocks,
                           &m_lineBlocks, &m_circleBlocks, &m_arcBlocks, &m_textBlocks,
                           &m_conicBlocks, &m_curveBlocks})
        list->Serialize(ar);
    for (CWordArray& map : m_blockMaps)
        map.Serialize(ar);
    m_dxfBlocks.Serialize(ar);
    // The two auxiliary pointer lists have no archive form.
    StoreObjects(ar, std::vector<CObject*>(m_objects.begin(), m_objects.end()));
    StoreObjects(ar, std::vector<CObject*>(m_oleItems.begin(), m_oleItems.end()));
    // No embedding container exists here, so there is no container part to follow.
}

void CZelkDoc::LoadArchive(CArchive& ar)
{
    CArchivedDrawing d;
    ar >> d.tag;
    ar >> d.path;
    ar >> d.name;
    short writeLayer = 0;
    ar >> writeLayer;
    d.writeLayer = writeLayer;
    LoadRectD(ar, d.extents);
    const bool versionA = d.tag == kArchiveTagA;
    d.colors.Serialize(ar);
    d.pens.Serialize(ar);
    d.fonts.Serialize(ar);
    d.groups.Serialize(ar);
    d.layers.Serialize(ar);
    if (!versionA)
        d.points.Serialize(ar);
    d.lines.Serialize(ar);
    d.circles.Serialize(ar);
    d.arcs.Serialize(ar);
    d.texts.Serialize(ar);
    if (!versionA) {
        d.conics.Serialize(ar);
        d.curves.Serialize(ar);
    }
    for (int m = 0; m < MAP_COUNT; ++m) {
        if (versionA && (m == MAP_POINT || m == MAP_CONIC || m == MAP_CURVE))
            continue;
        d.maps[m].Serialize(ar);
    }
    d.dxfBlocks.Serialize(ar);
    d.objects.Serialize(ar);
    d.items.Serialize(ar);

    // Curve data of other versions are incomplete and go. The maps of what the data lack get an
    // entry of no block for every pen, as a pen entered in the tables gets: an empty map would
    // refuse every new element of its kind.
    const bool curvesDropped = d.tag != kArchiveTag;
    if (curvesDropped) {
        for (CObject* o : d.curves)
            delete o;
        d.curves.RemoveAll();
    }
    for (int m : {MAP_POINT, MAP_CONIC, MAP_CURVE}) {
        if (!versionA && !(curvesDropped && m == MAP_CURVE))
            continue;
        d.maps[m].RemoveAll();
        for (int pen = 0; pen < d.pens.GetSize(); ++pen)
            d.maps[m].Add(NO_BLOCK);
    }
    CheckLoaded(d);

    // The loaded tables replace the drawing's own (a fresh drawing's first layer included).
    ForgetWorkElements();
    for (CZelkObj* o : m_objects)
        for (CZelkView* v : GetViews())
            v->DeselectOleObject(o);
    FreeElementStore();
    for (CZelkCntrItem* item : m_oleItems)
        delete item;
    m_oleItems.clear();
    m_path = d.path;
    m_name = d.name;
    m_extents = d.extents;
    m_colors.Copy(d.colors);
    m_pens.Copy(d.pens);
    m_fonts.Copy(d.fonts);
    m_groups.Copy(d.groups);
    m_layers.Copy(d.layers);
    m_pointBlocks.Copy(d.points);
    m_lineBlocks.Copy(d.lines);
    m_circleBlocks.Copy(d.circles);
    m_arcBlocks.Copy(d.arcs);
    m_textBlocks.Copy(d.texts);
    m_conicBlocks.Copy(d.conics);
    m_curveBlocks.Copy(d.curves);
    for (int m = 0; m < MAP_COUNT; ++m)
        m_blockMaps[m].Copy(d.maps[m]);
    m_dxfBlocks.Copy(d.dxfBlocks);
    TablesChanged();
    m_blockExtents.Invalidate();
    for (CObject* o : d.objects) {
        CZelkObj* obj = static_cast<CZelkObj*>(o);
        obj->m_pDocument = this;
        m_objects.push_back(obj);
    }
    for (CObject* o : d.items) {
        CZelkCntrItem* item = static_cast<CZelkCntrItem*>(o);
        item->m_document = this;
        m_oleItems.push_back(item);
    }
    d.Release();
    // What was logged or recorded named elements of the tables just replaced.
    delete m_undoHistory;
    m_undoHistory = new CUndoHistory(this);
    delete m_creationLog;
    m_creationLog = new CCreationLog(this, m_pens.GetSize(), m_fonts.GetSize());

    if (curvesDropped)
        AfxMessageBox(kMsgCurvesDropped, MB_OK);
    m_writeLayer = d.writeLayer;
    // Plug-ins read the active drawing's write layer from the exchange block.
    if (CZelkView* active = DocActiveView(); active && active->m_document == this)
        DocSetUserAppWriteLayer(m_writeLayer);
    DocClearPrompt();
    for (CObject* o : m_conicBlocks)
        for (CConic& conic : static_cast<CConics*>(o)->m_slots)
            conic.BuildPolyline();
    ShowAllInViews();
    for (CObject* o : m_pens) {
        const CTypePen* pen = static_cast<CTypePen*>(o);
        if (pen->m_lineType == 0) {
            DocSetCreationLineWidth(pen->m_width);
            break;
        }
    }
    for (CZelkObj* obj : m_objects)
        if (auto* ole = dynamic_cast<CZelkOleObj*>(obj))
            ole->AttachToItem();
}
