// Keeps a frame and its widgets in step by control id: the frame's state goes to the widgets
// after every handler, and what the user does goes to the frame before the handler runs.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/frame.h"

namespace ui::qt {

// The control id a widget stands for: its object name is "id" and the digits, then anything
// ("id9082_unique"); 0 for a widget that stands for no control.
int ControlIdOf(const QObject& widget);

class FrameBinder : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(int id)>;
    FrameBinder(Frame& frame, Handler on_command, QObject* parent = nullptr);

    // Binds every widget under `root` whose name carries an id, and gives the widgets their
    // Russian texts (the "ru" property) when that is the language.
    void BindTree(QWidget& root);
    struct Options {
        bool items = true;                // the frame's items fill the widget
        std::function<void(int)> select;  // shows a selection instead of the widget's own
    };
    // Binds one widget under an explicit id (a file dialog's own controls).
    void Bind(int id, QWidget* widget, Options options);
    void Bind(int id, QWidget* widget) { Bind(id, widget, Options{}); }
    // Frame to widgets; controls the frame never touched keep the form's state.
    void Refresh();
    // The first widget bound to the id; null when there is none.
    QWidget* Widget(int id) const;

  private:
    struct Binding {
        int id;
        QPointer<QWidget> widget;
        Options options;
    };
    void Connect(const Binding& b);
    void Push(const Binding& b);
    // A user action on control `id`: the handler runs, then the widgets follow the frame.
    void Fire(int id);

    Frame& m_frame;
    Handler m_on_command;
    std::vector<Binding> m_bindings;
    int m_shown_focus = 0;
    bool m_pushing = false;
};

}  // namespace ui::qt
