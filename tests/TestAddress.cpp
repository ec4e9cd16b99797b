// The page's address: every item of the controls comes back from its
// address; an address is clicked as a user would (the rules run); a bad or
// partial one is told and leaves the start state.
#include "render/ShiftJis.h"
#include "web/Address.h"

#include <gtest/gtest.h>

#include <array>
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

// Dans 3 and 7 checked, then each item as the user clicks it: its group entered, the item selected.
void Clicked(OptionControls& c, std::initializer_list<std::pair<Group, int32_t>> items)
{
    c.SetDanBox(3, true);
    c.SetDanBox(7, true);
    for (const auto& [group, item] : items) {
        c.Enter(group);
        c.SelectItem(group, item);
    }
}

TEST(Address, EveryItemOfEveryGroupComesBackFromItsAddress)
{
    for (const RadioGroupInfo& group : RadioGroups)
        for (int32_t item = 0; item < static_cast<int32_t>(group.items.size()); ++item) {
            WebPage page(Faces, 4294967295u);
            Clicked(page.Controls(), {{Group::QNumCheck, 3}, {group.group, item}});  // an odd count, for 被除数に０を
            const std::string address = AddressOf(page);
            WebPage opened(Faces, 1);
            const OpenedAddress result = OpenAddress(opened, address);
            EXPECT_FALSE(result.message) << address << ": " << result.message->text;
            EXPECT_EQ(std::tuple(Shown(opened.Controls()), opened.Seed(), AddressOf(opened)),
                      std::tuple(Shown(page.Controls()), page.Seed(), address));
        }
}

// Short and readable: the seed and what differs from the start. Opened over
// a page with a preview, the rules run on what is clicked and the address
// then says what the controls show; a bad or partial one is told and leaves
// the start state, the page's seed kept and no sheet shown.
TEST(Address, OpenedAsClickedOrToldAndStartedAfresh)
{
    const auto unread = [](std::string part) { return "'" + part + "' はこのページのアドレスとして読めません"; };
    const std::tuple<const char*, const char*, std::string> cases[] = {  // address, as then shown, message
        {"", "seed=600", ""},
        {"seed=%EF%BC%90%EF%BC%97", "seed=7", ""},
        {"shuffle&count=20&dans=7,3&seed=5&", "seed=5&dans=3,7&count=20&shuffle", ""},
        {"seed=1&emphasis=4", "seed=1&dans=4&emphasis=4", ""},          // the emphasised dan checks its box
        {"seed=1&dans=2&zero&count=18", "seed=1&dans=2&count=18", ""},  // 被除数に０を only with odd items
        {"seed=1&times=100&blank=divisor", "seed=1&blank=divisor", ""}, // each clears the other
        {"seed=1&count=30", "seed=1&count=30", ""},                     // a count without a dan
        {"seed=1&dans=9,1,2,3,4,5,6,7,8&print-number=%EF%BC%91%EF%BC%92a%26%23%3D%25%203",
         "seed=1&dans=1,2,3,4,5,6,7,8,9&print-number=%EF%BC%91%EF%BC%92a%26%23%3D%25%203", ""},
        {"seed=abc", "seed=600", "'abc' は 0 から 4294967295 までのシードではありません"},
        {"dans=3,7&count=20", "seed=600", "アドレスにシード (seed=) がありません"},
        {"seed=5&dans=3,7&cou", "seed=600", unread("cou")},
        {"seed=5&count=2", "seed=600", unread("count=2")},
        {"seed=5&count=20&two-columns", "seed=600", unread("count=20&two-columns")},
        {"seed=5&times=1000", "seed=600", unread("times=1000")},
        {"seed=5&zero=1", "seed=600", unread("zero=1")},
        {"seed=5&seed=6", "seed=600", unread("seed=6")},
        {"seed=5&sheet=100001", "seed=600", unread("sheet=100001")},
        {"seed=5&print-number=%E3%8", "seed=600", unread("print-number=%E3%8")},
    };
    for (const auto& [address, shown, message] : cases) {
        WebPage page(Faces, 600);
        Clicked(page.Controls(), {{Group::rgNum, 1}});
        ASSERT_FALSE(page.Preview());
        const OpenedAddress opened = OpenAddress(page, address);
        const std::string told = message.empty() ? "" : message + "（はじめの状態で開きます）。";
        EXPECT_EQ(std::tuple(opened.message ? opened.message->text : "", AddressOf(page), opened.sheet, page.Shown()),
                  std::tuple(told, std::string(shown), 0, std::nullopt)) << address;
    }
}

}  // namespace
}  // namespace zentavo
