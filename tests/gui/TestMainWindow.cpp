#include "window/Fmain.h"
#include "window/canvas/FontMapping.h"
#include "window/PreviewArea.h"
#include "window/RadioGroup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zentavo {
namespace {

// Dark pixels of a text drawn in black on white.
int InkOf(const QFont& font, const QString& text)
{
    QImage image(400, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.end();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { form = std::make_unique<TForm1>(); }

    void ShowActive()
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Clicks on the indicator, where every check box and radio item reacts.
    static void Click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
    }

    QCheckBox* Box(int dan) const
    {
        return form->findChild<QCheckBox*>(QStringLiteral("D%1").arg(dan));
    }

    static std::string FocusName()
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName().toStdString() : "(none)";
    }

    int CheckedMask() const
    {
        int mask = 0;
        for (int dan = 0; dan < 10; ++dan)
            if (Box(dan)->isChecked())
                mask |= 1 << dan;
        return mask;
    }

    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindow, StartsWithTheDefaultsOfEveryControl)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zentavo Ver.1.52"));
    for (int dan = 0; dan < 10; ++dan) {
        EXPECT_FALSE(Box(dan)->isChecked()) << dan;
        EXPECT_EQ(Box(dan)->isEnabled(), dan != 0) << dan;
    }
    EXPECT_EQ(form->ImportantDan->ItemIndex(), -1);
    EXPECT_TRUE(form->JousuuCheck->isEnabled());
    EXPECT_FALSE(form->QNumCheck->isEnabled());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("1"));
    EXPECT_FALSE(form->PreviewBtn->isEnabled());
    EXPECT_FALSE(form->PrintBtn->isEnabled());
    EXPECT_FALSE(form->PrintAnsBtn->isEnabled());
    EXPECT_TRUE(form->btnSetPrn->isEnabled());
    EXPECT_TRUE(form->QuitBtn->isEnabled());

    const SheetOptions start = form->Snapshot();
    const SheetOptions expected{};
    EXPECT_EQ(start.DanMask, 0);
    EXPECT_EQ(start.ImportantDan, expected.ImportantDan);
    EXPECT_EQ(start.JousuuCheck, expected.JousuuCheck);
    EXPECT_EQ(start.QNumCheck, expected.QNumCheck);
    EXPECT_EQ(start.RandomCheck, expected.RandomCheck);
    EXPECT_EQ(start.MGroup, expected.MGroup);
    EXPECT_EQ(start.Amari, expected.Amari);
    EXPECT_EQ(start.rgNum, expected.rgNum);
    EXPECT_EQ(start.rgSquare, expected.rgSquare);
    EXPECT_EQ(form->Run().PreviewShown, 0);
    EXPECT_EQ(form->Run().PrintNumber, 1);
}

TEST_F(MainWindow, ControlsSitWhereTheLayoutPutsThemAndStayOnResize)
{
    struct Placement {
        const char* name;
        QRect bounds;  // in the client area; the dan boxes in GroupBox1
    };
    const Placement table[] = {
        {"Label2", {8, 4, 297, 16}},        {"GroupBox1", {8, 32, 201, 125}},
        {"D0", {8, 20, 65, 17}},            {"D4", {8, 100, 65, 17}},
        {"D5", {104, 20, 65, 17}},          {"D9", {104, 100, 65, 17}},
        {"ImportantDan", {8, 160, 201, 113}}, {"JousuuCheck", {8, 280, 193, 41}},
        {"MGroup", {8, 320, 193, 41}},      {"rgSquare", {8, 360, 193, 57}},
        {"Amari", {8, 424, 329, 153}},      {"QNumCheck", {216, 32, 121, 249}},
        {"RandomCheck", {216, 284, 129, 37}}, {"rgNum", {216, 328, 129, 41}},
        {"Label3", {224, 384, 72, 16}},     {"Edit1", {304, 380, 33, 24}},
        {"Bevel1", {352, 48, 337, 457}},    {"PaintBox1", {360, 56, 320, 441}},
        {"PreviewBtn", {352, 520, 105, 25}}, {"PrintBtn", {352, 552, 105, 25}},
        {"PrintAnsBtn", {464, 520, 121, 25}}, {"btnSetPrn", {464, 552, 121, 25}},
        {"QuitBtn", {592, 520, 97, 57}},
    };
    auto check = [&] {
        for (const Placement& place : table) {
            const auto* control = form->findChild<QWidget*>(QLatin1String(place.name));
            ASSERT_NE(control, nullptr) << place.name;
            EXPECT_EQ(control->geometry(), place.bounds) << place.name;
        }
        for (int dan = 1; dan < 10; ++dan)
            EXPECT_EQ(Box(dan)->parentWidget(), form->GroupBox1);
    };
    check();
    form->resize(1000, 800);
    check();
    form->resize(400, 300);
    check();
}

TEST_F(MainWindow, ShowsAtItsOuterSizeCentredOnTheScreen)
{
    ShowActive();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry().size() == QSize(705, 618); }));
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_LE((form->frameGeometry().center() - screen.center()).manhattanLength(), 2);
}

TEST_F(MainWindow, IsShownAtItsFinalGeometryAndNotMovedAfterwards)
{
    // Counts the moves and resizes the window gets once it is on screen.
    struct Recorder : QObject {
        int changes = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            changes += event->type() == QEvent::Move || event->type() == QEvent::Resize;
            return false;
        }
    } recorder;
    form->show();
    const QRect shown = form->frameGeometry();
    form->installEventFilter(&recorder);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::qWait(50);
    EXPECT_EQ(shown.size(), QSize(705, 618));
    EXPECT_LE((shown.center() - form->screen()->availableGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(form->frameGeometry(), shown);
    EXPECT_EQ(recorder.changes, 0);
}

TEST_F(MainWindow, RadioGroupsFillTheirColumnsTopToBottom)
{
    RadioGroup* emphasis = form->ImportantDan;
    ASSERT_EQ(emphasis->Count(), 10);
    EXPECT_EQ(emphasis->Item(0)->text(), QStringLiteral("意味ﾅｼ"));
    EXPECT_EQ(emphasis->Item(4)->text(), QStringLiteral("４の段"));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(emphasis->Item(row)->x(), emphasis->Item(0)->x());
        EXPECT_EQ(emphasis->Item(row + 5)->y(), emphasis->Item(row)->y());
        EXPECT_GT(emphasis->Item(row + 5)->x(), emphasis->Item(row)->x());
    }
    EXPECT_EQ(form->QNumCheck->Item(0)->text(), QStringLiteral("\u3000９問"));
    EXPECT_EQ(form->QNumCheck->Item(13)->text(), QStringLiteral("４０問２列"));
    EXPECT_EQ(form->Amari->Item(3)->text(), QStringLiteral("余り(九九1回適用で繰り下がりあり）"));
    // Three columns in one row; the item under the mouse is the item chosen.
    RadioGroup* multiplier = form->MGroup;
    EXPECT_EQ(multiplier->Item(0)->y(), multiplier->Item(2)->y());
    EXPECT_LT(multiplier->Item(1)->x(), multiplier->Item(2)->x());
    for (RadioGroup* group : form->findChildren<RadioGroup*>())
        for (int index = 0; index < group->Count(); ++index) {
            const QRect item = group->Item(index)->geometry();
            EXPECT_TRUE(group->rect().contains(item)) << group->objectName().toStdString() << index;
            EXPECT_EQ(group->Buttons()->id(group->Item(index)), index);
        }
}

TEST_F(MainWindow, FontsResolveToTheJapaneseFacesAtTheirPixelHeights)
{
    struct Expected {
        QWidget* control;
        const char* family;
        int pixels;
        bool bold;
    };
    const Expected table[] = {
        {form->GroupBox1, "IPAMincho", 16, false},  {form->D3, "IPAMincho", 16, false},
        {form->QNumCheck->Item(1), "IPAMincho", 16, false},
        {form->MGroup->Item(1), "IPAGothic", 13, false},  // the window font
        {form->PreviewBtn, "IPAMincho", 19, false}, {form->Label2, "IPAGothic", 16, true},
    };
    for (const Expected& e : table) {
        const QFontInfo info(e.control->font());
        EXPECT_EQ(info.family(), QLatin1String(e.family)) << e.control->objectName().toStdString();
        EXPECT_EQ(e.control->font().pixelSize(), e.pixels) << e.control->objectName().toStdString();
        EXPECT_EQ(e.control->font().bold(), e.bold) << e.control->objectName().toStdString();
    }
    // The IPA faces have no bold cut, so the bold credit line must come out
    // emboldened: more ink than the same text in the regular weight.
    QFont regular = form->Label2->font();
    regular.setBold(false);
    EXPECT_GT(InkOf(form->Label2->font(), form->Label2->text()), InkOf(regular, form->Label2->text()) * 11 / 10);
    EXPECT_EQ(form->Label2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(MainWindow, TabGoesThroughTheControlsInTheirKeyboardOrder)
{
    // The focus chain, each radio item counted as its group.
    QStringList order;
    for (QWidget* w = form->nextInFocusChain(); w != form.get(); w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        QWidget* control = qobject_cast<RadioGroup*>(w->parentWidget()) ? w->parentWidget() : w;
        if (order.isEmpty() || order.last() != control->objectName())
            order << control->objectName();
    }
    const QStringList expected = {
        "ImportantDan", "JousuuCheck", "QNumCheck", "RandomCheck", "PreviewBtn", "QuitBtn",
        "PrintBtn",     "D0",          "D1",        "D2",          "D3",         "D4",
        "D5",           "D6",          "D7",        "D8",          "D9",         "Edit1",
        "btnSetPrn",    "MGroup",      "Amari",     "PrintAnsBtn", "rgNum",      "rgSquare"};
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindow, TabIntoARadioGroupLandsOnItsSelectedItem)
{
    ShowActive();
    Click(Box(1));  // enables the count group, where "１０問" is selected
    struct Case {
        QWidget* from;
        Qt::Key key;
        RadioGroup* group;
        int selected;  // -1: none
        int landsOn;
    };
    const Case cases[] = {
        {form->JousuuCheck->Item(0), Qt::Key_Tab, form->QNumCheck, 1, 1},
        {form->RandomCheck->Item(0), Qt::Key_Backtab, form->QNumCheck, 1, 1},
        {form->JousuuCheck->Item(0), Qt::Key_Tab, form->QNumCheck, 9, 9},
        {form->JousuuCheck->Item(0), Qt::Key_Backtab, form->ImportantDan, -1, 0},
        {form->JousuuCheck->Item(0), Qt::Key_Backtab, form->ImportantDan, 7, 7},
    };
    for (const Case& c : cases) {
        c.group->SetItemIndex(c.selected);
        c.from->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(FocusName(), c.group->Item(c.landsOn)->objectName().toStdString())
            << "selected " << c.selected;
    }
    // An arrow key moves the selection within the group; Tab leaves it, and
    // Shift+Tab comes back to the newly selected item.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(form->ImportantDan->ItemIndex(), 8);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "JousuuCheckItem0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(FocusName(), "ImportantDanItem8");
}

TEST_F(MainWindow, EmphasisedDanChecksItsBoxAndEnablesPreview)
{
    ShowActive();
    Click(form->ImportantDan->Item(3));
    EXPECT_EQ(form->ImportantDan->ItemIndex(), 3);
    EXPECT_TRUE(Box(3)->isChecked());
    EXPECT_EQ(form->Controls().DanMask(), 8);
    EXPECT_TRUE(form->QNumCheck->isEnabled());
    EXPECT_TRUE(form->PreviewBtn->isEnabled());

    // Emphasis on a dan already drilled changes no box.
    Click(Box(5));
    Click(form->ImportantDan->Item(5));
    EXPECT_EQ(form->Controls().DanMask(), 8 | 32);
    EXPECT_EQ(CheckedMask(), 8 | 32);

    // "意味ﾅｼ" checks nothing.
    Click(form->ImportantDan->Item(0));
    EXPECT_EQ(form->ImportantDan->ItemIndex(), 0);
    EXPECT_EQ(form->Controls().DanMask(), 8 | 32);
}

TEST_F(MainWindow, NoEmphasisChoiceEnablesNothing)
{
    ShowActive();
    Click(form->ImportantDan->Item(0));
    EXPECT_EQ(form->Controls().DanMask(), 0);
    EXPECT_FALSE(form->QNumCheck->isEnabled());
    EXPECT_FALSE(form->PreviewBtn->isEnabled());
}

TEST_F(MainWindow, ClearingTheEmphasisedBoxLeavesNoSelection)
{
    ShowActive();
    Click(form->ImportantDan->Item(3));
    Click(Box(7));
    Click(Box(7));  // another box: the emphasis stays
    EXPECT_EQ(form->ImportantDan->ItemIndex(), 3);

    Click(Box(3));
    EXPECT_EQ(form->ImportantDan->ItemIndex(), -1);  // not "意味ﾅｼ"
    EXPECT_FALSE(form->ImportantDan->Item(0)->isChecked());
    EXPECT_EQ(form->Snapshot().ImportantDan, -1);
    EXPECT_EQ(form->Controls().DanMask(), 0);

    // Choosing the same dan again works from no selection.
    Click(form->ImportantDan->Item(3));
    EXPECT_TRUE(Box(3)->isChecked());
}

TEST_F(MainWindow, ClearingTheLastBoxDisablesPreviewButKeepsPrinting)
{
    ShowActive();
    Click(Box(2));
    Click(Box(4));
    Click(form->QNumCheck->Item(7));
    form->EnablePrintCommands();

    Click(Box(2));
    EXPECT_TRUE(form->PreviewBtn->isEnabled());
    Click(Box(4));
    EXPECT_FALSE(form->QNumCheck->isEnabled());
    EXPECT_FALSE(form->PreviewBtn->isEnabled());
    EXPECT_EQ(form->QNumCheck->ItemIndex(), 7);
    EXPECT_TRUE(form->PrintBtn->isEnabled());
    EXPECT_TRUE(form->PrintAnsBtn->isEnabled());
}

TEST_F(MainWindow, CountDecidesWhetherZeroMayBeADividend)
{
    ShowActive();
    Click(Box(1));
    Click(form->JousuuCheck->Item(1));
    ASSERT_EQ(form->JousuuCheck->ItemIndex(), 1);

    Click(form->QNumCheck->Item(4));  // "２７問"
    EXPECT_EQ(form->JousuuCheck->ItemIndex(), 0);
    EXPECT_FALSE(form->JousuuCheck->isEnabled());

    Click(form->QNumCheck->Item(5));  // "３０問"
    EXPECT_TRUE(form->JousuuCheck->isEnabled());
    EXPECT_EQ(form->JousuuCheck->ItemIndex(), 0);

    Click(form->QNumCheck->Item(12));  // "３６問２列"
    EXPECT_FALSE(form->JousuuCheck->isEnabled());
    Click(form->QNumCheck->Item(13));  // "４０問２列"
    EXPECT_TRUE(form->JousuuCheck->isEnabled());
}

TEST_F(MainWindow, ClickingTheSelectedCountRunsNoRule)
{
    ShowActive();
    Click(Box(1));
    Click(form->QNumCheck->Item(2));
    ASSERT_FALSE(form->JousuuCheck->isEnabled());
    form->JousuuCheck->setEnabled(true);
    form->JousuuCheck->SetItemIndex(1);
    Click(form->QNumCheck->Item(2));
    EXPECT_TRUE(form->JousuuCheck->isEnabled());
    EXPECT_EQ(form->JousuuCheck->ItemIndex(), 1);
}

TEST_F(MainWindow, MultiplierAndBlankBoxExcludeEachOtherByClick)
{
    ShowActive();
    Click(form->rgSquare->Item(1));  // "[ ]÷"
    ASSERT_EQ(form->rgSquare->ItemIndex(), 1);

    Click(form->MGroup->Item(2));  // "×100"
    EXPECT_EQ(form->MGroup->ItemIndex(), 2);
    EXPECT_EQ(form->rgSquare->ItemIndex(), 0);

    Click(form->rgSquare->Item(3));  // "混合"
    EXPECT_EQ(form->rgSquare->ItemIndex(), 3);
    EXPECT_EQ(form->MGroup->ItemIndex(), 0);
}

TEST_F(MainWindow, MultiplierAndBlankBoxExcludeEachOtherByTab)
{
    ShowActive();
    form->rgSquare->SetItemIndex(2);
    form->btnSetPrn->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(form->MGroup->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(form->rgSquare->ItemIndex(), 0);

    // Moving between its items with the arrow keys is no new entry.
    form->rgSquare->SetItemIndex(2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    ASSERT_TRUE(form->MGroup->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(form->MGroup->ItemIndex(), 1);
    EXPECT_EQ(form->rgSquare->ItemIndex(), 2);

    // Tabbing on through the window reaches the blank-box group last.
    for (int step = 0; step < 40 && !form->rgSquare->isAncestorOf(QApplication::focusWidget());
         ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(form->rgSquare->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(form->MGroup->ItemIndex(), 0);
}

TEST_F(MainWindow, DanMaskFollowsTheCheckedBoxesAndNeverHoldsDanZero)
{
    ShowActive();
    Click(Box(0));
    EXPECT_FALSE(Box(0)->isChecked());
    const int steps[] = {1, 9, 4, 1, 13, 16, 9, 12, 4, 17, 18, 19, 11, 16, 2, 14};
    for (int step : steps) {
        // Below 10 a dan box, from 10 on item (step - 10) of the emphasis group.
        if (step < 10)
            Click(Box(step));
        else
            Click(form->ImportantDan->Item(step - 10));
        EXPECT_EQ(form->Controls().DanMask(), CheckedMask()) << step;
        EXPECT_EQ(form->Snapshot().DanMask, CheckedMask()) << step;
        EXPECT_EQ(form->Controls().DanMask() & 1, 0);
        const int emphasis = form->ImportantDan->ItemIndex();
        if (emphasis >= 1) {
            EXPECT_TRUE(Box(emphasis)->isChecked()) << step;
        }
        EXPECT_EQ(form->PreviewBtn->isEnabled(), CheckedMask() != 0);
    }
    for (int index = 0; index < 10; ++index)
        Click(form->ImportantDan->Item(index));
    EXPECT_FALSE(Box(0)->isChecked());
    EXPECT_EQ(form->Controls().DanMask(), 0x3FE);
}

TEST_F(MainWindow, SnapshotReadsEveryGroupAsItIsNow)
{
    ShowActive();
    Click(Box(6));
    Click(form->ImportantDan->Item(6));
    Click(form->QNumCheck->Item(9));
    Click(form->JousuuCheck->Item(1));
    Click(form->RandomCheck->Item(1));
    Click(form->rgSquare->Item(2));
    Click(form->Amari->Item(7));
    Click(form->rgNum->Item(1));
    const SheetOptions options = form->Snapshot();
    EXPECT_EQ(options.DanMask, 64);
    EXPECT_EQ(options.ImportantDan, 6);
    EXPECT_EQ(options.QNumCheck, 9);
    EXPECT_EQ(options.JousuuCheck, 1);
    EXPECT_EQ(options.RandomCheck, 1);
    EXPECT_EQ(options.MGroup, 0);
    EXPECT_EQ(options.rgSquare, 2);
    EXPECT_EQ(options.Amari, 7);
    EXPECT_EQ(options.rgNum, 1);
}

TEST_F(MainWindow, QuitButtonAndAltCCloseTheWindow)
{
    ShowActive();
    Click(form->QuitBtn);
    EXPECT_FALSE(form->isVisible());

    form = std::make_unique<TForm1>();
    ShowActive();
    QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
    // The access key presses the button visibly before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 2000));
}

TEST_F(MainWindow, PrintButtonsShowThePrinterOnATransparentGround)
{
    for (QPushButton* button : {form->PrintBtn, form->PrintAnsBtn}) {
        const QImage picture = button->icon().pixmap(16, 16).toImage();
        ASSERT_EQ(picture.size(), QSize(16, 16));
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);  // the light-grey ground
        int yellow = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                yellow += picture.pixelColor(x, y) == QColor(255, 255, 0);
        EXPECT_GT(yellow, 0);  // the lamp
    }
    EXPECT_FALSE(form->QuitBtn->icon().isNull());
    EXPECT_TRUE(form->PreviewBtn->icon().isNull());
}

TEST_F(MainWindow, ControlsCarryTheirCaptionsAsAccessibleNames)
{
    EXPECT_EQ(form->QuitBtn->accessibleName(), QStringLiteral("終了(C)"));
    EXPECT_EQ(form->QuitBtn->text(), QStringLiteral("終了(&C)"));
    EXPECT_EQ(form->PrintAnsBtn->accessibleName(), QStringLiteral("印刷(答有)"));
    EXPECT_EQ(form->rgSquare->accessibleName(), QStringLiteral("[ ]のパターン"));
    EXPECT_EQ(form->rgSquare->Item(1)->accessibleName(), QStringLiteral("[ ]÷"));
    EXPECT_EQ(Box(9)->accessibleName(), QStringLiteral("９の段"));
    EXPECT_EQ(form->Label3->accessibleName(), QStringLiteral("ﾌﾟﾘﾝﾄ番号"));
    for (QWidget* control : form->findChildren<QWidget*>()) {
        if (control->focusPolicy() & Qt::TabFocus) {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        }
    }
}

TEST_F(MainWindow, PreviewAreaPaintsThroughItsHandler)
{
    EXPECT_EQ(form->PaintBox1->size(), QSize(320, 441));
    int painted = 0;
    form->PaintBox1->SetPaintHandler([&](QPainter&) { ++painted; });
    form->PaintBox1->grab();
    EXPECT_EQ(painted, 1);
}

}  // namespace
}  // namespace zentavo
