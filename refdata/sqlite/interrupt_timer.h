#pragma once

#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace refdata {

// Interrupts whatever a connection is running once the deadline passes, from a thread of its
// own: however long one step of a statement takes, the read ends on time.
class InterruptTimer {
public:
    using Clock = std::chrono::steady_clock;

    explicit InterruptTimer(sqlite3* db);
    InterruptTimer(const InterruptTimer&) = delete;
    InterruptTimer& operator=(const InterruptTimer&) = delete;

    void arm(Clock::time_point deadline);
    void disarm();

private:
    void watch(std::stop_token stop);

    sqlite3* m_db;
    std::mutex m_mutex;
    std::condition_variable_any m_armed;
    std::optional<Clock::time_point> m_deadline;
    std::jthread m_thread; // last: stopped and joined before the members it uses go
};

} // namespace refdata
