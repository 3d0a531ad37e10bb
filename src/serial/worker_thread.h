// A thread whose end can be waited for with a time limit.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace serial {

class WorkerThread {
  public:
    WorkerThread() = default;
    ~WorkerThread() { Join(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts `body`; false when the system cannot start a thread.
    bool Start(std::function<int()> body);
    // True when the thread has ended (or never ran) within `limit`.
    bool WaitFor(std::chrono::milliseconds limit);
    // Waits for the end without a limit.
    void Join();
    bool Running() const { return m_thread.joinable(); }
    // What the thread returned (once it has ended).
    int Result() {
        std::lock_guard lock(m_mutex);
        return m_result;
    }

  private:
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = true;
    int m_result = 0;
};

}  // namespace serial
