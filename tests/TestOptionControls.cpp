// The rules between the window's controls, from the table every front end's
// test shares (tests/data/control-rules.txt).
#include "window/controls/OptionControls.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

namespace zentavo {
namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) {
        part.erase(0, part.find_first_not_of(' '));
        part.erase(part.find_last_not_of(' ') + 1);
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

std::optional<Group> GroupNamed(const std::string& name)
{
    for (const RadioGroupInfo& info : RadioGroups)
        if (info.name == name)
            return info.group;
    return std::nullopt;
}

std::optional<Command> CommandNamed(const std::string& name)
{
    for (const CommandInfo& info : Commands)
        if (info.name == name)
            return info.command;
    return std::nullopt;
}

void Apply(OptionControls& controls, const std::string& event)
{
    std::istringstream words(event);
    std::string verb, name;
    int32_t number = 0;
    words >> verb;
    if (verb == "check" || verb == "clear") {
        words >> number;
        controls.SetDanBox(number, verb == "check");
    } else if (verb == "select" && words >> name >> number && GroupNamed(name)) {
        controls.SelectItem(*GroupNamed(name), number);
    } else if (verb == "enter" && words >> name && GroupNamed(name)) {
        controls.Enter(*GroupNamed(name));
    } else if (verb == "preview") {
        controls.PreviewSucceeded();
    } else {
        ADD_FAILURE() << "unknown event: " << event;
    }
}

bool Enabled(const OptionControls& controls, const std::string& name)
{
    if (const auto group = GroupNamed(name))
        return controls.GroupEnabled(*group);
    if (const auto command = CommandNamed(name))
        return controls.CommandEnabled(*command);
    if (name.size() == 2 && name[0] == 'D')
        return controls.DanEnabled(name[1] - '0');
    ADD_FAILURE() << "no control " << name;
    return false;
}

// The state named by one expectation, as the table writes it.
std::string Actual(const OptionControls& controls, const std::string& expectation)
{
    std::istringstream words(expectation);
    std::string what, name;
    words >> what;
    if (what == "checked" || what == "cleared") {
        int32_t dan = 0;
        words >> dan;
        return (controls.DanChecked(dan) ? "checked " : "cleared ") + std::to_string(dan);
    }
    if (what == "enabled" || what == "disabled") {
        words >> name;
        return (Enabled(controls, name) ? "enabled " : "disabled ") + name;
    }
    if (what == "item" && words >> name && GroupNamed(name))
        return "item " + name + " " + std::to_string(controls.ItemIndex(*GroupNamed(name)));
    if (what == "mask")
        return "mask " + std::to_string(controls.DanMask());
    if (what == "edit1")
        return "edit1 " + controls.Edit1();
    return "(unknown expectation)";
}

TEST(OptionControls, KeepEveryRuleOfTheSharedTable)
{
    std::ifstream table(ZENTAVO_CONTROL_RULES);
    ASSERT_TRUE(table) << ZENTAVO_CONTROL_RULES;
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t colon = line.find(':');
        const size_t arrow = line.find("=>");
        ASSERT_TRUE(colon != std::string::npos && arrow != std::string::npos) << line;
        OptionControls controls;
        for (const std::string& event : Split(line.substr(colon + 1, arrow - colon - 1), ';'))
            Apply(controls, event);
        for (const std::string& expected : Split(line.substr(arrow + 2), ';'))
            EXPECT_EQ(Actual(controls, expected), expected) << line.substr(0, colon);
        ++cases;
    }
    EXPECT_GE(cases, 20);
}

TEST(OptionControls, SnapshotHoldsEveryControlOfASheet)
{
    OptionControls controls;
    controls.SelectItem(Group::ImportantDan, 7);
    controls.SetDanBox(2, true);
    controls.SelectItem(Group::QNumCheck, 13);
    controls.SelectItem(Group::JousuuCheck, 1);
    controls.SelectItem(Group::RandomCheck, 1);
    controls.SelectItem(Group::MGroup, 2);
    controls.SelectItem(Group::Amari, 6);
    controls.SelectItem(Group::rgNum, 1);
    const SheetOptions o = controls.Snapshot();
    EXPECT_EQ(std::tuple(o.DanMask, o.ImportantDan, o.JousuuCheck, o.QNumCheck, o.RandomCheck, o.MGroup, o.Amari,
                         o.rgNum, o.rgSquare),
              std::tuple(0x84, 7, 1, 13, 1, 2, 6, 1, 0));
}

}  // namespace
}  // namespace zentavo
