#include "render/ProblemTexts.h"

#include "render/ShiftJis.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zentavo {
namespace {

using test::Bytes;
using test::HexBytes;

constexpr int32_t IntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t IntMax = std::numeric_limits<int32_t>::max();

// Readable pieces of the sheet texts.
const std::string Div = "\x81\x80";      // ÷
const std::string Eq = "\x81\x81";       // ＝
const std::string Rem = "\x81\x63";      // … before a remainder
const std::string Circled5 = "\x87\x44";  // ⑤

struct Problem {
    int32_t code, divisor = 0, blankSide = 0;
};

ProblemList ListOf(std::initializer_list<Problem> problems)
{
    ProblemList list;
    for (const Problem& p : problems) {
        ++list.Count;
        list.Codes[list.Count] = p.code;
        list.Divisors[list.Count] = p.divisor;
        list.BlankSide[list.Count] = p.blankSide;
    }
    return list;
}

// The question and the answer text of one problem drawn under `options`.
std::pair<std::string, std::string> Texts(const SheetOptions& options, Problem problem)
{
    ProblemList list = ListOf({problem});
    MakeProblemTexts(options, list, 0);
    std::string question = list.Texts[1];
    MakeProblemTexts(options, list, 1);
    return {question, list.Texts[1]};
}

// No text is longer than 16 bytes and none ends inside a double-byte character.
void ExpectWholeShortText(const std::string& text)
{
    EXPECT_LE(text.size(), MaxTextBytes) << HexBytes(text);
    for (size_t i = 0; i < text.size(); ++i) {
        if (sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) {
            ASSERT_LT(++i, text.size()) << "split character in " << HexBytes(text);
        }
    }
}

struct TextCase {
    const char* what;
    int32_t amari, rgSquare, mGroup;
    Problem problem;
    std::string question, answer;
};

TEST(ProblemTexts, QuestionAndAnswerForms)
{
    const TextCase cases[] = {
        {"plain", 0, 0, 0, {69}, "54" + Div + "6", "54" + Div + "6" + Eq + "9"},
        {"plain, one-digit dividend", 0, 0, 0, {24}, " 8" + Div + "2", " 8" + Div + "2" + Eq + "4"},
        {"plain, dividend 0", 0, 0, 0, {60}, " 0" + Div + "6", " 0" + Div + "6" + Eq + "0"},
        {"x10", 0, 0, 1, {69}, "540" + Div + "6", "540" + Div + "6" + Eq + "90"},
        {"x10, one-digit dividend", 0, 0, 1, {24}, " 80" + Div + "2", " 80" + Div + "2" + Eq + "40"},
        {"x10, dividend 0 stays one digit", 0, 0, 1, {60}, " 0" + Div + "6", " 0" + Div + "6" + Eq + "0"},
        {"x10, dividend 10 has no blank", 0, 0, 1, {25}, "100" + Div + "2", "100" + Div + "2" + Eq + "50"},
        {"x100", 0, 0, 2, {69}, "5400" + Div + "6", "5400" + Div + "6" + Eq + "900"},
        {"x100, one-digit dividend", 0, 0, 2, {24}, " 800" + Div + "2", " 800" + Div + "2" + Eq + "400"},
        {"x100, dividend 0", 0, 0, 2, {60}, " 0" + Div + "6", " 0" + Div + "6" + Eq + "0"},
        {"x100, dividend 9", 0, 0, 2, {91}, " 900" + Div + "9", " 900" + Div + "9" + Eq + "100"},
        {"x100, dividend 1: twelve bytes", 0, 0, 2, {11}, " 100" + Div + "1", " 100" + Div + "1" + Eq + "100"},
        {"unknown multiplier item", 0, 0, 3, {69}, "54" + Div + "6", "54" + Div + "6" + Eq + "9"},
        {"blank box on the dividend", 0, 1, 0, {69}, "[ ]" + Div + "6" + Eq + "9", "[54]" + Div + "6" + Eq + "9"},
        {"blank dividend, one digit", 0, 1, 0, {24}, "[ ]" + Div + "2" + Eq + "4", "[ 8]" + Div + "2" + Eq + "4"},
        {"blank dividend ignores x100", 0, 1, 2, {24}, "[ ]" + Div + "2" + Eq + "4", "[ 8]" + Div + "2" + Eq + "4"},
        {"blank dividend 0", 0, 1, 0, {60}, "[ ]" + Div + "6" + Eq + "0", "[ 0]" + Div + "6" + Eq + "0"},
        {"blank box on the divisor", 0, 2, 0, {69}, "54" + Div + "[ ]" + Eq + "9", "54" + Div + "[6]" + Eq + "9"},
        {"blank divisor, one digit", 0, 2, 1, {24}, " 8" + Div + "[ ]" + Eq + "4", " 8" + Div + "[2]" + Eq + "4"},
        {"mixed, blank side 0", 0, 3, 2, {69, 0, 0}, "[ ]" + Div + "6" + Eq + "9", "[54]" + Div + "6" + Eq + "9"},
        {"mixed, blank side 1", 0, 3, 0, {69, 0, 1}, "54" + Div + "[ ]" + Eq + "9", "54" + Div + "[6]" + Eq + "9"},
        {"mixed, other blank side", 0, 3, 0, {24, 0, -7}, " 8" + Div + "[ ]" + Eq + "4", " 8" + Div + "[2]" + Eq + "4"},
        {"unknown blank pattern", 0, 4, 0, {24, 0, 1}, " 8" + Div + "2", " 8" + Div + "2" + Eq + "4"},
        {"unknown mode is the times tables", 8, 0, 0, {69}, "54" + Div + "6", "54" + Div + "6" + Eq + "9"},
        {"two digits, exact", 1, 0, 0, {72, 8}, "72" + Div + "8", "72" + Div + "8" + Eq + "9"},
        {"two digits, exact, two-digit quotient", 4, 1, 2, {96, 2}, "96" + Div + "2", "96" + Div + "2" + Eq + "48"},
        {"two digits, remainder", 2, 2, 1, {23, 4, 1}, "23" + Div + "4", "23" + Div + "4" + Eq + "5" + Rem + "3"},
        {"two digits, twelve bytes", 7, 3, 0, {99, 2, 1}, "99" + Div + "2", "99" + Div + "2" + Eq + "49" + Rem + "1"},
        // A list from the times tables drawn in a two-digit mode divides by 0,
        // and a code below 10 does too: the answer repeats the question.
        {"two digits over 0", 3, 0, 0, {54, 0}, "54" + Div + "0", "54" + Div + "0"},
        {"code below 10", 0, 0, 1, {5}, " 0" + Div + "0", " 0" + Div + "0"},
        {"code below 10, blank dividend", 0, 1, 0, {5}, "[ ]" + Div + "0" + Eq + "5", "[ ]" + Div + "0" + Eq + "5"},
        {"code below 10, blank divisor", 0, 2, 0, {7}, " 0" + Div + "[ ]" + Eq + "7", " 0" + Div + "[ ]" + Eq + "7"},
    };
    for (const TextCase& c : cases) {
        SheetOptions options;
        options.Amari = c.amari;
        options.rgSquare = c.rgSquare;
        options.MGroup = c.mGroup;
        const auto [question, answer] = Texts(options, c.problem);
        EXPECT_EQ(HexBytes(question), HexBytes(c.question)) << c.what;
        EXPECT_EQ(HexBytes(answer), HexBytes(c.answer)) << c.what;
    }
}

TEST(ProblemTexts, SpelledOutBytes)
{
    SheetOptions options;
    options.rgSquare = 2;
    EXPECT_EQ(Texts(options, {24}).first, " 8\x81\x80[ ]\x81\x81" "4");
    options.Amari = 5;
    EXPECT_EQ(Texts(options, {99, 2}).second, "99\x81\x80" "2\x81\x81" "49\x81\x63" "1");
}

TEST(ProblemTexts, CircledNumberStandsInFrontOfTheBlank)
{
    SheetOptions options;
    options.rgNum = 1;
    ProblemList list = ListOf({{11}, {12}, {13}, {14}, {24}, {11}});
    MakeProblemTexts(options, list, 1);
    EXPECT_EQ(list.Texts[1], "\x87\x40 1" + Div + "1" + Eq + "1");
    EXPECT_EQ(list.Texts[5], Bytes(Circled5, " 8", Div, "2", Eq, "4"));

    options.MGroup = 2;  // the twelve-byte answer keeps all of its fourteen bytes
    MakeProblemTexts(options, list, 1);
    EXPECT_EQ(list.Texts[6], Bytes("\x87\x45", " 100", Div, "1", Eq, "100"));
    options.rgNum = 0;
    MakeProblemTexts(options, list, 0);
    EXPECT_EQ(list.Texts[5], " 800" + Div + "2");
}

TEST(ProblemTexts, NumberingStartsAgainAtTheTopOfEachColumn)
{
    struct Case {
        int32_t item, count, restart;
    };
    // 80 problems under the nine-problem item run 1 to 9 over and over.
    const Case cases[] = {{13, 40, 20}, {8, 54, 18}, {0, 80, 9}, {1, 10, 10}, {11, 80, 20}, {99, 80, 20}, {-1, 30, 20}};
    for (const Case& c : cases) {
        SheetOptions options;
        options.rgNum = 1;
        options.QNumCheck = c.item;
        ProblemList list;
        list.Count = c.count;
        list.Codes.fill(69);
        MakeProblemTexts(options, list, 0);
        for (int32_t i = 1; i <= c.count; ++i)
            EXPECT_EQ(HexBytes(list.Texts[i]),
                      HexBytes(Bytes(sjis::CircledNumeral((i - 1) % c.restart + 1), "54", Div, "6")))
                << "item " << c.item << ", problem " << i;
    }
    const int32_t restarts[] = {9, 10, 9, 10, 9, 10, 9, 10, 18, 20, 18, 20, 18, 20};
    for (int32_t item = 0; item < 14; ++item)
        EXPECT_EQ(NumberRestartLength(item), restarts[item]) << item;
}

TEST(ProblemTexts, RewritesOnlyTheSlotsOfTheCount)
{
    ProblemList list = ListOf({{69}, {24}});
    list.Texts[3] = "old";
    MakeProblemTexts({}, list, 0);
    EXPECT_EQ(list.Texts[2], " 8" + Div + "2");
    EXPECT_EQ(list.Texts[3], "old");

    list.Count = -5;
    MakeProblemTexts({}, list, 1);
    EXPECT_EQ(list.Texts[1], "54" + Div + "6");

    list.Count = 1000;  // at most the 80 slots of the list
    MakeProblemTexts({}, list, 1);
    EXPECT_EQ(list.Texts[80], " 0" + Div + "0");
    EXPECT_EQ(ProblemText({}, list, 81, true), "");
    EXPECT_EQ(ProblemText({}, list, IntMin, false), "");
}

TEST(ProblemTexts, CutsLongTextsBetweenCharacters)
{
    SheetOptions options;
    options.Amari = 1;
    // "-2147483648÷10" is 15 bytes; the equals sign would end at byte 17.
    EXPECT_EQ(Texts(options, {IntMin, 10}).second, "-2147483648" + Div + "10");
    options.rgNum = 1;
    EXPECT_EQ(Texts(options, {IntMin, 10}).second, "\x87\x40-2147483648" + Div + "1");
    EXPECT_EQ(sjis::CutToBytes("\x81\x80", 1), "");
    EXPECT_EQ(sjis::CutToBytes("a\x81", 16), "a");  // a lead byte without its second byte
}

TEST(ProblemTexts, HostileListsAndOptionsGiveShortWholeTexts)
{
    const int32_t values[] = {IntMin, IntMin + 1, -99, -10, -1, 0, 1, 2, 3, 7, 8, 10, 99, 100, IntMax - 1, IntMax};
    for (int32_t code : values)
        for (int32_t divisor : values)
            for (int32_t option : values) {
                SheetOptions options;
                options.Amari = option % 9;
                options.rgSquare = option;
                options.MGroup = option % 4;
                options.rgNum = option & 1;
                options.QNumCheck = option;
                ProblemList list = ListOf({{code, divisor, option}});
                for (int32_t answers : {0, 1, option}) {
                    MakeProblemTexts(options, list, answers);
                    ExpectWholeShortText(list.Texts[1]);
                }
            }
}

}  // namespace
}  // namespace zentavo
