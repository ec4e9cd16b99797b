#pragma once

#include "window/controls/ControlTable.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// What the browser edition has beyond the window's controls, as data like
// ControlTable.h: the class set, the paper and the sheet switch, with their
// places on a wide screen. Texts are UTF-8.
namespace zentavo::page {

// The window's commands the page has; the browser's print dialog chooses the
// printer and a tab closes like any page.
inline constexpr std::array<Command, 3> PageCommands = {Command::PreviewBtn, Command::PrintBtn,
                                                        Command::PrintAnsBtn};

struct InputInfo {
    std::string_view name;  // the element's id
    std::string_view caption;
    Bounds bounds;          // of the caption and the input together
    std::string_view start = {};  // the input's text on a fresh page
};

// How many different sheets one print command prints, 1 to MostSheets.
inline constexpr InputInfo SheetsInput = {"sheets", "枚数", {8, 588, 105, 24}, "1"};
inline constexpr int32_t MostSheets = 100;
// The seed of the random source that the sheets are drawn from.
inline constexpr InputInfo SeedInput = {"seed", "シード", {120, 588, 217, 24}};
inline constexpr InputInfo PaperInput = {"paper", "用紙", {352, 588, 121, 24}};
// Which sheet of the previewed set the preview shows, items in MakePrint's
// order: the question sheet, the answer sheet.
inline constexpr InputInfo SheetSwitch = {"SheetSwitch", "表示", {480, 22, 209, 24}};
inline constexpr std::array<std::string_view, 2> SheetSwitchItems = {"問題", "解答"};
// Where the fonts' licence is shown.
inline constexpr InputInfo FontLicence = {"FontLicence", "フォントのライセンス", {480, 588, 209, 24}};

// What the page tells the user, without the closing period that the message
// box adds.
inline std::string NotASheetCount(std::string_view text)
{
    return "'" + std::string(text) + "' は 1 から " + std::to_string(MostSheets) + " までの枚数ではありません";
}
inline std::string NotASeed(std::string_view text)
{
    return "'" + std::string(text) + "' は 0 から " + std::to_string(std::numeric_limits<uint32_t>::max())
         + " までのシードではありません";
}
// Beside the seed: which of its sheets the preview shows.
inline std::string ShownSheet(int32_t sheet)
{
    return std::to_string(sheet) + " 枚目";
}

}  // namespace zentavo::page
