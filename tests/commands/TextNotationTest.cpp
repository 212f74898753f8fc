// The text notation: how texts split at their subscript and furigana markers, what the parts
// count for in the box width, and the width factor of fixed-direction text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppText.h"
#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "platform/core/Services.h"
#include "tests/support/CommandTape.h"

namespace {

struct Piece {
    std::string text;
    int kind;
    bool operator==(const Piece&) const = default;
};

void PrintTo(const Piece& p, std::ostream* os)
{
    *os << '"' << p.text << "\"/" << p.kind;
}

class TextNotation : public testing::Test {
protected:
    // The pieces of a text and the message the split left (empty when none), with the count of
    // beeps; the kinds must pair one to one with the pieces.
    std::vector<Piece> Split(const char* text, int futureTense, int showMessages)
    {
        m_tape.App().m_lastMessage.Empty();
        CScriptedServices& services = DefaultScriptedServices();
        const size_t beeps = services.m_beeps.size();
        CStringArray pieces;
        CWordArray kinds;
        CTextCommand::SplitNotation(text, &pieces, &kinds, futureTense, showMessages);
        m_message = m_tape.App().m_lastMessage.GetString();
        m_beeps = static_cast<int>(services.m_beeps.size() - beeps);
        EXPECT_EQ(pieces.GetSize(), kinds.GetSize()) << text;
        std::vector<Piece> out;
        for (int i = 0; i < pieces.GetSize() && i < kinds.GetSize(); ++i)
            out.push_back({ pieces[i].GetString(), kinds[i] });
        return out;
    }

    CCommandTape m_tape;
    std::string m_message;
    int m_beeps = 0;
};

TEST_F(TextNotation, TextsSplitIntoTheirPiecesAndMeasureTheirVisibleWidth)
{
    ASSERT_EQ(m_tape.App().m_appText.m_subscriptMarker, ":::");
    ASSERT_EQ(m_tape.App().m_appText.m_rubyMarker, "^^^");
    ASSERT_EQ(m_tape.App().m_appText.m_layoutRatio2, 0.5);
    struct Case {
        const char* text;
        bool markers;
        std::vector<Piece> pieces;
        double ratio;
        const char* message;   // in the future tense, as the ratio asks
    };
    const Case cases[] = {
        // A tolerance: the stacked pair takes the longer of its texts at half width.
        { "100:::+0.1:::-0.1:::", true, { { "100", 0 }, { "+0.1", 1 }, { "-0.1", 2 } }, (4 * 0.5 + 3) / 20, "" },
        { "x:::+1:::-0.25:::y", true, { { "x", 0 }, { "+1", 1 }, { "-0.25", 2 }, { "y", 0 } }, (5 * 0.5 + 2) / 18, "" },
        // One marker only: the lower text is added empty, and the person is told how sets go.
        { "100:::+0.1", true, { { "100", 0 }, { "+0.1", 1 }, { "", 2 } }, (4 * 0.5 + 3) / 10,
          "添え字の指示文字(:::)は３組で使用した場合(100:::+0.1:::-0.1:::)に機能します" },
        // A time keeps its colon: one colon only begins a marker.
        { "12:30", false, { { "12:30", 0 } }, 1.0, "" },
        // A reading counts nothing; its base counts in full (bytes: a full-width character is two).
        { "^^^漢字^^^かんじ^^^", true, { { "", 0 }, { "漢字", 4 }, { "かんじ", 8 } }, 4.0 / 19, "" },
        // A subscript marker inside a furigana set is text, and what follows it stays.
        { "^^^漢:::字^^^かな^^^", true, { { "", 0 }, { "漢:::字", 4 }, { "かな", 8 } }, 7.0 / 20,
          "振り仮名に付けられた添え字は無視します" },
        { "1:::^^^:::2:::", true, { { "1", 0 }, { "^^^", 1 }, { "2", 2 } }, (3 * 0.5 + 1) / 14,
          "添え字に付けられた振り仮名は無視します" },
        // An unclosed furigana set: its base is plain text.
        { "a^^^漢字", true, { { "a", 0 }, { "漢字", 0 } }, 5.0 / 8,
          "振り仮名の指示文字(^^^)は３組で使用した場合(･･･^^^漢字^^^ｶﾝｼﾞ^^^･･･)に機能します" },
        // A katakana whose trail byte is '^' followed by two more holds no marker.
        { "タ^^", false, { { "タ^^", 0 } }, 1.0, "" },
        { "", false, {}, 1.0, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CTextCommand::HasNotationMarkers(c.text), c.markers);
        EXPECT_EQ(Split(c.text, 1, 0), c.pieces);
        EXPECT_EQ(m_message, "");
        EXPECT_EQ(Split(c.text, 1, 1), c.pieces);
        EXPECT_EQ(m_message, c.message);
        EXPECT_EQ(m_beeps, *c.message ? 1 : 0);
        EXPECT_DOUBLE_EQ(CTextCommand::GetNotationWidthRatio(c.text, 0), c.ratio);
    }
    // The trap above in bytes: the katakana's trail byte is the marker's byte.
    EXPECT_EQ(std::string("タ^^"), std::string("\x83\x5E\x5E\x5E"));
}

TEST_F(TextNotation, MessagesOfAPlacedTextAreInThePastTense)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "^^^漢:::字^^^かな^^^", "振り仮名に付けられた添え字は無視しました" },
        { "1:::^^^:::2:::", "添え字に付けられた振り仮名は無視しました" },
        { "100:::+0.1", "添え字の指示文字の数は一組３個として扱いました" },
        { "^^^漢字", "振り仮名の指示文字の数は一組３個として扱いました" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Split(c.text, 0, 1);
        EXPECT_EQ(m_message, c.message);
        EXPECT_EQ(m_beeps, 1);
    }
}

TEST_F(TextNotation, MarkersAreTheSettingsOfTheDay)
{
    CAppText& t = m_tape.App().m_appText;
    t.m_subscriptMarker = "@";
    t.m_rubyMarker = "";
    t.m_layoutRatio2 = 0.25;
    EXPECT_FALSE(CTextCommand::HasNotationMarkers("100:::+0.1:::-0.1:::"));
    EXPECT_FALSE(CTextCommand::HasNotationMarkers("^^^漢字^^^かんじ^^^"));
    EXPECT_TRUE(CTextCommand::HasNotationMarkers("5@+1@-1@"));
    EXPECT_EQ(Split("5@+1@-1@", 1, 0), (std::vector<Piece>{ { "5", 0 }, { "+1", 1 }, { "-1", 2 } }));
    EXPECT_DOUBLE_EQ(CTextCommand::GetNotationWidthRatio("5@+1@-1@", 0), (2 * 0.25 + 1) / 8);
}

TEST_F(TextNotation, FixedDirectionTextIsMeasuredAtTheCommandsAngle)
{
    CAppText& t = m_tape.App().m_appText;
    t.m_widthTenths = 30;
    t.m_heightTenths = 50;
    t.m_anchor = 8;
    t.m_direction = 1;
    t.m_charSpacing = 0;
    t.m_rightToLeft = 0;
    t.m_logFont.lfEscapement = 0;
    CTextCommand& text = *m_tape.Doc().m_textCmd;
    // Along an axis the character steps are whole; at 30 degrees they are cut to whole units
    // and the row comes out shorter.
    text.m_angle = 0;
    EXPECT_DOUBLE_EQ(text.GetLayoutWidthRatio("ABC", 8), 1.0);
    text.m_angle = 30;
    const double slanted = text.GetLayoutWidthRatio("ABC", 8);
    EXPECT_LT(slanted, 0.99);
    EXPECT_DOUBLE_EQ(slanted, ComputeTextWidthRatio("ABC", t.m_logFont, 30, 50, 8, 0, 0, 30, 1));

    // The box of fixed-direction text takes the factor of the command's angle, not of the font's.
    t.m_formClass = 2;
    text.ComputeBoxForString("ABC");
    EXPECT_DOUBLE_EQ(text.m_box[1].m_x - text.m_box[0].m_x, 3 * 3.0 * slanted);
    t.m_formClass = 1;
    text.ComputeBoxForString("ABC");
    EXPECT_DOUBLE_EQ(text.m_box[1].m_x - text.m_box[0].m_x, 9.0);
}

}  // namespace
