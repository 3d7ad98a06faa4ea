#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// Ends the test program with a message when the scope it guards has not ended
// within `limit`: a call that never returns fails in seconds, saying what it was
// doing, instead of at the time limit of the whole test.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds limit, std::string what)
        : m_thread([this, limit, what = std::move(what)] {
              std::unique_lock lock(m_mutex);
              if (m_ended.wait_for(lock, limit, [this] { return m_done; })) return;
              std::fprintf(stderr, "%s has not ended within %lld seconds\n", what.c_str(),
                           static_cast<long long>(limit.count()));
              std::fflush(stderr);
              std::_Exit(EXIT_FAILURE);
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_ended.notify_one();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::thread m_thread; // last: it starts once the rest is made
};
