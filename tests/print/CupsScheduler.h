#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <vector>

namespace zentavo::testing {

struct PrintJob {
    int id = 0;
    QString title;
    int state = 0;  // ipp_jstate_t
    QString spoolFile;  // the document the program sent, kept by the scheduler
};

// A private CUPS scheduler (tests/print/cups-fixture) on one loopback port for
// the whole test program: CUPS_SERVER points at it from before the first use
// of libcups. Each Start() begins afresh in a new folder with the default
// queue ZentavoPDF; the scheduler ends with Stop(), or with this process.
class CupsScheduler {
public:
    static constexpr const char* Queue = "ZentavoPDF";

    // Chooses the port and points this process's CUPS clients at it alone.
    CupsScheduler();
    ~CupsScheduler();

    static bool Installed();
    QString Server() const { return server_; }
    QString Folder() const { return folder_; }

    void Start();
    void Stop();
    int Port() const { return port_; }
    // Runs a CUPS tool against this scheduler ("lpadmin", {"-x", Queue}).
    void Admin(const QString& tool, const QStringList& arguments);
    // Adds a queue like the default one, printing to the same place; it does
    // not become the default.
    void AddQueue(const QString& name);

    std::vector<PrintJob> Jobs() const;
    // Waits until `count` jobs exist and none is pending or processing.
    std::vector<PrintJob> WaitForFinishedJobs(size_t count,
                                              std::chrono::seconds timeout = std::chrono::seconds(60)) const;

private:
    QTemporaryDir root_;
    int port_ = 0;
    QString server_;
    QString folder_;
    int runs_ = 0;
    bool running_ = false;
};

// Runs a program and returns what it wrote on standard output; an exit code
// other than 0 fails the current test.
QString RunTool(const QString& program, const QStringList& arguments);

}  // namespace zentavo::testing
