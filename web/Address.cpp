#include "web/Address.h"

#include "generation/ProblemCount.h"
#include "render/MakePrint.h"
#include "sheetset/OptionNames.h"
#include "sheetset/SheetsOptions.h"
#include "web/ClassTable.h"
#include "web/PageTable.h"
#include "web/TypedNumber.h"
#include "window/controls/Messages.h"
#include "window/controls/PrintNumber.h"

#include <algorithm>
#include <array>
#include <span>

namespace zentavo {
namespace {

constexpr std::string_view DigitWords[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// An option of the address for a radio group: "key=word" with the item's
// word, or where the group has no words the bare key for item 1. The count
// is written apart (count=N, with two-columns for the ２列 items).
struct GroupKey {
    std::string_view key;
    Group group;
    std::span<const std::string_view> words;  // by item
};
constexpr std::array<GroupKey, 7> GroupKeys = {{
    {option::Emphasis, Group::ImportantDan, DigitWords},
    {option::Zero, Group::JousuuCheck, {}},
    {option::Shuffle, Group::RandomCheck, {}},
    {option::Times, Group::MGroup, option::TimesWords},
    {option::Blank, Group::rgSquare, option::BlankWords},
    {option::TwoDigit, Group::Amari, std::span(DigitWords).first(8)},
    {option::Numbers, Group::rgNum, {}},
}};
constexpr std::string_view SheetKey = PupilPageKeys[0];
// A class link: its sheet k and the random source's state R it was drawn
// from, and a pupil's 出席番号.
constexpr std::string_view ClassKey = PupilPageKeys[1];
constexpr std::string_view StateKey = "state";
constexpr std::string_view PupilKey = PupilPageKeys[2];
// The highest k of a class link: each of its pupils' sheets has an origin.
constexpr int32_t LastClassSheet = LastOriginSheet - page::links::MostPupils + 1;

template <typename Number>
std::string Part(std::string_view key, Number value)
{
    return std::string(key) + "=" + std::to_string(value);
}

bool TwoColumns(int32_t countItem)
{
    return CountItem(ProblemCountByItem[static_cast<size_t>(countItem)], true) == countItem;
}

// Percent-encoded, but for what an address shows as it is.
std::string Encoded(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const unsigned char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
            || std::string_view("-._~,").find(static_cast<char>(c)) != std::string_view::npos) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0xF];
        }
    }
    return encoded;
}

int32_t HexDigit(char c)
{
    const size_t digit = std::string_view("0123456789ABCDEF").find(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    return digit == std::string_view::npos ? -1 : static_cast<int32_t>(digit);
}

std::optional<std::string> Decoded(std::string_view text)
{
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        const int32_t high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int32_t low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}

// What an address asks for, read but not yet clicked.
struct Wanted {
    std::optional<uint32_t> seed;
    int32_t dans = 0;  // bit n: dan n
    std::array<int32_t, GroupCount> items{};
    std::optional<int32_t> count;
    bool twoColumns = false;
    std::string edit1{Edit1StartText};
    std::optional<int32_t> sheet;
    std::optional<int32_t> classSheet;
    std::optional<uint32_t> state;
    std::optional<int32_t> pupil;
};

// One key and its value into `wanted`; false where the address cannot mean it.
bool ReadPart(std::string_view key, const std::optional<std::string>& value, Wanted& wanted)
{
    for (const GroupKey& groupKey : GroupKeys) {
        if (key != groupKey.key)
            continue;
        int32_t& item = wanted.items[static_cast<size_t>(groupKey.group)];
        if (groupKey.words.empty()) {
            item = 1;
            return !value;
        }
        const auto words = groupKey.words;
        const auto word = value ? std::find(words.begin(), words.end(), *value) : words.end();
        if (word == words.end() || value->empty())
            return false;
        item = static_cast<int32_t>(word - words.begin());
        return true;
    }
    if (key == option::TwoColumns)
        return !value && (wanted.twoColumns = true);
    if (!value)
        return false;
    if (key == option::Seed)
        return (wanted.seed = WebPage::ReadPageSeed(*value)).has_value();
    const std::string number = PlainDigits(*value);
    if (key == option::Dans) {
        const auto dans = ReadDans(number);
        wanted.dans = dans.value_or(0);
        return dans.has_value();
    }
    if (key == option::Count)
        return (wanted.count = ReadSheetCount(number, ProblemCapacity)).has_value();
    if (key == SheetKey)
        return (wanted.sheet = ReadSheetCount(number, MostSheets)).has_value();  // as zentavo-sheets --sheets
    if (key == ClassKey)
        return (wanted.classSheet = ReadSheetCount(number, LastClassSheet)).has_value();
    if (key == StateKey)
        return (wanted.state = ReadSeed(number)).has_value();
    if (key == PupilKey)
        return (wanted.pupil = ReadPupilNumber(number)).has_value();
    if (key != option::PrintNumber)
        return false;
    // A print number that is none stays as typed, for a print to tell.
    wanted.edit1 = ParsePrintNumber(number) ? number : *value;
    return true;
}

// A class link's parts go together, and without "sheet=": the part that
// does not fit.
std::optional<std::string> MisfitClassPart(const Wanted& wanted)
{
    if (wanted.classSheet && !wanted.state)
        return Part(ClassKey, *wanted.classSheet);
    if (wanted.state && !wanted.classSheet)
        return Part(StateKey, *wanted.state);
    if (wanted.pupil && !wanted.classSheet)
        return Part(PupilKey, *wanted.pupil);
    if (wanted.sheet && wanted.classSheet)
        return Part(SheetKey, *wanted.sheet);
    return std::nullopt;
}

// The address read into `wanted`; what is wrong with it, if anything.
std::optional<std::string> Read(std::string_view address, Wanted& wanted)
{
    for (const RadioGroupInfo& info : RadioGroups)
        wanted.items[static_cast<size_t>(info.group)] = info.startIndex;
    std::string seen = "&";  // the keys read, each followed by '&'
    for (size_t start = 0; start < address.size();) {
        const size_t end = std::min(address.find('&', start), address.size());
        const std::string_view part = address.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;  // "&&", or a trailing '&'
        const size_t equals = part.find('=');
        const std::string key(part.substr(0, equals));
        const auto value = equals == std::string_view::npos ? std::optional<std::string>() : Decoded(part.substr(equals + 1));
        const bool repeated = seen.find("&" + key + "&") != std::string::npos;
        seen += key + "&";
        if (key == option::Seed && value && !repeated && !WebPage::ReadPageSeed(*value))
            return page::NotASeed(*value);
        if (repeated || (equals != std::string_view::npos && !value) || !ReadPart(key, value, wanted))
            return page::links::NotAnAddressPart(Decoded(part).value_or(std::string(part)));
    }
    if (wanted.twoColumns && !wanted.count)
        return page::links::NotAnAddressPart(option::TwoColumns);
    if (const auto misfit = MisfitClassPart(wanted))
        return page::links::NotAnAddressPart(*misfit);
    if (wanted.count) {
        const auto item = CountItem(*wanted.count, wanted.twoColumns);
        if (!item)
            return page::links::NotAnAddressPart(std::string(option::Count) + "=" + std::to_string(*wanted.count)
                                                 + (wanted.twoColumns ? "&" + std::string(option::TwoColumns) : ""));
        wanted.items[static_cast<size_t>(Group::QNumCheck)] = *item;
    }
    if (!wanted.seed && seen.size() > 1)
        return std::string(page::links::NoSeedInAddress);
    return std::nullopt;
}

// The address's options clicked on controls in the start state, in the
// window's order, each group entered first as a click enters it.
void Click(const Wanted& wanted, OptionControls& controls)
{
    const auto item = [&](Group group) { return wanted.items[static_cast<size_t>(group)]; };
    for (int32_t dan = 0; dan < DanCount; ++dan)
        if ((wanted.dans & (1 << dan)) != 0)
            controls.SetDanBox(dan, true);
    controls.SelectItem(Group::ImportantDan, item(Group::ImportantDan));
    // The count takes clicks while a dan is checked: without one, a user
    // checks one for the click and clears it again.
    const bool lent = !controls.GroupEnabled(Group::QNumCheck) && item(Group::QNumCheck) != controls.ItemIndex(Group::QNumCheck);
    if (lent)
        controls.SetDanBox(1, true);
    controls.SelectItem(Group::QNumCheck, item(Group::QNumCheck));
    if (lent)
        controls.SetDanBox(1, false);
    for (const Group group : {Group::JousuuCheck, Group::RandomCheck, Group::MGroup, Group::rgSquare, Group::Amari,
                              Group::rgNum}) {
        if (item(group) == controls.ItemIndex(group))
            continue;
        controls.Enter(group);
        controls.SelectItem(group, item(group));
    }
    controls.SetEdit1(wanted.edit1);
}

MessageBox AddressError(const std::string& message)
{
    return {JobTitle, page::WithFullStop(message + std::string(page::links::StartsAfresh)), false};
}

}  // namespace

std::string SetAddress(uint32_t seed, const SheetOptions& options)
{
    std::string address = Part(option::Seed, seed);
    std::string dans;
    for (int32_t dan = 0; dan < DanCount; ++dan)
        if ((options.DanMask & (1 << dan)) != 0)
            dans += (dans.empty() ? "" : ",") + std::to_string(dan);
    if (!dans.empty())
        address += "&" + std::string(option::Dans) + "=" + dans;
    const int32_t count = options.QNumCheck;
    if (count != InfoOf(Group::QNumCheck).startIndex)
        address += "&" + Part(option::Count, ProblemCountFor(count, 0))
                 + (TwoColumns(count) ? "&" + std::string(option::TwoColumns) : "");
    for (const GroupKey& groupKey : GroupKeys) {
        const int32_t item = ItemOf(options, groupKey.group);
        if (item == InfoOf(groupKey.group).startIndex)
            continue;
        address += "&" + std::string(groupKey.key);
        if (!groupKey.words.empty())
            address += "=" + std::string(groupKey.words[static_cast<size_t>(item)]);
    }
    return address;
}

std::string AddressOf(const WebPage& page)
{
    const OptionControls& controls = page.Controls();
    std::string address = SetAddress(page.Seed(), controls.Snapshot());
    if (controls.Edit1() != Edit1StartText)
        address += "&" + std::string(option::PrintNumber) + "=" + Encoded(controls.Edit1());
    return address;
}

OpenedAddress OpenAddress(WebPage& page, std::string_view address)
{
    Wanted wanted;
    const auto wrong = Read(address, wanted);
    page.Controls() = OptionControls();
    if (wrong) {
        page.SetSeed(std::to_string(page.Seed()));
        return {AddressError(*wrong)};
    }
    Click(wanted, page.Controls());
    page.SetSeed(std::to_string(wanted.seed.value_or(page.Seed())));
    if (wanted.classSheet && !wanted.pupil)
        return {.asksPupil = true};
    if (wanted.classSheet)
        page.StartAt(*wanted.classSheet, *wanted.state);
    const int32_t draws = wanted.classSheet ? *wanted.pupil : wanted.sheet.value_or(0);
    for (int32_t k = 1; k <= draws; ++k)
        if (auto refused = page.Preview())
            return {std::move(refused)};
    page.Show(QuestionSheet);
    if (wanted.classSheet)
        return {std::nullopt, page.SheetNumber(), *wanted.pupil, false,
                Part(ClassKey, *wanted.classSheet) + "&" + Part(StateKey, *wanted.state) + "&"
                    + Part(PupilKey, *wanted.pupil)};
    return {std::nullopt, draws, 0, false, draws > 0 ? Part(SheetKey, draws) : ""};
}

std::optional<int32_t> ReadPupilNumber(std::string_view typed)
{
    return ReadSheetCount(PlainDigits(typed), page::links::MostPupils);
}

std::variant<SheetLink, std::string> LinkOf(const WebPage& page, int32_t pupil)
{
    if (pupil < 0 || pupil > page::links::MostPupils)
        return page::WithFullStop(page::tally::NotAPupilNumber(std::to_string(pupil)));
    const OriginOrWhy origin = page.Origin();
    if (const auto* why = std::get_if<std::string>(&origin))
        return *why;
    const SheetOrigin& from = std::get<SheetOrigin>(origin);
    if (from.sheet > LastClassSheet)
        return page::WithFullStop(page::tally::SheetsRunOut(LastClassSheet));
    const std::string address = AddressOf(page) + "&" + Part(ClassKey, from.sheet) + "&" + Part(StateKey, from.random);
    if (pupil == 0)
        return SheetLink{from.sheet, address};
    return SheetLink{from.sheet + pupil - 1, address + "&" + Part(PupilKey, pupil)};
}

std::string SheetInWords(const SheetOptions& options)
{
    std::string dans;
    for (int32_t dan = 0; dan < DanCount; ++dan) {
        if ((options.DanMask & (1 << dan)) == 0)
            continue;
        const std::string_view caption = DanCaptions[static_cast<size_t>(dan)];
        dans += (dans.empty() ? "" : "・") + std::string(caption.substr(0, caption.find("の段")));
    }
    std::string words = dans.empty() ? "" : dans + "の段　";
    const auto itemOf = [&](Group group) {
        const std::string_view item = InfoOf(group).items[static_cast<size_t>(ItemOf(options, group))];
        return std::string(item.starts_with("　") ? item.substr(std::string_view("　").size()) : item);
    };
    words += itemOf(Group::QNumCheck);
    for (const RadioGroupInfo& group : RadioGroups) {
        const int32_t item = ItemOf(options, group.group);
        if (group.group == Group::QNumCheck || item == group.startIndex || item <= 0)
            continue;  // item 0 of 重点的にしたい段, 意味ﾅｼ, is no emphasis
        words += "　" + std::string(group.caption) + " " + itemOf(group.group);
    }
    return words;
}

void ClickOptions(OptionControls& controls, const SheetOptions& options)
{
    Wanted wanted;
    wanted.dans = options.DanMask;
    for (const RadioGroupInfo& group : RadioGroups)
        wanted.items[static_cast<size_t>(group.group)] = ItemOf(options, group.group);
    wanted.edit1 = controls.Edit1();
    controls = OptionControls();
    Click(wanted, controls);
}

}  // namespace zentavo
