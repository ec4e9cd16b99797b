#include "sheetset/SheetsOptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

namespace zentavo {
namespace {

using Arguments = std::vector<std::string>;

std::string UsageMessage(const Arguments& arguments)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    const auto* error = std::get_if<UsageError>(&parsed);
    return error ? error->message : "(accepted)";
}

SheetsCommand Command(const Arguments& arguments)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed))
        ADD_FAILURE() << error->message;
    const auto* command = std::get_if<SheetsCommand>(&parsed);
    return command ? *command : SheetsCommand{};
}

struct Refused {
    Arguments arguments;
    std::string message;  // the start of the one line
};

TEST(SheetsOptions, RefusesWithOneLineNamingTheOptionAndWhatItTakes)
{
    const Refused cases[] = {
        {{"--dans", "3", "--count", "11", "--pdf", "a.pdf"},
         "--count takes 9, 10, 18, 20, 27, 30, 36, 40, 54, 60, 72 or 80, not \"11\""},
        {{"--dans", "0", "--pdf", "a.pdf"}, "--dans takes a list of dans from 1 to 9"},
        {{"--dans", "3,10", "--pdf", "a.pdf"}, "--dans takes a list of dans from 1 to 9"},
        {{"--dans", "3", "--emphasis", "0", "--pdf", "a.pdf"}, "--emphasis takes a dan from 1 to 9"},
        {{"--dans", "3", "--times", "1000", "--pdf", "a.pdf"}, "--times takes 10 or 100, not \"1000\""},
        {{"--dans", "3", "--blank", "left", "--pdf", "a.pdf"}, "--blank takes dividend, divisor or mixed"},
        {{"--two-digit", "8", "--pdf", "a.pdf"}, "--two-digit takes a mode from 1 to 7"},
        {{"--dans", "3", "--seed", "4294967296", "--pdf", "a.pdf"}, "--seed takes a seed from 0 to 4294967295"},
        {{"--dans", "3", "--sheets", "100001", "--pdf", "a.pdf"}, "--sheets takes a number of sheets"},
        {{"--dans", "3", "--print-number", "2147483648", "--pdf", "a.pdf"}, "--print-number takes a whole number"},
        {{"--dans", "3", "--paper", "A5", "--pdf", "a.pdf"}, "--paper takes A4, B5, B4, A3 or Letter"},
        {{"--dans", "3", "--count"}, "--count needs a value"},
        {{"--dans", "3", "--zero=yes", "--pdf", "a.pdf"}, "--zero takes no value"},
        {{"--dans", "3", "--dans", "4", "--pdf", "a.pdf"}, "--dans is given twice"},
        {{"--dans", "3", "--colour", "--pdf", "a.pdf"}, "unknown option \"--colour\""},
        {{"--dans", "3", "a.pdf"}, "unexpected argument \"a.pdf\""},
        // The rules between options.
        {{"--dans", "3"}, "--pdf FILE or --print [QUEUE] is needed"},
        {{"--dans", "3", "--pdf", "a.pdf", "--print"}, "--pdf and --print exclude each other"},
        {{"--dans", "3", "--paper", "B5", "--print", "Q"}, "--paper goes with --pdf"},
        {{"--dans", "3", "--answers", "--answers-at-end", "--pdf", "a.pdf"},
         "--answers and --answers-at-end exclude each other"},
        {{"--dans", "3", "--times", "10", "--blank", "mixed", "--pdf", "a.pdf"},
         "--times and --blank exclude each other"},
        {{"--dans", "3", "--count", "20", "--two-columns", "--pdf", "a.pdf"}, "--two-columns takes --count 36 or 40"},
        {{"--dans", "3", "--count", "36", "--two-columns", "--zero", "--pdf", "a.pdf"},
         "--zero (被除数に０を 入れる) is offered only"},
        {{"--zero", "--count", "20", "--pdf", "a.pdf"}, "--dans is needed"},
    };
    for (const Refused& refused : cases) {
        const std::string message = UsageMessage(refused.arguments);
        EXPECT_TRUE(message.starts_with(refused.message)) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

// The window's controls that a command line sets.
auto Controls(const SheetOptions& o)
{
    return std::tuple{o.DanMask, o.ImportantDan, o.JousuuCheck, o.QNumCheck, o.RandomCheck,
                      o.MGroup,  o.Amari,        o.rgNum,       o.rgSquare};
}

SheetOptions Controls(int32_t dans, int32_t emphasis, int32_t zero, int32_t countItem, int32_t shuffle, int32_t times,
                      int32_t mode, int32_t numbers, int32_t blank)
{
    return {dans, emphasis, zero, countItem, shuffle, times, mode, numbers, blank};
}

constexpr int32_t Dan(int n) { return 1 << n; }

TEST(SheetsOptions, SetTheWindowsControls)
{
    const int32_t allDans = 0x3FE;
    const std::pair<Arguments, SheetOptions> cases[] = {
        {{"--dans", "3,4,7"}, Controls(Dan(3) | Dan(4) | Dan(7), -1, 0, 1, 0, 0, 0, 0, 0)},
        {{"--emphasis", "9"}, Controls(Dan(9), 9, 0, 1, 0, 0, 0, 0, 0)},
        {{"--dans", "2", "--count", "80", "--zero"}, Controls(Dan(2), -1, 1, 11, 0, 0, 0, 0, 0)},
        {{"--dans", "2", "--count", "36", "--two-columns"}, Controls(Dan(2), -1, 0, 12, 0, 0, 0, 0, 0)},
        {{"--dans", "2", "--count", "40", "--two-columns", "--zero"}, Controls(Dan(2), -1, 1, 13, 0, 0, 0, 0, 0)},
        {{"--dans", "2", "--count", "9", "--shuffle", "--numbers"}, Controls(Dan(2), -1, 0, 0, 1, 0, 0, 1, 0)},
        {{"--dans", "2", "--times", "100"}, Controls(Dan(2), -1, 0, 1, 0, 2, 0, 0, 0)},
        // In the two-digit modes all dans are checked unless named.
        {{"--two-digit", "single-borrow"}, Controls(allDans, -1, 0, 1, 0, 0, 3, 0, 0)},
        // The window's caption for mode 3 closes with a full-width bracket;
        // either width is accepted for every bracket.
        {{"--two-digit", "余り(九九1回適用で繰り下がりあり)"}, Controls(allDans, -1, 0, 1, 0, 0, 3, 0, 0)},
        {{"--two-digit", "混合（全て）"}, Controls(allDans, -1, 0, 1, 0, 0, 7, 0, 0)},
    };
    for (const auto& [arguments, expected] : cases) {
        Arguments withOutput = arguments;
        withOutput.insert(withOutput.end(), {"--pdf", "a.pdf"});
        EXPECT_EQ(Controls(Command(withOutput).set.sheet), Controls(expected)) << withOutput.front() << " " << withOutput[1];
    }
}

TEST(SheetsOptions, SetTheSetAndWhereItGoes)
{
    const SheetsCommand defaults = Command({"--dans", "3", "--pdf", "a.pdf"});
    EXPECT_EQ(std::tuple(defaults.set.sheets, defaults.set.firstPrintNumber, defaults.set.answers),
              std::tuple(1, 1, AnswerPages::None));
    EXPECT_FALSE(defaults.set.seed);
    EXPECT_EQ(std::get<PdfOutput>(defaults.output).paper, Paper::A4);

    const SheetsCommand set = Command({"--dans", "3", "--sheets", "30", "--answers", "--print-number", "-7",
                                       "--seed", "4294967295", "--pdf=-b.pdf", "--paper", "b4"});
    EXPECT_EQ(set.set.sheets, 30);
    EXPECT_EQ(set.set.answers, AnswerPages::AfterEach);
    EXPECT_EQ(set.set.firstPrintNumber, -7);
    EXPECT_EQ(set.set.seed, UINT32_MAX);
    EXPECT_EQ(std::get<PdfOutput>(set.output).path, "-b.pdf");
    EXPECT_EQ(std::get<PdfOutput>(set.output).paper, Paper::B4);
    EXPECT_EQ(Command({"--dans", "3", "--answers-at-end", "--pdf", "a"}).set.answers, AnswerPages::AtEnd);

    // --print takes the following word as its queue unless it is an option.
    const std::pair<Arguments, std::string> queues[] = {
        {{"--dans", "3", "--print"}, ""},
        {{"--print", "--dans", "3"}, ""},
        {{"--print", "Office", "--dans", "3"}, "Office"},
        {{"--dans", "3", "--print=Office"}, "Office"},
    };
    for (const auto& [arguments, queue] : queues) {
        const SheetsCommand command = Command(arguments);
        ASSERT_TRUE(std::holds_alternative<PrintOutput>(command.output));
        EXPECT_EQ(std::get<PrintOutput>(command.output).queue, queue);
    }
}

TEST(SheetsOptions, HelpAndVersionWhateverElseIsGiven)
{
    EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"--count", "9", "--help"})));
    EXPECT_TRUE(std::holds_alternative<ShowVersion>(ParseCommandLine({"--version", "--count", "11"})));
}

}  // namespace
}  // namespace zentavo
