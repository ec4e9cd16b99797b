// The browser edition's state without a browser: a wrong print number,
// number of sheets or seed, and options that cannot fill a class set, are
// told and change nothing; numbers are read as a Japanese device types them.
#include "render/MakePrint.h"
#include "render/ShiftJis.h"
#include "web/WebPage.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <variant>

namespace zentavo {
namespace {

constexpr std::array<SvgFace, 1> Faces = {{{sjis::MinchoFace, "Mincho", {2048, 1802, 455}}}};

auto StateOf(WebPage& page)
{
    return std::tuple(page.Seed(), page.SheetNumber(), page.Shown(), page.ShownMarkup(), page.Controls().Edit1());
}

TEST(WebPage, BadInputIsToldAndChangesNothing)
{
    const struct {
        const char* edit1;
        const char* sheets;
        const char* seed;  // typed into シード instead of printing
        int32_t dans;      // DanMask of the options when printing
        const char* message;
    } cases[] = {
        {"12a", "1", nullptr, 0x30, "'12a' は整数ではありません。"},
        {"2147483648", "1", nullptr, 0x30, "'2147483648' は整数ではありません。"},
        {"1", "0", nullptr, 0x30, "'0' は 1 から 100 までの枚数ではありません。"},
        {"1", "101", nullptr, 0x30, "'101' は 1 から 100 までの枚数ではありません。"},
        {"1", "１０１", nullptr, 0x30, "'１０１' は 1 から 100 までの枚数ではありません。"},
        {"1", "2", nullptr, 0x10, "今の段の数では、指定された問題数が確保できません。"},
        {"1", "1", "4294967296", 0x30, "'4294967296' は 0 から 4294967295 までのシードではありません。"},
        {"1", "1", "-1", 0x30, "'-1' は 0 から 4294967295 までのシードではありません。"},
        {"1", "1", "７a", 0x30, "'７a' は 0 から 4294967295 までのシードではありません。"},
    };
    for (const auto& c : cases) {
        WebPage page(Faces, 600);
        page.Controls().SetDanBox(4, true);
        page.Controls().SetDanBox(5, true);
        ASSERT_FALSE(page.Preview());
        page.Controls().SetDanBox(5, (c.dans & 0x20) != 0);
        page.Controls().SetEdit1(c.edit1);
        const auto before = StateOf(page);
        const auto told = c.seed ? *page.SetSeed(c.seed)
                                 : std::get<MessageBox>(page.Print(AnswerSheet, c.sheets, Paper::A4));
        EXPECT_EQ(told.text, c.message);
        EXPECT_EQ(StateOf(page), before) << c.message;
    }
}

// 枚数 and シード: full-width digits, as an input method types them, and
// blanks around them.
TEST(WebPage, SheetsAndSeedReadAsTyped)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"３", 3}, {" 7", 7}, {"5 ", 5}, {"\t１２", 12}, {"\u3000２\u3000", 2}, {"１0０", 100}, {" \u3000 ００７ ", 7},
    };
    for (const auto& [typed, number] : cases) {
        WebPage page(Faces, 600);
        EXPECT_FALSE(page.SetSeed(typed)) << typed;
        EXPECT_EQ(std::tuple(WebPage::ReadSheets(typed), page.Seed()), std::tuple(static_cast<int32_t>(number), number))
            << typed;
    }
}

// The print dialog's page is the paper the sheet was laid out for: its size
// in CSS reads back as the paper table's.
TEST(WebPage, EachPaperIsThePrintedPagesSize)
{
    for (const PaperInfo& paper : Papers) {
        WebPage page(Faces, 600);
        page.Controls().SetDanBox(4, true);
        page.Controls().SetDanBox(5, true);
        ASSERT_FALSE(page.Preview());
        const std::string unit = paper.unit == PaperUnit::Inch ? "in" : "mm";
        std::istringstream size(std::get<PrintJob>(page.Print(QuestionSheet, "1", paper.paper)).pageSize);
        double width = 0, height = 0;
        std::string widthUnit, heightUnit;
        size >> width >> widthUnit >> height >> heightUnit;
        EXPECT_EQ(std::tuple(width, widthUnit, height, heightUnit), std::tuple(paper.width, unit, paper.height, unit))
            << paper.name << ": " << size.str();
    }
}

// The typed fields of a round as the page hands them over: what each reads
// as, and the rounds until every problem is right.
TEST(Solving, TypedFieldsAndRounds)
{
    SheetOptions options;
    options.Amari = 7;
    ProblemList list;
    list.Count = 3;
    list.Codes = {0, 23, 72, 45};    // 5 remainder 3, 9, 6 remainder 3
    list.Divisors = {0, 4, 8, 7};
    const struct {
        const char* typed;
        std::vector<bool> marks;
    } cases[] = {
        {"5,3;9,;6,3", {true, true, true}},
        {"05,3;9,0;6,3", {true, true, true}},   // a leading 0, a remainder of 0
        {"5,3;9;6", {true, true, false}},       // no remainder field: none
        {"5,3a;\xef\xbc\x99,;6,3", {false, false, true}},  // the page turns full-width digits to digits first
        {"000005,3;9,;6,3,1", {false, true, false}},  // six digits; a field too many
        {"5,3", {true, false, false}},          // problems left out
        {"", {false, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Solving(options, list).Mark(c.typed), c.marks) << c.typed;

    Solving solving(options, list);
    EXPECT_FALSE(solving.Retry());
    solving.Mark("5,3;1,;6,3");
    ASSERT_TRUE(solving.Retry());
    EXPECT_EQ(std::tuple(solving.Round(), solving.RoundProblems()), std::tuple(2, std::vector<int32_t>{2}));
    solving.Mark("9,");
    EXPECT_EQ(std::tuple(solving.Done(), solving.FirstRoundCorrect(), solving.Retry()), std::tuple(true, 2, false));
}

}  // namespace
}  // namespace zentavo
