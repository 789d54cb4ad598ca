#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

namespace hitungrama {

// The last actions of a run, kept so that every way a run can fail (a failed
// check, a hang seen by the watchdog thread, a sanitizer stopping the
// process) can name the seed and what led up to it.
class ActionLog {
public:
    explicit ActionLog(std::uint32_t seed, std::size_t keep = 20);
    ~ActionLog();

    void record(long long index, const std::string &line);

    // The seed, the reason, the failing action, the ones before it and the
    // command that replays the run.
    std::string failureReport(const std::string &reason) const;

    // While installed, a sanitizer report ends with this log's failure
    // report. Only one log can be installed; the destructor removes it.
    void installForSanitizers();

private:
    struct Entry {
        long long index;
        std::string line;
    };

    std::uint32_t m_seed;
    std::size_t m_keep;
    mutable std::mutex m_mutex;
    std::deque<Entry> m_entries;
};

} // namespace hitungrama
