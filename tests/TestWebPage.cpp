// The browser edition's state without a browser: a wrong print number,
// number of sheets or seed, and options that cannot fill a class set, are
// told and change nothing.
#include "render/MakePrint.h"
#include "render/ShiftJis.h"
#include "web/WebPage.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <tuple>
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
        {"12a", "1", nullptr, 0x30, "'12a' は整数ではありません."},
        {"2147483648", "1", nullptr, 0x30, "'2147483648' は整数ではありません."},
        {"1", "0", nullptr, 0x30, "'0' は 1 から 100 までの枚数ではありません."},
        {"1", "101", nullptr, 0x30, "'101' は 1 から 100 までの枚数ではありません."},
        {"1", "３", nullptr, 0x30, "'３' は 1 から 100 までの枚数ではありません."},
        {"1", "2", nullptr, 0x10, "今の段の数では、指定された問題数が確保できません。"},
        {"1", "1", "4294967296", 0x30, "'4294967296' は 0 から 4294967295 までのシードではありません."},
        {"1", "1", "-1", 0x30, "'-1' は 0 から 4294967295 までのシードではありません."},
        {"1", "1", " 7", 0x30, "' 7' は 0 から 4294967295 までのシードではありません."},
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

}  // namespace
}  // namespace zentavo
