#include "actionlog.h"

#include <atomic>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define HITUNGRAMA_HAS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define HITUNGRAMA_HAS_SANITIZER 1
#endif
#endif

#if defined(HITUNGRAMA_HAS_SANITIZER)
#include <sanitizer/common_interface_defs.h>
#endif

namespace hitungrama {

namespace {

std::atomic<const ActionLog *> installedLog{nullptr};

#if defined(HITUNGRAMA_HAS_SANITIZER)
void reportOnDeath()
{
    if (const ActionLog *log = installedLog.load())
        std::fputs(log->failureReport("a sanitizer stopped the run").c_str(), stderr);
}
#endif

} // namespace

ActionLog::ActionLog(std::uint32_t seed, std::size_t keep)
    : m_seed(seed)
    , m_keep(keep == 0 ? 1 : keep)
{
}

ActionLog::~ActionLog()
{
    const ActionLog *self = this;
    if (installedLog.compare_exchange_strong(self, nullptr)) {
#if defined(HITUNGRAMA_HAS_SANITIZER)
        __sanitizer_set_death_callback(nullptr);
#endif
    }
}

void ActionLog::record(long long index, const std::string &line)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.push_back({index, line});
    while (m_entries.size() > m_keep)
        m_entries.pop_front();
}

std::string ActionLog::failureReport(const std::string &reason) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::string text = "hitungrama-monkey: FAILED with seed " + std::to_string(m_seed);
    if (!m_entries.empty())
        text += " at action #" + std::to_string(m_entries.back().index);
    text += ": " + reason + "\n";
    if (!m_entries.empty()) {
        text += "  the action: " + m_entries.back().line + "\n";
        text += "  the last " + std::to_string(m_entries.size()) + " actions:\n";
        for (const Entry &entry : m_entries)
            text += "    #" + std::to_string(entry.index) + "  " + entry.line + "\n";
    }
    const long long count = m_entries.empty() ? 0 : m_entries.back().index + 1;
    text += "  replay: hitungrama-monkey --seed " + std::to_string(m_seed) + " --actions "
        + std::to_string(count) + "\n";
    return text;
}

void ActionLog::installForSanitizers()
{
    installedLog.store(this);
#if defined(HITUNGRAMA_HAS_SANITIZER)
    __sanitizer_set_death_callback(&reportOnDeath);
#endif
}

} // namespace hitungrama
