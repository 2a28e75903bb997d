#include "LatestJobRunner.h"

#include <QMetaObject>

namespace quorvan {

LatestJobRunner::LatestJobRunner()
    : thread_([this](const std::stop_token& stop) { run(stop); }) {}

// thread_ goes first: its stop request wakes the thread, which ends after its job.
LatestJobRunner::~LatestJobRunner() = default;

void LatestJobRunner::submit(Job job) {
    busy_ = true;
    {
        const std::scoped_lock verrou(mutex_);
        next_.emplace(std::move(job), ++submitted_);
    }
    waiting_.notify_one();
}

void LatestJobRunner::run(const std::stop_token& stop) {
    while (true) {
        std::pair<Job, std::uint64_t> job;
        {
            std::unique_lock verrou(mutex_);
            if (!waiting_.wait(verrou, stop, [this] { return next_.has_value(); }) ||
                stop.stop_requested()) {
                return;
            }
            job = std::move(*next_);
            next_.reset();
        }
        std::function<void()> deliver = job.first();
        // Queued to this object, which outlives the thread: a delivery still queued when it
        // goes is dropped with it.
        QMetaObject::invokeMethod(
            this,
            [this, deliver = std::move(deliver), numero = job.second] {
                if (numero == submitted_) {
                    busy_ = false;
                    deliver();
                }
            },
            Qt::QueuedConnection);
    }
}

} // namespace quorvan
