// The embedded item of a drawing on this platform: a picture. It keeps the class name, the
// picture as PNG bytes and its extent in hundredths of a millimetre, draws itself scaled into a
// rectangle and is made from a picture file or a clipboard image. Items of other programs
// cannot run here: activation, links and verbs are answered as unavailable.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CArchive;
class CDC;
class CView;

constexpr int DVASPECT_CONTENT = 1;
constexpr int OLEIVERB_PRIMARY = 0;
constexpr int OLEIVERB_SHOW = -1;
constexpr int OLEIVERB_OPEN = -2;
constexpr int OLERENDER_DRAW = 1;
constexpr int OLEIVERB_HIDE = -3;
constexpr int OLECLOSE_SAVEIFDIRTY = 0;
constexpr int OLECLOSE_NOSAVE = 1;
constexpr DWORD OLEMISC_INSIDEOUT = 0x80;

class COleClientItem : public CObject {
    DECLARE_DYNAMIC(COleClientItem)
public:
    // Item states, as the container sees them.
    enum ItemState { emptyState = 0, loadedState = 1, openState = 2, activeState = 3, activeUIState = 4 };

    COleClientItem() = default;
    ~COleClientItem() override = default;

    // Class name, extent (cx, cy as 32-bit) and the counted data bytes.
    void Serialize(CArchive& ar) override;

    // The extent in hundredths of a millimetre; FALSE when none is known.
    virtual BOOL GetExtent(SIZE* size);
    virtual int GetItemState() const { return m_itemState; }
    // Scales the picture into the logical rectangle; FALSE when there is no picture to draw.
    BOOL Draw(CDC* dc, const RECT* bounds, int aspect = DVASPECT_CONTENT);

    // Takes a picture in any format the platform decodes (kept as PNG); its extent follows the
    // picture's resolution, 96 dots per inch when it names none. FALSE when the bytes are no
    // picture; the item is unchanged then.
    BOOL CreateFromPicture(const BYTE* data, size_t size);
    // A picture file; FALSE when it cannot be read or holds no picture.
    BOOL CreateFromFile(const CString& path);
    // The image on the clipboard; FALSE when it holds none.
    BOOL CreateFromData(int render = OLERENDER_DRAW);
    BOOL CreateStaticFromData(int render = OLERENDER_DRAW);
    static BOOL CanCreateFromData();
    // Puts the picture on the open clipboard as an image.
    void GetClipboardData();

    // Running the item: a picture has no program to run it, so a verb reaches OnActivate, which
    // tells the container; the item never becomes active in place or open.
    virtual BOOL DoVerb(int verb, CView* view);
    virtual BOOL OnActivate() { return FALSE; }
    // Back to the loaded state (save or not, as the option says); nothing to save for a picture.
    void Close(int option = OLECLOSE_SAVEIFDIRTY);
    // The container's answers about the item's place while it is active in place; the framework's
    // handling accepts a new place.
    virtual BOOL OnChangeItemPosition(const RECT& rect);
    virtual void OnGetItemPosition(RECT& rect) { (void)rect; }
    // The user interface of an in-place item goes away: the item stays active without it.
    virtual void OnDeactivateUI(BOOL undoable);
    // What the item asks of its container; a picture asks nothing.
    DWORD GetMiscStatus(int aspect) const { (void)aspect; return 0; }
    // The item's window follows its new place (only while active in place).
    void SetItemRects() {}
    void UpdateLink() {}
    // The view the item is active in; none while it is not active.
    CView* GetActiveView() const { return m_pView; }

    CString m_className;
    SIZE m_serverExtent = { 0, 0 };
    std::vector<BYTE> m_nativeData;
    int m_itemState = loadedState;
    CView* m_pView = nullptr;
};
