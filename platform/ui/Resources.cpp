// Parser of the resource scripts and the store of the resources they define.
#include "platform/ui/Resources.h"

#include "platform/core/ProgramFolder.h"
#include "platform/ui/UiText.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct StyleName {
    const char* name;
    DWORD value;
};
const StyleName kStyles[] = {
    { "WS_CHILD", WS_CHILD }, { "WS_VISIBLE", WS_VISIBLE }, { "WS_DISABLED", WS_DISABLED },
    { "WS_GROUP", WS_GROUP }, { "WS_TABSTOP", WS_TABSTOP }, { "WS_BORDER", WS_BORDER },
    { "WS_VSCROLL", WS_VSCROLL }, { "WS_HSCROLL", WS_HSCROLL }, { "WS_CAPTION", WS_CAPTION },
    { "WS_SYSMENU", WS_SYSMENU }, { "WS_POPUP", WS_POPUP }, { "BS_PUSHBUTTON", BS_PUSHBUTTON },
    { "BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON }, { "BS_CHECKBOX", BS_CHECKBOX },
    { "BS_AUTOCHECKBOX", BS_AUTOCHECKBOX }, { "BS_RADIOBUTTON", BS_RADIOBUTTON },
    { "BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON }, { "BS_GROUPBOX", BS_GROUPBOX },
    { "BS_OWNERDRAW", BS_OWNERDRAW }, { "CBS_SIMPLE", CBS_SIMPLE }, { "CBS_DROPDOWN", CBS_DROPDOWN },
    { "CBS_DROPDOWNLIST", CBS_DROPDOWNLIST }, { "CBS_SORT", CBS_SORT }, { "CBS_AUTOHSCROLL", CBS_AUTOHSCROLL },
    { "CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED }, { "CBS_HASSTRINGS", CBS_HASSTRINGS },
    { "LBS_NOTIFY", LBS_NOTIFY }, { "LBS_SORT", LBS_SORT }, { "LBS_MULTIPLESEL", LBS_MULTIPLESEL },
    { "LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED }, { "LBS_HASSTRINGS", LBS_HASSTRINGS },
    { "LBS_EXTENDEDSEL", LBS_EXTENDEDSEL }, { "ES_MULTILINE", ES_MULTILINE },
    { "ES_AUTOHSCROLL", ES_AUTOHSCROLL }, { "ES_READONLY", ES_READONLY },
};

struct VkName {
    const char* name;
    UINT vk;
};
const VkName kVkNames[] = {
    { "VK_F1", VK_F1 }, { "VK_F2", VK_F2 }, { "VK_F3", VK_F3 }, { "VK_F4", VK_F4 }, { "VK_F5", VK_F5 },
    { "VK_F6", VK_F6 }, { "VK_F7", VK_F7 }, { "VK_F8", VK_F8 }, { "VK_F9", VK_F9 }, { "VK_F10", VK_F10 },
    { "VK_F11", VK_F11 }, { "VK_F12", VK_F12 }, { "VK_DELETE", VK_DELETE }, { "VK_INSERT", VK_INSERT },
    { "VK_ESCAPE", VK_ESCAPE }, { "VK_RETURN", VK_RETURN }, { "VK_BACK", VK_BACK }, { "VK_TAB", VK_TAB },
    { "VK_HOME", VK_HOME }, { "VK_END", VK_END }, { "VK_PRIOR", VK_PRIOR }, { "VK_NEXT", VK_NEXT },
    { "VK_LEFT", VK_LEFT }, { "VK_RIGHT", VK_RIGHT }, { "VK_UP", VK_UP }, { "VK_DOWN", VK_DOWN },
    { "VK_SPACE", VK_SPACE },
};

} // namespace

// Reads the tokens of a script: words, numbers, quoted strings and punctuation (, | { }).
class CResParser {
public:
    CResParser(CResources& res, const char* text) : m_res(res), m_p(text), m_end(text + std::strlen(text)) {}

    BOOL Run(CString* error)
    {
        try {
            while (Next()) {
                if (m_tok == "STRINGTABLE")
                    StringTable();
                else if (m_tok == "MENU")
                    Menu();
                else if (m_tok == "DIALOG" || m_tok == "DIALOGEX")
                    Dialog();
                else if (m_tok == "ACCELERATORS")
                    Accelerators();
                else if (m_tok == "BITMAP")
                    Bitmap(m_res.m_bitmaps);
                else if (m_tok == "ICON")
                    Bitmap(m_res.m_icons);
                else
                    Fail("unknown resource " + m_tok);
            }
        } catch (const std::string& e) {
            if (error)
                *error = CString(e);
            return FALSE;
        }
        return TRUE;
    }

private:
    CResources& m_res;
    const char* m_p;
    const char* m_end;
    std::string m_tok;
    bool m_quoted = false;
    int m_line = 1;
    bool m_pushed = false;

    [[noreturn]] void Fail(const std::string& what)
    {
        throw "line " + std::to_string(m_line) + ": " + what;
    }

    bool Next()
    {
        if (m_pushed) {
            m_pushed = false;
            return true;
        }
        m_quoted = false;
        m_tok.clear();
        for (;;) {
            while (m_p < m_end && (std::isspace(static_cast<unsigned char>(*m_p)))) {
                if (*m_p == '\n')
                    ++m_line;
                ++m_p;
            }
            if (m_p + 1 < m_end && m_p[0] == '/' && m_p[1] == '/') {
                while (m_p < m_end && *m_p != '\n')
                    ++m_p;
                continue;
            }
            break;
        }
        if (m_p >= m_end)
            return false;
        char c = *m_p;
        if (c == '"') {
            ++m_p;
            m_quoted = true;
            while (m_p < m_end) {
                unsigned char b = static_cast<unsigned char>(*m_p);
                if (_ismbblead(b) && m_p + 1 < m_end) {
                    m_tok += m_p[0];
                    m_tok += m_p[1];
                    m_p += 2;
                    continue;
                }
                if (b == '"') {
                    if (m_p + 1 < m_end && m_p[1] == '"') { // "" inside a string
                        m_tok += '"';
                        m_p += 2;
                        continue;
                    }
                    ++m_p;
                    return true;
                }
                if (b == '\\' && m_p + 1 < m_end) {
                    char e = m_p[1];
                    m_tok += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e == 'a' ? '\b' : e;
                    m_p += 2;
                    continue;
                }
                if (b == '\n')
                    ++m_line;
                m_tok += static_cast<char>(b);
                ++m_p;
            }
            Fail("unterminated string");
        }
        if (c == ',' || c == '|' || c == '{' || c == '}') {
            m_tok = std::string(1, c);
            ++m_p;
            if (m_tok == "{")
                m_tok = "BEGIN";
            else if (m_tok == "}")
                m_tok = "END";
            return true;
        }
        while (m_p < m_end && !std::isspace(static_cast<unsigned char>(*m_p)) && *m_p != ',' && *m_p != '|'
               && *m_p != '"' && *m_p != '{' && *m_p != '}')
            m_tok += *m_p++;
        return true;
    }

    void Push() { m_pushed = true; }

    std::string Word()
    {
        if (!Next())
            Fail("unexpected end");
        return m_tok;
    }

    void Expect(const char* word)
    {
        if (Word() != word || m_quoted)
            Fail(std::string("expected ") + word);
    }

    bool Comma()
    {
        if (Next()) {
            if (m_tok == "," && !m_quoted)
                return true;
            Push();
        }
        return false;
    }

    long Number()
    {
        std::string w = Word();
        if (m_quoted)
            Fail("expected a number");
        char* end = nullptr;
        long v = std::strtol(w.c_str(), &end, 0);
        if (!end || *end)
            Fail("bad number " + w);
        return v;
    }

    CString String()
    {
        std::string w = Word();
        if (!m_quoted)
            Fail("expected a string");
        return CString(w);
    }

    DWORD Styles()
    {
        DWORD s = 0;
        for (;;) {
            std::string w = Word();
            bool known = false;
            for (const auto& n : kStyles)
                if (w == n.name) {
                    s |= n.value;
                    known = true;
                }
            if (!known) {
                char* end = nullptr;
                unsigned long v = std::strtoul(w.c_str(), &end, 0);
                if (!end || *end)
                    Fail("unknown style " + w);
                s |= static_cast<DWORD>(v);
            }
            if (Next()) {
                if (m_tok == "|" && !m_quoted)
                    continue;
                Push();
            }
            return s;
        }
    }

    void StringTable()
    {
        Expect("BEGIN");
        for (;;) {
            std::string w = Word();
            if (w == "END" && !m_quoted)
                return;
            Push();
            UINT id = static_cast<UINT>(Number());
            Comma();
            m_res.m_strings[id] = String();
        }
    }

    void MenuItems(std::vector<CResMenuItem>& items)
    {
        Expect("BEGIN");
        for (;;) {
            std::string w = Word();
            if (w == "END")
                return;
            CResMenuItem item;
            if (w == "POPUP") {
                item.flags = MF_POPUP;
                item.text = String();
                MenuItems(item.items);
            } else if (w == "MENUITEM") {
                std::string n = Word();
                if (n == "SEPARATOR" && !m_quoted) {
                    item.flags = MF_SEPARATOR;
                } else {
                    Push();
                    item.text = String();
                    Comma();
                    item.id = static_cast<UINT>(Number());
                    while (Comma()) {
                        std::string opt = Word();
                        if (opt == "GRAYED")
                            item.flags |= MF_GRAYED;
                        else if (opt == "CHECKED")
                            item.flags |= MF_CHECKED;
                    }
                }
            } else {
                Fail("unknown menu entry " + w);
            }
            items.push_back(std::move(item));
        }
    }

    void Menu()
    {
        UINT id = static_cast<UINT>(Number());
        CResMenuItem root;
        root.flags = MF_POPUP;
        MenuItems(root.items);
        m_res.m_menus[id] = std::move(root);
    }

    void Rect(CResDialogItem& item)
    {
        item.x = static_cast<int>(Number());
        Comma();
        item.y = static_cast<int>(Number());
        Comma();
        item.cx = static_cast<int>(Number());
        Comma();
        item.cy = static_cast<int>(Number());
        if (Comma())
            item.style |= Styles();
    }

    void Dialog()
    {
        CResDialog d;
        d.id = static_cast<UINT>(Number());
        Comma();
        d.x = static_cast<int>(Number());
        Comma();
        d.y = static_cast<int>(Number());
        Comma();
        d.cx = static_cast<int>(Number());
        Comma();
        d.cy = static_cast<int>(Number());
        for (;;) {
            std::string w = Word();
            if (w == "CAPTION") {
                d.caption = String();
            } else if (w == "FONT") {
                d.fontSize = static_cast<int>(Number());
                Comma();
                d.fontName = String();
            } else if (w == "STYLE") {
                d.style = Styles();
            } else if (w == "BEGIN") {
                break;
            } else {
                Fail("unknown dialog option " + w);
            }
        }
        for (;;) {
            std::string w = Word();
            if (w == "END")
                break;
            CResDialogItem item;
            item.style = WS_CHILD | WS_VISIBLE;
            auto idRect = [&](const char* kind, DWORD style) {
                item.kind = kind;
                item.style |= style;
                item.id = static_cast<int>(Number());
                Comma();
                Rect(item);
            };
            auto textIdRect = [&](const char* kind, DWORD style) {
                item.text = String();
                Comma();
                idRect(kind, style);
            };
            if (w == "LTEXT" || w == "RTEXT" || w == "CTEXT")
                textIdRect("STATIC", 0);
            else if (w == "PUSHBUTTON")
                textIdRect("BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
            else if (w == "DEFPUSHBUTTON")
                textIdRect("BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP);
            else if (w == "CHECKBOX")
                textIdRect("BUTTON", BS_CHECKBOX | WS_TABSTOP);
            else if (w == "AUTOCHECKBOX")
                textIdRect("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
            else if (w == "RADIOBUTTON")
                textIdRect("BUTTON", BS_RADIOBUTTON);
            else if (w == "AUTORADIOBUTTON")
                textIdRect("BUTTON", BS_AUTORADIOBUTTON);
            else if (w == "GROUPBOX")
                textIdRect("BUTTON", BS_GROUPBOX);
            else if (w == "EDITTEXT")
                idRect("EDIT", WS_TABSTOP | ES_AUTOHSCROLL);
            else if (w == "COMBOBOX")
                idRect("COMBOBOX", WS_TABSTOP);
            else if (w == "LISTBOX")
                idRect("LISTBOX", WS_TABSTOP | LBS_NOTIFY);
            else if (w == "CONTROL") {
                item.text = String();
                Comma();
                item.id = static_cast<int>(Number());
                Comma();
                std::string cls = Word();
                item.kind = CString(cls);
                Comma();
                item.style |= Styles();
                Comma();
                Rect(item);
            } else
                Fail("unknown dialog control " + w);
            if (w == "RTEXT")
                item.style |= 0x0002; // SS_RIGHT
            else if (w == "CTEXT")
                item.style |= 0x0001; // SS_CENTER
            d.items.push_back(std::move(item));
        }
        m_res.m_dialogs[d.id] = std::move(d);
    }

    void Accelerators()
    {
        UINT id = static_cast<UINT>(Number());
        Expect("BEGIN");
        std::vector<CResAccel> list;
        for (;;) {
            std::string w = Word();
            if (w == "END" && !m_quoted)
                break;
            CResAccel a;
            if (m_quoted) {
                if (w.size() == 1) {
                    a.key = static_cast<unsigned char>(w[0]);
                } else if (w.size() == 2 && w[0] == '^') {
                    a.key = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(w[1])));
                    a.fVirt |= FCONTROL | FVIRTKEY;
                } else {
                    Fail("bad accelerator key");
                }
            } else {
                bool found = false;
                for (const auto& n : kVkNames)
                    if (w == n.name) {
                        a.key = n.vk;
                        found = true;
                    }
                if (!found) {
                    Push();
                    a.key = static_cast<UINT>(Number());
                }
            }
            Comma();
            a.cmd = static_cast<UINT>(Number());
            while (Comma()) {
                std::string opt = Word();
                if (opt == "VIRTKEY")
                    a.fVirt |= FVIRTKEY;
                else if (opt == "CONTROL")
                    a.fVirt |= FCONTROL;
                else if (opt == "SHIFT")
                    a.fVirt |= FSHIFT;
                else if (opt == "ALT")
                    a.fVirt |= FALT;
                else if (opt != "ASCII" && opt != "NOINVERT")
                    Fail("unknown accelerator option " + opt);
            }
            list.push_back(a);
        }
        m_res.m_accels[id] = std::move(list);
    }

    void Bitmap(std::map<UINT, std::string>& table)
    {
        UINT id = static_cast<UINT>(Number());
        CString file = String();
        std::string path = UiPathToFs(file);
        if (!path.empty() && path[0] != '/' && !m_res.m_baseFolder.empty())
            path = m_res.m_baseFolder + "/" + path;
        table[id] = path;
    }
};

CResources& CResources::Get()
{
    static CResources res;
    return res;
}

BOOL CResources::AddScript(const char* text, CString* error)
{
    // The program's own scripts come first so that a later script may replace an entry.
    LoadDefaultFolders();
    CResParser parser(*this, text ? text : "");
    return parser.Run(error);
}

void CResources::LoadDefaultFolders()
{
    if (m_loaded)
        return;
    m_loaded = true;
    namespace fs = std::filesystem;
    const fs::path folder = ShippedFolder();
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return;
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == ".rc")
            scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    m_baseFolder = folder.string();
    for (const fs::path& p : scripts) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        // Scripts are kept in UTF-8; the program sees Shift-JIS.
        CString text = UiUtf8ToCp932(ss.str());
        CResParser parser(*this, text);
        parser.Run(nullptr);
    }
}

const CResMenuItem* CResources::FindMenu(UINT id)
{
    LoadDefaultFolders();
    auto it = m_menus.find(id);
    return it == m_menus.end() ? nullptr : &it->second;
}

const CResDialog* CResources::FindDialog(UINT id)
{
    LoadDefaultFolders();
    auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

BOOL CResources::FindString(UINT id, CString& text)
{
    LoadDefaultFolders();
    auto it = m_strings.find(id);
    if (it == m_strings.end())
        return FALSE;
    text = it->second;
    return TRUE;
}

const std::vector<CResAccel>* CResources::FindAccelerators(UINT id)
{
    LoadDefaultFolders();
    auto it = m_accels.find(id);
    return it == m_accels.end() ? nullptr : &it->second;
}

std::string CResources::FindBitmap(UINT id)
{
    LoadDefaultFolders();
    auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? std::string() : it->second;
}

std::string CResources::FindIcon(UINT id)
{
    LoadDefaultFolders();
    auto it = m_icons.find(id);
    return it == m_icons.end() ? std::string() : it->second;
}

BOOL AfxLoadString(UINT nID, CString& rString)
{
    if (CResources::Get().FindString(nID, rString))
        return TRUE;
    rString.Empty();
    return FALSE;
}

CString AfxResourceString(UINT nID)
{
    CString s;
    AfxLoadString(nID, s);
    return s;
}
