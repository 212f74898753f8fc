// The history list's own bookkeeping: entries newest first with their codes kept in step, an
// equal entry moving to the top, the input-list maximum, and what emptying the list resets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "input/HistoryList.h"

namespace {

std::vector<std::string> Entries(const CHistoryList& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.m_texts.GetSize(); ++i)
        out.push_back(list.m_texts[i].Std() + "/" + std::to_string(list.m_codes[i]));
    return out;
}

}  // namespace

TEST(HistoryList, AddRecentWithCodeKeepsCodesInStepAndCutsToTheMaximum)
{
    CZelkApp app;
    g_pApp = &app;
    app.m_historyLength = 3;
    CHistoryList list;
    list.AddRecentWithCode("a", 1);
    list.AddRecentWithCode("b", 2);
    list.AddRecentWithCode("", 9);   // ignored, and the current text stays
    EXPECT_EQ(list.m_currentText.Std(), "b");
    list.AddRecentWithCode("a", 3);  // the earlier "a" and its code give way
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"a/3", "b/2"}));
    list.AddRecentWithCode("c", 4);
    list.AddRecentWithCode("d", 5);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"d/5", "c/4", "a/3"}));
    EXPECT_EQ(list.m_currentText.Std(), "d");

    list.m_value = 2.5;
    list.m_prevPoint.Init(4, 5);
    list.Clear();
    EXPECT_TRUE(Entries(list).empty());
    EXPECT_EQ(list.m_codes.GetSize(), 0);
    EXPECT_EQ(list.m_value, 1.0);
    EXPECT_TRUE(list.m_currentText.IsEmpty());
    // The previous reference outlives the listing that is replaced.
    EXPECT_EQ(list.m_prevPoint.m_x, 4);
    EXPECT_EQ(list.m_prevElem.m_block, -1);
    g_pApp = nullptr;
}
