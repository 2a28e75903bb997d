#pragma once

// A full disk without root: past a file-size limit, writes fail (EFBIG) as they would on one.

#include <csignal>
#include <sys/resource.h>

namespace quorvan::test {

// While it lives, no file this process writes grows past `octets` bytes: the write that would
// fails, SIGXFSZ ignored. Only the soft limit moves, so that it can come back.
class LimiteTaille {
public:
    explicit LimiteTaille(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant_);
        rlimit limite = avant_;
        limite.rlim_cur = octets;
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTaille() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }
    LimiteTaille(const LimiteTaille&) = delete;
    LimiteTaille& operator=(const LimiteTaille&) = delete;

private:
    rlimit avant_{};
    void (*signal_)(int) = nullptr;
};

} // namespace quorvan::test
