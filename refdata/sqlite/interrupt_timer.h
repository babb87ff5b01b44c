#pragma once

#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace refdata {

// Interrupts whatever a connection is running once the deadline passes, from a thread of its
// own: however long one step of a statement takes, the read ends on time.
class InterruptTimer {
public:
    using Clock = std::chrono::steady_clock;

    explicit InterruptTimer(sqlite3* db);
    ~InterruptTimer();
    InterruptTimer(const InterruptTimer&) = delete;
    InterruptTimer& operator=(const InterruptTimer&) = delete;

    void arm(Clock::time_point deadline);
    void disarm();

private:
    void watch();

    // A plain flag and condition variable, not a stop token: GCC 12's stop-token wait can miss
    // its wake-up where threads have no futex (Windows), and the destructor then never returns.
    sqlite3* m_db;
    std::mutex m_mutex;
    std::condition_variable m_armed;
    std::optional<Clock::time_point> m_deadline;
    bool m_stopping = false;
    std::thread m_thread; // last: started once the members it uses are made
};

} // namespace refdata
