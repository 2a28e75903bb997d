#pragma once

#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace quorvan {

// Runs jobs one at a time on a thread of its own, so that a long computation leaves the
// window responsive. A job returns what to do with its result on the object's thread; that is
// done only if no job was submitted since, so that a stale result never shows. A job
// submitted while another runs replaces any job still waiting. The destructor waits for the
// running job: a job must own everything it reads.
class LatestJobRunner final : public QObject {
public:
    using Job = std::function<std::function<void()>()>;

    LatestJobRunner();
    ~LatestJobRunner() override;

    void submit(Job job);
    // Whether the last job submitted has yet to deliver its result.
    [[nodiscard]] bool busy() const { return busy_; }

private:
    void run(const std::stop_token& stop);

    std::uint64_t submitted_ = 0; // on the object's thread only
    bool busy_ = false;
    std::mutex mutex_;
    std::condition_variable_any waiting_;
    std::optional<std::pair<Job, std::uint64_t>> next_; // under mutex_
    std::jthread thread_; // last: started once the rest exists, stopped and joined first
};

} // namespace quorvan
