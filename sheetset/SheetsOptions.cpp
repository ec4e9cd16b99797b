#include "sheetset/SheetsOptions.h"

#include "generation/ProblemCount.h"
#include "generation/TwoDigitModes.h"
#include "sheetset/OptionNames.h"
#include "window/controls/OptionControls.h"
#include "window/controls/PrintNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace zentavo {
namespace {

constexpr std::string_view Program = "zentavo-sheets";

// The command line's names of the two-digit modes 1 to 7; each is also
// known by its caption in the window.
constexpr std::array<std::string_view, LastTwoDigitMode> TwoDigitNames = {
    "exact", "single-no-borrow", "single-borrow", "single-mixed", "no-borrow", "borrow", "mixed"};

std::string_view ModeCaption(int32_t mode)
{
    return InfoOf(Group::Amari).items[static_cast<size_t>(mode)];
}

std::string Caption(Group group, int32_t item)
{
    return std::string(InfoOf(group).caption) + " " + std::string(InfoOf(group).items[static_cast<size_t>(item)]);
}

// The options as given, before the rules between them are checked.
struct Draft {
    int32_t dans = 0;  // bit n: dan n
    std::optional<int32_t> emphasis;
    bool zero = false;
    std::optional<int32_t> count;  // problems per sheet
    bool twoColumns = false;
    bool shuffle = false;
    int32_t times = 0;  // MGroup item
    int32_t blank = 0;  // rgSquare item
    int32_t twoDigit = 0;
    bool numbers = false;
    int32_t printNumber = 1;
    int32_t sheets = 1;
    bool answers = false;
    bool answersAtEnd = false;
    std::optional<uint32_t> seed;
    std::optional<Paper> paper;
    std::optional<std::string> pdf;
    std::optional<std::string> printQueue;
};

std::optional<uint64_t> WholeNumber(std::string_view text, uint64_t least, uint64_t most)
{
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < least || value > most)
        return std::nullopt;
    return value;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// The window's mode captions mix half- and full-width brackets; either is
// accepted for each.
std::string HalfWidthBrackets(std::string_view text)
{
    std::string result(text);
    for (const auto& [wide, half] : {std::pair{"（", "("}, std::pair{"）", ")"}}) {
        for (size_t at = result.find(wide); at != std::string::npos; at = result.find(wide, at))
            result.replace(at, std::string_view(wide).size(), half);
    }
    return result;
}

// "a, b or c".
std::string OrList(const std::vector<std::string>& words)
{
    std::string list;
    for (size_t i = 0; i < words.size(); ++i)
        list += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    return list;
}

// "9, 10 or 18": the counts of the count items for which `offered` holds, each
// once.
template <typename Offered>
std::string Counts(bool twoColumns, Offered offered)
{
    std::vector<std::string> counts;
    for (const int32_t count : ProblemCountByItem) {
        const std::string text = std::to_string(count);
        const auto item = CountItem(count, twoColumns);
        if (item && offered(*item) && std::find(counts.begin(), counts.end(), text) == counts.end())
            counts.push_back(text);
    }
    return OrList(counts);
}

const std::string& AllCounts()
{
    static const std::string list = Counts(false, [](int32_t) { return true; });
    return list;
}

// The words of an option's values, item 0 having none.
std::string Words(std::span<const std::string_view> words)
{
    return OrList(std::vector<std::string>(words.begin() + 1, words.end()));
}

// The item of `word` in `words`; 0, the item without a word, where none.
int32_t ItemOf(std::span<const std::string_view> words, std::string_view word)
{
    const auto found = std::find(words.begin() + 1, words.end(), word);
    return found == words.end() ? 0 : static_cast<int32_t>(found - words.begin());
}

bool ReadCount(std::string_view text, Draft& draft)
{
    const auto count = WholeNumber(text, 1, ProblemCapacity);
    if (!count || !CountItem(static_cast<int32_t>(*count), false))
        return false;
    draft.count = static_cast<int32_t>(*count);
    return true;
}

bool ReadTwoDigit(std::string_view text, Draft& draft)
{
    if (const auto mode = WholeNumber(text, FirstTwoDigitMode, LastTwoDigitMode)) {
        draft.twoDigit = static_cast<int32_t>(*mode);
        return true;
    }
    const std::string given = HalfWidthBrackets(text);
    for (int32_t mode = FirstTwoDigitMode; mode <= LastTwoDigitMode; ++mode) {
        if (SameLetters(text, TwoDigitNames[static_cast<size_t>(mode - 1)])
            || given == HalfWidthBrackets(ModeCaption(mode))) {
            draft.twoDigit = mode;
            return true;
        }
    }
    return false;
}

template <typename Value>
bool Assign(std::optional<Value>& field, std::optional<uint64_t> value)
{
    if (value)
        field = static_cast<Value>(*value);
    return value.has_value();
}

enum class Takes { Nothing, Value, OptionalValue };

struct KnownOption {
    std::string name;
    Takes takes;
    std::string accepts;  // what the value may be
    bool (*read)(std::string_view value, Draft& draft);
};

std::string Dashed(std::string_view name)
{
    return "--" + std::string(name);
}

const std::array<KnownOption, 20>& Options()
{
    static const std::array<KnownOption, 20> options = {{
        {Dashed(option::Dans), Takes::Value, "a list of dans from 1 to 9, such as 3,4,7",
         [](std::string_view v, Draft& d) {
             d.dans = ReadDans(v).value_or(0);
             return d.dans != 0;
         }},
        {Dashed(option::Emphasis), Takes::Value, "a dan from 1 to 9",
         [](std::string_view v, Draft& d) { return Assign(d.emphasis, WholeNumber(v, 1, 9)); }},
        {Dashed(option::Zero), Takes::Nothing, "", [](std::string_view, Draft& d) { return d.zero = true; }},
        {Dashed(option::Count), Takes::Value, AllCounts(), ReadCount},
        {Dashed(option::TwoColumns), Takes::Nothing, "",
         [](std::string_view, Draft& d) { return d.twoColumns = true; }},
        {Dashed(option::Shuffle), Takes::Nothing, "", [](std::string_view, Draft& d) { return d.shuffle = true; }},
        {Dashed(option::Times), Takes::Value, Words(option::TimesWords),
         [](std::string_view v, Draft& d) { return (d.times = ItemOf(option::TimesWords, v)) != 0; }},
        {Dashed(option::Blank), Takes::Value, Words(option::BlankWords),
         [](std::string_view v, Draft& d) { return (d.blank = ItemOf(option::BlankWords, v)) != 0; }},
        {Dashed(option::TwoDigit), Takes::Value, "a mode from 1 to 7 or its name (listed by --help)", ReadTwoDigit},
        {Dashed(option::Numbers), Takes::Nothing, "", [](std::string_view, Draft& d) { return d.numbers = true; }},
        {Dashed(option::PrintNumber), Takes::Value, "a whole number from -2147483648 to 2147483647",
         [](std::string_view v, Draft& d) {
             const auto number = ParsePrintNumber(v);
             d.printNumber = number.value_or(d.printNumber);
             return number.has_value();
         }},
        {Dashed(option::Sheets), Takes::Value, "a number of sheets from 1 to 100000",
         [](std::string_view v, Draft& d) {
             const auto sheets = ReadSheetCount(v, MostSheets);
             d.sheets = sheets.value_or(1);
             return sheets.has_value();
         }},
        {"--answers", Takes::Nothing, "", [](std::string_view, Draft& d) { return d.answers = true; }},
        {"--answers-at-end", Takes::Nothing, "", [](std::string_view, Draft& d) { return d.answersAtEnd = true; }},
        {Dashed(option::Seed), Takes::Value, "a seed from 0 to 4294967295",
         [](std::string_view v, Draft& d) {
             d.seed = ReadSeed(v);
             return d.seed.has_value();
         }},
        {"--paper", Takes::Value, "A4, B5, B4, A3 or Letter",
         [](std::string_view v, Draft& d) {
             for (const PaperInfo& paper : Papers)
                 if (SameLetters(v, paper.name))
                     d.paper = paper.paper;
             return d.paper.has_value();
         }},
        {"--pdf", Takes::Value, "a file name",
         [](std::string_view v, Draft& d) {
             d.pdf = std::string(v);
             return !v.empty();
         }},
        {"--print", Takes::OptionalValue, "a print queue's name",
         [](std::string_view v, Draft& d) {
             d.printQueue = std::string(v);
             return true;
         }},
        {"--help", Takes::Nothing, "", nullptr},
        {"--version", Takes::Nothing, "", nullptr},
    }};
    return options;
}

const KnownOption* FindOption(std::string_view name)
{
    for (const KnownOption& option : Options())
        if (option.name == name)
            return &option;
    return nullptr;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// What the command line asks of its output.
std::optional<std::string> BrokenOutputRule(const Draft& d)
{
    if (d.pdf && d.printQueue)
        return "--pdf and --print exclude each other: give one of them";
    if (!d.pdf && !d.printQueue)
        return "--pdf FILE or --print [QUEUE] is needed: where the sheets go";
    if (d.paper && d.printQueue)
        return "--paper goes with --pdf; --print takes the paper the queue has";
    if (d.answers && d.answersAtEnd)
        return "--answers and --answers-at-end exclude each other: give one of them";
    return std::nullopt;
}

// The counts with which the window offers 被除数に０を 入れる.
std::string ZeroCounts()
{
    const auto offered = [](int32_t item) {
        OptionControls controls;
        controls.SetDanBox(1, true);
        controls.SelectItem(Group::QNumCheck, item);
        return controls.GroupEnabled(Group::JousuuCheck);
    };
    return "--count " + Counts(false, offered) + ", or " + Counts(true, offered) + " with --two-columns";
}

// The options set on the window's controls, as a user would click them, in
// the window's order; an option that a rule between the controls undoes or
// does not allow is refused.
std::variant<SheetOptions, std::string> ControlsOf(const Draft& d)
{
    OptionControls controls;
    for (int32_t dan = 0; dan < DanCount; ++dan)
        if ((d.dans & (1 << dan)) != 0)
            controls.SetDanBox(dan, true);
    if (d.emphasis)
        controls.SelectItem(Group::ImportantDan, *d.emphasis);  // checks the emphasised dan's box
    // In the two-digit modes the dans only steer the draw; the window needs
    // at least one checked, and without --dans all of them are.
    if (d.twoDigit != 0 && !controls.CommandEnabled(Command::PreviewBtn))
        for (int32_t dan = 0; dan < DanCount; ++dan)
            if (controls.DanEnabled(dan))
                controls.SetDanBox(dan, true);
    if (d.times != 0) {
        controls.Enter(Group::MGroup);
        controls.SelectItem(Group::MGroup, d.times);
    }
    if (d.blank != 0) {
        controls.Enter(Group::rgSquare);
        controls.SelectItem(Group::rgSquare, d.blank);
    }
    if (controls.ItemIndex(Group::MGroup) != d.times)
        return "--times and --blank exclude each other, as " + std::string(InfoOf(Group::MGroup).caption)
             + " and " + std::string(InfoOf(Group::rgSquare).caption) + " do in the window";
    const int32_t startCount = ProblemCountFor(InfoOf(Group::QNumCheck).startIndex, 0);
    const auto countItem = CountItem(d.count.value_or(startCount), d.twoColumns);
    if (!countItem)
        return "--two-columns takes --count " + Counts(true, [](int32_t) { return true; });
    if (!controls.CommandEnabled(Command::PreviewBtn))
        return "--dans is needed: the dans to drill, such as --dans 3,4,7 (each 1 to 9)";
    controls.SelectItem(Group::QNumCheck, *countItem);
    if (d.zero) {
        controls.SelectItem(Group::JousuuCheck, 1);
        if (controls.ItemIndex(Group::JousuuCheck) != 1)
            return "--zero (" + Caption(Group::JousuuCheck, 1) + ") is offered only with " + ZeroCounts();
    }
    controls.SelectItem(Group::RandomCheck, d.shuffle ? 1 : 0);
    controls.SelectItem(Group::Amari, d.twoDigit);
    controls.SelectItem(Group::rgNum, d.numbers ? 1 : 0);
    return controls.Snapshot();
}

SheetsCommand CommandOf(const Draft& d, const SheetOptions& sheet)
{
    SheetsCommand command;
    command.set.sheet = sheet;
    command.set.firstPrintNumber = d.printNumber;
    command.set.sheets = d.sheets;
    command.set.answers = d.answersAtEnd ? AnswerPages::AtEnd : d.answers ? AnswerPages::AfterEach : AnswerPages::None;
    command.set.seed = d.seed;
    if (d.pdf)
        command.output = PdfOutput{*d.pdf, d.paper.value_or(Paper::A4)};
    else
        command.output = PrintOutput{*d.printQueue};
    return command;
}

}  // namespace

std::optional<int32_t> ReadSheetCount(std::string_view text, int32_t most)
{
    const auto sheets = WholeNumber(text, 1, static_cast<uint64_t>(std::max(most, 1)));
    return sheets ? std::optional<int32_t>(static_cast<int32_t>(*sheets)) : std::nullopt;
}

std::optional<uint32_t> ReadSeed(std::string_view text)
{
    const auto seed = WholeNumber(text, 0, UINT32_MAX);
    return seed ? std::optional<uint32_t>(static_cast<uint32_t>(*seed)) : std::nullopt;
}

std::optional<int32_t> ReadDans(std::string_view list)
{
    int32_t dans = 0;
    for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const auto dan = WholeNumber(list.substr(start, comma - start), 1, 9);
        if (!dan)
            return std::nullopt;
        dans |= 1 << *dan;
        start = comma + 1;
    }
    return dans;
}

std::optional<int32_t> CountItem(int32_t count, bool twoColumns)
{
    bool seen = false;
    for (size_t item = 0; item < ProblemCountByItem.size(); ++item) {
        if (ProblemCountByItem[item] != count)
            continue;
        if (seen == twoColumns)
            return static_cast<int32_t>(item);
        seen = true;
    }
    return std::nullopt;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    Draft draft;
    std::vector<std::string_view> seen;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const KnownOption* option = argument.starts_with("--") ? FindOption(name) : nullptr;
        if (!option) {
            const std::string_view what = argument.starts_with("-") ? "unknown option " : "unexpected argument ";
            return UsageError{std::string(what) + Quoted(argument) + "; " + std::string(Program)
                              + " --help lists the options"};
        }
        if (option->name == "--help")
            return ShowHelp{};
        if (option->name == "--version")
            return ShowVersion{};
        if (std::find(seen.begin(), seen.end(), option->name) != seen.end())
            return UsageError{std::string(option->name) + " is given twice"};
        seen.push_back(option->name);

        std::string_view value;
        const bool inlineValue = equals != std::string_view::npos;
        if (inlineValue) {
            value = argument.substr(equals + 1);
            if (option->takes == Takes::Nothing)
                return UsageError{std::string(option->name) + " takes no value"};
        } else if (option->takes == Takes::Value) {
            if (i + 1 == arguments.size())
                return UsageError{std::string(option->name) + " needs a value: " + std::string(option->accepts)};
            value = arguments[++i];
        } else if (option->takes == Takes::OptionalValue && i + 1 < arguments.size()
                   && !arguments[i + 1].starts_with("-")) {
            value = arguments[++i];
        }
        if (!option->read(value, draft))
            return UsageError{std::string(option->name) + " takes " + std::string(option->accepts) + ", not "
                              + Quoted(value)};
    }
    if (const auto broken = BrokenOutputRule(draft))
        return UsageError{*broken};
    const auto sheet = ControlsOf(draft);
    if (const auto* broken = std::get_if<std::string>(&sheet))
        return UsageError{*broken};
    return CommandOf(draft, std::get<SheetOptions>(sheet));
}

std::string HelpText()
{
    std::string text = R"(Usage: zentavo-sheets [OPTIONS] (--pdf FILE | --print [QUEUE])

Makes a set of different division worksheets (わりざん九九), each with its
answer sheet on request, without a window. The options are the window's
controls; sheet k is the sheet the window draws on its k-th Preview from the
same seed, so a set made again with its seed is the same set.

Problems:
  --dans LIST           the dans to drill, such as 3,4,7 (each 1 to 9);
                        needed with the times tables. In the two-digit modes
                        the dans only steer the draw (default: all)
  --emphasis N          重点的にしたい段: every problem of dan N (1 to 9) is
                        on the sheet; its box counts as checked
  --zero                被除数に０を 入れる (with 10, 20, 30, 40, 60, 80 and
                        40 in two columns only)
  --count N             問題数: 9, 10, 18, 20, 27, 30, 36, 40, 54, 60, 72 or
                        80 problems per sheet (default 10)
  --two-columns         ２列: 36 or 40 problems laid out in two columns
  --shuffle             ﾗﾝﾀﾞﾑ指定 あり: the problems in random order
  --times 10|100        何十、何百の指定: dividends times 10 or 100
  --blank dividend|divisor|mixed
                        [ ]のパターン: a blank box instead of the dividend,
                        the divisor, or either (not with --times)
  --two-digit MODE      ２桁の割り算: MODE 1 to 7, or its name:
)";
    for (int32_t mode = FirstTwoDigitMode; mode <= LastTwoDigitMode; ++mode) {
        std::string line = "                          " + std::to_string(mode) + " "
                         + std::string(TwoDigitNames[static_cast<size_t>(mode - 1)]);
        line.resize(std::max<size_t>(line.size() + 1, 46), ' ');
        text += line + std::string(ModeCaption(mode)) + "\n";
    }
    text += R"(  --numbers             問題番号 あり: circled problem numbers

The set:
  --sheets N            how many different sheets (default 1, at most 100000)
  --print-number N      the first sheet's ﾌﾟﾘﾝﾄ番号 (default 1); sheet k has
                        N + k - 1
  --answers             each question sheet followed by its answer sheet
  --answers-at-end      all answer sheets after all question sheets
  --seed S              start the random source at S (0 to 4294967295);
                        without it the clock chooses, and the seed is shown
                        on the error output

Output:
  --pdf FILE            one PDF, a page per sheet; FILE is replaced only by a
                        complete new document
  --paper SIZE          A4 (default), B5, B4, A3 or Letter, portrait; B sizes
                        are JIS
  --print [QUEUE]       the whole set as one print job titled "Zentavo" to
                        QUEUE, or to the default printer, on its paper

  --help                this text
  --version             the version

Exit status: 0 done, 1 the set could not be made or written, 2 wrong options.
)";
    return text;
}

std::string VersionText()
{
    return std::string(Program) + " (Zentavo) " + ZENTAVO_VERSION + "\n";
}

}  // namespace zentavo
