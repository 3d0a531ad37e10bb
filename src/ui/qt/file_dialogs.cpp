// The import and export dialogs: a non-native QFileDialog whose own controls stand for the
// platform dialog's controls, with the child template's buttons below them.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <filesystem>

#include "export/export_device_dlg.h"
#include "import/import_dialog.h"
#include "resources/strings.h"
#include "ui/qt/forms.h"
#include "ui/qt/frame_binder.h"
#include "ui/qt/qt_front_end.h"

namespace ui::qt {
namespace {

// The platform dialog's own controls, as the logic knows them.
constexpr int kPlatformTypeLabel = 1089;
constexpr int kPlatformTypeList = 1136;
constexpr int kPlatformNameBox = 1148;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "Geodimeter (*.job;*.in)" as QFileDialog reads a filter: patterns apart by blanks.
QStringList NameFilters(const Control& type_list) {
    QStringList filters;
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    for (const auto& item : type_list.items) {
        QString text = Q(item).trimmed();
        const auto m = patterns.match(text);
        if (m.hasMatch()) {
            QStringList list = m.captured(1).split(';', Qt::SkipEmptyParts);
            for (QString& p : list) p = p.trimmed();
            list.removeAll(QString());
            text = text.left(m.capturedStart()) + '(' + list.join(' ') + ')';
        }
        filters << text;
    }
    return filters;
}

// A file dialog whose confirm and cancel go to the dialog's logic.
class BoundFileDialog : public QFileDialog {
  public:
    using QFileDialog::done;
    using QFileDialog::QFileDialog;
    std::function<void()> on_accept, on_reject;
    void accept() override {
        if (on_accept)
            on_accept();
    }
    void reject() override {
        if (on_reject)
            on_reject();
    }
};

struct FileDialogParts {
    QLineEdit* name = nullptr;
    QComboBox* types = nullptr;
    QLabel* type_label = nullptr;
    QDialogButtonBox* buttons = nullptr;
};

// Sets up the dialog and binds the platform controls that the logic uses by id.
FileDialogParts Prepare(BoundFileDialog& fd, QWidget* child, FrameBinder& binder,
                        const QStringList& filters, const std::string& folder) {
    fd.setOption(QFileDialog::DontUseNativeDialog);
    fd.setOption(QFileDialog::DontConfirmOverwrite);
    fd.setNameFilters(filters);
    fd.setDirectory(Q(folder));
    if (auto* grid = qobject_cast<QGridLayout*>(fd.layout()))
        grid->addWidget(child, grid->rowCount(), 0, 1, grid->columnCount());
    FileDialogParts parts;
    parts.name = fd.findChild<QLineEdit*>("fileNameEdit");
    parts.types = fd.findChild<QComboBox*>("fileTypeCombo");
    parts.type_label = fd.findChild<QLabel*>("fileTypeLabel");
    parts.buttons = fd.findChild<QDialogButtonBox*>("buttonBox");
    binder.BindTree(*child);
    binder.Bind(kPlatformNameBox, parts.name);
    binder.Bind(kPlatformTypeLabel, parts.type_label);
    FrameBinder::Options select_filter;
    select_filter.items = false;
    select_filter.select = [&fd, filters](int index) {
        if (index >= 0 && index < filters.size() && fd.selectedNameFilter() != filters[index])
            fd.selectNameFilter(filters[index]);
    };
    binder.Bind(kPlatformTypeList, parts.types, select_filter);
    if (parts.buttons) {
        // The logic hides the platform's OK and Cancel; its own buttons take their place.
        binder.Bind(IDOK, parts.buttons->button(QDialogButtonBox::Open));
        binder.Bind(IDOK, parts.buttons->button(QDialogButtonBox::Save));
        binder.Bind(IDCANCEL, parts.buttons->button(QDialogButtonBox::Cancel));
    }
    return parts;
}

// The folder the file dialog shows and the one the logic holds follow each other: the user's
// navigation reaches the logic before a handler runs, the logic's choice of folder (a folder
// typed into the name box) reaches the dialog after it.
class FolderSync {
  public:
    FolderSync(QFileDialog& fd, std::string& folder) : m_fd(fd), m_folder(folder), m_last(folder) {}
    void Before() {
        const std::string shown = m_fd.directory().absolutePath().toStdString();
        if (shown != m_last)
            m_folder = m_last = shown;
    }
    void After() {
        if (m_folder == m_last)
            return;
        m_last = m_folder;
        m_fd.setDirectory(Q(m_folder));
    }

  private:
    QFileDialog& m_fd;
    std::string& m_folder;
    std::string m_last;
};

// A whole path to a file typed into the name box opens its folder with the bare name in the
// box, as the platform dialog does before it hands the name over.
void SplitTypedPath(Frame& frame, std::string& folder) {
    namespace fs = std::filesystem;
    const QString text = Q(frame.Text(kPlatformNameBox)).trimmed();
    const fs::path typed(text.toStdString());
    std::error_code ec;
    if (text.contains('"') || !typed.is_absolute() || !fs::is_regular_file(typed, ec))
        return;
    folder = typed.parent_path().string();
    frame.SetText(kPlatformNameBox, typed.filename().string());
}

std::string StartFolder(const std::string& wanted) {
    std::error_code ec;
    if (!wanted.empty() && std::filesystem::is_directory(wanted, ec))
        return wanted;
    return std::filesystem::current_path(ec).string();
}

}  // namespace

int QtFrontEnd::RunImport(CImpDEVDlg& dialog) {
    Frame& frame = dialog.frame();
    BoundFileDialog fd(QApplication::activeWindow());
    fd.setObjectName("ImportDialog");
    fd.setFileMode(QFileDialog::ExistingFiles);
    fd.setAcceptMode(QFileDialog::AcceptOpen);
    QWidget* child = ImportChildForm(&fd);
    auto* caption = child->findChild<QLabel*>("formatCaption");
    const std::string folder = StartFolder(dialog.InitialFolder().empty() ? dialog.CurrentFolder()
                                                                          : dialog.InitialFolder());
    // The folder as the file dialog and the logic last agreed on it.
    std::string current = folder;
    dialog.SetCurrentFolder(current);

    FrameBinder* binder_ptr = nullptr;
    FolderSync folders(fd, current);
    // The format's caption follows the format in use.
    auto follow = [&] {
        caption->setText(Q(dialog.CaptionId() ? res::LoadString(dialog.CaptionId()) : ""));
        folders.After();
    };
    auto run = [&](int id) {
        folders.Before();
        if (id == kIdImport || id == IDOK)
            SplitTypedPath(frame, current);
        dialog.SetCurrentFolder(current);
        if (id == kIdNameBox)
            dialog.OnFileNameChange();
        else
            dialog.OnCommand(id);
        current = dialog.CurrentFolder();
        if (frame.end_code)
            fd.done(*frame.end_code);
        else
            follow();
    };
    FrameBinder binder(frame, run);
    binder_ptr = &binder;
    Prepare(fd, child, binder, NameFilters(frame.control(kIdTypeList)), folder);
    QObject::connect(&fd, &QFileDialog::directoryEntered, &fd, [&](const QString&) {
        folders.Before();
        dialog.SetCurrentFolder(current);
        dialog.OnFolderChange();
        binder_ptr->Refresh();
    });
    fd.on_accept = [&] {
        binder.Refresh();
        run(IDOK);
    };
    fd.on_reject = [&] { run(IDCANCEL); };
    dialog.OnShowWindow();
    // The platform reports the name box once when the dialog opens (a given file shows there).
    dialog.OnFileNameChange();
    binder.Refresh();
    follow();
    return Exec(fd, dialog);
}

int QtFrontEnd::RunExport(CExportDeviceDlg& dialog) {
    Frame& frame = dialog.frame();
    BoundFileDialog fd(QApplication::activeWindow());
    fd.setObjectName("ExportDialog");
    fd.setFileMode(QFileDialog::AnyFile);
    fd.setAcceptMode(QFileDialog::AcceptSave);
    QWidget* child = ExportChildForm(&fd);
    const std::string folder = StartFolder(dialog.current_folder);
    dialog.current_folder = folder;
    FolderSync folders(fd, dialog.current_folder);
    auto run = [&](int id) {
        folders.Before();
        dialog.OnCommand(id);
        if (frame.end_code)
            fd.done(*frame.end_code);
        else
            folders.After();
    };
    FrameBinder binder(frame, run);
    Prepare(fd, child, binder, NameFilters(frame.control(CExportDeviceDlg::kIdTypeList)), folder);
    fd.on_accept = [&] { run(CExportDeviceDlg::kIdExport); };
    fd.on_reject = [&] { run(CExportDeviceDlg::kIdCancel); };
    dialog.OnShowWindow();
    binder.Refresh();
    return Exec(fd, dialog);
}

}  // namespace ui::qt
