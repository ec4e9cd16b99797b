#include "print/PdfDocument.h"
#include "print/PrintingWindow.h"

#include "window/Fmain.h"
#include "window/print/QtPrintService.h"
#include "window/canvas/ShiftJisText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "render/MakePrint.h"
#include "render/ProblemTexts.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <memory>

namespace zentavo::testing {
namespace {

// Every problem text of one sheet of the set shown, as it appears on the sheet.
QStringList SheetTexts(const TForm1& form, int32_t answers)
{
    ProblemList list = form.Run().Problems;
    MakeProblemTexts(form.Snapshot(), list, answers);
    QStringList texts;
    for (int32_t i = 1; i <= list.Count; ++i)
        texts << WithoutSpaces(ShiftJisToUnicode(list.Texts[static_cast<size_t>(i)]).value_or(QString()));
    return texts;
}

void ExpectHoldsEvery(const PdfDocument& document, const QStringList& texts)
{
    ASSERT_FALSE(texts.isEmpty());
    for (const QString& text : texts)
        EXPECT_TRUE(document.text.contains(text)) << text.toStdString() << " missing from\n"
                                                  << document.text.toStdString();
}

// Chooses "print to file" in the setup dialog, writing to `path`.
void ChoosePrintToFile(QWidget* dialog, const QString& path)
{
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(printers, nullptr);
    ASSERT_NE(fileName, nullptr);
    const int toFile = printers->findText(QStringLiteral("Print to File (PDF)"));
    ASSERT_GE(toFile, 0);
    printers->setCurrentIndex(toFile);
    fileName->setText(path);
}

// Keeps a printed document for a look by eye when the build asks for it.
void KeepForInspection(const PrintJob& job, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZENTAVO_TEST_OUTPUT");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    const QString target = QDir(folder).filePath(name);
    QFile::remove(target);
    QFile::copy(job.spoolFile, target);
}

class Printing : public PrintingWindow {
protected:
    void ExpectErrorBox(const std::vector<SeenBox>& boxes, const QString& text)
    {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, QStringLiteral("Testprinting"));
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
        EXPECT_EQ(boxes[0].buttonCount, 1);
    }

    // Chooses `queue` in the setup dialog and accepts it.
    void ChooseInSetupDialog(const QString& queue)
    {
        ModalWatcher watcher([&](QWidget* dialog) {
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            ASSERT_NE(printers, nullptr);
            ASSERT_GE(printers->findText(queue), 0);
            printers->setCurrentIndex(printers->findText(queue));
            static_cast<QDialog*>(dialog)->accept();
        });
        form().btnSetPrn->click();
        ASSERT_EQ(watcher.Dialogs(), 1);
    }

    // The print number was read from Edit1 but not advanced.
    void ExpectNotAdvanced(const QString& edit1, int32_t printNumber)
    {
        EXPECT_EQ(form().Edit1->text(), edit1);
        EXPECT_EQ(form().Run().PrintNumber, printNumber);
    }

};

TEST_F(Printing, PrintsTheQuestionsThenBothSheetsAsOnePageJobs)
{
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("4")).empty());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("5"));
    const QStringList questions = SheetTexts(form(), QuestionSheet);

    auto jobs = scheduler().WaitForFinishedJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].title, QStringLiteral("Zentavo"));
    EXPECT_EQ(jobs[0].state, IPP_JSTATE_COMPLETED);
    const PdfDocument sheet = ReadPdf(jobs[0].spoolFile);
    EXPECT_EQ(sheet.pages, 1);
    EXPECT_TRUE(sheet.IsA4Portrait()) << sheet.width << " x " << sheet.height;
    EXPECT_TRUE(sheet.text.contains(QStringLiteral("問題No.4")));
    EXPECT_TRUE(sheet.text.contains(QStringLiteral("わりざん九九")));
    ExpectHoldsEvery(sheet, questions);
    EXPECT_FALSE(sheet.text.contains(QStringLiteral("＝")));

    EXPECT_TRUE(Press(form().PrintAnsBtn, form().Edit1->text()).empty());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("6"));
    const QStringList answers = SheetTexts(form(), AnswerSheet);

    jobs = scheduler().WaitForFinishedJobs(3);
    ASSERT_EQ(jobs.size(), 3u);
    const PdfDocument again = ReadPdf(jobs[1].spoolFile);
    const PdfDocument withAnswers = ReadPdf(jobs[2].spoolFile);
    for (const auto& [job, document] : {std::pair{jobs[1], again}, std::pair{jobs[2], withAnswers}}) {
        EXPECT_EQ(job.title, QStringLiteral("Zentavo"));
        EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED);
        EXPECT_EQ(document.pages, 1);
        EXPECT_TRUE(document.IsA4Portrait());
        EXPECT_TRUE(document.text.contains(QStringLiteral("問題No.5")));
    }
    KeepForInspection(jobs[1], QStringLiteral("printed-questions.pdf"));
    KeepForInspection(jobs[2], QStringLiteral("printed-answers.pdf"));
    ExpectHoldsEvery(again, questions);
    EXPECT_FALSE(again.text.contains(QStringLiteral("＝")));
    ExpectHoldsEvery(withAnswers, answers);
    EXPECT_TRUE(answers.first().contains(QStringLiteral("＝")));
}

TEST_F(Printing, PrintNumberFromHexAndHeldAtTheLargestValue)
{
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral(" $10")).empty());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("17"));
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("2147483647")).empty());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("2147483647"));
    EXPECT_EQ(form().Run().PrintNumber, 2147483647);

    const auto jobs = scheduler().WaitForFinishedJobs(2);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_TRUE(ReadPdf(jobs[0].spoolFile).text.contains(QStringLiteral("問題No.16")));
    EXPECT_TRUE(ReadPdf(jobs[1].spoolFile).text.contains(QStringLiteral("問題No.2147483647")));
}

TEST_F(Printing, TextThatIsNoIntegerPrintsNothing)
{
    PreviewSheet();
    ExpectErrorBox(Press(form().PrintAnsBtn, QStringLiteral("7 ")), QStringLiteral("'7 ' は整数ではありません."));
    ExpectNotAdvanced(QStringLiteral("7 "), 1);
    ExpectErrorBox(Press(form().PrintBtn, QString()), QStringLiteral("'' は整数ではありません."));
    EXPECT_TRUE(scheduler().Jobs().empty());
}

TEST_F(Printing, WithoutADefaultPrinterNothingIsPrinted)
{
    scheduler().Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), CupsScheduler::Queue});
    PreviewSheet();
    ExpectErrorBox(Press(form().PrintBtn, QStringLiteral("7")), QStringLiteral("デフォルト プリンタが存在しません."));
    ExpectNotAdvanced(QStringLiteral("7"), 7);
}

// Queues installed, none of them the default: nothing is printed until one
// is chosen in the setup dialog. (Qt would take the first queue it finds.)
TEST_F(Printing, InstalledQueuesWithoutADefaultPrintNothingUntilOneIsChosen)
{
    scheduler().AddQueue(QStringLiteral("Second"));
    scheduler().Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), CupsScheduler::Queue});
    PreviewSheet();
    for (QPushButton* button : {form().PrintBtn, form().PrintAnsBtn}) {
        ExpectErrorBox(Press(button, QStringLiteral("7")), QStringLiteral("デフォルト プリンタが存在しません."));
        ExpectNotAdvanced(QStringLiteral("7"), 7);
    }
    EXPECT_TRUE(scheduler().Jobs().empty());

    ChooseInSetupDialog(QStringLiteral("Second"));
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("7")).empty());
    const auto jobs = scheduler().WaitForFinishedJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(ReadPdf(jobs[0].spoolFile).text.contains(QStringLiteral("問題No.7")));
}

// The dialog chooses the printer; it offers no page range or page set,
// which would leave later one-page jobs empty, and its button does not
// say Print.
TEST_F(Printing, TheSetupDialogChoosesAPrinterAndNothingThatEmptiesASheet)
{
    ModalWatcher watcher([](QWidget* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        const QString accept = buttons->button(QDialogButtonBox::Ok)->text();
        EXPECT_FALSE(accept.contains(QStringLiteral("Print"), Qt::CaseInsensitive)) << accept.toStdString();
        for (const char* name : {"gbPrintRange", "pageSetCombo", "pagesRadioButton", "from"}) {
            auto* choice = dialog->findChild<QWidget*>(QLatin1String(name));
            EXPECT_TRUE(!choice || !choice->isVisible()) << name;
        }
        // Even a page set left behind must not reach the job.
        if (auto* pageSet = dialog->findChild<QComboBox*>(QStringLiteral("pageSetCombo")))
            pageSet->setCurrentIndex(pageSet->count() - 1);
        static_cast<QDialog*>(dialog)->accept();
    });
    form().btnSetPrn->click();
    ASSERT_EQ(watcher.Dialogs(), 1);
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintAnsBtn, QStringLiteral("3")).empty());
    const auto jobs = scheduler().WaitForFinishedJobs(2);
    ASSERT_EQ(jobs.size(), 2u);
    for (const PrintJob& job : jobs) {
        const PdfDocument sheet = ReadPdf(job.spoolFile);
        EXPECT_EQ(sheet.pages, 1);
        EXPECT_TRUE(sheet.text.contains(QStringLiteral("問題No.3")));
    }
}

TEST_F(Printing, AJobTheQueueRejectsIsAFailure)
{
    scheduler().Admin(QStringLiteral("cupsreject"), {CupsScheduler::Queue});
    PreviewSheet();
    const auto boxes = Press(form().PrintAnsBtn, QStringLiteral("7"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(boxes[0].text.contains(QString::fromUtf8(CupsScheduler::Queue))) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.endsWith(u'.'));
    ExpectNotAdvanced(QStringLiteral("7"), 7);
    EXPECT_TRUE(scheduler().Jobs().empty());
}

TEST_F(Printing, AfterTheSchedulerHasGoneNothingIsPrinted)
{
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("1")).empty());
    scheduler().WaitForFinishedJobs(1);
    scheduler().Stop();

    ExpectErrorBox(Press(form().PrintBtn, QStringLiteral("2")), QStringLiteral("選択したプリンタは有効ではありません."));
    ExpectNotAdvanced(QStringLiteral("2"), 2);

    // A window that never printed finds no printer at all.
    form_ = std::make_unique<TForm1>();
    PreviewSheet();
    ExpectErrorBox(Press(form().PrintBtn, QStringLiteral("2")), QStringLiteral("デフォルト プリンタが存在しません."));
}

TEST_F(Printing, PrintToFileChosenInTheSetupDialogNeedsNoPrinter)
{
    scheduler().Stop();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    {
        ModalWatcher watcher([&](QWidget* dialog) {
            ChoosePrintToFile(dialog, path);
            static_cast<QDialog*>(dialog)->accept();
        });
        form().btnSetPrn->click();
        ASSERT_EQ(watcher.Dialogs(), 1);
    }
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("3")).empty());
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("4"));
    const PdfDocument sheet = ReadPdf(path);
    EXPECT_EQ(sheet.pages, 1);
    EXPECT_GT(sheet.height, sheet.width);
    EXPECT_TRUE(sheet.text.contains(QStringLiteral("問題No.3")));

    // With answers, the answer sheet goes beside the question sheet instead
    // of over it; the next command writes to the chosen file again.
    EXPECT_TRUE(Press(form().PrintAnsBtn, QStringLiteral("4")).empty());
    const PdfDocument questions = ReadPdf(path);
    const PdfDocument answers = ReadPdf(folder.filePath(QStringLiteral("sheet-2.pdf")));
    EXPECT_TRUE(questions.text.contains(QStringLiteral("問題No.4")));
    EXPECT_FALSE(questions.text.contains(QStringLiteral("＝")));
    EXPECT_TRUE(answers.text.contains(QStringLiteral("問題No.4")));
    EXPECT_TRUE(answers.text.contains(QStringLiteral("＝")));
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("5")).empty());
    EXPECT_TRUE(ReadPdf(path).text.contains(QStringLiteral("問題No.5")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("sheet-3.pdf"))));
}

TEST_F(Printing, CancelledSetupDialogChangesNothing)
{
    QTemporaryDir folder;
    ModalWatcher watcher([&](QWidget* dialog) {
        ChoosePrintToFile(dialog, folder.filePath(QStringLiteral("never.pdf")));
        static_cast<QDialog*>(dialog)->reject();
    });
    form().btnSetPrn->click();
    ASSERT_EQ(watcher.Dialogs(), 1);
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("1")).empty());
    EXPECT_EQ(scheduler().WaitForFinishedJobs(1).size(), 1u);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("never.pdf"))));
}

// The paper chosen in the dialog is the page; landscape does not outlast
// the next print, which prints upright.
TEST_F(Printing, PaperChosenInTheSetupDialogIsPrintedUpright)
{
    // Properties (the printer's page setup), answered by the watcher below,
    // then OK. The watcher answers one window at a time, so the properties
    // open from the dialog's own event loop.
    ModalWatcher watcher([](QWidget* dialog) {
        if (auto* setup = qobject_cast<QPrintDialog*>(dialog)) {
            auto* properties = setup->findChild<QPushButton*>(QStringLiteral("properties"));
            ASSERT_NE(properties, nullptr);
            QTimer::singleShot(0, setup, [setup, properties] {
                properties->click();
                setup->accept();
            });
            return;
        }
        auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
        ASSERT_NE(paper, nullptr);
        ASSERT_NE(landscape, nullptr);
        const int a5 = paper->findText(QStringLiteral("A5"), Qt::MatchStartsWith);
        ASSERT_GE(a5, 0);
        paper->setCurrentIndex(a5);
        landscape->click();
        static_cast<QDialog*>(dialog)->accept();
    });
    form().btnSetPrn->click();
    ASSERT_EQ(watcher.Dialogs(), 2);
    PreviewSheet();
    EXPECT_TRUE(Press(form().PrintBtn, QStringLiteral("1")).empty());
    const auto jobs = scheduler().WaitForFinishedJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    const PdfDocument sheet = ReadPdf(jobs[0].spoolFile);
    EXPECT_NEAR(sheet.width, 419.5, 1.0);
    EXPECT_NEAR(sheet.height, 595.3, 1.0);
    EXPECT_EQ(sheet.rotation % 180, 0);
    EXPECT_TRUE(sheet.text.contains(QStringLiteral("問題No.1")));
}

TEST_F(Printing, AnOpenDocumentRefusesTheNextUntilItEnds)
{
    QTemporaryDir folder;
    QtPrintService service;
    {
        ModalWatcher watcher([&](QWidget* dialog) {
            ChoosePrintToFile(dialog, folder.filePath(QStringLiteral("open.pdf")));
            static_cast<QDialog*>(dialog)->accept();
        });
        ASSERT_TRUE(service.SetupDialog(nullptr));
    }
    service.GetPrinter();
    service.SetPortrait();
    EXPECT_GT(service.PageHeight(), service.PageWidth());
    service.BeginDoc("Zentavo");
    for (const auto& operation : {std::function<void()>([&] { service.GetPrinter(); }),
                                  std::function<void()>([&] { service.SetPortrait(); }),
                                  std::function<void()>([&] { service.BeginDoc("Zentavo"); })}) {
        try {
            operation();
            ADD_FAILURE() << "no failure while a document is open";
        } catch (const PrintError& error) {
            EXPECT_STREQ(error.what(), "現在印刷中です");
        }
    }
    service.AbortDoc();
    EXPECT_NO_THROW(service.GetPrinter());
    service.BeginDoc("Zentavo");
    service.PageCanvas().DrawRectangle(0, 0, 10, 10);
    EXPECT_NO_THROW(service.EndDoc());
    EXPECT_NO_THROW(service.GetPrinter());
}

}  // namespace
}  // namespace zentavo::testing
