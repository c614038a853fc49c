#include "report/JobFollower.h"

#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <map>

namespace sijill::report {

namespace {

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

JobFollower::JobFollower(Ended ended, int pollMs, int silentMs)
    : ended_(std::move(ended)), pollMs_(pollMs), silentMs_(silentMs), thread_([this] { run(); }) {}

JobFollower::~JobFollower() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

int JobFollower::follow(const QByteArray& server, int jobId) {
    const std::lock_guard lock(mutex_);
    const int ticket = nextTicket_++;
    followed_.push_back({ticket, server, jobId, nowMs()});
    wake_.notify_all();
    return ticket;
}

void JobFollower::post(int ticket, JobEnd end) {
    bool first = false;
    {
        const std::lock_guard lock(mutex_);
        first = learnt_.empty();
        learnt_.emplace_back(ticket, end);
    }
    // One hand-over for the ends learnt before the thread turns to them.
    if (first)
        QMetaObject::invokeMethod(
            &receiver_, [this] { deliver(); }, Qt::QueuedConnection);
}

void JobFollower::deliver() {
    std::vector<std::pair<int, JobEnd>> learnt;
    {
        const std::lock_guard lock(mutex_);
        learnt.swap(learnt_);
    }
    for (const auto& [ticket, end] : learnt)
        ended_(ticket, end);
}

void JobFollower::run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        wake_.wait_for(lock, std::chrono::milliseconds(pollMs_),
                       [this] { return stop_ || !followed_.empty(); });
        if (stop_)
            break;
        if (followed_.empty())
            continue;
        // The spooler is asked with the lock released: following a new job,
        // or stopping, never waits on it.
        std::map<QByteArray, std::vector<Followed>> byServer;
        for (const Followed& f : followed_)
            byServer[f.server].push_back(f);
        lock.unlock();
        std::vector<std::pair<int, JobEnd>> ends;
        std::vector<int> answered;
        for (const auto& [server, jobs] : byServer) {
            std::vector<int> ids;
            for (const Followed& f : jobs)
                ids.push_back(f.jobId);
            const std::vector<JobStatus> statuses = askJobs(server, ids);
            const long long now = nowMs();
            for (std::size_t i = 0; i < jobs.size(); ++i) {
                if (statuses[i].answered)
                    answered.push_back(jobs[i].ticket);
                if (const std::optional<JobEnd> end = endOf(statuses[i]))
                    ends.emplace_back(jobs[i].ticket, *end);
                else if (!statuses[i].answered && now - jobs[i].lastAnswerMs >= silentMs_)
                    ends.emplace_back(jobs[i].ticket, JobEnd::Unknown);
            }
        }
        lock.lock();
        if (stop_)
            break;
        const long long now = nowMs();
        for (Followed& f : followed_)
            if (std::find(answered.begin(), answered.end(), f.ticket) != answered.end())
                f.lastAnswerMs = now;
        for (const auto& [ticket, end] : ends)
            std::erase_if(followed_, [&](const Followed& f) { return f.ticket == ticket; });
        lock.unlock();
        for (const auto& [ticket, end] : ends)
            post(ticket, end);
        lock.lock();
        // The next round after a pause, unless stopped meanwhile.
        wake_.wait_for(lock, std::chrono::milliseconds(pollMs_), [this] { return stop_; });
    }
}

} // namespace sijill::report
