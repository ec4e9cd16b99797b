#pragma once

#include "generation/SheetOptions.h"
#include "window/controls/ControlTable.h"

#include <array>
#include <cstdint>
#include <string>

namespace zentavo {

// The state of the window's controls and the rules that keep them
// consistent, without any toolkit. A front end hands each event of its
// controls to the matching call and then shows the state.
//
// Events follow the window's semantics: a dan box's click event fires when
// its state changes, whoever changed it, and never when it is set to the
// state it has; a radio group's click event fires when an item that was not
// selected is selected; a group's enter event fires when the focus moves
// into it from outside. Events on a disabled control are ignored.
class OptionControls {
public:
    OptionControls();  // the start state

    // Events.
    void SetDanBox(int32_t dan, bool checked);    // box D<dan> is now checked or cleared
    void SelectItem(Group group, int32_t index);  // the user selected an item
    // A group's selection set from code (-1: none), which runs no rule.
    void SetItemIndex(Group group, int32_t index);
    void Enter(Group group);                      // the focus entered the group
    void SetEdit1(std::string text);
    void PreviewSucceeded();                      // the print commands stay enabled from now on

    // The rules, each as it runs in its handler.
    void DanClick(int32_t dan);
    void CheckBoxClick(int32_t dan);
    void ImportantDanClick();
    void QNumCheckClick();
    void MGroupEnter();
    void rgSquareEnter();

    bool DanChecked(int32_t dan) const { return danChecked_[Slot(dan)]; }
    bool DanEnabled(int32_t dan) const { return dan != 0; }  // box D0 never is
    int32_t ItemIndex(Group group) const { return itemIndex_[Slot(group)]; }
    bool GroupEnabled(Group group) const;
    bool CommandEnabled(Command command) const;
    const std::string& Edit1() const { return edit1_; }
    // Bit n set while box D<n> is checked.
    int32_t DanMask() const { return danMask_; }

    // The options of a sheet as the controls show them now.
    SheetOptions Snapshot() const;

private:
    static size_t Slot(int32_t dan);
    static size_t Slot(Group group) { return static_cast<size_t>(group); }

    std::array<bool, DanCount> danChecked_{};
    int32_t danMask_ = 0;
    std::array<int32_t, GroupCount> itemIndex_{};
    bool countAndPreviewEnabled_ = false;  // QNumCheck and PreviewBtn
    bool zeroEnabled_ = true;              // JousuuCheck
    bool printEnabled_ = false;            // PrintBtn and PrintAnsBtn
    std::string edit1_{Edit1StartText};
};

}  // namespace zentavo
