#include "ui/qt/frame_binder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QVariant>

#include "resources/strings.h"

namespace ui::qt {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Items(const Control& c) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(c.items.size()));
    for (const auto& item : c.items) list << Q(item);
    return list;
}

// The Russian text a form gives a widget in its "ru" property.
void Translate(QWidget& w) {
    const QVariant ru = w.property("ru");
    if (!ru.isValid())
        return;
    if (auto* g = qobject_cast<QGroupBox*>(&w))
        g->setTitle(ru.toString());
    else if (auto* b = qobject_cast<QAbstractButton*>(&w))
        b->setText(ru.toString());
    else if (auto* l = qobject_cast<QLabel*>(&w))
        l->setText(ru.toString());
}

}  // namespace

int ControlIdOf(const QObject& widget) {
    const QString name = widget.objectName();
    if (!name.startsWith(QLatin1String("id")))
        return 0;
    int end = 2;
    while (end < name.size() && name[end].isDigit()) ++end;
    bool ok = false;
    const int id = name.mid(2, end - 2).toInt(&ok);
    return ok ? id : 0;
}

FrameBinder::FrameBinder(Frame& frame, Handler on_command, QObject* parent)
    : QObject(parent), m_frame(frame), m_on_command(std::move(on_command)) {}

void FrameBinder::BindTree(QWidget& root) {
    const bool russian = res::CurrentLanguage() == res::Language::Russian;
    for (QWidget* w : root.findChildren<QWidget*>()) {
        if (russian)
            Translate(*w);
        if (const int id = ControlIdOf(*w))
            Bind(id, w);
    }
}

void FrameBinder::Bind(int id, QWidget* widget, Options options) {
    if (!widget)
        return;
    m_bindings.push_back({id, widget, std::move(options)});
    Connect(m_bindings.back());
}

QWidget* FrameBinder::Widget(int id) const {
    for (const auto& b : m_bindings)
        if (b.id == id && b.widget)
            return b.widget;
    return nullptr;
}

void FrameBinder::Connect(const Binding& b) {
    const int id = b.id;
    QWidget* w = b.widget;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
            if (m_pushing)
                return;
            m_frame.SetText(id, text.toStdString());
            Fire(id);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        // A radio button that turns off because another turned on is only recorded.
        connect(button, &QAbstractButton::toggled, this, [this, id](bool on) {
            if (!m_pushing)
                m_frame.SetCheck(id, on ? 1 : 0);
        });
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (!m_pushing)
                Fire(id);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this, [this, id](int index) {
            if (m_pushing)
                return;
            m_frame.SetSelection(id, index);
            Fire(id);
        });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
            if (m_pushing)
                return;
            m_frame.SetSelection(id, row);
            Fire(id);
        });
    }
}

void FrameBinder::Fire(int id) {
    if (m_on_command)
        m_on_command(id);
    Refresh();
}

void FrameBinder::Push(const Binding& b) {
    QWidget* w = b.widget;
    if (!w || !m_frame.Has(b.id))
        return;
    const Control& c = m_frame.control(b.id);
    w->setEnabled(c.enabled);
    // A hidden widget of a window not yet shown stays hidden; a visible one shows with it.
    if (w->isVisibleTo(w->parentWidget()) != c.visible)
        w->setVisible(c.visible);
    const QString text = Q(c.text);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setMaxLength(c.text_limit >= 0 ? c.text_limit : 32767);
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (!c.text.empty())
            button->setText(text);
        if (button->isCheckable())
            button->setChecked(c.checked != 0);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (b.options.items) {
            const QStringList items = Items(c);
            QStringList now;
            for (int i = 0; i < combo->count(); ++i) now << combo->itemText(i);
            if (now != items) {
                combo->clear();
                combo->addItems(items);
            }
        }
        if (b.options.select)
            b.options.select(c.selection);
        else if (const int index = c.selection < combo->count() ? c.selection : -1;
                 combo->currentIndex() != index)
            combo->setCurrentIndex(index);  // (an editable list keeps what was typed into it)
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QStringList items = Items(c);
        if (list->count() != items.size()) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentRow(c.selection);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (!c.text.empty())
            label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (!c.text.empty())
            group->setTitle(text);
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        if (c.selection >= 0)
            bar->setValue(c.selection);
    }
}

void FrameBinder::Refresh() {
    m_pushing = true;
    for (const auto& b : m_bindings) Push(b);
    m_pushing = false;
    if (m_frame.Focus() != m_shown_focus) {
        m_shown_focus = m_frame.Focus();
        if (QWidget* w = Widget(m_shown_focus))
            w->setFocus();
    }
}

}  // namespace ui::qt
