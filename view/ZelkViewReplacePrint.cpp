// Replace printing: the texts of the drawing that equal a mark string are fields; each record of
// a data file fills them, and the drawing prints once per sheet of records. Every sheet is one
// undo step, so UNDO brings the drawing back sheet by sheet.
#include <algorithm>
#include <vector>

#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Texts.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "platform/core/File.h"
#include "platform/core/Services.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

constexpr int kMaxOccurrences = 30;
// A data file is read whole: one far beyond any run of labels is refused before it fills memory.
constexpr LONG kMaxDataFileBytes = 64L * 1024 * 1024;

struct TextRef {
    int block = -1;
    int slot = -1;
};

int Box(const CString& text, UINT type = MB_OK)
{
    return Services().MessageBox(text, "", type);
}

CString Number(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

}  // namespace

CString ReplaceFieldValue(const CString& field)
{
    if (field == "#")
        return CString();
    if (field.GetLength() > 1 && field[0] == '#')
        return field.Mid(1);
    return field;
}

void CZelkView::OnPrintReplaceView()
{
    RunReplacePrintingCommand("Help\\HID_PRINT_REPLACE_VIEW.htm", 1);
}

void CZelkView::OnPrintReplaceRatio()
{
    RunReplacePrintingCommand("Help\\HID_PRINT_REPLACE_RATIO.htm", 3);
}

void CZelkView::OnPrintReplaceReal()
{
    RunReplacePrintingCommand("Help\\HID_PRINT_REPLACE_REAL.htm", 2);
}

void CZelkView::OnPrintReplaceTry()
{
    RunReplacePrintingCommand("Help\\HID_PRINT_REPLACE_TRY.htm", 0);
}

void CZelkView::RunReplacePrintingCommand(const char* helpPage, int mode)
{
    if (g_pApp && g_pApp->m_contextHelpMode == 11) {
        g_pApp->ShowHelpPage(helpPage);
        g_pApp->m_contextHelpMode = 0;
        return;
    }
    if (g_pApp)
        g_pApp->m_printAllRunning = 0;
    RunReplacePrinting(mode);
}

void CZelkView::RunReplacePrinting(int mode)
{
    if (!m_document || !g_pApp)
        return;
    CZelkDoc* doc = m_document;
    CString path;
    CString title;
    int fileType = 16;
    if (!ChooseFileName(path, title, 48, fileType, 1, 2))
        return;
    const bool csv = fileType == 32;
    doc->UpdateAllViews(nullptr);
    UpdateWindow();
    CWaitCursorScope wait;

    CStringArray lines;
    CFileStatus status;
    const bool huge = CFile::GetStatus(path, status) && (status.m_size < 0 || status.m_size > kMaxDataFileBytes);
    if (huge || !ReadTextFileLines(lines, path)) {
        Box(path + " はオープンできませんでした");
        return;
    }
    if (lines.GetSize() == 0) {
        Box(path + " からマーク文字列とデータ文字列が得られませんでした");
        return;
    }
    // A drawing file holds no fields to split.
    if (fileType == 2 || fileType == 4) {
        Box(lines[0] + " からマーク文字列が分割できませんでした");
        return;
    }
    const char separator = csv ? ',' : '\t';
    CStringArray marks;
    SplitString(lines[0], separator, marks);

    g_pApp->m_printMode = static_cast<BYTE>(mode);
    if (!FindPrintLayer()) {
        Box("印刷範囲を決める Work_Print_･･ 名のレイヤに点線矩形を作成してください");
        return;
    }
    Box(mode == 2 ? "実寸置換印刷では、ページ設定を 1,1 部数を 1 とするのが標準です"
                  : "置換印刷では、部数を 1 ととするのが標準です");
    doc->PaintAllViews();
    bool trialPrinted = false;
    if (mode >= 1) {
        const int answer = Box("試しの印刷をしますか？", MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES) {
            m_printStarted = 0;
            SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
            trialPrinted = true;
            if (Box("置換印刷を実行しても良いですか？", MB_YESNO) == IDNO)
                return;
        }
    }

    // The occurrences of each mark in the order of the blocks and slots, and the text standing
    // for each now.
    const int c = static_cast<int>(marks.GetSize());
    std::vector<std::vector<TextRef>> occurrences(static_cast<std::size_t>(c));
    for (int b = 0; b < doc->m_textBlocks.GetSize(); ++b) {
        CTexts* block = doc->TextBlockAt(b);
        for (int s = 0; s < block->m_count; ++s) {
            const CText& t = block->m_slots[s];
            if ((t.m_state & 3) == 0 || (t.m_mark & 6) != 0)
                continue;
            if (!m_showAllLayers && t.m_layer >= 0 && t.m_layer < m_layerStates.GetSize() &&
                m_layerStates[t.m_layer] == 1)
                continue;
            for (int i = 0; i < c; ++i)
                if (t.m_text == marks[i] && occurrences[i].size() < kMaxOccurrences)
                    occurrences[i].push_back(TextRef{b, s});
        }
    }
    std::vector<std::vector<TextRef>> current = occurrences;
    int m = 0;
    for (const auto& o : occurrences)
        m = std::max(m, static_cast<int>(o.size()));
    if (m == 0) {
        if (csv && lines[0].Find(',') < 0) {
            Box("csvファイルに[,]区切りが見つかりません");
        } else if (!csv && lines[0].Find('\t') < 0) {
            Box("txtファイルに[TAB]区切りが見つかりません");
        } else {
            const int at = lines[0].Find(separator);
            Box("Zelkデータの中に ［" + (at < 0 ? lines[0] : lines[0].Left(at)) + "］ などのマーク文字列が一つも見あたりません。");
        }
        return;
    }

    const int count = std::clamp<int>(g_pApp->m_printOption2, 1, 100);
    const int lastLine = static_cast<int>(lines.GetSize()) - 1;
    int j = 1;
    int s = 0;
    int n = 1;
    bool sheetHasValue = false;
    for (;;) {
        const bool past = j > lastLine;
        // The data end; a sheet begun is completed with empty values first.
        if (past && s == 0)
            break;
        CStringArray fields;
        if (!past) {
            const CString& line = lines[j];
            if (line.IsEmpty() || (line.GetLength() >= 2 && line.Left(2) == "//")) {
                ++j;
                continue;
            }
            SplitString(line, separator, fields);
        }
        for (int i = 0; i < c; ++i) {
            const CString value = i < fields.GetSize() ? ReplaceFieldValue(fields[i]) : CString();
            if (s >= static_cast<int>(occurrences[i].size()))
                continue;
            if (!value.IsEmpty())
                sheetHasValue = true;
            TextRef& now = current[i][s];
            if (now.block >= 0) {
                CText& old = doc->TextBlockAt(now.block)->m_slots[now.slot];
                doc->m_undoHistory->RecordChange(2, ELEM_TEXT, now.block, now.slot, old.m_state);
                old.m_state = STATE_DELETED | STATE_REDRAW;
                now = TextRef{};
            }
            if (value.IsEmpty())
                continue;
            const TextRef at = occurrences[i][s];
            const CTexts* markBlock = doc->TextBlockAt(at.block);
            const CText mark = markBlock->m_slots[at.slot];
            std::int16_t block = -1;
            std::int16_t slot = -1;
            if (!doc->AddTextWithFont(value, mark.m_point, mark.m_layer, markBlock->m_pen, mark.m_alignment,
                                      mark.m_color, block, slot))
                continue;
            doc->m_undoHistory->RecordChange(1, ELEM_TEXT, block, slot, 8);
            CText& added = doc->TextBlockAt(block)->m_slots[slot];
            added.m_state = static_cast<std::uint8_t>(added.m_state & ~STATE_REDRAW);
            now = TextRef{block, slot};
        }
        doc->RedrawChangedElements(1);
        if (s < m - 1) {
            ++s;
            if (!past)
                ++j;
            continue;
        }
        s = 0;
        doc->m_undoHistory->Commit(3);
        const bool counted = sheetHasValue;
        sheetHasValue = false;
        if (counted)
            g_pApp->ShowMessage("現在出力しているのは " + Number(n) + " 回目の置換データです", 0);
        if (mode >= 1) {
            if (counted) {
                m_printStarted = 0;
                SendMessage(WM_COMMAND, n == 1 && !trialPrinted ? ID_FILE_PRINT : ID_FILE_PRINT_DIRECT, 0);
                ++n;
            }
        } else {
            Sleep(1000);
            if (counted)
                ++n;
        }
        if (counted && (n - 1) % count == 0) {
            const CString question = mode >= 1
                                         ? "次の印刷の回数は " + Number(n) + " ですが、印刷の出力を継続しますか？"
                                         : "次の置換の回数は " + Number(n) + " ですが、試し置換を継続しますか？";
            if (Box(question, MB_OKCANCEL) == IDCANCEL)
                return;
        }
        if (!past)
            ++j;
    }
    g_pApp->ShowMessage(mode >= 1 ? Number(n - 1) + " 回の置換印刷が完了しました"
                                  : Number(n - 1) + " 回の試し置換が完了しましたので、UNDOで初期画面に戻ってください",
                        0);
}
