#pragma once

#include "report/Spooler.h"

#include <QByteArray>
#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sijill::report {

// Follows the jobs the spooler took until each ends: completed, cancelled,
// aborted or held, or silent past a limit. A thread of its own asks the
// spooler every few hundred milliseconds, each request under the spooler's
// time limit, so no window waits on it; the ends are handed to the thread
// that made the follower, in the order learnt.
class JobFollower {
public:
    // Called on the follower's own thread (the one that made it).
    using Ended = std::function<void(int ticket, JobEnd end)>;

    // `silentMs`: how long a job may go without an answer from its spooler
    // before its end is taken as unknown.
    explicit JobFollower(Ended ended, int pollMs = 300, int silentMs = 30000);
    // Stops following, telling nothing more; waits for a request under way.
    ~JobFollower();
    JobFollower(const JobFollower&) = delete;
    JobFollower& operator=(const JobFollower&) = delete;

    // Follows job `jobId` of `server`; returns the ticket its end comes with.
    int follow(const QByteArray& server, int jobId);

    // Hands over now the ends learnt but not yet handed.
    void deliver();

private:
    struct Followed {
        int ticket;
        QByteArray server;
        int jobId;
        long long lastAnswerMs;
    };
    void run();
    void post(int ticket, JobEnd end);

    Ended ended_;
    const int pollMs_;
    const int silentMs_;
    QObject receiver_; // lives on the thread that made the follower
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    int nextTicket_ = 1;
    std::vector<Followed> followed_;
    std::vector<std::pair<int, JobEnd>> learnt_;
    std::thread thread_;
};

} // namespace sijill::report
