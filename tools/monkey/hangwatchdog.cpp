#include "hangwatchdog.h"

#include "actionlog.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace hitungrama {

HangWatchdog::HangWatchdog(const ActionLog &log, std::chrono::milliseconds limit)
    : m_log(log)
    , m_limit(limit)
    , m_thread([this] { watch(); })
{
}

HangWatchdog::~HangWatchdog()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void HangWatchdog::actionStarted()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_busy = true;
        m_started = std::chrono::steady_clock::now();
    }
    m_wake.notify_all();
}

void HangWatchdog::actionFinished()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_busy = false;
}

void HangWatchdog::watch()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop) {
        if (!m_busy) {
            m_wake.wait(lock);
            continue;
        }
        const auto deadline = m_started + m_limit;
        if (std::chrono::steady_clock::now() < deadline) {
            m_wake.wait_until(lock, deadline);
            continue;
        }
        const std::string report = m_log.failureReport(
            "the action has not returned after " + std::to_string(m_limit.count()) + " ms");
        std::fputs(report.c_str(), stderr);
        std::fflush(stderr);
        // The main thread is stuck: no orderly shutdown is possible.
        std::_Exit(3);
    }
}

} // namespace hitungrama
