#include "print/CupsScheduler.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace zentavo::testing {
namespace {

int FreeLoopbackPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no free loopback port");
    close(fd);
    return ntohs(address.sin_port);
}

QString FixtureScript()
{
    return QStringLiteral(ZENTAVO_CUPS_FIXTURE);
}

bool Finished(int state)
{
    return state != IPP_JSTATE_PENDING && state != IPP_JSTATE_HELD && state != IPP_JSTATE_PROCESSING;
}

}  // namespace

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(u' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

CupsScheduler::CupsScheduler()
    : port_(FreeLoopbackPort())
    , server_(QStringLiteral("127.0.0.1:%1").arg(port_))
{
    // The scheduler's filters run as the lp user and need to reach the spool.
    QFile::setPermissions(root_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                            | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                            | QFileDevice::ExeOther);
    // Only this scheduler: no user or system default from lpoptions, no
    // client.conf, no LPDEST or PRINTER.
    const QString client = root_.filePath(QStringLiteral("client"));
    QDir().mkpath(client);
    setenv("CUPS_SERVER", server_.toUtf8().constData(), 1);
    setenv("CUPS_SERVERROOT", client.toUtf8().constData(), 1);
    setenv("HOME", client.toUtf8().constData(), 1);
    unsetenv("LPDEST");
    unsetenv("PRINTER");
}

CupsScheduler::~CupsScheduler()
{
    Stop();
}

bool CupsScheduler::Installed()
{
    return !QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/usr/local/sbin"}).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {"/usr/sbin", "/usr/local/sbin"}).isEmpty();
}

void CupsScheduler::Start()
{
    Stop();
    folder_ = root_.filePath(QStringLiteral("run%1").arg(++runs_));
    QDir().mkpath(folder_);
    RunTool(FixtureScript(), {QStringLiteral("start"), folder_, QString::number(port_),
                              QString::number(QCoreApplication::applicationPid())});
    running_ = true;
}

void CupsScheduler::Stop()
{
    if (!running_)
        return;
    running_ = false;
    RunTool(FixtureScript(), {QStringLiteral("stop"), folder_});
}

void CupsScheduler::Admin(const QString& tool, const QStringList& arguments)
{
    RunTool(tool, QStringList{QStringLiteral("-h"), server_} + arguments);
}

void CupsScheduler::AddQueue(const QString& name)
{
    QFile backend(QDir(folder_).filePath(QStringLiteral("backend")));
    ASSERT_TRUE(backend.open(QIODevice::ReadOnly));
    const QString device = QString::fromUtf8(backend.readAll()).trimmed();
    Admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), device,
                                      QStringLiteral("-P"), QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")});
}

std::vector<PrintJob> CupsScheduler::Jobs() const
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    std::vector<PrintJob> result;
    for (int i = 0; i < count; ++i) {
        const auto spool = QStringLiteral("spool/d%1-001").arg(jobs[i].id, 5, 10, QLatin1Char('0'));
        result.push_back({jobs[i].id, QString::fromUtf8(jobs[i].title), jobs[i].state,
                          QDir(folder_).filePath(spool)});
    }
    cupsFreeJobs(count, jobs);
    std::sort(result.begin(), result.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return result;
}

std::vector<PrintJob> CupsScheduler::WaitForFinishedJobs(size_t count, std::chrono::seconds timeout) const
{
    QDeadlineTimer deadline(timeout);
    for (;;) {
        auto jobs = Jobs();
        const bool done = jobs.size() >= count
            && std::all_of(jobs.begin(), jobs.end(), [](const auto& job) { return Finished(job.state); });
        if (done || deadline.hasExpired())
            return jobs;
        QTest::qWait(100);
    }
}

}  // namespace zentavo::testing
