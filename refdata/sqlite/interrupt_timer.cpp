#include "refdata/sqlite/interrupt_timer.h"

namespace refdata {

InterruptTimer::InterruptTimer(sqlite3* db) : m_db(db), m_thread([this] { watch(); }) {}

InterruptTimer::~InterruptTimer() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_armed.notify_one();
    m_thread.join();
}

void InterruptTimer::arm(Clock::time_point deadline) {
    {
        const std::lock_guard lock(m_mutex);
        m_deadline = deadline;
    }
    m_armed.notify_one();
}

void InterruptTimer::disarm() {
    // The watcher finds out at the old deadline; waking it for every read would cost more.
    const std::lock_guard lock(m_mutex);
    m_deadline.reset();
}

void InterruptTimer::watch() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_deadline) {
            m_armed.wait(lock, [this] { return m_stopping || m_deadline.has_value(); });
            continue;
        }
        const Clock::time_point deadline = *m_deadline;
        const bool changed = m_armed.wait_until(
            lock, deadline, [&] { return m_stopping || m_deadline != deadline; });
        if (!changed) {
            sqlite3_interrupt(m_db);
            m_deadline.reset();
        }
    }
}

} // namespace refdata
