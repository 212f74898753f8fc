// Seeded mutation runs over the request server: passes of requests as a careless or hostile
// plug-in might write them — any code, ids, view numbers, positions and layer indices at the
// ends of their ranges, long lists of names and numbers, table entries taken away — served by
// the real application. Every pass must end with the codes and the flag cleared and only the
// status words the requests define.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Group.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/Wnd.h"
#include "tests/fuzz/FuzzKnobs.h"
#include "tests/support/AppTestSupport.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

// Codes near the families' edges, and a few that mean nothing.
const std::vector<short> kCodes = {1,   2,   3,   4,   5,   6,   19,  20,  21,  22,  31,  32,  33,  34,  49,  50,
                                   51,  52,  53,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  81,
                                   100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 120, 121, 122, 123, 124, 125,
                                   126, 127, 128, 129, 130, 442, 460, 480, 481, 502, 503, 555, -1, 32767,
                                   299, 300, 302, 308, 309, 310, 320, 322, 327, 328, 329, 340, 341, 350, 351,
                                   352, 355, 356, 357, 358, 359, 360, 370, 371, 459, 461, 462, 463, 464, 465,
                                   466, 467, 468, 479, 500, 501, 399, 400, 401, 402, 403, 404, 405, 406,
                                   407, 408, 409, 410, 411, 412, 413, 414, 415, 439, 440, 174, 175, 190,
                                   199, 200, 205, 259, 260, 549, 552, 553, 554, 555, 556, 557, 560, 562, 142,
                                   143, 144, 145, 146, 150, 151, 152, 169, 170, 171, 172, 173, 174};

template <class Int>
Int Edge(std::mt19937& random, std::vector<Int> known)
{
    known.push_back(0);
    known.push_back(-1);
    known.push_back(1);
    known.push_back(std::numeric_limits<Int>::max());
    known.push_back(std::numeric_limits<Int>::min());
    if (random() % 4 == 0)
        return static_cast<Int>(random());
    return known[random() % known.size()];
}

CString SomeName(std::mt19937& random, const std::vector<CString>& names)
{
    static const char* const kOthers[] = {"", "0000", "無い層", "\x83", "*", "RENAME", "ｱ", "a\\b"};
    if (!names.empty() && random() % 2)
        return names[random() % names.size()];
    return kOthers[random() % (sizeof kOthers / sizeof kOthers[0])];
}

}  // namespace

TEST(UserAppRequestFuzz, PassesOfArbitraryRequestsEndCleanly)
{
    namespace fs = std::filesystem;
    DefaultScriptedServices() = CScriptedServices();
    DefaultScriptedUiServices().Reset();
    fs::create_directories(FileSystemPath(ProgramFolder() + "ZelkApp"));
    std::ofstream(FileSystemPath(ProgramFolder() + "ZelkApp\\ZelkApp.txt"));
    auto* app = new CZelkApp;
    ASSERT_TRUE(app->InitInstance());
    AfxPumpMessages();
    ASSERT_NE(app->m_activeView, nullptr);
    app->NewDrawing();
    UserAppBlock& block = *app->m_userAppBlockHolder->m_block;
    CZelkDoc* doc = app->GetActiveDrawingDoc();
    // Elements of a few kinds, a plain and a dimension group to query and delete.
    const std::int16_t pen = doc->FindOrAddPen(0, 3, 0, 0, 70);
    for (int i = 0; i < 120; ++i) {
        CPointD a, b;
        a.Init(i, 0);
        b.Init(i, 10 + i % 3);
        doc->AddLine(a, b, 0, pen);
        doc->AddCircle(a, 1 + i, 0, pen);
    }
    for (std::int16_t kind : {0, 5}) {
        auto* group = new CGroup;
        group->m_kind = kind;
        doc->m_groups.Add(group);
    }
    const std::set<short> statuses = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 26};
    CAppPath& path = app->m_appPath;
    const std::vector<CString*> folderFields = {&path.m_initialDataFolder, &path.m_dataFolder,
                                                &path.m_initialMacroFolder, &path.m_macroFolder,
                                                &path.m_appFolder, &path.m_initialTextFolder,
                                                &path.m_textFolder, &path.m_symbolFolder};
    std::vector<CString> folders;
    for (CString* folder : folderFields)
        folders.push_back(*folder);

    std::mt19937 random(fuzz_knobs::Seed(46));
    const int rounds = fuzz_knobs::Rounds(400);
    for (int round = 0; round < rounds; ++round) {
        std::vector<short> ids = {static_cast<short>(doc->m_docNumber)};
        std::vector<short> views;
        for (CZelkView* v : doc->GetViews())
            views.push_back(v->m_viewNumber);
        CStringArray layerNames;
        doc->GetLayerNames(layerNames);
        std::vector<CString> names;
        for (int i = 0; i < layerNames.GetSize() && i < 8; ++i)
            names.push_back(layerNames[i]);
        const int slots = 1 + static_cast<int>(random() % UserAppBlock::kSlots);
        UserAppViewRecord* removedViews[UserAppBlock::kSlots] = {};
        UserAppDocRecord* removedDocs[UserAppBlock::kSlots] = {};
        for (int s = 0; s < slots; ++s) {
            block.m_codes[s] = kCodes[random() % kCodes.size()];
            block.m_shortArg0[s] = Edge<short>(random, ids);
            block.m_shortArg1[s] = Edge<short>(random, views);
            block.m_intArgs[s][0] = Edge<int>(random, {ids[0], 2, 5});
            block.m_intArgs[s][1] = Edge<int>(random, {views.empty() ? 0 : views[0], 99, 100});
            block.m_points1[s][0].Init(Edge<int>(random, {3}), Edge<int>(random, {4}));
            block.m_points1[s][1].Init(Edge<int>(random, {3}), 7);
            block.m_doubleArgs[s][0] = Edge<int>(random, {5, 30});
            block.m_doubleArgs[s][1] = Edge<int>(random, {2});
            // Records, names and points whose indices a plug-in may get wrong, or left empty.
            if (random() % 3 == 0) {
                const int n = static_cast<int>(random() % 3);
                auto index = [&] { return Edge<short>(random, {0, 1, 2, static_cast<short>(n)}); };
                for (int i = 0; i < n; ++i) {
                    block.m_recordLists[UserAppBlock::kLayerNameList][s].Add(random() % 4 ? new CString(SomeName(random, names)) : nullptr);
                    block.m_recordLists[UserAppBlock::kPenList][s].Add(new UserAppPenRecord(Edge<short>(random, {1}), Edge<short>(random, {5}), 0));
                    auto* group = new UserAppGroupRecord;
                    group->m_parent = index();
                    block.m_recordLists[UserAppBlock::kGroupList][s].Add(group);
                    auto* line = new UserAppLineRecord;
                    line->m_start.Init(i, index());
                    line->m_layer = index();
                    line->m_pen = index();
                    line->m_group = index();
                    const CPointD start = line->m_start;
                    if (random() % 5 == 0) {
                        delete line;
                        line = nullptr;
                    }
                    block.m_recordLists[UserAppBlock::kLineList][s].Add(line);
                    auto* text = new UserAppTextRecord;
                    text->m_text = random() % 2 ? "A:::2:::" : "\t";
                    text->m_alignment = Edge<int>(random, {38, 2});
                    text->m_font = index();
                    text->m_group = index();
                    block.m_recordLists[UserAppBlock::kTextList][s].Add(text);
                    block.m_pointLists[s].Add(random() % 5 ? new CPointD(start) : nullptr);
                }
            }
            // References as a plug-in may write them, out of range or missing.
            if (random() % 3 == 0) {
                UserAppElemRef* ref = nullptr;
                if (random() % 4) {
                    ref = new UserAppElemRef;
                    ref->Init(Edge<short>(random, {2, 4, 8, 16, 32, 256, 512, 2048, 4096}), Edge<short>(random, {2}),
                              Edge<short>(random, {9, 99}), 1, 0);
                }
                block.m_refLists[s].Add(ref);
            }
            block.m_stringArgs[s][0] = SomeName(random, names);
            if (random() % 3 == 0)
                block.m_textLists[s].Add(SomeName(random, names));
            if (random() % 3 == 0)
                block.m_numberLists[s].Add(static_cast<WORD>(Edge<int>(random, {2, 3, 65535})));
            // A table entry the plug-in took away: the request passes it over.
            if (random() % 8 == 0)
                std::swap(removedViews[s], block.m_viewTable[s]);
            if (random() % 8 == 0)
                std::swap(removedDocs[s], block.m_docTable[s]);
        }
        if (random() % 2 == 0 && slots < UserAppBlock::kSlots)
            block.m_codes[slots] = 0;
        block.m_requestFlag = 1;
        app->m_pMainFrame->ProcessUserAppRequests();
        for (int s = 0; s < UserAppBlock::kSlots; ++s) {
            ASSERT_EQ(block.m_codes[s], 0) << round;
            ASSERT_TRUE(statuses.count(block.m_status[s])) << round << " slot " << s << " " << block.m_status[s];
            if (removedViews[s])
                std::swap(removedViews[s], block.m_viewTable[s]);
            if (removedDocs[s])
                std::swap(removedDocs[s], block.m_docTable[s]);
            // The lists a plug-in empties between passes.
            if (random() % 4 == 0) {
                block.m_textLists[s].RemoveAll();
                block.ClearSlotRecords(s);
                block.ClearSlotElemRefs(s);
                block.ClearSlotPoints(s);
                block.m_numberLists[s].RemoveAll();
                block.m_docTable[s]->m_strings.RemoveAll();
                block.m_viewTable[s]->m_layerHidden.RemoveAll();
                block.m_colorTable[s]->m_standardColors.RemoveAll();
                block.m_colorTable[s]->m_userColors.RemoveAll();
            }
        }
        ASSERT_EQ(block.m_requestFlag, 0);
    }
    // The folders a request may have emptied name where the program writes at exit.
    for (size_t i = 0; i < folders.size(); ++i)
        *folderFields[i] = folders[i];
    StopApplication(app);
}
