#include "print/CupsHook.h"
#include "print/PdfDocument.h"
#include "print/PrintingWindow.h"

#include "window/Fmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cups/cups.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

// Failures of the print service injected while the window prints: what the
// user is told, what the print number becomes and that printing works again
// once the fault is gone.

namespace zentavo::testing {
namespace {

constexpr const char* SecondQueue = "Second";

class PrintFailures : public PrintingWindow {
protected:
    void SetUp() override
    {
        PrintingWindow::SetUp();
        if (!IsSkipped())
            PreviewSheet();
    }

    void TearDown() override
    {
        AfterDocument = nullptr;
        PrintingWindow::TearDown();
    }

    // One error box with `text`; Edit1 and PrintNumber still hold `number`.
    void ExpectFailure(const std::vector<SeenBox>& boxes, const QString& text, int32_t number)
    {
        ExpectFailure(boxes, QStringList{text}, number);
    }

    // The same where the service may word the failure in more than one way.
    void ExpectFailure(const std::vector<SeenBox>& boxes, const QStringList& texts, int32_t number)
    {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(texts.contains(boxes[0].text)) << boxes[0].text.toStdString();
        EXPECT_EQ(form().Edit1->text(), QString::number(number));
        EXPECT_EQ(form().Run().PrintNumber, number);
    }

    // No box; the number was printed and Edit1 holds the next one.
    void ExpectSuccess(const std::vector<SeenBox>& boxes, int32_t number)
    {
        EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
        EXPECT_EQ(form().Run().PrintNumber, number + 1);
        EXPECT_EQ(form().Edit1->text(), QString::number(number + 1));
    }

    // The jobs `from`.. (1-based) finished and carry `number` on their sheet.
    void ExpectPrinted(size_t jobs, size_t from, int32_t number, const char* queue = CupsScheduler::Queue)
    {
        const auto finished = scheduler().WaitForFinishedJobs(jobs);
        ASSERT_EQ(finished.size(), jobs);
        for (size_t i = from - 1; i < jobs; ++i) {
            EXPECT_EQ(finished[i].state, IPP_JSTATE_COMPLETED) << "job " << finished[i].id;
            const PdfDocument sheet = ReadPdf(finished[i].spoolFile);
            EXPECT_TRUE(sheet.text.contains(QStringLiteral("問題No.%1").arg(number))) << "job " << finished[i].id;
        }
        cups_job_t* list = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, queue, 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(count, list);
        EXPECT_GE(count, static_cast<int>(jobs - from + 1)) << "on " << queue;
    }

};

TEST_F(PrintFailures, SchedulerKilledBetweenTheTwoJobsOfPrintWithAnswers)
{
    AfterDocument = [&](ipp_status_t status) {
        if (status == IPP_STATUS_OK)
            scheduler().Stop();  // the question sheet is in; the answer sheet finds no one
    };
    const QString spool = QDir(scheduler().Folder()).filePath(QStringLiteral("spool/d00001-001"));
    const auto boxes = Press(form().PrintAnsBtn, QStringLiteral("7"));
    AfterDocument = nullptr;
    ASSERT_EQ(boxes.size(), 1u);
    std::printf("killed between jobs: \"%s\"\n", boxes[0].text.toUtf8().constData());
    ExpectFailure(boxes, QStringLiteral("選択したプリンタは有効ではありません."), 7);
    EXPECT_TRUE(ReadPdf(spool).text.contains(QStringLiteral("問題No.7")));

    scheduler().Start();
    ExpectSuccess(Press(form().PrintAnsBtn, QStringLiteral("7")), 7);
    ExpectPrinted(2, 1, 7);
}

TEST_F(PrintFailures, StoppedQueueHoldsTheJobsWhileARejectingOneRefusesThem)
{
    scheduler().Admin(QStringLiteral("cupsdisable"), {CupsScheduler::Queue});
    ExpectSuccess(Press(form().PrintAnsBtn, QStringLiteral("3")), 3);
    auto jobs = scheduler().Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    for (const PrintJob& job : jobs)
        EXPECT_EQ(job.state, IPP_JSTATE_PENDING);
    scheduler().Admin(QStringLiteral("cupsenable"), {CupsScheduler::Queue});
    ExpectPrinted(2, 1, 3);

    scheduler().Admin(QStringLiteral("cupsreject"), {CupsScheduler::Queue});
    ExpectFailure(Press(form().PrintBtn, QStringLiteral("4")), QStringLiteral("Destination \"ZentavoPDF\" is not accepting jobs."), 4);
    EXPECT_EQ(scheduler().Jobs().size(), 2u);

    scheduler().Admin(QStringLiteral("cupsaccept"), {CupsScheduler::Queue});
    ExpectSuccess(Press(form().PrintBtn, QStringLiteral("4")), 4);
    ExpectPrinted(3, 3, 4);
}

TEST_F(PrintFailures, PrinterRemovedWhileTheSetupChoiceStillNamesIt)
{
    scheduler().AddQueue(QString::fromUtf8(SecondQueue));
    {
        ModalWatcher watcher([](QWidget* dialog) {
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            ASSERT_NE(printers, nullptr);
            const int second = printers->findText(QString::fromUtf8(SecondQueue));
            ASSERT_GE(second, 0);
            printers->setCurrentIndex(second);
            static_cast<QDialog*>(dialog)->accept();
        });
        form().btnSetPrn->click();
        ASSERT_EQ(watcher.Dialogs(), 1);
    }
    scheduler().Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), SecondQueue});

    ExpectFailure(Press(form().PrintBtn, QStringLiteral("9")), QStringLiteral("選択したプリンタは有効ではありません."), 9);
    EXPECT_TRUE(scheduler().Jobs().empty());  // nothing went to the default printer instead

    scheduler().AddQueue(QString::fromUtf8(SecondQueue));
    ExpectSuccess(Press(form().PrintBtn, QStringLiteral("9")), 9);
    ExpectPrinted(1, 1, 9, SecondQueue);
}

// A small tmpfs over `folder` while alive. Mounting needs root and a sandbox
// that allows it; Mounted() says whether it worked.
class TinyTmpfs {
public:
    TinyTmpfs(const QString& folder, const char* size) : folder_(folder.toUtf8())
    {
        const std::string options = std::string("mode=0755,size=") + size;
        mounted_ = mount("tmpfs", folder_.constData(), "tmpfs", 0, options.c_str()) == 0;
        error_ = errno;
    }
    ~TinyTmpfs()
    {
        if (mounted_)
            umount2(folder_.constData(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    const char* Error() const { return std::strerror(error_); }

    // Writes zeros until the file system refuses one more byte.
    void Fill() const
    {
        QFile filler(FillerPath());
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, '\0');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        while (filler.write("\0", 1) == 1 && filler.flush()) {
        }
    }
    bool Empty() const { return QFile::remove(FillerPath()); }

private:
    QString FillerPath() const { return QDir(QString::fromUtf8(folder_)).filePath(QStringLiteral("filler")); }

    QByteArray folder_;
    bool mounted_ = false;
    int error_ = 0;
};

// The scheduler's spool (RequestRoot) on a full tmpfs. The scheduler must
// start on the mounted folder: stop it, mount, start it again.
TEST_F(PrintFailures, FullSpoolFolderOfTheScheduler)
{
    const QString fixture = QStringLiteral(ZENTAVO_CUPS_FIXTURE);
    const QString folder = scheduler().Folder();
    const QString port = scheduler().Server().section(u':', 1);
    RunTool(fixture, {QStringLiteral("stop"), folder});
    const TinyTmpfs spool(QDir(folder).filePath(QStringLiteral("spool")), "2m");
    RunTool(fixture, {QStringLiteral("start"), folder, port});
    if (!spool.Mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here: " << spool.Error();

    spool.Fill();
    // The scheduler refuses the document, or drops the connection while it
    // is still being sent.
    ExpectFailure(Press(form().PrintAnsBtn, QStringLiteral("5")),
                  {QStringLiteral("Request Entity Too Large."), QStringLiteral("Broken pipe.")}, 5);

    ASSERT_TRUE(spool.Empty());
    ExpectSuccess(Press(form().PrintAnsBtn, QStringLiteral("5")), 5);
    const auto jobs = scheduler().WaitForFinishedJobs(2);
    ASSERT_GE(jobs.size(), 2u);
    for (const PrintJob& job : {jobs[jobs.size() - 2], jobs.back()}) {
        EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED);
        EXPECT_TRUE(ReadPdf(job.spoolFile).text.contains(QStringLiteral("問題No.5")));
    }
    scheduler().Stop();  // before the spool goes
}

// Qt's CUPS plugin writes each document to a file in TMPDIR before handing
// it over and ignores a failed write: with that folder full it would send a
// truncated PDF that CUPS accepts. The service refuses to begin instead.
TEST_F(PrintFailures, FullTemporaryFolderOfTheProgram)
{
    QTemporaryDir folder;
    const TinyTmpfs temporary(folder.path(), "4k");
    if (!temporary.Mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here: " << temporary.Error();
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", folder.path().toUtf8());
    const auto boxes = Press(form().PrintAnsBtn, QStringLiteral("5"));
    qputenv("TMPDIR", before);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("No space left on device."));
    EXPECT_EQ(form().Edit1->text(), QStringLiteral("5"));
    EXPECT_EQ(form().Run().PrintNumber, 5);
}

}  // namespace
}  // namespace zentavo::testing
