// The page's address: every item of the controls comes back from its
// address; an address is clicked as a user would (the rules run); a bad or
// partial one is told and leaves the start state.
#include "render/MakePrint.h"
#include "render/ShiftJis.h"
#include "web/Address.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
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
// the start state, the page's seed kept and no sheet shown. Every number
// may be in full-width digits with blanks around it.
TEST(Address, OpenedAsClickedOrToldAndStartedAfresh)
{
    const auto unread = [](std::string part) { return "'" + part + "' はこのページのアドレスとして読めません"; };
    // The address, as then shown, the message, the sheet to answer.
    const std::tuple<const char*, const char*, std::string, int32_t> cases[] = {
        {"", "seed=600", "", 0},
        {"seed=５&dans=%EF%BC%93,７&sheet=%E3%80%80３%20", "seed=5&dans=3,7", "", 3},
        {"seed=1&dans=3,7&count=%EF%BC%92%EF%BC%90&print-number=%20%EF%BC%91%EF%BC%92%E3%80%80",
         "seed=1&dans=3,7&count=20&print-number=12", "", 0},
        {"seed=1&dans=3,7&class=２&state=６００&pupil=%EF%BC%94", "seed=1&dans=3,7", "", 5},  // sheet 2 + 4 - 1
        {"seed=1&dans=3,7&class=2", "seed=600", unread("class=2"), 0},
        {"seed=1&dans=3,7&state=2", "seed=600", unread("state=2"), 0},
        {"seed=1&dans=3,7&pupil=2", "seed=600", unread("pupil=2"), 0},
        {"seed=1&dans=3,7&class=1&state=2&pupil=41", "seed=600", unread("pupil=41"), 0},
        {"seed=1&dans=3,7&class=1&state=2&sheet=3", "seed=600", unread("sheet=3"), 0},
        {"seed=1&dans=3,7&class=131033&state=2", "seed=600", unread("class=131033"), 0},
        {"seed=%EF%BC%90%EF%BC%97", "seed=7", "", 0},
        {"shuffle&count=20&dans=7,3&seed=5&", "seed=5&dans=3,7&count=20&shuffle", "", 0},
        {"seed=1&emphasis=4", "seed=1&dans=4&emphasis=4", "", 0},          // the emphasised dan checks its box
        {"seed=1&dans=2&zero&count=18", "seed=1&dans=2&count=18", "", 0},  // 被除数に０を only with odd items
        {"seed=1&times=100&blank=divisor", "seed=1&blank=divisor", "", 0}, // each clears the other
        {"seed=1&count=30", "seed=1&count=30", "", 0},                     // a count without a dan
        {"seed=1&dans=9,1,2,3,4,5,6,7,8&print-number=%EF%BC%91%EF%BC%92a%26%23%3D%25%203",
         "seed=1&dans=1,2,3,4,5,6,7,8,9&print-number=%EF%BC%91%EF%BC%92a%26%23%3D%25%203", "", 0},
        {"seed=abc", "seed=600", "'abc' は 0 から 4294967295 までのシードではありません", 0},
        {"dans=3,7&count=20", "seed=600", "アドレスにシード (seed=) がありません", 0},
        {"seed=5&dans=3,7&cou", "seed=600", unread("cou"), 0},
        {"seed=5&count=2", "seed=600", unread("count=2"), 0},
        {"seed=5&count=20&two-columns", "seed=600", unread("count=20&two-columns"), 0},
        {"seed=5&times=1000", "seed=600", unread("times=1000"), 0},
        {"seed=5&zero=1", "seed=600", unread("zero=1"), 0},
        {"seed=5&seed=6", "seed=600", unread("seed=6"), 0},
        {"seed=5&sheet=100001", "seed=600", unread("sheet=100001"), 0},
        {"seed=5&print-number=%E3%8", "seed=600", unread("print-number=%E3%8"), 0},
    };
    for (const auto& [address, shown, message, sheet] : cases) {
        WebPage page(Faces, 600);
        Clicked(page.Controls(), {{Group::rgNum, 1}});
        ASSERT_FALSE(page.Preview());
        const OpenedAddress opened = OpenAddress(page, address);
        const std::string told = message.empty() ? "" : message + "（はじめの状態で開きます）。";
        EXPECT_EQ(std::tuple(opened.message ? opened.message->text : "", AddressOf(page), opened.sheet, page.Shown()),
                  std::tuple(told, std::string(shown), sheet, sheet ? std::optional(QuestionSheet) : std::nullopt))
            << address;
    }
}

// The shown sheet's problems as the question sheet writes them.
std::vector<std::string> Texts(const WebPage& page)
{
    const Solving solving = std::get<Solving>(page.Solve());
    std::vector<std::string> texts;
    for (int32_t i = 1; i <= solving.Count(); ++i)
        texts.push_back(SheetText(solving.Form(i), false));
    return texts;
}

// Pupil n's link opens the sheet that a class set printed now from the shown
// sheet gives them, whatever the options of the sheets before it: here at
// seed 24, dans 2 to 4 previewed, then dan 5 checked and previewed again. The
// class link asks for the number first. With options unchanged it is the
// seed's sheet k, as "sheet=k" opens it.
TEST(Address, ClassLinksOpenTheSheetsAClassSetPrints)
{
    WebPage teacher(Faces, 24);
    for (const int32_t dan : {2, 3, 4})
        teacher.Controls().SetDanBox(dan, true);
    ASSERT_FALSE(teacher.Preview());
    teacher.Controls().SetDanBox(5, true);
    ASSERT_FALSE(teacher.Preview());
    WebPage printing = teacher;
    std::vector<std::vector<std::string>> classSet = {Texts(printing)};
    for (int32_t pupil = 2; pupil <= 3; ++pupil, classSet.push_back(Texts(printing)))
        ASSERT_FALSE(printing.Preview());
    for (int32_t pupil = 1; pupil <= 3; ++pupil) {
        WebPage tablet(Faces, 1);
        const OpenedAddress opened = OpenAddress(tablet, std::get<SheetLink>(LinkOf(teacher, pupil)).address);
        EXPECT_EQ(std::tuple(opened.sheet, opened.pupil, Texts(tablet)),
                  std::tuple(pupil + 1, pupil, classSet[static_cast<size_t>(pupil - 1)]));
    }
    WebPage asked(Faces, 1);
    const SheetLink classLink = std::get<SheetLink>(LinkOf(teacher, 0));
    EXPECT_EQ(std::tuple(OpenAddress(asked, classLink.address).asksPupil, asked.Shown(), classLink.sheet),
              std::tuple(true, std::nullopt, 2));

    WebPage replayed(Faces, 1);
    ASSERT_FALSE(OpenAddress(replayed, "seed=24&dans=2,3,4,5&sheet=2").message);
    WebPage unchanged(Faces, 24);
    ASSERT_FALSE(OpenAddress(unchanged, "seed=24&dans=2,3,4,5").message);
    ASSERT_FALSE(unchanged.Preview());
    ASSERT_FALSE(unchanged.Preview());
    WebPage linked(Faces, 1);
    ASSERT_FALSE(OpenAddress(linked, std::get<SheetLink>(LinkOf(unchanged, 1)).address).message);
    EXPECT_EQ(Texts(linked), Texts(replayed));
}

// The links are withheld where the options in force would draw other sheets.
TEST(Address, LinksWithheldWhereTheOptionsDrawOtherSheets)
{
    const std::string previewAgain =
        "ﾌﾟﾚﾋﾞｭｰの後でオプションが変わり、今のオプションでは表示中のプリントになりません。ﾌﾟﾚﾋﾞｭｰし直してください。";
    const std::pair<void (*)(OptionControls&), std::string> cases[] = {
        {[](OptionControls&) {}, ""},
        {[](OptionControls& c) { c.SelectItem(Group::rgNum, 1); }, ""},
        {[](OptionControls& c) { c.SetEdit1("7"); }, ""},
        {[](OptionControls& c) { c.SetDanBox(6, true); }, previewAgain},
        {[](OptionControls& c) { c.SelectItem(Group::QNumCheck, 3); }, previewAgain},
    };
    for (const auto& [change, withheld] : cases) {
        WebPage page(Faces, 600);
        Clicked(page.Controls(), {});
        ASSERT_FALSE(page.Preview());
        change(page.Controls());
        const auto link = LinkOf(page, 5);
        EXPECT_EQ(std::holds_alternative<std::string>(link) ? std::get<std::string>(link) : "", withheld);
    }
    EXPECT_EQ(std::get<std::string>(LinkOf(WebPage(Faces, 1), 0)), "ﾌﾟﾚﾋﾞｭｰすると、その問題を生徒の端末で開くリンクが QR コードで出ます。");
}

}  // namespace
}  // namespace zentavo
