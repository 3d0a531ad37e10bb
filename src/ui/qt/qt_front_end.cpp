#include "ui/qt/qt_front_end.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "export/export_device_dlg.h"
#include "import/import_dialog.h"
#include "import/options_page.h"
#include "resources/strings.h"
#include "serial/comm_port_settings.h"
#include "serial/transfer_state.h"
#include "ui/prompter.h"
#include "ui/property_sheet.h"
#include "ui/qt/forms.h"
#include "ui/qt/frame_binder.h"

namespace ui::qt {
namespace {

constexpr unsigned kNoWindowMessage = 9828;
constexpr unsigned kSheetButtons = 9832;  // "OK|Cancel"
constexpr int kIconControl = 9257;        // the warning icon of the receive templates

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The templates' icon controls show the platform's warning icon.
void ShowIcons(QWidget& form) {
    for (QLabel* label : form.findChildren<QLabel*>())
        if (ControlIdOf(*label) == kIconControl)
            label->setPixmap(form.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32));
}

// The port list also takes a device path typed into it ("/dev/ttyUSB0"), which stands for the
// port while it is there; the browse button opens a file chooser.
void ExtendPortSettings(serial::CCommPortSettings& settings, QWidget& form) {
    settings.browse = [](const serial::BrowseRequest& request, std::string& chosen) {
        const QString path = QFileDialog::getSaveFileName(
            QApplication::activeWindow(), QString(), Q(request.folder),
            QStringLiteral("*.") + Q(request.default_extension), nullptr,
            QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
        chosen = path.toStdString();
        return !path.isEmpty();
    };
    for (QComboBox* combo : form.findChildren<QComboBox*>()) {
        if (ControlIdOf(*combo) != serial::kIdPortList)
            continue;
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(combo, &QComboBox::editTextChanged, combo, [](const QString& text) {
            if (text.startsWith('/'))
                serial::Transfer().device_path = text.toStdString();
        });
        QObject::connect(combo, &QComboBox::activated, combo,
                         [] { serial::Transfer().device_path.clear(); });
    }
}

}  // namespace

void FrameWindow::accept() {
    if (on_accept)
        on_accept();
}

void FrameWindow::reject() {
    if (on_reject)
        on_reject();
}

int QtFrontEnd::RunModal(Dialog& dialog) {
    if (!dialog.OnInitDialog())
        return IDCANCEL;
    if (dialog.frame().end_code)
        return *dialog.frame().end_code;
    if (auto* import = dynamic_cast<CImpDEVDlg*>(&dialog))
        return RunImport(*import);
    if (auto* save = dynamic_cast<CExportDeviceDlg*>(&dialog))
        return RunExport(*save);
    if (auto* sheet = dynamic_cast<PropertySheet*>(&dialog))
        return RunSheet(*sheet);
    return RunForm(dialog);
}

int QtFrontEnd::Exec(QDialog& window, Dialog& dialog) {
    Frame& frame = dialog.frame();
    if (!frame.title.empty())
        window.setWindowTitle(Q(frame.title));
    window.setModal(true);
    if (!frame.end_code)
        window.exec();
    return frame.end_code.value_or(IDCANCEL);
}

int QtFrontEnd::RunForm(Dialog& dialog) {
    FrameWindow window(QApplication::activeWindow());
    QWidget* form = FormFor(dialog, &window);
    if (!form) {
        ShowMessage(kNoWindowMessage, MB_OK | MB_ICONEXCLAMATION);
        return IDCANCEL;
    }
    window.setObjectName(form->objectName());
    window.setWindowTitle(form->windowTitle());
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
    ShowIcons(*form);
    auto run = [&](int id) {
        dialog.OnCommand(id);
        if (dialog.frame().end_code)
            window.done(*dialog.frame().end_code);
    };
    FrameBinder binder(dialog.frame(), run);
    binder.BindTree(*form);
    if (auto* settings = dynamic_cast<serial::CCommPortSettings*>(&dialog))
        ExtendPortSettings(*settings, *form);
    window.on_accept = [&] { run(IDOK); };
    window.on_reject = [&] { run(IDCANCEL); };
    dialog.OnShowWindow();
    binder.Refresh();
    return Exec(window, dialog);
}

int QtFrontEnd::RunSheet(PropertySheet& sheet) {
    FrameWindow window(QApplication::activeWindow());
    window.setObjectName("PropertySheet");
    auto* layout = new QVBoxLayout(&window);
    auto* tabs = new QTabWidget(&window);
    tabs->setObjectName("pages");
    layout->addWidget(tabs);
    std::vector<std::unique_ptr<FrameBinder>> binders;
    for (size_t i = 0; i < sheet.PageCount(); ++i) {
        PropertyPage& page = sheet.Page(i);
        QWidget* form = FormFor(page, tabs);
        if (!form)
            form = new QLabel(Q(res::LoadString(kNoWindowMessage)), tabs);
        tabs->addTab(form, Q(page.caption()));
        auto binder =
            std::make_unique<FrameBinder>(page.frame(), [&page](int id) { page.OnCommand(id); });
        binder->BindTree(*form);
        if (auto* options = dynamic_cast<CImpOptPage*>(&page))
            for (const auto& [control, tip] : options->Tips())
                if (QWidget* w = binder->Widget(control))
                    w->setToolTip(Q(res::LoadString(tip)));
        binders.push_back(std::move(binder));
    }
    // Shows the active page as its logic left it; a refused check selects the edit at fault.
    auto show_active = [&] {
        const int active = sheet.ActiveIndex();
        if (active < 0)
            return;
        QSignalBlocker block(tabs);
        tabs->setCurrentIndex(active);
        binders[static_cast<size_t>(active)]->Refresh();
        if (auto* options = dynamic_cast<CImpOptPage*>(&sheet.Page(static_cast<size_t>(active))))
            if (auto* edit = qobject_cast<QLineEdit*>(
                    binders[static_cast<size_t>(active)]->Widget(options->SelectedTextControl()))) {
                edit->setFocus();
                edit->selectAll();
            }
    };
    QObject::connect(tabs, &QTabWidget::currentChanged, &window, [&](int index) {
        sheet.SetActivePage(index);
        show_active();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
    buttons->setObjectName("sheetButtons");
    const QStringList captions = Q(res::LoadString(kSheetButtons)).split('|');
    if (captions.size() == 2) {
        buttons->button(QDialogButtonBox::Ok)->setText(captions[0]);
        buttons->button(QDialogButtonBox::Cancel)->setText(captions[1]);
    }
    layout->addWidget(buttons);
    auto run = [&](int id) {
        if (!sheet.OnCommand(id)) {
            if (id == IDOK)
                sheet.PressOK();
            if (id == IDCANCEL)
                sheet.PressCancel();
        }
        if (sheet.frame().end_code)
            window.done(*sheet.frame().end_code);
        else
            show_active();
    };
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, [&] { run(IDOK); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, [&] { run(IDCANCEL); });
    window.on_accept = [&] { run(IDOK); };
    window.on_reject = [&] { run(IDCANCEL); };
    sheet.OnShowWindow();
    show_active();
    return Exec(window, sheet);
}

}  // namespace ui::qt
