#include "window/Fmain.h"
#include "window/RadioGroup.h"
#include "window/ToolkitTranslations.h"

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

    // The captions a user sees in a fresh printer settings dialog.
    static QStringList PrinterDialogTexts(QString* title)
    {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        *title = dialog.windowTitle();
        QStringList texts;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            if (label->isVisibleTo(&dialog))
                texts << label->text();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (button->isVisibleTo(&dialog))
                texts << button->text();
        return texts;
    }

    // The first entry of an edit box's right-click menu, without its shortcut.
    static QString FirstEditMenuEntry()
    {
        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        return menu->actions().value(0)->text().section(QLatin1Char('\t'), 0, 0);
    }
};

TEST_F(ToolkitTranslations, DialogsAndMenusSpeakTheLocalesLanguage)
{
    struct Case {
        const char* locale;
        bool installed;
        QString title;
        QStringList captions;
        QString undo;
    };
    // Japanese, then English again: a later call replaces the earlier texts.
    const Case cases[] = {
        {"ja_JP", true, "印刷", {"名前(&N):", "プロパティ(&R)", "オプション(&O) >>", "印刷(&P)", "キャンセル"},
         "元に戻す(&U)"},
        {"C", false, "Print", {"&Name:", "P&roperties", "&Options >>", "&Print", "Cancel"}, "&Undo"},
        {"ja_JP", true, "印刷", {"名前(&N):"}, "元に戻す(&U)"},
        {"th_TH", false, "Print", {"&Name:", "Cancel"}, "&Undo"},  // no catalogue for Thai
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InstallToolkitTranslations(QLocale(QLatin1String(c.locale))), c.installed) << c.locale;
        QString title;
        const QStringList texts = PrinterDialogTexts(&title);
        EXPECT_EQ(title, c.title) << c.locale;
        for (const QString& caption : c.captions)
            EXPECT_TRUE(texts.contains(caption)) << c.locale << ": no " << caption.toStdString();
        EXPECT_EQ(FirstEditMenuEntry(), c.undo) << c.locale;
    }
}

TEST_F(ToolkitTranslations, WindowStaysLeftToRightUnderARightToLeftLanguage)
{
    ASSERT_TRUE(InstallToolkitTranslations(QLocale(QLocale::Hebrew, QLocale::Israel)));
    ASSERT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);
    TForm1 form;
    EXPECT_EQ(form.layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(form.QNumCheck->Item(1)->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(form.Edit1->layoutDirection(), Qt::LeftToRight);
}

}  // namespace
}  // namespace zentavo
