#include "web/ResultCode.h"

#include "generation/ProblemCount.h"
#include "sheetset/SheetSet.h"
#include "web/ClassTable.h"

#include <algorithm>
#include <bit>
#include <optional>

namespace zentavo {
namespace {

constexpr std::string_view Alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr char Marker = 'Z';
constexpr uint8_t Version = 1;
constexpr int32_t SymbolBits = 5;
constexpr int32_t CheckSymbols = 2;
// Words shorter than this are not taken for codes, such as "Zentavo" or a
// name (a code cut in two is, by its first part); longer ones are no code of
// any version.
constexpr size_t ShortestWord = 20;
constexpr size_t LongestCode = 64;

// The check: the symbols' sum, symbol i (from 0) weighted i + 1 and the two
// check symbols 64 and 2, is a multiple of the prime 1021. A symbol changed
// by d changes the sum by its weight times d, and two different neighbours
// swapped by the difference of their weights times d: both factors are
// non-zero and smaller than the prime, so the product is never a multiple
// of it, and the code is refused. (Codes are at most 64 symbols, so that
// no leading weight is 64.)
constexpr int32_t CheckPrime = 1021;
constexpr int32_t HighCheckWeight = 64;
constexpr int32_t LowCheckWeight = 2;
constexpr int32_t HalfModPrime = 511;  // 2 * 511 = 1 (mod 1021)

constexpr int32_t SeedBits = 32;
constexpr int32_t DanBits = DanCount - 1;  // dans 1 to 9: box D0 never drills
constexpr int32_t SheetBits = std::bit_width(static_cast<uint32_t>(LastOriginSheet));
constexpr int32_t RandomBits = 32;
constexpr int32_t PupilBits = std::bit_width(static_cast<uint32_t>(page::links::MostPupils));
constexpr int32_t RoundBits = std::bit_width(static_cast<uint32_t>(MostRounds - 1));
constexpr int32_t SecondBits = std::bit_width(static_cast<uint32_t>(MostSeconds));

// A group's item is written with one more value for "none" where the group
// starts with none; its width follows from the control table's items.
constexpr int32_t NoneOffset(const RadioGroupInfo& group)
{
    return group.startIndex < 0 ? 1 : 0;
}
constexpr int32_t ItemBits(const RadioGroupInfo& group)
{
    return std::bit_width(group.items.size() - 1 + static_cast<size_t>(NoneOffset(group)));
}
constexpr int32_t FieldBits(int32_t problems)
{
    int32_t bits = SeedBits + DanBits + SheetBits + RandomBits + PupilBits + RoundBits + 1 + SecondBits + problems;
    for (const RadioGroupInfo& group : RadioGroups)
        bits += ItemBits(group);
    return bits;
}
constexpr size_t CodeLength(int32_t problems)
{
    return static_cast<size_t>(2 + (FieldBits(problems) + SymbolBits - 1) / SymbolBits + CheckSymbols);
}
static_assert(CodeLength(ProblemCapacity) <= 48, "a code of a full sheet is read aloud and typed");
static_assert(CodeLength(ProblemCapacity) <= LongestCode);

// Each field of a result in order with its width: `field(value, bits)`
// writes the value or reads it. The marks follow the count item, read
// before them.
template <typename Field>
void EachField(PupilResult& result, Field&& field)
{
    SheetOptions& options = result.origin.options;
    field(result.origin.seed, SeedBits);
    auto dans = static_cast<uint32_t>(options.DanMask) >> 1;
    field(dans, DanBits);
    options.DanMask = static_cast<int32_t>(dans << 1);
    for (const RadioGroupInfo& group : RadioGroups) {
        int32_t& item = ItemOf(options, group.group);
        auto value = static_cast<uint32_t>(item + NoneOffset(group));
        field(value, ItemBits(group));
        item = static_cast<int32_t>(value) - NoneOffset(group);
    }
    const auto number = [&](int32_t& value, int32_t bits, int32_t offset) {
        auto written = static_cast<uint32_t>(value - offset);
        field(written, bits);
        value = static_cast<int32_t>(written) + offset;
    };
    number(result.origin.sheet, SheetBits, 0);
    field(result.origin.random, RandomBits);
    number(result.pupil, PupilBits, 0);
    number(result.rounds, RoundBits, 1);
    uint32_t done = result.done ? 1 : 0;
    field(done, 1);
    result.done = done != 0;
    number(result.seconds, SecondBits, 0);
    result.marks.resize(static_cast<size_t>(ProblemCountFor(options.QNumCheck, 0)), WrongLetter);
    for (char& mark : result.marks) {
        uint32_t right = mark == RightLetter ? 1 : 0;
        field(right, 1);
        mark = right != 0 ? RightLetter : WrongLetter;
    }
}

// Whether the options draw sheets, remembered for the options asked last: a
// paste of many codes is mostly of one set, and each answer draws a sheet.
bool MakesSheets(const SheetOptions& options)
{
    static std::optional<std::pair<SheetOptions, bool>> last;
    if (!last || !SameOptions(last->first, options))
        last.emplace(options, CanMakeSheets(options));
    return last->second;
}

// Whether every value is one a result has.
bool Possible(const PupilResult& result)
{
    const SheetOptions& options = result.origin.options;
    for (const RadioGroupInfo& group : RadioGroups) {
        const int32_t item = ItemOf(options, group.group);
        if (item < -NoneOffset(group) || item >= static_cast<int32_t>(group.items.size()))
            return false;
    }
    const bool allRight = result.marks.find(WrongLetter) == std::string::npos;
    return (options.DanMask & ~DrillableDans) == 0 && result.origin.sheet >= 1
        && result.origin.sheet <= LastOriginSheet && result.pupil >= 1 && result.pupil <= page::links::MostPupils
        && result.rounds >= 1 && result.seconds >= 0
        && result.marks.size() == static_cast<size_t>(ProblemCountFor(options.QNumCheck, 0))
        && result.marks.find_first_not_of({RightLetter, WrongLetter}) == std::string::npos
        && allRight == (result.done && result.rounds == 1) && MakesSheets(options);
}

int32_t WeightedSum(const std::vector<uint8_t>& symbols)
{
    const size_t leading = symbols.size() - CheckSymbols;
    int32_t sum = HighCheckWeight * symbols[leading] + LowCheckWeight * symbols[leading + 1];
    for (size_t i = 0; i < leading; ++i)
        sum += static_cast<int32_t>(i + 1) * symbols[i];  // at most 64 * 65 / 2 * 31 in all
    return sum % CheckPrime;
}

// A code's character as it is written: capitals for lower case, 0 for O, 1
// for I and L.
char Written(char c)
{
    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return c == 'O' ? '0' : c == 'I' || c == 'L' ? '1' : c;
}

// The symbols of a code as read; nullopt where a character is none.
std::optional<std::vector<uint8_t>> SymbolsOf(std::string_view code)
{
    std::vector<uint8_t> symbols;
    symbols.reserve(code.size());
    for (const char c : code) {
        const size_t symbol = Alphabet.find(Written(c));
        if (symbol == std::string_view::npos)
            return std::nullopt;
        symbols.push_back(static_cast<uint8_t>(symbol));
    }
    return symbols;
}

class SymbolWriter {
public:
    void Put(uint32_t value, int32_t bits)
    {
        for (int32_t bit = bits - 1; bit >= 0; --bit) {
            pending_ = pending_ << 1 | ((value >> bit) & 1);
            if (++filled_ == SymbolBits)
                Flush();
        }
    }
    // The symbols, the last filled with zeros, and the check symbols.
    std::vector<uint8_t> Done()
    {
        if (filled_ > 0) {
            pending_ <<= SymbolBits - filled_;
            Flush();
        }
        symbols_.insert(symbols_.end(), CheckSymbols, 0);
        const int32_t check = (CheckPrime - WeightedSum(symbols_)) % CheckPrime * HalfModPrime % CheckPrime;
        symbols_[symbols_.size() - 2] = static_cast<uint8_t>(check / 32);
        symbols_[symbols_.size() - 1] = static_cast<uint8_t>(check % 32);
        return symbols_;
    }

private:
    void Flush()
    {
        symbols_.push_back(static_cast<uint8_t>(pending_));
        pending_ = 0;
        filled_ = 0;
    }

    std::vector<uint8_t> symbols_ = {static_cast<uint8_t>(Alphabet.find(Marker)), Version};
    uint32_t pending_ = 0;
    int32_t filled_ = 0;
};

class SymbolReader {
public:
    SymbolReader(const std::vector<uint8_t>& symbols, size_t begin, size_t end)
        : symbols_(symbols), bit_(begin * SymbolBits), end_(end * SymbolBits)
    {
    }
    uint32_t Take(int32_t bits)
    {
        uint32_t value = 0;
        for (int32_t k = 0; k < bits; ++k, ++bit_) {
            const uint32_t symbol = bit_ < end_ ? symbols_[bit_ / SymbolBits] : 0;  // past the end: read as 0
            value = value << 1 | ((symbol >> (SymbolBits - 1 - bit_ % SymbolBits)) & 1);
        }
        return value;
    }
    // Every field read, and only zeros in the last symbol after them.
    bool EndsWell() const
    {
        return bit_ <= end_ && end_ - bit_ < SymbolBits
            && (symbols_[end_ / SymbolBits - 1] & ((1u << (end_ - bit_)) - 1)) == 0;
    }

private:
    const std::vector<uint8_t>& symbols_;
    size_t bit_;
    size_t end_;
};

}  // namespace

std::optional<std::string> WriteResultCode(const PupilResult& given)
{
    PupilResult result = given;
    result.rounds = std::min(result.rounds, MostRounds);
    result.seconds = std::min(result.seconds, MostSeconds);
    if (!Possible(result))
        return std::nullopt;
    SymbolWriter writer;
    EachField(result, [&](uint32_t& value, int32_t bits) { writer.Put(value, bits); });
    std::string code;
    for (const uint8_t symbol : writer.Done())
        code += Alphabet[symbol];
    return code;
}

ReadCode ReadResultCode(std::string_view code)
{
    const auto symbols = code.size() <= LongestCode ? SymbolsOf(code) : std::nullopt;
    if (!symbols || symbols->size() < 2 + CheckSymbols || Alphabet[symbols->front()] != Marker)
        return CodeFault::NotACode;
    if (WeightedSum(*symbols) != 0)
        return CodeFault::Mistyped;
    if ((*symbols)[1] != Version)
        return (*symbols)[1] > Version ? CodeFault::LaterFormat : CodeFault::Impossible;
    SymbolReader reader(*symbols, 2, symbols->size() - CheckSymbols);
    PupilResult result;
    EachField(result, [&](uint32_t& value, int32_t bits) { value = reader.Take(bits); });
    if (!reader.EndsWell() || !Possible(result))
        return CodeFault::Impossible;
    return result;
}

CodeOrWhy ResultCodeOf(const Solving& solving, int32_t pupil, int64_t milliseconds)
{
    if (const auto* why = std::get_if<std::string>(&solving.Origin()))
        return {"", *why};
    if (pupil < 1 || pupil > page::links::MostPupils)
        return {"", page::WithFullStop(std::string(page::tally::AskPupilForCode))};
    if (solving.RoundsMarked() < 1)
        return {"", page::WithFullStop(std::string(page::tally::NotMarkedYet))};
    PupilResult result;
    result.origin = std::get<SheetOrigin>(solving.Origin());
    result.pupil = pupil;
    result.marks = solving.FirstMarks();
    result.rounds = solving.RoundsMarked();
    result.done = solving.Done();
    result.seconds = static_cast<int32_t>(std::clamp<int64_t>(milliseconds / 1000, 0, MostSeconds));
    auto code = WriteResultCode(result);
    return code ? CodeOrWhy{*std::move(code), ""} : CodeOrWhy{"", page::WithFullStop(std::string(page::tally::PreviewAgain))};
}

namespace {

// The ASCII letter or digit at the text's start, a full-width one (as an
// input method types it) as its ASCII twin, with its length in bytes; 0
// where there is none.
std::pair<char, size_t> WordCharacterAt(std::string_view text)
{
    const auto c = static_cast<unsigned char>(text[0]);
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return {static_cast<char>(c), 1};
    if (text.size() < 3 || c != 0xEF)
        return {0, 1};
    const auto second = static_cast<unsigned char>(text[1]);
    const auto third = static_cast<unsigned char>(text[2]);
    if (second == 0xBC && third >= 0x90 && third <= 0x99)  // ０ to ９, U+FF10 on
        return {static_cast<char>('0' + third - 0x90), 3};
    if (second == 0xBC && third >= 0xA1 && third <= 0xBA)  // Ａ to Ｚ, U+FF21 on
        return {static_cast<char>('A' + third - 0xA1), 3};
    if (second == 0xBD && third >= 0x81 && third <= 0x9A)  // ａ to ｚ, U+FF41 on
        return {static_cast<char>('a' + third - 0x81), 3};
    return {0, 1};
}

void ScanLine(std::string_view line, int32_t number, std::string& word, const std::function<void(FoundCode&)>& each)
{
    const auto wordEnds = [&] {
        if (word.size() >= ShortestWord && word[0] == Marker) {
            FoundCode found{number, line, word, ReadResultCode(word)};
            each(found);
        }
        word.clear();
    };
    for (size_t at = 0; at < line.size();) {
        const auto [c, length] = WordCharacterAt(line.substr(at));
        at += length;
        if (c == 0)
            wordEnds();
        else if (word.size() <= LongestCode)
            word += Written(c);  // a longer word is no code: kept one too long
    }
    wordEnds();
}

}  // namespace

void ScanCodes(std::string_view text, const std::function<void(FoundCode&)>& each)
{
    std::string word;
    for (size_t start = 0, number = 1;; ++number) {
        const size_t end = std::min(text.find('\n', start), text.size());
        ScanLine(text.substr(start, end - start), static_cast<int32_t>(number), word, each);
        if (end == text.size())
            return;
        start = end + 1;
    }
}

}  // namespace zentavo
