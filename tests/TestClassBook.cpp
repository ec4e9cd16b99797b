// 集計: codes found in pasted text are kept with their sets, a pupil's
// result replaced and every code told by its line; the missed problems, the
// class's means, the CSV file and the sheet of the class's mistakes follow
// from the pupils' own sheets.
#include "render/MakePrint.h"
#include "render/ShiftJis.h"
#include "web/Address.h"
#include "web/ClassBook.h"
#include "web/PageJson.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace zentavo {
namespace {

constexpr std::array<SvgFace, 1> Faces = {{{sjis::MinchoFace, "Mincho", {2048, 1802, 455}}}};

// The code of pupil `pupil` who answered their sheet of the class link of
// `teacher` on a tablet, every problem right but those in `wrong` (from 1).
std::string Answered(const WebPage& teacher, int32_t pupil, std::vector<int32_t> wrong)
{
    WebPage tablet(Faces, 1);
    OpenAddress(tablet, std::get<SheetLink>(LinkOf(teacher, pupil)).address);
    Solving solving = std::get<Solving>(tablet.Solve());
    std::string typed;
    for (int32_t i = 1; i <= solving.Count(); ++i) {
        const bool right = std::find(wrong.begin(), wrong.end(), i) == wrong.end();
        for (const auto& number : RightNumbers(solving.Form(i))) {
            typed += typed.ends_with(";") || typed.empty() ? "" : ",";
            typed += std::to_string(right ? number.value_or(0) : 0);
        }
        typed += ";";
    }
    solving.Mark(typed);
    return ResultCodeOf(solving, pupil, 30000).code;
}

WebPage Previewed(std::initializer_list<int32_t> dans)
{
    WebPage page(Faces, 600);
    for (const int32_t dan : dans)
        page.Controls().SetDanBox(dan, true);
    EXPECT_FALSE(page.Preview());
    return page;
}

TEST(ClassBook, CodesCollectedLineByLine)
{
    const WebPage teacher = Previewed({3, 7});
    const WebPage other = Previewed({3, 6, 7});
    const std::string first = Answered(teacher, 1, {2}), second = Answered(teacher, 2, {}),
                      again = Answered(teacher, 2, {1, 2});
    const std::string text = "1: " + first + "\n" + second + "\t\n" + again + "\nおはようございます\n" + first + " "
                           + Answered(other, 1, {}) + "\nbad Z1234567890ABCDEFGHJK\n";
    ClassBook book;
    const auto collected = book.Collect(text, SetAddress(600, teacher.Controls().Snapshot()));
    std::vector<std::tuple<int32_t, Collected>> kinds;
    for (const CollectedCode& code : collected)
        kinds.emplace_back(code.line, code.kind);
    EXPECT_EQ(kinds, (std::vector<std::tuple<int32_t, Collected>>{{1, Collected::Added}, {2, Collected::Added},
                                                                 {3, Collected::Replaced}, {5, Collected::Unchanged},
                                                                 {5, Collected::OtherSet}, {6, Collected::Refused}}));
    EXPECT_EQ(collected[2].text, "3 行目: 出席番号 2 の結果を新しいものに替えました。");
    EXPECT_EQ(collected[4].text, "5 行目: 出席番号 1 の結果は別のセット（３・６・７の段　１０問　シード 600）のものです。そのセットに入れました。");
    EXPECT_EQ(collected[5].text, "6 行目: 「bad Z1234567890ABCDEFGHJK」は結果のコードとして読めません（打ちまちがいがあります）。");
    ASSERT_EQ(book.Sets().size(), 2u);
    EXPECT_EQ(KeptCodes(book.Sets()[0]), first + "\n" + again + "\n");
    EXPECT_TRUE(book.Remove(collected[4].key));
    EXPECT_EQ(std::tuple(book.Remove(collected[4].key), book.Sets().size()), std::tuple(false, 1u));
}

// Three pupils' sheets of nine problems: A (3÷3), B (6÷3) and C (7÷7) missed.
ClassSet Missed()
{
    ClassSet set;
    set.key = "seed=600&dans=3,7&count=9";
    set.name = "３・７の段　９問　シード 600";
    set.options.DanMask = 0x88;
    set.options.QNumCheck = 0;
    const auto kept = [&](int32_t pupil, std::array<int32_t, 9> codes, const char* marks, int32_t seconds) {
        KeptResult& result = set.pupils[pupil];
        result.result.origin = {600, set.options, pupil + 1, 0};
        result.result.seconds = seconds;
        result.result.marks = marks;
        result.result.rounds = 2;
        result.problems.Count = 9;
        std::copy(codes.begin(), codes.end(), result.problems.Codes.begin() + 1);
    };
    kept(1, {31, 32, 33, 34, 35, 36, 37, 38, 39}, "xxooooooo", 30);
    kept(3, {32, 71, 32, 74, 75, 76, 77, 78, 79}, "xxxoooooo", 95);
    kept(4, {71, 72, 73, 74, 75, 76, 77, 78, 79}, "xoooooooo", 60);
    return set;
}

TEST(ClassBook, MissedProblemsMeansAndCsv)
{
    ClassSet set = Missed();
    set.pupils[3].problems.Divisors[1] = 5;  // drawn otherwise, but written as pupil 1's 6÷3
    const std::string divide(sjis::Divide), equals(sjis::Equals);
    std::vector<std::tuple<std::string, std::string, int32_t>> missed;
    for (const MissedProblem& problem : MissedList(set))
        missed.emplace_back(problem.question, problem.answer, problem.pupils);
    EXPECT_EQ(missed, (std::vector<std::tuple<std::string, std::string, int32_t>>{
                          {" 6" + divide + "3", " 6" + divide + "3" + equals + "2", 2},
                          {" 7" + divide + "7", " 7" + divide + "7" + equals + "1", 2},
                          {" 3" + divide + "3", " 3" + divide + "3" + equals + "1", 1}}));
    EXPECT_EQ(std::tuple(MeansOf(set).correctTenths, MeansOf(set).medianSeconds), std::tuple(70, 60));
    EXPECT_EQ(ClassCsv(set), "\xEF\xBB\xBF出席番号,シート,正解,問題数,回数,秒,問1,問2,問3,問4,問5,問6,問7,問8,問9\r\n"
                             "1,2,7,9,2,30,×,×,○,○,○,○,○,○,○\r\n"
                             "3,4,6,9,2,95,×,×,×,○,○,○,○,○,○\r\n"
                             "4,5,8,9,2,60,×,○,○,○,○,○,○,○,○\r\n");
    EXPECT_EQ(CsvFileName(set, "2025-04-01<>"), "Zentavo_３・７の段_９問_シード_600_2025-04-01.csv");
    EXPECT_NE(ClassTableJson(set).find("\"missing\":[2],\"missingText\":\"まだ結果のない出席番号: 2\""), std::string::npos);
}

// The missed problems, most missed first, fill the smallest count's grid
// again from the first; printed, 枚数 makes copies, and the seed's sheets
// stay where they were.
TEST(ClassBook, SheetOfTheClassesMistakes)
{
    WebPage page(Faces, 600);
    page.Controls().SetEdit1("7");
    EXPECT_EQ(ShowMissedSheet(page, ClassSet{})->text, "このセットでは、まちがえた問題がありません。");
    ASSERT_FALSE(ShowMissedSheet(page, Missed()));
    page.Show(QuestionSheet);
    const std::string drawn = page.ShownMarkup();
    std::vector<std::string> texts;  // the question sheet's texts in the order drawn, its problems last
    for (size_t at = 0; (at = drawn.find("<text", at)) != std::string::npos; at = drawn.find("</text>", at)) {
        at = drawn.find('>', at) + 1;
        texts.push_back(drawn.substr(at, drawn.find("</text>", at) - at));
    }
    const std::string b = " 6" + std::string(sjis::Divide) + "3", c = " 7" + std::string(sjis::Divide) + "7",
                      a = " 3" + std::string(sjis::Divide) + "3";
    const std::vector<std::string> missed = {b, c, a, b, c, a, b, c, a};
    ASSERT_GE(texts.size(), missed.size());
    EXPECT_EQ(std::vector(texts.end() - 9, texts.end()), missed);
    EXPECT_TRUE(std::holds_alternative<Solving>(page.Solve()));
    EXPECT_EQ(std::tuple(page.GivenProblemsShown(), page.Controls().DanMask(),
                         page.Controls().ItemIndex(Group::QNumCheck), std::get<std::string>(LinkOf(page, 0))),
              std::tuple(true, 0x88, 0,
                         "まちがえた問題のプリントには、生徒の端末で開くリンクも結果のコードもありません。ﾌﾟﾚﾋﾞｭｰすると出ます。"));
    EXPECT_EQ(std::get<PrintJob>(page.Print(AnswerSheet, "3", Paper::A4)).pages, 6);
    page.Printed();
    EXPECT_EQ(page.Controls().Edit1(), "10");
    ASSERT_FALSE(page.Preview());
    EXPECT_EQ(std::tuple(page.SheetNumber(), page.GivenProblemsShown()), std::tuple(1, false));
}

}  // namespace
}  // namespace zentavo
