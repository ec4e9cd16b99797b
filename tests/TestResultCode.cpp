// The result as a code: every field comes back at its limits; any one
// symbol changed or two neighbours swapped is refused; a later format and
// impossible values are told; codes are found in any pasted text.
#include "render/ShiftJis.h"
#include "web/ResultCode.h"
#include "web/WebPage.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <chrono>
#include <optional>
#include <tuple>

namespace zentavo {
namespace {

constexpr std::array<SvgFace, 1> Faces = {{{sjis::MinchoFace, "Mincho", {2048, 1802, 455}}}};

PupilResult Result(int32_t countItem, int32_t pupil, std::string marks, int32_t rounds, bool done)
{
    PupilResult result;
    result.origin.options.DanMask = DrillableDans;
    result.origin.options.QNumCheck = countItem;
    result.origin.seed = 24;
    result.origin.sheet = 2;
    result.origin.random = 600;
    result.pupil = pupil;
    result.marks = std::move(marks);
    result.rounds = rounds;
    result.done = done;
    result.seconds = 95;
    return result;
}

std::optional<CodeFault> FaultOf(const ReadCode& read)
{
    const auto* fault = std::get_if<CodeFault>(&read);
    return fault ? std::optional(*fault) : std::nullopt;
}

auto Fields(const PupilResult& r)
{
    const SheetOptions& o = r.origin.options;
    return std::tuple(r.origin.seed, o.DanMask, o.ImportantDan, o.JousuuCheck, o.QNumCheck, o.RandomCheck, o.MGroup,
                      o.Amari, o.rgNum, o.rgSquare, r.origin.sheet, r.origin.random, r.pupil, r.marks, r.rounds,
                      r.done, r.seconds);
}

// `bits` of the code at `bit` of its fields set to `value`, the check made
// good again by trying every pair of check symbols.
std::string Forged(std::string code, int32_t bit, int32_t bits, uint32_t value)
{
    constexpr std::string_view alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (int32_t k = 0; k < bits; ++k, ++bit) {
        char& c = code[static_cast<size_t>(2 + bit / 5)];
        const auto mask = static_cast<size_t>(1u << (4 - bit % 5));
        const size_t symbol = alphabet.find(c);
        c = alphabet[((value >> (bits - 1 - k)) & 1) ? symbol | mask : symbol & ~mask];
    }
    for (size_t check = 0; check < 1024; ++check) {
        code[code.size() - 2] = alphabet[check / 32];
        code.back() = alphabet[check % 32];
        if (FaultOf(ReadResultCode(code)) != CodeFault::Mistyped)
            return code;
    }
    return code;
}

TEST(ResultCode, EveryFieldComesBackAtItsLimits)
{
    const std::string eighty(80, 'o');
    std::string mixed(80, 'x');
    mixed[0] = mixed[79] = 'o';
    PupilResult widest = Result(11, 40, mixed, 16, true);
    widest.origin = {4294967295u, {0x3FE, 9, 1, 11, 1, 2, 7, 1, 3}, LastOriginSheet, 4294967295u};
    widest.seconds = MostSeconds;
    PupilResult most = Result(11, 1, eighty, 1, true);
    most.origin.options.ImportantDan = 0;
    PupilResult past = Result(0, 7, std::string(9, 'x'), 40, false);
    past.seconds = 100000;
    PupilResult least = Result(13, 1, std::string(40, 'x'), 1, false);
    least.origin.seed = least.origin.random = 0;
    least.seconds = 0;
    least.origin.sheet = 1;
    const std::tuple<PupilResult, size_t, int32_t, int32_t> cases[] = {  // result, length, rounds, seconds read
        {widest, 47, 16, MostSeconds},
        {most, 47, 1, 95},
        {past, 33, MostRounds, MostSeconds},  // more rounds and seconds than a code holds
        {least, 39, 1, 0},
    };
    for (const auto& [result, length, rounds, seconds] : cases) {
        const auto code = WriteResultCode(result);
        ASSERT_TRUE(code) << length;
        PupilResult expected = result;
        expected.rounds = rounds;
        expected.seconds = seconds;
        const ReadCode read = ReadResultCode(*code);
        ASSERT_TRUE(std::holds_alternative<PupilResult>(read)) << *code;
        EXPECT_EQ(std::tuple(code->size(), Fields(std::get<PupilResult>(read))), std::tuple(length, Fields(expected)))
            << *code;
    }
}

TEST(ResultCode, AnyChangedSymbolOrSwappedNeighboursIsRefused)
{
    constexpr std::string_view alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (const PupilResult& result : {Result(0, 1, std::string(9, 'o'), 1, true),
                                      Result(11, 40, std::string(80, 'x'), 3, true),
                                      Result(5, 17, std::string(30, 'x'), 2, false)}) {
        const std::string code = *WriteResultCode(result);
        for (size_t i = 0; i < code.size(); ++i) {
            for (const char symbol : alphabet) {
                std::string changed = code;
                changed[i] = symbol;
                EXPECT_TRUE(symbol == code[i] || FaultOf(ReadResultCode(changed))) << changed;
            }
            std::string swapped = code;
            if (i + 1 < code.size() && code[i] != code[i + 1]) {
                std::swap(swapped[i], swapped[i + 1]);
                EXPECT_TRUE(FaultOf(ReadResultCode(swapped))) << swapped;
            }
        }
    }
}

// Forged codes with a good check: the field's bit, width and value.
TEST(ResultCode, LaterFormatsAndImpossibleValuesAreTold)
{
    const std::string code = *WriteResultCode(Result(0, 5, "oxooooooo", 2, true));
    const auto version = [&](char v) {
        std::string later = code;
        later[1] = v;
        return Forged(later, 0, 0, 0);
    };
    const std::pair<std::string, std::optional<CodeFault>> cases[] = {
        {Forged(code, 108, 6, 40), std::nullopt},           // 出席番号 40, as a check of the forging
        {Forged(code, 59, 17, LastOriginSheet), std::nullopt},
        {version('2'), CodeFault::LaterFormat},
        {version('Z'), CodeFault::LaterFormat},
        {version('0'), CodeFault::Impossible},
        {Forged(code, 108, 6, 0), CodeFault::Impossible},    // 出席番号 0
        {Forged(code, 108, 6, 41), CodeFault::Impossible},   // 出席番号 41
        {Forged(code, 59, 17, 0), CodeFault::Impossible},    // sheet 0
        {Forged(code, 53, 4, 14), CodeFault::Impossible},    // a count item past the last
        {Forged(code, 41, 4, 11), CodeFault::Impossible},    // an emphasised dan past 9
        {Forged(code, 46, 2, 3), CodeFault::Impossible},     // ×1000
        {Forged(code, 32, 9, 0), CodeFault::Impossible},     // no dan to draw from
        {Forged(code, 136, 1, 1), CodeFault::Impossible},    // the first round all right, yet done in 2 rounds
        {Forged(code, 144, 1, 1), CodeFault::Impossible},    // the last symbol's spare bit not 0
        {Forged(code.substr(0, code.size() - 3) + "00", 0, 0, 0), CodeFault::Impossible},  // a symbol short
        {Forged(code.substr(0, code.size() - 2) + "000", 0, 0, 0), CodeFault::Impossible}, // a symbol over
        {"Z1", CodeFault::NotACode},
        {code.substr(0, 10) + "U" + code.substr(11), CodeFault::NotACode},
        {"Y" + code.substr(1), CodeFault::NotACode},
    };
    for (const auto& [forged, fault] : cases)
        EXPECT_EQ(FaultOf(ReadResultCode(forged)), fault) << forged;
}

// The code of a sheet answered on the page reads back as what was answered;
// where the sheet has no origin, no pupil is known or nothing is marked,
// the page's text why.
TEST(ResultCode, AnsweredOnThePage)
{
    WebPage page(Faces, 24);
    page.Controls().SetDanBox(2, true);
    page.Controls().SetDanBox(3, true);
    ASSERT_FALSE(page.Preview());
    ASSERT_FALSE(page.Preview());
    Solving solving = std::get<Solving>(page.Solve());
    EXPECT_EQ(ResultCodeOf(solving, 3, 0).why, "採点すると結果のコードが出ます。");
    solving.Mark("");
    solving.Retry();
    const std::string code = ResultCodeOf(solving, 3, 61999).code;
    const PupilResult read = std::get<PupilResult>(ReadResultCode(code));
    const SheetOrigin origin = std::get<SheetOrigin>(page.Origin());
    EXPECT_EQ(std::tuple(read.origin.sheet, read.origin.random, read.pupil, read.rounds, read.done, read.seconds,
                         read.marks),
              std::tuple(2, origin.random, 3, 1, false, 61, std::string(10, 'x')));
    EXPECT_EQ(ResultCodeOf(solving, 0, 0).why, "結果のコードを出すには、出席番号を選んでください。");
    page.Controls().SetDanBox(4, true);
    EXPECT_EQ(ResultCodeOf(std::get<Solving>(page.Solve()), 3, 0).why, std::get<std::string>(page.Origin()));
}

// Codes among other text, as a chat, a spreadsheet column or typed: lower
// case, O for 0, full-width letters; a word that is no code is told with its
// line; the rest is left alone.
TEST(ResultCode, FoundInPastedText)
{
    const std::string code = *WriteResultCode(Result(0, 2, std::string(9, 'o'), 1, true));
    std::string typed = code;
    for (char& c : typed)
        c = c == '0' ? 'o' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string text = "4/1 12:00 Zentavo ver.1.52　" + code + "　ぜんぶ正解！\r\n"
                             "\t" + typed + "\t\n\n<script>alert(1)</script> ZZZZZZZZZZZZZZZZZZZZ\n"
                             "\xEF\xBC\xBA" + code.substr(1) + "です";  // Ｚ as an input method types it
    std::vector<std::tuple<int32_t, std::string, bool>> found;
    ScanCodes(text, [&](FoundCode& code) {
        found.emplace_back(code.line, code.read.index() == 0 ? code.word : code.lineText, code.read.index() == 0);
    });
    EXPECT_EQ(found, (std::vector<std::tuple<int32_t, std::string, bool>>{
                         {1, code, true},
                         {2, code, true},
                         {4, "<script>alert(1)</script> ZZZZZZZZZZZZZZZZZZZZ", false},
                         {5, code, true}}));

    std::string lines;  // 10,000 lines, a megabyte
    for (int32_t k = 0; k < 10000; ++k)
        lines += "4/1 12:00 シード 42 1 枚目　２・３の段　１０問　1回目 10問中 9問 正解　" + code + "\n";
    const auto start = std::chrono::steady_clock::now();
    size_t codes = 0;
    ScanCodes(lines, [&](FoundCode& found) { codes += found.read.index() == 0 ? 1 : 0; });
    EXPECT_EQ(codes, 10000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
}  // namespace zentavo
