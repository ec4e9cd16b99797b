#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Print queues of the CUPS server, reached through its client library with
// bounded waits: each request runs on a connection of its own, opened with a
// timeout, whose waits are cut into short slices. A server that says nothing
// for longer than the silence limit, or a stop request from another thread,
// ends the request. These calls block; the window runs them off its thread.
namespace zentavo {

// Lets another thread abandon a request. libcups polls the flag while it
// connects; the request's waits look at it every tenth of a second.
class StopFlag {
public:
    void Request() noexcept { value_.store(1); }
    bool Requested() const noexcept { return value_.load() != 0; }
    int* ForLibrary() noexcept;

private:
    std::atomic<int> value_{0};
};

struct CupsLimits {
    // The longest the server may stay silent in one request.
    std::chrono::milliseconds silence{20'000};
};

// A paper as the server describes it, in millimetres.
struct QueueMedia {
    std::string name;
    double width = 0;
    double length = 0;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct QueueInfo {
    std::string name;
    std::optional<QueueMedia> media;  // the queue's default paper
};

using JobOptions = std::vector<std::pair<std::string, std::string>>;

// The queue `name`, or the system's default queue when `name` is empty.
// Throws PrintError: no default queue, no such queue (both also when no
// server can be reached), or no answer; PrintCancelled on a stop request.
QueueInfo FindQueue(const std::string& name, StopFlag& stop, CupsLimits limits = {});

// Sends the PDF file at `path` to `queue` as one job; returns the job's id.
// Throws PrintError with the server's reason when the job is refused or the
// document cannot be sent, after cancelling the unfinished job.
int SendPdfJob(const std::string& queue, const std::string& title, const std::string& path,
               const JobOptions& options, StopFlag& stop, CupsLimits limits = {});

// False when the server accepts a connection but does not list its queues
// within the silence limit. A server that cannot be reached answers: there
// are no queues to list.
bool ServerAnswers(StopFlag& stop, CupsLimits limits = {});

}  // namespace zentavo
