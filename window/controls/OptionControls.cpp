#include "window/controls/OptionControls.h"

#include <algorithm>
#include <stdexcept>

namespace zentavo {

OptionControls::OptionControls()
{
    for (const RadioGroupInfo& info : RadioGroups)
        itemIndex_[Slot(info.group)] = info.startIndex;
}

size_t OptionControls::Slot(int32_t dan)
{
    if (dan < 0 || dan >= DanCount)
        throw std::out_of_range("no dan box " + std::to_string(dan));
    return static_cast<size_t>(dan);
}

void OptionControls::SetDanBox(int32_t dan, bool checked)
{
    if (!DanEnabled(dan) || DanChecked(dan) == checked)
        return;
    danChecked_[Slot(dan)] = checked;
    DanClick(dan);
}

void OptionControls::SelectItem(Group group, int32_t index)
{
    if (!GroupEnabled(group) || index < 0 || ItemIndex(group) == index)
        return;
    SetItemIndex(group, index);
    if (ItemIndex(group) != index)
        return;  // no such item
    if (group == Group::ImportantDan)
        ImportantDanClick();
    else if (group == Group::QNumCheck)
        QNumCheckClick();
}

void OptionControls::SetItemIndex(Group group, int32_t index)
{
    if (index >= -1 && index < static_cast<int32_t>(InfoOf(group).items.size()))
        itemIndex_[Slot(group)] = index;
}

void OptionControls::Enter(Group group)
{
    if (!GroupEnabled(group))
        return;
    if (group == Group::MGroup)
        MGroupEnter();
    else if (group == Group::rgSquare)
        rgSquareEnter();
}

void OptionControls::SetEdit1(std::string text)
{
    edit1_ = std::move(text);
}

void OptionControls::PreviewSucceeded()
{
    printEnabled_ = true;
}

// Keeps DanMask equal to the checked boxes, drops an emphasis on a dan that
// is no longer drilled, and allows counting and previewing while any dan is.
void OptionControls::DanClick(int32_t dan)
{
    if (DanChecked(dan)) {
        danMask_ |= 1 << dan;
    } else {
        const int32_t emphasised = ItemIndex(Group::ImportantDan);
        if (emphasised == dan)
            SetItemIndex(Group::ImportantDan, -1);
        danMask_ &= ~(1 << dan);
    }
    countAndPreviewEnabled_ = std::any_of(danChecked_.begin(), danChecked_.end(), [](bool on) { return on; });
}

void OptionControls::CheckBoxClick(int32_t dan)
{
    SetDanBox(dan, true);  // runs the dan rule when the state changes
}

void OptionControls::ImportantDanClick()
{
    const int32_t dan = ItemIndex(Group::ImportantDan);
    if (dan >= 1 && dan <= 9)
        CheckBoxClick(dan);
}

// Zero may be a dividend only with ten problems per dan: the odd items.
void OptionControls::QNumCheckClick()
{
    if (ItemIndex(Group::QNumCheck) % 2 != 0) {
        zeroEnabled_ = true;
    } else {
        SetItemIndex(Group::JousuuCheck, 0);
        zeroEnabled_ = false;
    }
}

// A multiplied dividend and a blank box exclude each other.
void OptionControls::MGroupEnter()
{
    SetItemIndex(Group::rgSquare, 0);
}

void OptionControls::rgSquareEnter()
{
    SetItemIndex(Group::MGroup, 0);
}

bool OptionControls::GroupEnabled(Group group) const
{
    switch (group) {
    case Group::QNumCheck:
        return countAndPreviewEnabled_;
    case Group::JousuuCheck:
        return zeroEnabled_;
    default:
        return true;
    }
}

bool OptionControls::CommandEnabled(Command command) const
{
    switch (command) {
    case Command::PreviewBtn:
        return countAndPreviewEnabled_;
    case Command::PrintBtn:
    case Command::PrintAnsBtn:
        return printEnabled_;
    default:
        return true;
    }
}

SheetOptions OptionControls::Snapshot() const
{
    SheetOptions options;
    options.DanMask = danMask_;
    options.ImportantDan = ItemIndex(Group::ImportantDan);
    options.JousuuCheck = ItemIndex(Group::JousuuCheck);
    options.QNumCheck = ItemIndex(Group::QNumCheck);
    options.RandomCheck = ItemIndex(Group::RandomCheck);
    options.MGroup = ItemIndex(Group::MGroup);
    options.Amari = ItemIndex(Group::Amari);
    options.rgNum = ItemIndex(Group::rgNum);
    options.rgSquare = ItemIndex(Group::rgSquare);
    return options;
}

}  // namespace zentavo
