#include "print/ModalWatcher.h"
#include "window/Fmain.h"
#include "window/RadioGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace zentavo {
namespace {

// 10,000 events take a few seconds in the normal build; the sanitizer build
// is several times slower and stops at the time limit, whatever it reached.
constexpr int EventCount = 10000;
constexpr qint64 TimeLimitMs = 50'000;

const std::vector<int> Keys = {
    Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
    Qt::Key_Space, Qt::Key_Return,  Qt::Key_Home, Qt::Key_End,   Qt::Key_Backspace,
    Qt::Key_0,     Qt::Key_7,       Qt::Key_X,    Qt::Key_Minus,
};

class RapidInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        for (QCheckBox* box : {form.D0, form.D1, form.D2, form.D3, form.D4, form.D5, form.D6, form.D7,
                               form.D8, form.D9})
            boxes.push_back(box);
        targets.assign(boxes.begin(), boxes.end());
        for (RadioGroup* group : Groups())
            for (int item = 0; item < group->Count(); ++item)
                targets.push_back(group->Item(item));
        targets.push_back(form.Edit1);
    }

    std::vector<RadioGroup*> Groups() const
    {
        return {form.ImportantDan, form.JousuuCheck, form.MGroup, form.rgSquare,
                form.Amari,        form.QNumCheck,   form.RandomCheck, form.rgNum};
    }

    // A click on a control, a press of Preview now and then, or a key sent to
    // whatever has the focus. Returns what was done, for the failure report.
    std::string RandomEvent(std::mt19937& random)
    {
        const uint32_t roll = random() % 100;
        if (roll < 3)
            return Click(form.PreviewBtn, {form.PreviewBtn->width() / 2, form.PreviewBtn->height() / 2});
        if (roll < 60) {
            QWidget* target = targets[random() % targets.size()];
            return Click(target, {7, target->height() / 2});
        }
        return Press(Keys[random() % Keys.size()]);
    }

    std::string Click(QWidget* target, QPoint at)
    {
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        return "click " + target->objectName().toStdString();
    }

    // Space would press a focused print, set-up or quit button: those open
    // dialogs, print or close the window, so the focus moves on instead.
    std::string Press(int key)
    {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            focus = &form;
        const bool guarded = focus == form.PrintBtn || focus == form.PrintAnsBtn ||
                             focus == form.btnSetPrn || focus == form.QuitBtn;
        if (guarded && key == Qt::Key_Space)
            key = Qt::Key_Tab;
        QTest::keyClick(focus, static_cast<Qt::Key>(key));
        return "key " + QKeySequence(key).toString().toStdString() + " on " + focus->objectName().toStdString();
    }

    // The offscreen platform has no window manager to hand the activation
    // back to the window when a message box closes; a desktop does that.
    void ReactivateAfterModal()
    {
        if (form.isActiveWindow())
            return;
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // The rules between the option controls, as they must hold after every event.
    std::string BrokenRule() const
    {
        int checked = 0;
        for (int dan = 0; dan < 10; ++dan)
            if (boxes[static_cast<size_t>(dan)]->isChecked())
                checked |= 1 << dan;
        const OptionControls& controls = form.Controls();
        if (controls.DanMask() != checked)
            return "DanMask " + std::to_string(controls.DanMask()) + " but boxes " + std::to_string(checked);
        for (const RadioGroupInfo& info : RadioGroups)
            if (form.findChild<RadioGroup*>(QString::fromUtf8(info.name.data(), qsizetype(info.name.size())))->ItemIndex()
                != controls.ItemIndex(info.group))
                return std::string(info.name) + " shows another item than the controls hold";
        if ((checked & 1) != 0 || form.D0->isEnabled())
            return "dan 0 can be drilled";
        const int emphasised = form.ImportantDan->ItemIndex();
        if (emphasised >= 1 && emphasised <= 9 && !boxes[static_cast<size_t>(emphasised)]->isChecked())
            return "emphasised dan " + std::to_string(emphasised) + " is not checked";
        if (form.MGroup->ItemIndex() != 0 && form.rgSquare->ItemIndex() != 0)
            return "multiplier and blank box both chosen";
        const bool evenCount = form.QNumCheck->ItemIndex() % 2 == 0;
        if (evenCount && (form.JousuuCheck->ItemIndex() != 0 || form.JousuuCheck->isEnabled()))
            return "zero dividend possible with an even count item";
        if (!evenCount && !form.JousuuCheck->isEnabled())
            return "zero dividend choice disabled with an odd count item";
        if (form.QNumCheck->isEnabled() != (checked != 0) || form.PreviewBtn->isEnabled() != (checked != 0))
            return "count group or Preview enabled without a dan, or the other way round";
        if (!form.isVisible())
            return "the window closed";
        return {};
    }

    TForm1 form;
    std::vector<QCheckBox*> boxes;
    std::vector<QWidget*> targets;
};

TEST_F(RapidInput, RandomClicksAndKeysKeepEveryRule)
{
    testing::ModalWatcher watcher;  // answers the warning of an infeasible Preview
    std::mt19937 random(20240607);
    std::deque<std::string> recent;  // the events before a failure
    QElapsedTimer clock;
    clock.start();
    int events = 0;
    for (; events < EventCount && clock.elapsed() < TimeLimitMs; ++events) {
        recent.push_back(RandomEvent(random));
        ReactivateAfterModal();
        if (recent.size() > 8)
            recent.pop_front();
        if (const std::string broken = BrokenRule(); !broken.empty()) {
            std::string history;
            for (const std::string& event : recent)
                history += "\n  " + event;
            FAIL() << "after event " << events << ": " << broken << "; last events:" << history;
        }
    }
    RecordProperty("events", events);
    std::printf("%d events in %lld ms, %zu warnings answered\n", events,
                static_cast<long long>(clock.elapsed()), watcher.Boxes().size());
    EXPECT_GE(events, 1000);
}

}  // namespace
}  // namespace zentavo
