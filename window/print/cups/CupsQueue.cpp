#include "window/print/cups/CupsQueue.h"

#include "window/print/cups/CupsLibrary.h"
#include "window/controls/Messages.h"
#include "window/print/cups/PrintError.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zentavo {
namespace {

using Clock = std::chrono::steady_clock;

// libcups waits for the server in slices this long and asks between them
// whether to go on.
constexpr double SliceSeconds = 0.1;
constexpr auto Slice = std::chrono::milliseconds(100);
// Cancelling an unfinished job is worth a short wait, not a long one, and
// hardly any while the program is quitting.
constexpr auto CancelLimit = std::chrono::milliseconds(5'000);
constexpr auto CancelLimitWhenStopped = std::chrono::milliseconds(1'000);
constexpr size_t ChunkBytes = 64 * 1024;

static_assert(sizeof(std::atomic<int>) == sizeof(int) && std::atomic<int>::is_always_lock_free);

// Measures how long the server has said nothing. libcups calls it only after
// a slice without data; a longer gap since the last call means data came in
// between. Once a request has given up, so does every later one on the same
// connection: libcups goes on to further requests (and reconnects) after a
// failed one.
struct Silence {
    StopFlag* stop = nullptr;
    std::chrono::milliseconds limit{};
    Clock::time_point since{};
    Clock::time_point lastCall{};
    bool timedOut = false;
};

int KeepWaiting(http_t*, void* data)
{
    Silence& silence = *static_cast<Silence*>(data);
    if (silence.timedOut || silence.stop->Requested())
        return 0;
    const Clock::time_point now = Clock::now();
    if (now - silence.lastCall > 2 * Slice)
        silence.since = now - Slice;
    silence.lastCall = now;
    if (now - silence.since >= silence.limit) {
        silence.timedOut = true;
        return 0;
    }
    return 1;
}

// One connection to the server, with bounded waits.
class Connection {
public:
    Connection(const CupsLibrary& cups, StopFlag& stop, CupsLimits limits)
        : cups_(cups)
    {
        silence_.stop = &stop;
        silence_.limit = limits.silence;
        http_ = cups.connect(cups.server(), cups.port(), nullptr, AF_UNSPEC, cups.encryption(), 1,
                             static_cast<int>(limits.silence.count()), stop.ForLibrary());
        if (http_)
            cups.setTimeout(http_, SliceSeconds, KeepWaiting, &silence_);
    }
    ~Connection()
    {
        if (http_)
            cups_.close(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* Http() const { return http_; }
    bool TimedOut() const { return silence_.timedOut; }

    void ThrowIfStopped() const
    {
        if (silence_.stop->Requested())
            throw PrintCancelled();
    }

    // After a failed request: the stop request or the silence, when either
    // is why it failed.
    void ThrowIfStoppedOrSilent() const
    {
        ThrowIfStopped();
        if (silence_.timedOut)
            throw PrintError(print_message::NoAnswer);
    }

    // The server's reason for the last failure of this thread's requests.
    [[noreturn]] void ThrowFailure() const
    {
        ThrowIfStoppedOrSilent();
        const char* message = cups_.lastErrorString();
        if (message && *message)
            throw PrintError(message);
        const char* name = cups_.errorString(cups_.lastError());
        throw PrintError(name && *name ? name : print_message::PrintFailed);
    }

private:
    const CupsLibrary& cups_;
    Silence silence_;
    http_t* http_ = nullptr;
};

class OptionList {
public:
    OptionList(const CupsLibrary& cups, const JobOptions& options)
        : cups_(cups)
    {
        for (const auto& [name, value] : options)
            count_ = cups.addOption(name.c_str(), value.c_str(), count_, &list_);
    }
    ~OptionList() { cups_.freeOptions(count_, list_); }
    OptionList(const OptionList&) = delete;
    OptionList& operator=(const OptionList&) = delete;

    int Count() const { return count_; }
    cups_option_t* List() const { return list_; }

private:
    const CupsLibrary& cups_;
    int count_ = 0;
    cups_option_t* list_ = nullptr;
};

const CupsLibrary& LibraryOr(const char* missing)
{
    const CupsLibrary* cups = Cups();
    if (!cups)
        throw PrintError(missing);
    return *cups;
}

QueueMedia MediaOf(const cups_size_t& size)
{
    constexpr double PerMillimetre = 100.0;  // libcups counts hundredths
    return {size.media,
            size.width / PerMillimetre,
            size.length / PerMillimetre,
            size.left / PerMillimetre,
            size.top / PerMillimetre,
            size.right / PerMillimetre,
            size.bottom / PerMillimetre};
}

// The queue's default paper with its margins. libcups' own default-media
// call ignores the queue's default and answers US Letter; the queue's
// "media-default" names the paper set up for it.
std::optional<QueueMedia> DefaultMedia(const CupsLibrary& cups, const Connection& connection, cups_dest_t* dest)
{
    cups_dinfo_t* info = cups.copyDestInfo(connection.Http(), dest);
    if (!info)
        return std::nullopt;
    cups_size_t size{};
    ipp_attribute_t* media = cups.findDefault(connection.Http(), dest, info, "media");
    const char* name = media ? cups.getString(media, 0, nullptr) : nullptr;
    const bool found = (name && cups.mediaByName(connection.Http(), dest, info, name, 0, &size))
                    || cups.mediaDefault(connection.Http(), dest, info, 0, &size);
    cups.freeDestInfo(info);
    return found ? std::optional(MediaOf(size)) : std::nullopt;
}

void SendFile(const CupsLibrary& cups, const Connection& connection, const std::string& path)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw PrintError(std::strerror(errno));
    std::vector<char> chunk(ChunkBytes);
    while (const size_t bytes = std::fread(chunk.data(), 1, chunk.size(), file.get())) {
        if (cups.writeRequestData(connection.Http(), chunk.data(), bytes) != HTTP_STATUS_CONTINUE)
            connection.ThrowFailure();
    }
    if (std::ferror(file.get()))
        throw PrintError(std::strerror(EIO));
}

// Best effort: a job that never got its whole document is taken back.
void CancelJob(const CupsLibrary& cups, const std::string& queue, int job, bool stopped) noexcept
{
    StopFlag stop;
    const Connection connection(cups, stop, CupsLimits{stopped ? CancelLimitWhenStopped : CancelLimit});
    if (connection.Http())
        cups.cancelJob(connection.Http(), queue.c_str(), job, 0);
}

// The queues the server lists, freed with the list.
class QueueList {
public:
    QueueList(const CupsLibrary& cups, const Connection& connection)
        : cups_(cups), count_(cups.getDests(connection.Http(), &dests_))
    {
    }
    ~QueueList() { cups_.freeDests(count_, dests_); }
    QueueList(const QueueList&) = delete;
    QueueList& operator=(const QueueList&) = delete;

    cups_dest_t* Find(const std::string& name) const { return cups_.findDest(name.c_str(), nullptr, count_, dests_); }

private:
    const CupsLibrary& cups_;
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

// A queue asked for by name is looked up in the server's list: libcups' own
// lookup by name goes on, after a failure, to browse the network on a
// connection of its own whose waits are not bounded.
QueueInfo QueueNamed(const CupsLibrary& cups, const Connection& connection, const std::string& name)
{
    const QueueList queues(cups, connection);
    cups_dest_t* dest = queues.Find(name);
    if (!dest) {
        connection.ThrowIfStoppedOrSilent();
        throw PrintError(print_message::InvalidPrinter);
    }
    return {dest->name, DefaultMedia(cups, connection, dest)};
}

QueueInfo DefaultQueue(const CupsLibrary& cups, const Connection& connection)
{
    cups_dest_t* dest = cups.getNamedDest(connection.Http(), nullptr, nullptr);
    if (!dest) {
        connection.ThrowIfStoppedOrSilent();
        throw PrintError(print_message::NoDefaultPrinter);
    }
    QueueInfo info{dest->name, DefaultMedia(cups, connection, dest)};
    cups.freeDests(1, dest);
    return info;
}

}  // namespace

int* StopFlag::ForLibrary() noexcept
{
    // libcups reads the flag as a plain int while it waits for a connection.
    return reinterpret_cast<int*>(&value_);
}

QueueInfo FindQueue(const std::string& name, StopFlag& stop, CupsLimits limits)
{
    const char* notFound = name.empty() ? print_message::NoDefaultPrinter : print_message::InvalidPrinter;
    const CupsLibrary& cups = LibraryOr(notFound);
    const Connection connection(cups, stop, limits);
    if (!connection.Http()) {
        connection.ThrowIfStopped();
        throw PrintError(notFound);
    }
    QueueInfo info = name.empty() ? DefaultQueue(cups, connection) : QueueNamed(cups, connection, name);
    connection.ThrowIfStoppedOrSilent();
    return info;
}

int SendPdfJob(const std::string& queue, const std::string& title, const std::string& path,
               const JobOptions& options, StopFlag& stop, CupsLimits limits)
{
    const CupsLibrary& cups = LibraryOr(print_message::InvalidPrinter);
    const Connection connection(cups, stop, limits);
    if (!connection.Http()) {
        connection.ThrowIfStopped();
        throw PrintError(print_message::InvalidPrinter);
    }
    const OptionList list(cups, options);
    const int job = cups.createJob(connection.Http(), queue.c_str(), title.c_str(), list.Count(), list.List());
    if (job <= 0)
        connection.ThrowFailure();
    try {
        if (cups.startDocument(connection.Http(), queue.c_str(), job, title.c_str(), CUPS_FORMAT_PDF, 1)
            != HTTP_STATUS_CONTINUE)
            connection.ThrowFailure();
        SendFile(cups, connection, path);
        if (cups.finishDocument(connection.Http(), queue.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE)
            connection.ThrowFailure();
    } catch (...) {
        CancelJob(cups, queue, job, stop.Requested());
        throw;
    }
    return job;
}

bool ServerAnswers(StopFlag& stop, CupsLimits limits)
{
    const CupsLibrary* cups = Cups();
    if (!cups)
        return true;
    const Connection connection(*cups, stop, limits);
    if (!connection.Http()) {
        connection.ThrowIfStopped();
        return true;
    }
    cups_dest_t* dests = nullptr;
    const int count = cups->getDests(connection.Http(), &dests);
    cups->freeDests(count, dests);
    connection.ThrowIfStopped();
    return !connection.TimedOut();
}

}  // namespace zentavo
