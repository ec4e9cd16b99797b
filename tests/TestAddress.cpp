// The page's address: every state of the controls comes back from its
// address; an address is clicked as a user would (the rules run); a bad or
// partial one is told and leaves the start state.
#include "render/ShiftJis.h"
#include "web/Address.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>
#include <vector>

namespace zentavo {
namespace {

constexpr std::array<SvgFace, 1> Faces = {{{sjis::MinchoFace, "Mincho", {2048, 1802, 455}}}};

// Everything the controls show.
auto Shown(const OptionControls& controls)
{
    std::vector<int32_t> shown = {controls.DanMask()};
    for (const RadioGroupInfo& group : RadioGroups)
        shown.insert(shown.end(), {controls.ItemIndex(group.group), controls.GroupEnabled(group.group) ? 1 : 0});
    return std::tuple(shown, controls.Edit1(), controls.CommandEnabled(Command::PreviewBtn));
}

using Events = std::function<void(OptionControls&)>;

const Events Dans37 = [](OptionControls& c) {
    c.SetDanBox(3, true);
    c.SetDanBox(7, true);
};

// A state as the user clicks it: `before`, then the group entered and its item selected.
Events Then(Events before, Group group, int32_t item)
{
    return [=](OptionControls& c) {
        before(c);
        c.Enter(group);
        c.SelectItem(group, item);
    };
}

TEST(Address, EveryStateOfTheControlsComesBackFromItsAddress)
{
    std::vector<Events> states = {
        [](OptionControls&) {},
        [](OptionControls& c) {
            for (int32_t dan = 1; dan <= 9; ++dan)
                c.SetDanBox(dan, true);
            c.SetEdit1("１２a&#=% 3");
        },
        // A count chosen while a dan was checked, the dan cleared again.
        [](OptionControls& c) {
            c.SetDanBox(5, true);
            c.SelectItem(Group::QNumCheck, 4);
            c.SetDanBox(5, false);
            c.SelectItem(Group::ImportantDan, 0);
        },
    };
    for (const RadioGroupInfo& group : RadioGroups)
        for (int32_t item = 0; item < static_cast<int32_t>(group.items.size()); ++item)
            states.push_back(Then(group.group == Group::JousuuCheck ? Then(Dans37, Group::QNumCheck, 3) : Dans37,
                                  group.group, item));
    for (const Events& state : states) {
        WebPage page(Faces, 4294967295u);
        state(page.Controls());
        const std::string address = AddressOf(page);
        WebPage opened(Faces, 1);
        const OpenedAddress result = OpenAddress(opened, address);
        EXPECT_FALSE(result.message) << address << ": " << result.message->text;
        EXPECT_EQ(Shown(opened.Controls()), Shown(page.Controls())) << address;
        EXPECT_EQ(opened.Seed(), page.Seed()) << address;
        EXPECT_EQ(AddressOf(opened), address);
    }
}

// Short and readable: the seed and what differs from the start; opened, the
// rules run on what is clicked, and the address then says what the controls show.
TEST(Address, OpenedAsClicked)
{
    const struct {
        const char* address;
        const char* shown;
    } cases[] = {
        {"", "seed=600"},
        {"seed=%EF%BC%90%EF%BC%97", "seed=7"},
        {"shuffle&count=20&dans=7,3&seed=5&", "seed=5&dans=3,7&count=20&shuffle"},
        {"seed=1&emphasis=4", "seed=1&dans=4&emphasis=4"},          // the emphasised dan checks its box
        {"seed=1&dans=2&zero&count=18", "seed=1&dans=2&count=18"},  // 被除数に０を only with odd items
        {"seed=1&times=100&blank=divisor", "seed=1&blank=divisor"}, // each clears the other
    };
    for (const auto& c : cases) {
        WebPage page(Faces, 600);
        const OpenedAddress opened = OpenAddress(page, c.address);
        EXPECT_EQ(std::tuple(opened.message.has_value(), opened.sheet), std::tuple(false, 0)) << c.address;
        EXPECT_EQ(AddressOf(page), c.shown) << c.address;
    }
}

TEST(Address, BadOrPartialIsToldAndLeavesTheStartState)
{
    const auto unread = [](std::string part) { return "'" + part + "' はこのページのアドレスとして読めません"; };
    const struct {
        const char* address;
        std::string message;
    } cases[] = {
        {"seed=abc", "'abc' は 0 から 4294967295 までのシードではありません"},
        {"dans=3,7&count=20", "アドレスにシード (seed=) がありません"},
        {"seed=5&dans=3,7&cou", unread("cou")},
        {"seed=5&count=2", unread("count=2")},
        {"seed=5&count=20&two-columns", unread("count=20&two-columns")},
        {"seed=5&times=1000", unread("times=1000")},
        {"seed=5&zero=1", unread("zero=1")},
        {"seed=5&seed=6", unread("seed=6")},
        {"seed=5&sheet=100001", unread("sheet=100001")},
        {"seed=5&print-number=%E3%8", unread("print-number=%E3%8")},
    };
    for (const auto& c : cases) {
        WebPage page(Faces, 600);
        Then(Dans37, Group::rgNum, 1)(page.Controls());
        ASSERT_FALSE(page.Preview());
        const OpenedAddress opened = OpenAddress(page, c.address);
        ASSERT_TRUE(opened.message) << c.address;
        EXPECT_EQ(opened.message->text, c.message + "（はじめの状態で開きます）.");
        EXPECT_EQ(Shown(page.Controls()), Shown(OptionControls())) << c.address;
        EXPECT_EQ(std::tuple(page.Seed(), page.Shown(), opened.sheet), std::tuple(600u, std::nullopt, 0));
    }
}

}  // namespace
}  // namespace zentavo
