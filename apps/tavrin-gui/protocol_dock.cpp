#include "protocol_dock.h"

#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "import/contracts/vrk.h"
#include "resources/strings.h"
#include "text/code_page.h"
#include "texts.h"
#include "ui/prompter.h"

namespace gui {
namespace {

constexpr unsigned kFileLineEntry = 9026;  // "File  %s, string  %ld:\n%s"

std::optional<FileLine> Match(std::string_view entry, std::string_view pattern) {
    const size_t s1 = pattern.find("%s"), d = pattern.find("%ld");
    if (s1 == std::string_view::npos || d == std::string_view::npos || d < s1)
        return {};
    const std::string_view head = pattern.substr(0, s1);
    const std::string_view mid = pattern.substr(s1 + 2, d - s1 - 2);
    const std::string_view tail = pattern.substr(d + 3, pattern.find("%s", d) - d - 3);
    if (entry.substr(0, head.size()) != head)
        return {};
    // A path holding the middle text itself is passed over: the digits and the tail decide.
    for (size_t at = entry.find(mid, head.size()); at != std::string_view::npos;
         at = entry.find(mid, at + 1)) {
        const size_t first = at + mid.size();
        size_t end = first;
        while (end < entry.size() && end - first < 9 && entry[end] >= '0' && entry[end] <= '9')
            ++end;
        if (end == first || entry.substr(end, tail.size()) != tail)
            continue;
        return FileLine{std::string(entry.substr(head.size(), at - head.size())),
                        std::stol(std::string(entry.substr(first, end - first)))};
    }
    return {};
}

}  // namespace

std::optional<FileLine> LocationOf(std::string_view entry) {
    for (res::Language lang : {res::Language::English, res::Language::Russian})
        if (auto where = Match(entry, res::LoadString(kFileLineEntry, lang)))
            return where;
    return {};
}

ProtocolDock::ProtocolDock(QWidget* parent) : QDockWidget(parent), m_list(new QListWidget(this)) {
    setObjectName("protocolDock");
    m_list->setObjectName("protocolList");
    m_list->setWordWrap(true);
    setWidget(m_list);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (auto where = LocationOf(item->text().toStdString()))
            OpenAt(*where);
    });
    Retranslate();
}

void ProtocolDock::Retranslate() {
    setWindowTitle(Part(9816, 1));
}

void ProtocolDock::Show(vrk::CVrkObject& project) {
    m_list->clear();
    for (const auto* log : {&project.ImportLog(), &project.ExportLog()})
        for (const auto& e : log->Entries()) {
            auto* item = new QListWidgetItem(QString::fromStdString(e.text).trimmed(), m_list);
            if (e.level >= 2)
                item->setForeground(Qt::darkRed);
        }
    m_list->scrollToBottom();
}

bool ProtocolDock::OpenAt(const FileLine& where) {
    QFile file(QString::fromStdString(where.path));
    if (!file.open(QIODevice::ReadOnly)) {
        ui::ShowMessage(
            res::Format(res::LoadString(9827), {where.path, file.errorString().toStdString()}),
            ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    // Instrument files are in the instrument code page; the viewer shows them as UTF-8.
    const QByteArray bytes = file.readAll();
    const QString text =
        QString::fromStdString(text::ToUtf8(std::string(bytes.constData(), size_t(bytes.size()))));
    if (!m_viewer) {
        m_viewer = new QPlainTextEdit(parentWidget());
        m_viewer->setObjectName("fileViewer");
        m_viewer->setWindowFlag(Qt::Window);
        m_viewer->setReadOnly(true);
        m_viewer->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_viewer->setFont(QFont(QStringLiteral("Monospace")));
        m_viewer->resize(720, 480);
    }
    m_viewer->setPlainText(text);
    m_viewer->setWindowTitle(Text(9824, {where.path, std::to_string(where.line)}));
    const QTextBlock block = m_viewer->document()->findBlockByNumber(int(where.line) - 1);
    QTextCursor cursor(block.isValid() ? block : m_viewer->document()->lastBlock());
    cursor.select(QTextCursor::LineUnderCursor);
    m_viewer->setTextCursor(cursor);
    m_viewer->centerCursor();
    m_viewer->show();
    m_viewer->raise();
    return true;
}

}  // namespace gui
