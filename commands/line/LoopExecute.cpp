// The loop command's execute dispatch: which operation a complete token string runs, and the
// word it leaves on the message line when the operation made something.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"

namespace {

constexpr int kUndoCreated = 1;

void Say(const char* text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

} // namespace

int CLoopCommand::Execute()
{
    const CString& t = m_tokenString;
    if (t == "O") {
        Say("ループの抽出が終わりました");
        return 0;
    }
    int made = 0;
    if (t == "OAP") {
        made = MakeHatching(1, 2);
        // The hatching is the one operation whose undo step the dispatch closes.
        if (made && m_doc && m_doc->m_undoHistory)
            m_doc->m_undoHistory->Commit(kUndoCreated);
        if (made)
            Say("ハッチングを作成しました");
    } else if (t == "OD") {
        if (MakeOffset(1))
            Say("オフセット図形を作成しました");
    } else if (t == "OQ" || t == "OLQ") {
        if (ComputeSectionProperties(t == "OQ" ? -1 : 1))
            Say("重心にクロスを作成しました");
    } else if (t == "AV") {
        if (MakeArcCurve())
            Say("連続直線列を円弧近似曲線に変換しました");
        return 1;
    } else {
        return 0;
    }
    m_extractState = 0;
    DrawAllLoops(1);
    return 1;
}
