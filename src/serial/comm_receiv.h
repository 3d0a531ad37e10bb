// The receive window: the progress of the current line, the count of lines received, and the
// Stop button. It lives on the user-interface thread; the worker reaches it only by posting
// (progress, count, messages, its completion command) and through the timer and line counter.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "serial/transfer_state.h"
#include "serial/worker_thread.h"
#include "ui/dialog.h"

namespace serial {

enum ReceiveControl : int {
    kIdProgress = 9089,
    kIdLineCount = 9092,
    kIdCountLabel = 9091,
    kIdWarningIcon = 9257,
};
// Posted by the worker when it ended by itself.
constexpr int kCmdReceiveEnded = 1025;
constexpr int kSilenceTimer = 1;

class CCommReceiv : public ui::Dialog {
  public:
    CCommReceiv(TransferState& state, WorkerThread& worker, std::string file, int exist,
                ReceiveTimeouts timeouts);

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    // Stop button, the silence timer and the worker's completion.
    void OnStop();
    void OnTimer(int id);
    void OnReceiveEnded();

    // Runs what the worker posted and a due timer; waits at most `limit` when there is nothing.
    void Pump(std::chrono::milliseconds limit);
    // Shows the messages still posted (after the worker has ended).
    void ShowPendingMessages();
    bool Closed() const { return m_frame.end_code.has_value(); }

    const std::string& file() const { return m_file; }
    int exist() const { return m_exist; }
    int Lines() const { return m_lines.load(); }
    int ProgressPosition() { return m_frame.control(kIdProgress).selection; }
    int ProgressRange() const { return m_range.load(); }

    // The worker's side: safe from any thread.
    void ResetLines() { m_lines = 0; }
    // Counts a line and posts the new count; returns it.
    int AddLine();
    void SetProgressRange(int max) { m_range = max; }
    void PostProgress(int position);
    void PostMessage(std::string text);
    void PostCommand(int id);
    void SetTimer();
    void KillTimer();
    bool TimerRunning() const;

  private:
    using Clock = std::chrono::steady_clock;
    struct Posted {
        int command = 0;  // 0 for a message text
        std::string text;
    };
    // Waits for the worker; shows "Can't normal terminate CommThread" when it does not end.
    void WaitForWorker(std::chrono::milliseconds limit, bool complain);
    void Finish(int stop_code_with_lines);

    TransferState& m_state;
    WorkerThread& m_worker;
    const std::string m_file;
    const int m_exist;
    const ReceiveTimeouts m_timeouts;
    std::atomic<int> m_lines{0};
    std::atomic<int> m_range{kLineLength};

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Posted> m_posted;
    std::optional<int> m_progress;   // latest position not yet shown
    std::optional<int> m_lineCount;  // latest count not yet shown
    std::optional<Clock::time_point> m_timerDue;
};

}  // namespace serial
