#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The window's controls as data: names, captions, items, places, fonts and
// keyboard order. Every front end builds its controls from these tables.
// Texts are UTF-8.
namespace zentavo {

struct Bounds {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

enum class ControlFont { Option, Button, Window, Credit };

struct FontStyle {
    std::string_view face;
    int32_t pixels;
    bool bold;
};

// Indexed by ControlFont. The credit line is blue; the others take the
// desktop's text colour.
inline constexpr std::array<FontStyle, 4> FontStyles = {{
    {"ＭＳ 明朝", 16, false},      // option font
    {"ＭＳ 明朝", 19, false},      // button font
    {"System", 13, false},         // window font
    {"ＭＳ ゴシック", 16, true},   // credit font
}};
inline constexpr uint32_t CreditColor = 0x0000FF;

inline constexpr std::string_view WindowCaption = "Zentavo Ver.1.52";
inline constexpr int32_t OuterWidth = 705;
inline constexpr int32_t OuterHeight = 618;

struct LabelInfo {
    std::string_view name;
    std::string_view caption;
    Bounds bounds;
    ControlFont font;
};
inline constexpr LabelInfo CreditLabel = {"Label2", "Zentavo — わりざん九九プリント", {8, 4, 297, 16},
                                          ControlFont::Credit};
inline constexpr LabelInfo PrintNumberLabel = {"Label3", "ﾌﾟﾘﾝﾄ番号", {224, 384, 72, 16}, ControlFont::Option};

// The print number's edit box and its starting text.
inline constexpr std::string_view Edit1Name = "Edit1";
inline constexpr Bounds Edit1Bounds = {304, 380, 33, 24};
inline constexpr std::string_view Edit1StartText = "1";

// The dan boxes D0..D9 in their group box; box n drills dan n.
inline constexpr int32_t DanCount = 10;
inline constexpr LabelInfo DanGroup = {"GroupBox1", "段", {8, 32, 201, 125}, ControlFont::Option};
inline constexpr std::array<std::string_view, DanCount> DanCaptions = {
    "０の段", "１の段", "２の段", "３の段", "４の段", "５の段", "６の段", "７の段", "８の段", "９の段"};
// In the group box: two columns of five.
constexpr Bounds DanBoxBounds(int32_t dan)
{
    return {dan < 5 ? 8 : 104, 20 + (dan % 5) * 20, 65, 17};
}

// The radio groups, in the order of RadioGroups below.
enum class Group { ImportantDan, JousuuCheck, MGroup, rgSquare, Amari, QNumCheck, RandomCheck, rgNum };
inline constexpr int32_t GroupCount = 8;

namespace items {
inline constexpr std::string_view ImportantDan[] = {"意味ﾅｼ", "１の段", "２の段", "３の段", "４の段",
                                                    "５の段", "６の段", "７の段", "８の段", "９の段"};
inline constexpr std::string_view JousuuCheck[] = {"入れない", "入れる"};
inline constexpr std::string_view MGroup[] = {"なし", "×10", "×100"};
inline constexpr std::string_view rgSquare[] = {"なし", "[ ]÷", "÷[ ]", "混合"};
inline constexpr std::string_view Amari[] = {
    "ﾓｰﾄﾞなし",           "余りなし",          "余り(九九1回適用で繰り下がりなし)", "余り(九九1回適用で繰り下がりあり）",
    "混合(九九1回適用)", "余り(繰り下がりなし)", "余り(繰り下がりあり)",           "混合(全て)"};
inline constexpr std::string_view QNumCheck[] = {"　９問", "１０問", "１８問", "２０問", "２７問",
                                                 "３０問", "３６問", "４０問", "５４問", "６０問",
                                                 "７２問", "８０問", "３６問２列", "４０問２列"};
inline constexpr std::string_view NoYes[] = {"なし", "あり"};
}  // namespace items

struct RadioGroupInfo {
    Group group;
    std::string_view name;
    std::string_view caption;
    std::span<const std::string_view> items;
    int32_t columns;  // items fill a column top to bottom, then the next
    Bounds bounds;
    ControlFont font;
    int32_t startIndex;  // -1: no item selected
};

inline constexpr std::array<RadioGroupInfo, GroupCount> RadioGroups = {{
    {Group::ImportantDan, "ImportantDan", "重点的にしたい段", items::ImportantDan, 2, {8, 160, 201, 113},
     ControlFont::Option, -1},
    {Group::JousuuCheck, "JousuuCheck", "被除数に０を", items::JousuuCheck, 2, {8, 280, 193, 41},
     ControlFont::Option, 0},
    {Group::MGroup, "MGroup", "何十、何百の指定", items::MGroup, 3, {8, 320, 193, 41}, ControlFont::Window, 0},
    {Group::rgSquare, "rgSquare", "[ ]のパターン", items::rgSquare, 2, {8, 360, 193, 57}, ControlFont::Window, 0},
    {Group::Amari, "Amari", "２桁の割り算(特別モード)", items::Amari, 1, {8, 424, 329, 153}, ControlFont::Window,
     0},
    {Group::QNumCheck, "QNumCheck", "問題数", items::QNumCheck, 1, {216, 32, 121, 249}, ControlFont::Option, 1},
    {Group::RandomCheck, "RandomCheck", "ﾗﾝﾀﾞﾑ指定", items::NoYes, 2, {216, 284, 129, 37}, ControlFont::Option, 0},
    {Group::rgNum, "rgNum", "問題番号", items::NoYes, 2, {216, 328, 129, 41}, ControlFont::Window, 0},
}};

constexpr const RadioGroupInfo& InfoOf(Group group)
{
    return RadioGroups[static_cast<size_t>(group)];
}

// The command buttons, in the order of Commands below.
enum class Command { PreviewBtn, PrintBtn, PrintAnsBtn, btnSetPrn, QuitBtn };
inline constexpr int32_t CommandCount = 5;

struct CommandInfo {
    Command command;
    std::string_view name;
    std::string_view caption;  // "&" marks the access key
    Bounds bounds;
    bool printerPicture;       // the printer picture left of the caption
};

inline constexpr std::array<CommandInfo, CommandCount> Commands = {{
    {Command::PreviewBtn, "PreviewBtn", "ﾌﾟﾚﾋﾞｭｰ", {352, 520, 105, 25}, false},
    {Command::PrintBtn, "PrintBtn", "印刷", {352, 552, 105, 25}, true},
    {Command::PrintAnsBtn, "PrintAnsBtn", "印刷(答有)", {464, 520, 121, 25}, true},
    {Command::btnSetPrn, "btnSetPrn", "印刷の設定", {464, 552, 121, 25}, false},
    {Command::QuitBtn, "QuitBtn", "終了(&C)", {592, 520, 97, 57}, false},
}};

constexpr const CommandInfo& InfoOf(Command command)
{
    return Commands[static_cast<size_t>(command)];
}

// The preview area and the lowered frame around it.
inline constexpr std::string_view PreviewName = "PaintBox1";
inline constexpr Bounds PreviewBounds = {360, 56, 320, 441};
inline constexpr std::string_view PreviewFrameName = "Bevel1";
inline constexpr Bounds PreviewFrameBounds = {352, 48, 337, 457};

// The keyboard order through the window, by control name. A group's items
// follow one another in item order, the dan boxes (GroupBox1) in dan order.
inline constexpr std::array<std::string_view, 15> TabOrder = {
    "ImportantDan", "JousuuCheck", "QNumCheck", "RandomCheck", "PreviewBtn", "QuitBtn",     "PrintBtn", "GroupBox1",
    "Edit1",        "btnSetPrn",   "MGroup",    "Amari",       "PrintAnsBtn", "rgNum",     "rgSquare",
};

}  // namespace zentavo
