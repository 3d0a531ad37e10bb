// The import protocol: one row per entry; double-clicking an entry that names a file and a line
// opens that file at that line in the viewer.
#pragma once

#include <QDockWidget>
#include <optional>
#include <string>
#include <string_view>

class QListWidget;
class QPlainTextEdit;

namespace vrk {
class CVrkObject;
}

namespace gui {

struct FileLine {
    std::string path;
    long line = 0;
};
// The file and line an entry names ("File  a.job, string  12:\n..." in either language).
std::optional<FileLine> LocationOf(std::string_view entry);

class ProtocolDock : public QDockWidget {
    Q_OBJECT
  public:
    explicit ProtocolDock(QWidget* parent);
    void Show(vrk::CVrkObject& project);
    void Retranslate();
    QListWidget* list() const { return m_list; }
    // Opens the viewer window on the file at the line; false (after a message) when the file
    // cannot be read.
    bool OpenAt(const FileLine& where);
    QPlainTextEdit* viewer() const { return m_viewer; }

  private:
    QListWidget* m_list;
    QPlainTextEdit* m_viewer = nullptr;
};

}  // namespace gui
