// The sample plug-in QUIBRA, loaded from the program folder's ZelkApp folder through the loader
// the program uses and driven with the program's events over a block built by the program's
// code: its one export, its dialogue and the bolt figure it hands over.
#include "platform/ui/DynamicLibrary.h"
#include "platform/ui/WinApp.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

#include <gtest/gtest.h>

#include <elf.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

using DllCallFn = void (*)(UserAppBlockHolder*, int);

const char* const kStartHint = "六角ボルトの呼び径、長さ、有効長を順に入力してください。終了ESC。JIS推奨寸法に丸めます。";
const char* const kStartPrompt = "[六角ボルトの配置] 呼び径 or 終了ESC";

// The dynamic section of a shared library: the symbols it defines for others and the
// libraries it needs.
struct DynamicView {
    std::set<std::string> exported;
    std::set<std::string> needed;
};

DynamicView ReadDynamic(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DynamicView view;
    if (bytes.size() < sizeof(Elf64_Ehdr))
        return view;
    const char* base = bytes.data();
    Elf64_Ehdr eh;
    std::memcpy(&eh, base, sizeof eh);
    std::vector<Elf64_Shdr> sections(eh.e_shnum);
    for (size_t i = 0; i < sections.size(); ++i)
        std::memcpy(&sections[i], base + eh.e_shoff + i * sizeof(Elf64_Shdr), sizeof(Elf64_Shdr));
    for (const Elf64_Shdr& sh : sections) {
        const char* strings = base + sections[sh.sh_link].sh_offset;
        if (sh.sh_type == SHT_DYNSYM) {
            for (size_t off = sizeof(Elf64_Sym); off < sh.sh_size; off += sizeof(Elf64_Sym)) {
                Elf64_Sym sym;
                std::memcpy(&sym, base + sh.sh_offset + off, sizeof sym);
                const int bind = ELF64_ST_BIND(sym.st_info);
                if (sym.st_shndx != SHN_UNDEF && (bind == STB_GLOBAL || bind == STB_WEAK))
                    view.exported.insert(strings + sym.st_name);
            }
        } else if (sh.sh_type == SHT_DYNAMIC) {
            for (size_t off = 0; off + sizeof(Elf64_Dyn) <= sh.sh_size; off += sizeof(Elf64_Dyn)) {
                Elf64_Dyn dyn;
                std::memcpy(&dyn, base + sh.sh_offset + off, sizeof dyn);
                if (dyn.d_tag == DT_NEEDED)
                    view.needed.insert(strings + dyn.d_un.d_val);
            }
        }
    }
    return view;
}

class Quibra : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The program's application object exists before any plug-in is loaded.
        s_host = new CWinApp("Zelk");
        const std::string folder = std::filesystem::path(ZELK_QUIBRA).parent_path().string();
        s_module = LoadLibraryA((folder + "/QUIBRA.DLL").c_str());
        s_hostAfterLoad = AfxGetApp();
        if (s_module)
            s_dllCall = reinterpret_cast<DllCallFn>(GetProcAddress(s_module, "DllCall"));
    }
    // The program never unloads a plug-in; the host object goes.
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(s_module, nullptr) << LastLibraryError();
        ASSERT_NE(s_dllCall, nullptr);
        m_holder.CreateBlock();
        // The start: texts, the settings request, and the program's answer with the defaults.
        Call(0);
        Serve();
        Call(100);
    }
    void TearDown() override { m_holder.DestroyBlock(); }

    UserAppBlock& B() { return *m_holder.m_block; }
    void Call(int event) { s_dllCall(&m_holder, event); }
    // The program's pass over the requests: every slot emptied, the flag lowered.
    void Serve()
    {
        for (int s = 0; s < UserAppBlock::kSlots; ++s) {
            B().m_codes[s] = 0;
            B().m_stringArgs[s][0].Empty();
        }
        B().m_requestFlag = 0;
    }
    // A typed number as the program delivers it, then the program's pass.
    void Number(double v, int event = 11)
    {
        (event == 11 ? B().m_numberValue : B().m_lengthValue) = v;
        Call(event);
    }
    void Bolt(double d, double l, double t)
    {
        for (double v : {d, l, t}) {
            Serve();
            Number(v);
        }
    }
    std::string Text(int slot) { return B().m_stringArgs[slot][0].GetString(); }
    CPtrArray& List(int l) { return B().m_recordLists[l][0]; }
    template <class R>
    R& At(int l, int i) { return *static_cast<R*>(List(l)[i]); }
    UserAppLineRecord& Line(int i) { return At<UserAppLineRecord>(UserAppBlock::kLineList, i); }
    UserAppArcRecord& Arc(int i) { return At<UserAppArcRecord>(UserAppBlock::kArcList, i); }

    UserAppBlockHolder m_holder;
    static inline CWinApp* s_host = nullptr;
    static inline CWinApp* s_hostAfterLoad = nullptr;
    static inline HMODULE s_module = nullptr;
    static inline DllCallFn s_dllCall = nullptr;
};

}  // namespace

TEST_F(Quibra, ExportsItsEntryAloneAndLeavesTheProgramsApplicationObject)
{
    EXPECT_EQ(s_hostAfterLoad, s_host);
    const DynamicView view = ReadDynamic(ZELK_QUIBRA);
    EXPECT_EQ(view.exported, std::set<std::string>{"DllCall"});
    // Linked with --no-undefined, so every symbol it uses comes from these.
    for (const std::string& lib : view.needed) {
        const bool allowed = lib == "libplatform.so" || lib.rfind("libstdc++.so", 0) == 0
                             || lib.rfind("libm.so", 0) == 0 || lib.rfind("libgcc_s.so", 0) == 0
                             || lib.rfind("libc.so", 0) == 0 || lib.rfind("libasan.so", 0) == 0
                             || lib.rfind("libubsan.so", 0) == 0;
        EXPECT_TRUE(allowed) << lib;
    }
    EXPECT_EQ(view.needed.count("libplatform.so"), 1u);
}

TEST_F(Quibra, StartAsksForTheDiameterAndTheCreationSettings)
{
    Serve();
    Call(0);
    EXPECT_EQ(Text(0), kStartHint);
    EXPECT_EQ(B().m_codes[0], 2);
    EXPECT_EQ(Text(1), kStartPrompt);
    EXPECT_EQ(B().m_codes[1], 1);
    EXPECT_EQ(B().m_codes[2], 104);
    EXPECT_EQ(B().m_codes[3], 0);
    EXPECT_EQ(B().m_step, 1);
    EXPECT_EQ(B().m_requestFlag, 1);

    // The program's answer to 104 brings the thick-line width, read at the next event 100.
    Serve();
    B().m_elemTable[2]->m_thickWidth = 7;
    Call(100);
    EXPECT_EQ(B().m_requestFlag, 0);
    EXPECT_EQ(B().m_codes[0], 0);
    Bolt(10, 40, 25);
    ASSERT_EQ(List(UserAppBlock::kPenList).GetSize(), 2);
    EXPECT_EQ(At<UserAppPenRecord>(UserAppBlock::kPenList, 0).m_width, 7);
}

TEST_F(Quibra, DialogueTakesDiameterLengthAndThreadInTurn)
{
    Serve();
    Number(12);
    EXPECT_EQ(Text(0), "六角ボルトの長さを入力してください。");
    EXPECT_EQ(B().m_codes[0], 2);
    EXPECT_EQ(Text(1), "[六角ボルトの配置] 呼び径=12 長さ or 終了ESC");
    EXPECT_EQ(B().m_codes[1], 1);
    EXPECT_EQ(B().m_step, 2);
    EXPECT_EQ(B().m_requestFlag, 1);

    // Event 100 between the steps changes nothing.
    Serve();
    Call(100);
    EXPECT_EQ(B().m_requestFlag, 0);
    EXPECT_EQ(B().m_step, 2);

    Serve();
    Number(45);
    EXPECT_EQ(Text(0), "六角ボルトのねじ部の長さを入力してください。");
    EXPECT_EQ(Text(1), "[六角ボルトの配置] 呼び径=12 長さ=45 ねじ部の長さ or 終了ESC");
    EXPECT_EQ(B().m_step, 3);
    Serve();
    Call(100);
    EXPECT_EQ(B().m_requestFlag, 0);
    EXPECT_EQ(B().m_step, 3);
}

TEST_F(Quibra, NumbersBeyondTheSizesAreRefusedAtTheirStep)
{
    struct Case {
        std::vector<double> before;   // accepted numbers that lead to the step
        double value;
        int step;                     // step after the number
        short code;                   // slot 0's request
        const char* text;
    } cases[] = {
        {{}, 80.1, 1, 2, "呼び径は 80 以下を入力してください。"},
        {{}, 80.09, 2, 2, "六角ボルトの長さを入力してください。"},
        {{10}, 400.1, 2, 4, "長さは 400 以下を入力してください。"},
        {{10}, 400, 3, 2, "六角ボルトのねじ部の長さを入力してください。"},
        {{10, 40}, 400.1, 3, 4, "ねじ部の長さは 400 以下を入力してください。"},
        {{10, 400}, 400, 4, 441, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Serve();
        Call(0);
        for (double v : c.before) {
            Serve();
            Number(v);
        }
        Serve();
        Number(c.value);
        EXPECT_EQ(B().m_step, c.step);
        EXPECT_EQ(B().m_codes[0], c.code);
        EXPECT_EQ(Text(0), c.text);
        EXPECT_EQ(B().m_requestFlag, 1);
        if (c.code != 2 || c.step == 1) {
            EXPECT_EQ(B().m_codes[1], 0);
        }
    }
}

TEST_F(Quibra, ALengthInputCountsAsANumberAndOtherEventsAreIgnored)
{
    Serve();
    Number(16, 15);
    EXPECT_EQ(B().m_step, 2);
    EXPECT_EQ(Text(1), "[六角ボルトの配置] 呼び径=16 長さ or 終了ESC");
    Serve();
    Number(12.5, 15);
    EXPECT_EQ(Text(1), "[六角ボルトの配置] 呼び径=16 長さ=12.5 ねじ部の長さ or 終了ESC");

    for (int event : {4, 26, 1, 99}) {
        Serve();
        B().m_requestFlag = 5;
        Call(event);
        EXPECT_EQ(B().m_requestFlag, 5) << event;
        EXPECT_EQ(B().m_step, 3) << event;
        for (int s = 0; s < UserAppBlock::kSlots; ++s)
            EXPECT_EQ(B().m_codes[s], 0) << event;
    }
}

TEST_F(Quibra, FailedRequestsAndPlacedBoltsStartAgain)
{
    Serve();
    Number(12);
    Serve();
    Call(101);
    EXPECT_EQ(Text(0), "タスクエラーです。呼び径を入力してください。終了ESC。");
    EXPECT_EQ(B().m_codes[0], 4);
    EXPECT_EQ(Text(1), kStartPrompt);
    EXPECT_EQ(B().m_codes[1], 1);
    EXPECT_EQ(B().m_step, 1);
    EXPECT_EQ(B().m_requestFlag, 1);

    Bolt(10, 40, 25);
    EXPECT_EQ(B().m_step, 4);
    // A number while the bolt is being placed writes nothing.
    Serve();
    Number(8);
    EXPECT_EQ(B().m_requestFlag, 0);
    Serve();
    Call(100);
    EXPECT_EQ(Text(0), kStartHint);
    EXPECT_EQ(B().m_codes[0], 2);
    EXPECT_EQ(Text(1), kStartPrompt);
    EXPECT_EQ(B().m_step, 1);
    EXPECT_EQ(B().m_requestFlag, 1);
}

// A number that is no number passes the limits but has no size: the figure fails.
TEST_F(Quibra, AFigureWithoutSizesSendsTheDialogueBack)
{
    Bolt(10, 40, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(Text(0), kStartHint);
    EXPECT_EQ(B().m_codes[0], 2);
    EXPECT_EQ(Text(1), kStartPrompt);
    EXPECT_EQ(B().m_codes[1], 1);
    EXPECT_EQ(Text(2), "呼び径､長さ､ねじ部の長さがこのアプリケーションの対応外の寸法です。終了ESC。");
    EXPECT_EQ(B().m_codes[2], 4);
    EXPECT_EQ(B().m_step, 1);
    // The head was added before the shank failed.
    EXPECT_EQ(List(UserAppBlock::kLineList).GetSize(), 6);
}

TEST_F(Quibra, BoltFigureOfDiameterTenLengthFortyThreadTwentyFive)
{
    Bolt(10, 40, 25);
    EXPECT_EQ(B().m_codes[0], 441);
    EXPECT_EQ(B().m_points1[0][0].m_x, 0.0);
    EXPECT_EQ(B().m_points1[0][0].m_y, 0.0);
    EXPECT_EQ(B().m_step, 4);
    EXPECT_EQ(B().m_requestFlag, 1);

    ASSERT_EQ(List(UserAppBlock::kPenList).GetSize(), 2);
    const auto& thick = At<UserAppPenRecord>(UserAppBlock::kPenList, 0);
    const auto& thin = At<UserAppPenRecord>(UserAppBlock::kPenList, 1);
    EXPECT_EQ(thick.m_lineType, 0);
    EXPECT_EQ(thick.m_width, 5);
    EXPECT_EQ(thick.m_color, 0u);
    EXPECT_EQ(thick.m_blurRate, 70);
    EXPECT_EQ(thin.m_width, 1);
    ASSERT_EQ(List(UserAppBlock::kGroupList).GetSize(), 1);
    const auto& group = At<UserAppGroupRecord>(UserAppBlock::kGroupList, 0);
    EXPECT_EQ(group.m_kind, 0);
    EXPECT_EQ(group.m_parent, -1);
    EXPECT_TRUE(group.m_members.empty());
    ASSERT_EQ(List(UserAppBlock::kLineList).GetSize(), 15);
    ASSERT_EQ(List(UserAppBlock::kArcList).GetSize(), 3);
    for (int l : {UserAppBlock::kFontList, UserAppBlock::kLayerNameList, UserAppBlock::kStringList,
                  UserAppBlock::kPointList, UserAppBlock::kCircleList, UserAppBlock::kConicList,
                  UserAppBlock::kCurveList, UserAppBlock::kTextList})
        EXPECT_EQ(List(l).GetSize(), 0) << l;
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(Line(i).m_layer, -1);
        EXPECT_EQ(Line(i).m_group, 0);
        EXPECT_EQ(Line(i).m_pen, i < 11 ? 0 : 1) << i;
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Arc(i).m_layer, -1);
        EXPECT_EQ(Arc(i).m_group, 0);
        EXPECT_EQ(Arc(i).m_pen, 0);
    }

    // Head: q = 4.9, the face edges end at c = 5.7172.
    EXPECT_DOUBLE_EQ(Line(0).m_start.m_x, -9.8);
    EXPECT_DOUBLE_EQ(Line(0).m_end.m_x, 9.8);
    EXPECT_NEAR(Line(3).m_end.m_y, 5.7172, 1e-4);
    EXPECT_DOUBLE_EQ(Line(5).m_start.m_y, 7.0);
    EXPECT_DOUBLE_EQ(Line(5).m_end.m_x, 7.35);

    struct ArcCase {
        double x, y, radius, start, end;
    } arcs[] = {
        {0, -3, 10, 60.659, 119.341},
        {7.35, 4.01896, 2.98104, 34.729, 145.271},
        {-7.35, 4.01896, 2.98104, 34.729, 145.271},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(Arc(i).m_centre.m_x, arcs[i].x, 1e-5);
        EXPECT_NEAR(Arc(i).m_centre.m_y, arcs[i].y, 1e-5);
        EXPECT_NEAR(Arc(i).m_radius, arcs[i].radius, 1e-5);
        EXPECT_NEAR(Arc(i).m_startAngle, arcs[i].start, 1e-3);
        EXPECT_NEAR(Arc(i).m_endAngle, arcs[i].end, 1e-3);
    }

    // Shank: outline, thread end at y = -15, roots at x = +-4.15, run-outs to y = -13.5295.
    EXPECT_DOUBLE_EQ(Line(7).m_start.m_y, -40.0);
    EXPECT_DOUBLE_EQ(Line(10).m_start.m_y, -15.0);
    for (int i : {11, 12}) {
        EXPECT_NEAR(std::fabs(Line(i).m_start.m_x), 4.15, 1e-12);
        EXPECT_DOUBLE_EQ(Line(i).m_start.m_y, -40.0);
        EXPECT_DOUBLE_EQ(Line(i).m_end.m_y, -15.0);
    }
    EXPECT_NEAR(Line(13).m_start.m_y, -13.5295, 1e-9);
    EXPECT_DOUBLE_EQ(Line(13).m_start.m_x, -5.0);
    EXPECT_NEAR(Line(14).m_end.m_y, -13.5295, 1e-9);
    EXPECT_DOUBLE_EQ(Line(14).m_end.m_x, 5.0);
}

TEST_F(Quibra, TypedValuesAreRoundedToStandardSizes)
{
    struct Case {
        double d, l, t;
        double faceHalfWidth;   // 2q = e / 2 of the diameter's row
        int lines;
        double tip;             // y of the tip line
        double threadEnd;       // y of the thread's end line
    } cases[] = {
        {7, 40, 25, 7.5, 15, -40, -15},          // row of 8
        {8.05, 40, 25, 7.5, 15, -40, -15},
        {8.1, 40, 25, 9.8, 15, -40, -15},        // row of 10
        {80.09, 40, 25, 66.5, 15, -40, -15},     // row of 80
        {10, 93, 25, 9.8, 15, -100, -75},        // 95 is no size
        {10, 0.5, 0.5, 9.8, 15, -5, -5 + 5 - 1.7},
        {10, 0, 25, 9.8, 6, 0, 0},               // the head alone
        {10, 20, 30, 9.8, 15, -20, -1.7},        // thread cut to 20 - 2p = 18.3
        {-3, -1, -1, 3.2, 15, -5, -5 + 5 - 0.51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.d << " " << c.l << " " << c.t);
        Serve();
        Call(0);
        Bolt(c.d, c.l, c.t);
        ASSERT_EQ(B().m_codes[0], 441);
        ASSERT_EQ(List(UserAppBlock::kLineList).GetSize(), c.lines);
        EXPECT_EQ(List(UserAppBlock::kArcList).GetSize(), 3);
        EXPECT_EQ(List(UserAppBlock::kPenList).GetSize(), 2);
        EXPECT_EQ(List(UserAppBlock::kGroupList).GetSize(), 1);
        EXPECT_NEAR(Line(0).m_end.m_x, c.faceHalfWidth, 1e-12);
        if (c.lines == 15) {
            EXPECT_NEAR(Line(7).m_start.m_y, c.tip, 1e-12);
            EXPECT_NEAR(Line(10).m_start.m_y, c.threadEnd, 1e-12);
        }
    }
}
