#include "fuzz/FuzzChecks.h"

#include "generation/GenerateProblems.h"
#include "generation/TwoDigitModes.h"
#include "render/MakePrint.h"
#include "render/ProblemTexts.h"
#include "render/ShiftJis.h"
#include "window/controls/PrintNumber.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string_view>

namespace zentavo::fuzz {
namespace {

std::string Describe(std::string_view text)
{
    std::string shown;
    for (unsigned char c : text) {
        static const char digits[] = "0123456789ABCDEF";
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            shown += "\\x";
            shown += digits[c >> 4];
            shown += digits[c & 0xF];
        }
    }
    return '"' + shown + '"';
}

std::string Shown(std::optional<int32_t> value)
{
    return value ? std::to_string(*value) : std::string("none");
}

// The print number rules read a second way: std::from_chars does the digits
// once the blanks, the sign and the hex prefix are taken off by hand.
template <typename T>
std::optional<T> WholeNumber(std::string_view digits, int base)
{
    T value{};
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

std::optional<int32_t> ReferencePrintNumber(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(first);

    size_t prefix = 0;
    if (text.starts_with("0x") || text.starts_with("0X"))
        prefix = 2;
    else if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        prefix = 1;
    if (prefix != 0) {
        // An unsigned reading accepts no sign of either kind.
        const auto pattern = WholeNumber<uint64_t>(text.substr(prefix), 16);
        if (!pattern || *pattern > 0xFFFFFFFFu)
            return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*pattern));
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))  // from_chars would take "+-5" as -5
            return std::nullopt;
    }
    return WholeNumber<int32_t>(text, 10);
}

// Reads fixed-size fields from the front of the input; missing bytes are 0.
class FieldReader {
public:
    explicit FieldReader(std::span<const uint8_t> input) : rest_(input) {}

    int32_t Next()
    {
        uint8_t bytes[4] = {};
        const size_t taken = std::min(rest_.size(), sizeof bytes);
        std::memcpy(bytes, rest_.data(), taken);
        rest_ = rest_.subspan(taken);
        return static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24);
    }

private:
    std::span<const uint8_t> rest_;
};

struct SheetInput {
    SheetOptions options;
    uint32_t seed = 0;
    int32_t width = 0, height = 0, answers = 0, printNumber = 0;
    ProblemList list;  // what an earlier Preview left behind
};

SheetInput ReadSheetInput(std::span<const uint8_t> input)
{
    FieldReader read(input);
    SheetInput in;
    SheetOptions& o = in.options;
    for (int32_t* field : {&o.DanMask, &o.ImportantDan, &o.JousuuCheck, &o.QNumCheck, &o.RandomCheck,
                           &o.MGroup, &o.Amari, &o.rgNum, &o.rgSquare})
        *field = read.Next();
    in.seed = static_cast<uint32_t>(read.Next());
    in.width = read.Next();
    in.height = read.Next();
    in.answers = read.Next();
    in.printNumber = read.Next();
    in.list.Count = read.Next();
    for (int32_t i = 1; i <= ProblemCapacity; ++i) {
        in.list.Codes[i] = read.Next();
        in.list.Divisors[i] = read.Next();
        in.list.BlankSide[i] = read.Next();
    }
    return in;
}

bool SameProblems(const ProblemList& a, const ProblemList& b)
{
    return a.Count == b.Count && a.Codes == b.Codes && a.Divisors == b.Divisors && a.BlankSide == b.BlankSide;
}

// Every divisor that an answer may divide by is non-zero; slots after the
// count are cleared.
std::string CheckGeneratedList(const SheetOptions& options, const ProblemList& list)
{
    if (list.Count < 0 || list.Count > ProblemCapacity)
        return "count " + std::to_string(list.Count) + " outside 0..80";
    const bool twoDigit = IsTwoDigitMode(options.Amari);
    for (int32_t i = 1; i <= ProblemCapacity; ++i) {
        const int32_t code = list.Codes[i], divisor = list.Divisors[i], side = list.BlankSide[i];
        const std::string at = "slot " + std::to_string(i) + ": code " + std::to_string(code) + ", divisor " +
                               std::to_string(divisor) + ", side " + std::to_string(side);
        if (i > list.Count) {
            if (code != 0 || divisor != 0 || side != 0)
                return at + " after the count " + std::to_string(list.Count) + " is not cleared";
            continue;
        }
        if (code < 10 || code > 99)
            return at + " has a code outside 10..99";
        if (twoDigit ? (divisor < 2 || divisor > 9) : divisor != 0)
            return at + " has a divisor the mode does not allow";
        if (side != 0 && side != 1)
            return at + " has a blank side other than 0 or 1";
    }
    return {};
}

// At most 16 bytes, and a double-byte character never cut after its lead.
std::string CheckText(const std::string& text, int32_t i)
{
    const std::string at = "text " + std::to_string(i) + ' ' + Describe(text);
    if (text.size() > MaxTextBytes)
        return at + " is longer than 16 bytes";
    for (size_t k = 0; k < text.size(); ++k) {
        if (!sjis::IsLeadByte(static_cast<unsigned char>(text[k])))
            continue;
        if (++k == text.size())
            return at + " ends in a lone lead byte";
    }
    return {};
}

// A canvas that only checks that every problem text it is given is sound.
class CheckingCanvas : public SheetCanvas {
public:
    std::string fault;
    int32_t texts = 0;

    void SetBrushStyle(BrushStyle) override {}
    void SetBrushColor(uint32_t) override {}
    void SetPenColor(uint32_t) override {}
    void DrawRectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void SetFontName(const std::string&) override {}
    void SetFontHeight(int32_t) override {}
    void PutText(int32_t, int32_t, const std::string& text) override
    {
        // The four header texts come first; the name box is longer than 16.
        if (++texts > 4 && fault.empty())
            fault = CheckText(text, texts - 4);
    }
};

std::string CheckDrawing(const SheetInput& in, ProblemList& list, int32_t answers)
{
    CheckingCanvas canvas;
    MakePrint(canvas, in.width, in.height, answers, in.options, list, in.printNumber);
    if (!canvas.fault.empty())
        return "drawn " + canvas.fault;
    const int32_t count = std::clamp(list.Count, 0, ProblemCapacity);
    for (int32_t i = 1; i <= count; ++i)
        if (std::string fault = CheckText(list.Texts[i], i); !fault.empty())
            return fault;
    if (canvas.texts - 4 > count)
        return "drew " + std::to_string(canvas.texts - 4) + " problems of " + std::to_string(count);
    return {};
}

}  // namespace

std::string CheckPrintNumber(std::span<const uint8_t> input)
{
    const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
    const auto parsed = ParsePrintNumber(text);
    const auto expected = ReferencePrintNumber(text);
    if (parsed != expected)
        return Describe(text) + " reads as " + Shown(parsed) + ", expected " + Shown(expected);
    if (parsed) {
        // What the window writes back must read as the same number again.
        const auto again = ParsePrintNumber(FormatPrintNumber(*parsed));
        if (again != parsed)
            return FormatPrintNumber(*parsed) + " reads back as " + Shown(again);
        if (NextPrintNumber(*parsed) < *parsed)
            return "the number after " + std::to_string(*parsed) + " is smaller";
    }
    return {};
}

std::string CheckSheet(std::span<const uint8_t> input)
{
    SheetInput in = ReadSheetInput(input);
    ProblemList& list = in.list;
    const ProblemList before = list;
    RandomSource random;
    random.RandomSeed = in.seed;

    if (GenerateProblems(in.options, list, random) == GenerateResult::Generated) {
        if (std::string fault = CheckGeneratedList(in.options, list); !fault.empty())
            return fault;
    } else if (!SameProblems(list, before) || random.RandomSeed != in.seed) {
        return "a refused generation changed the list or the random source";
    }
    // A refused generation leaves the earlier list, which is still drawn.
    for (int32_t answers : {in.answers, 0, 1})
        if (std::string fault = CheckDrawing(in, list, answers); !fault.empty())
            return fault;
    return {};
}

}  // namespace zentavo::fuzz
