#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace hitungrama {

class ActionLog;

// A thread that ends the process with the log's failure report when one
// action runs for longer than the limit: an action that never returns would
// otherwise leave nothing but a test timeout.
class HangWatchdog {
public:
    HangWatchdog(const ActionLog &log, std::chrono::milliseconds limit);
    ~HangWatchdog();

    HangWatchdog(const HangWatchdog &) = delete;
    HangWatchdog &operator=(const HangWatchdog &) = delete;

    void actionStarted();
    void actionFinished();

private:
    void watch();

    const ActionLog &m_log;
    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_busy = false;
    bool m_stop = false;
    std::chrono::steady_clock::time_point m_started;
    std::thread m_thread;
};

} // namespace hitungrama
