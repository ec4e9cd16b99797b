#include "window/Fmain.h"
#include "window/RadioGroup.h"
#include "window/canvas/ToolkitTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <memory>

namespace zentavo {
namespace {

class ToolkitTranslations : public ::testing::Test {
protected:
    // Back to Qt's English for the tests that follow.
    void TearDown() override { InstallToolkitTranslations(QLocale::c()); }
};

TEST_F(ToolkitTranslations, DialogsAndMenusSpeakTheLocalesLanguage)
{
    struct Case {
        const char* locale;
        bool installed;
        QString title;
        QStringList captions;  // some of the printer dialog's labels and buttons
        QString undo;          // the edit box menu's first entry
    };
    // Japanese, then English: a later call replaces the earlier texts.
    const Case cases[] = {
        {"ja_JP", true, "印刷", {"名前(&N):", "プロパティ(&R)", "オプション(&O) >>", "キャンセル"},
         "元に戻す(&U)"},
        {"C", false, "Print", {"&Name:", "P&roperties", "&Options >>", "Cancel"}, "&Undo"},
        {"th_TH", false, "Print", {"&Name:"}, "&Undo"},  // no catalogue for Thai
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InstallToolkitTranslations(QLocale(QLatin1String(c.locale))), c.installed) << c.locale;
        QPrinter printer;
        QPrintDialog dialog(&printer);
        EXPECT_EQ(dialog.windowTitle(), c.title) << c.locale;
        QStringList shown;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            shown << label->text();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            shown << button->text();
        for (const QString& caption : c.captions)
            EXPECT_TRUE(shown.contains(caption)) << c.locale << ": no " << caption.toStdString();
        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        EXPECT_EQ(menu->actions().value(0)->text().section(QLatin1Char('\t'), 0, 0), c.undo) << c.locale;
    }
}

TEST_F(ToolkitTranslations, WindowStaysLeftToRightUnderARightToLeftLanguage)
{
    ASSERT_TRUE(InstallToolkitTranslations(QLocale(QLocale::Hebrew, QLocale::Israel)));
    ASSERT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    TForm1 form;
    EXPECT_EQ(form.layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(form.QNumCheck->Item(1)->layoutDirection(), Qt::LeftToRight);
}

}  // namespace
}  // namespace zentavo
