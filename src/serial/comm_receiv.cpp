#include "serial/comm_receiv.h"

#include <utility>

#include "resources/strings.h"
#include "ui/prompter.h"

namespace serial {

CCommReceiv::CCommReceiv(TransferState& state, WorkerThread& worker, std::string file, int exist,
                         ReceiveTimeouts timeouts)
    : m_state(state),
      m_worker(worker),
      m_file(std::move(file)),
      m_exist(exist),
      m_timeouts(timeouts) {}

bool CCommReceiv::OnInitDialog() {
    m_frame.SetText(kIdCountLabel, "Strings received: ");
    m_frame.SetText(kIdLineCount, "0");
    m_frame.SetSelection(kIdProgress, 0);
    return true;
}

bool CCommReceiv::OnCommand(int id) {
    switch (id) {
        case ui::IDCANCEL:
            OnStop();
            return true;
        case kCmdReceiveEnded:
            OnReceiveEnded();
            return true;
        default:
            return false;
    }
}

int CCommReceiv::AddLine() {
    const int n = ++m_lines;
    std::lock_guard lock(m_mutex);
    m_lineCount = n;
    m_wake.notify_one();
    return n;
}

void CCommReceiv::PostProgress(int position) {
    // Only the latest position matters; earlier ones are not queued.
    std::lock_guard lock(m_mutex);
    m_progress = position;
    m_wake.notify_one();
}

void CCommReceiv::PostMessage(std::string text) {
    std::lock_guard lock(m_mutex);
    m_posted.push_back({0, std::move(text)});
    m_wake.notify_one();
}

void CCommReceiv::PostCommand(int id) {
    std::lock_guard lock(m_mutex);
    m_posted.push_back({id, {}});
    m_wake.notify_one();
}

void CCommReceiv::SetTimer() {
    std::lock_guard lock(m_mutex);
    m_timerDue = Clock::now() + m_timeouts.silence;
    m_wake.notify_one();
}

void CCommReceiv::KillTimer() {
    std::lock_guard lock(m_mutex);
    m_timerDue.reset();
}

bool CCommReceiv::TimerRunning() const {
    std::lock_guard lock(m_mutex);
    return m_timerDue.has_value();
}

void CCommReceiv::Pump(std::chrono::milliseconds limit) {
    std::deque<Posted> batch;
    std::optional<int> progress, count;
    bool timer_due = false;
    {
        std::unique_lock lock(m_mutex);
        auto until = Clock::now() + limit;
        if (m_timerDue && *m_timerDue < until)
            until = *m_timerDue;
        m_wake.wait_until(lock, until, [this] {
            return !m_posted.empty() || m_progress || m_lineCount ||
                   (m_timerDue && Clock::now() >= *m_timerDue);
        });
        batch.swap(m_posted);
        progress = std::exchange(m_progress, std::nullopt);
        count = std::exchange(m_lineCount, std::nullopt);
        if (m_timerDue && Clock::now() >= *m_timerDue) {
            // One shot: the timer is stopped when it fires.
            m_timerDue.reset();
            timer_due = true;
        }
    }
    if (progress)
        m_frame.SetSelection(kIdProgress, *progress);
    if (count)
        m_frame.SetText(kIdLineCount, std::to_string(*count));
    for (auto& p : batch) {
        if (Closed())
            break;
        if (p.command)
            OnCommand(p.command);
        else
            ui::ShowMessage(p.text, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
    }
    if (timer_due && !Closed())
        OnTimer(kSilenceTimer);
}

void CCommReceiv::ShowPendingMessages() {
    std::deque<Posted> batch;
    {
        std::lock_guard lock(m_mutex);
        batch.swap(m_posted);
    }
    for (auto& p : batch)
        if (!p.command)
            ui::ShowMessage(p.text, ui::MB_OK | ui::MB_ICONEXCLAMATION, 0, true);
}

void CCommReceiv::WaitForWorker(std::chrono::milliseconds limit, bool complain) {
    if (!m_worker.WaitFor(limit) && complain)
        ui::ShowMessage("Can't normal terminate CommThread", ui::MB_OK | ui::MB_ICONSTOP, 0, true);
}

void CCommReceiv::Finish(int code) {
    m_state.lines_received = m_lines.load();
    EndDialog(code);
}

void CCommReceiv::OnStop() {
    KillTimer();
    m_state.Stop(m_lines > 0 ? kStoppedByUser : kNothingReceived);
    WaitForWorker(m_timeouts.stop_wait, false);
    Finish(ui::IDCANCEL);
}

void CCommReceiv::OnTimer(int id) {
    if (id != kSilenceTimer)
        return;
    m_state.Stop(m_lines > 0 ? kDeviceTimeout : kNothingReceived);
    WaitForWorker(m_timeouts.end_wait, true);
    ui::ShowMessage(m_state.PortName() + ": Device timeout", ui::MB_OK | ui::MB_ICONEXCLAMATION, 0,
                    true);
    Finish(ui::IDCANCEL);
}

void CCommReceiv::OnReceiveEnded() {
    KillTimer();
    m_state.Stop(m_lines > 0 ? kDeviceFinished : kNothingReceived);
    WaitForWorker(m_timeouts.end_wait, true);
    Finish(ui::IDOK);
}

}  // namespace serial
