#include "serial/worker_thread.h"

#include <system_error>

namespace serial {

bool WorkerThread::Start(std::function<int()> body) {
    Join();
    {
        std::lock_guard lock(m_mutex);
        m_done = false;
    }
    try {
        m_thread = std::thread([this, body = std::move(body)] {
            int result = body();
            std::lock_guard lock(m_mutex);
            m_result = result;
            m_done = true;
            m_ended.notify_all();
        });
    } catch (const std::system_error&) {
        std::lock_guard lock(m_mutex);
        m_done = true;
        return false;
    }
    return true;
}

bool WorkerThread::WaitFor(std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    return m_ended.wait_for(lock, limit, [this] { return m_done; });
}

void WorkerThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

}  // namespace serial
