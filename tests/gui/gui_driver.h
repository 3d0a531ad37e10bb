// Plays a user's part while a command runs its modal windows: each step waits for its window
// (by object name) to show, then acts on the real widgets. A step that never comes fails the
// test and the open windows are cancelled, so nothing hangs.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace gui_test {

class Driver {
  public:
    // `act` returns false to be asked again on the next tick (waiting for something to happen).
    using Act = std::function<bool(QWidget&)>;

    Driver() {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
    }
    void Then(const QString& window, Act act) {
        m_steps.push_back({window, std::move(act)});
        m_waiting.start();
        m_timer.start();
    }
    bool Done() const { return m_steps.empty(); }

  private:
    struct Step {
        QString window;
        Act act;
    };
    static QWidget* Find(const QString& name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == name)
                return w;
        return nullptr;
    }
    // Acts run from a posted call, not from the timer itself: an act that opens a modal window
    // runs a nested loop, in which the timer must go on serving the next steps.
    void Tick() {
        if (m_busy)
            return;
        if (m_steps.empty()) {
            m_timer.stop();
            return;
        }
        if (QWidget* w = Find(m_steps.front().window)) {
            m_busy = true;
            QTimer::singleShot(0, w, [this, w] {
                Step step = std::move(m_steps.front());
                m_steps.pop_front();
                m_busy = false;
                if (step.act(*w))
                    m_waiting.start();
                else
                    m_steps.push_front(std::move(step));
            });
            return;
        }
        if (m_waiting.elapsed() > 20000) {
            ADD_FAILURE() << "the window " << m_steps.front().window.toStdString()
                          << " did not show";
            m_steps.clear();
        }
        if (m_steps.empty())  // give up: cancel whatever is open
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
    }

    std::deque<Step> m_steps;
    QTimer m_timer;
    QElapsedTimer m_waiting;
    bool m_busy = false;
};

// Clicks the button of that object name in the window; false when there is none.
inline bool Click(QWidget& window, const char* name) {
    auto* b = window.findChild<QAbstractButton*>(name);
    EXPECT_TRUE(b) << "no button " << name;
    if (b)
        b->click();
    return b != nullptr;
}

// Presses a message box button and keeps the box's text.
inline Driver::Act Answer(QMessageBox::StandardButton button, QString* text = nullptr) {
    return [button, text](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        if (text)
            *text = box.text();
        if (QAbstractButton* b = box.button(button))
            b->click();
        else
            ADD_FAILURE() << "the box has no such button: " << box.text().toStdString();
        return true;
    };
}

// Writes a picture of the window into build/<preset>/screenshots.
inline void Shot(QWidget& w, const QString& name) {
    const QString dir = QStringLiteral(TAVRIN_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    EXPECT_TRUE(w.grab().save(dir + "/" + name + ".png")) << name.toStdString();
}

}  // namespace gui_test
