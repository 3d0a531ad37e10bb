#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "export/export_device_dlg.h"
#include "export/export_formats.h"
#include "host/processing/processing.h"
#include "import/contracts/vrk.h"
#include "import/import_dialog.h"
#include "outputs/module_loader.h"
#include "plan_view.h"
#include "platform/profile.h"
#include "project_views.h"
#include "protocol_dock.h"
#include "readers/cdx/cdx_reader.h"
#include "serial/transfer_dialog.h"
#include "texts.h"
#include "ui/prompter.h"
#include "ui/qt/qt_front_end.h"
#include "ui/qt/qt_prompter.h"

namespace gui {
namespace {

constexpr const char* kDesktop = "Desktop";
constexpr int kRecentCount = 8;
enum MenuText : unsigned {
    kFileMenu = 9810,
    kImportMenu,
    kExportMenu,
    kInstrumentMenu,
    kOptionsMenu,
    kHelpMenu,
    kPanes,
};

QStringList RecentFiles() {
    const std::string stored = platform::Profile::Instance().GetString(kDesktop, "RecentFiles", "");
    return QString::fromStdString(stored).split(';', Qt::SkipEmptyParts);
}

}  // namespace

MainWindow::MainWindow()
    : m_front_end(std::make_shared<ui::qt::QtFrontEnd>()),
      m_project(std::make_unique<vrk::CVrkObject>()),
      m_tree(new StationTree(this)),
      m_control(new PointTable(true, this)),
      m_survey(new PointTable(false, this)),
      m_plan(new PlanView(this)),
      m_tabs(new QTabWidget(this)),
      m_protocol(new ProtocolDock(this)),
      m_tree_dock(new QDockWidget(this)),
      m_progress(new QProgressBar(this)) {
    setObjectName("mainWindow");
    ui::InstallFrontEnd(m_front_end);
    ui::InstallPrompter(std::make_shared<ui::qt::QtPrompter>());

    m_tabs->setObjectName("views");
    m_tabs->addTab(m_plan, QString());
    m_tabs->addTab(m_control, QString());
    m_tabs->addTab(m_survey, QString());
    setCentralWidget(m_tabs);
    m_tree_dock->setObjectName("projectDock");
    m_tree_dock->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, m_tree_dock);
    addDockWidget(Qt::BottomDockWidgetArea, m_protocol);
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress);
    // The plan shows the selection mark the tables set.
    for (PointTable* table : {m_control, m_survey})
        connect(table, &PointTable::selectionMarked, m_plan, qOverload<>(&QWidget::update));

    UseQtTexts(res::CurrentLanguage());
    BuildMenus();
    ShowProject();
    resize(1000, 700);
}

MainWindow::~MainWindow() {
    ui::InstallFrontEnd(nullptr);
    ui::InstallPrompter(nullptr);
}

QMenu* MainWindow::menu(int index) const {
    return index >= 0 && index < int(m_menus.size()) ? m_menus[size_t(index)] : nullptr;
}

void MainWindow::BuildMenus() {
    auto add_menu = [this](unsigned id) {
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(QStringLiteral("menu%1").arg(id));
        m_menus.push_back(m);
        return m;
    };
    auto add = [this](QMenu* menu, unsigned id, int part, auto slot, QKeySequence key = {}) {
        QAction* a = menu->addAction(QString(), this, slot);
        a->setObjectName(QStringLiteral("action%1_%2").arg(id).arg(part));
        if (!key.isEmpty())
            a->setShortcut(key);
        m_texts.push_back({a, {id, part}});
        return a;
    };
    QMenu* file = add_menu(kFileMenu);
    add(file, kFileMenu, 1, &MainWindow::NewProject, QKeySequence::New);
    add(file, kFileMenu, 2, &MainWindow::OpenProjectDialog, QKeySequence::Open);
    add(file, kFileMenu, 3, &MainWindow::Save, QKeySequence::Save);
    add(file, kFileMenu, 4, &MainWindow::SaveAs, QKeySequence::SaveAs);
    m_recent = file->addMenu(QString());
    m_recent->setObjectName("menuRecent");
    file->addSeparator();
    add(file, kFileMenu, 6, &QWidget::close, QKeySequence::Quit);

    add(add_menu(kImportMenu), kImportMenu, 1, &MainWindow::ImportInstrumentFiles,
        QKeySequence(Qt::CTRL | Qt::Key_I));
    add(menu(1), kImportMenu, 2, &MainWindow::ImportControlPoints);
    add(add_menu(kExportMenu), kExportMenu, 1, &MainWindow::ExportInstrumentFormats,
        QKeySequence(Qt::CTRL | Qt::Key_E));
    add(menu(2), kExportMenu, 2, &MainWindow::ExportOutputs);
    add(add_menu(kInstrumentMenu), kInstrumentMenu, 1, &MainWindow::Receive);
    add(add_menu(kOptionsMenu), kOptionsMenu, 1, &MainWindow::ImportOptions);
    QMenu* help = add_menu(kHelpMenu);
    add(help, kHelpMenu, 1, &MainWindow::About);
    m_language = help->addMenu(QString());
    m_language->setObjectName("menuLanguage");
    add(m_language, kHelpMenu, 3, [this] { SetLanguage(res::Language::English); });
    add(m_language, kHelpMenu, 4, [this] { SetLanguage(res::Language::Russian); });

    QToolBar* bar = addToolBar(QStringLiteral("plan"));
    bar->setObjectName("planBar");
    m_fit = bar->addAction(QString(), m_plan, &PlanView::Fit);
    m_zoom_in = bar->addAction(QString(), m_plan, [this] { m_plan->Zoom(1.25); });
    m_zoom_out = bar->addAction(QString(), m_plan, [this] { m_plan->Zoom(0.8); });
    FillRecent();
    Retranslate();
}

void MainWindow::Retranslate() {
    for (size_t i = 0; i < m_menus.size(); ++i)
        m_menus[i]->setTitle(Part(kFileMenu + unsigned(i), 0));
    for (auto& [action, text] : m_texts) action->setText(Part(text.first, text.second));
    m_recent->setTitle(Part(kFileMenu, 5));
    m_language->setTitle(Part(kHelpMenu, 2));
    m_tree_dock->setWindowTitle(Part(kPanes, 0));
    m_tabs->setTabText(0, Part(kPanes, 2));
    m_tabs->setTabText(1, Part(kPanes, 3));
    m_tabs->setTabText(2, Part(kPanes, 4));
    m_fit->setText(Part(9823, 0));
    m_zoom_in->setText(Part(9823, 1));
    m_zoom_out->setText(Part(9823, 2));
    m_protocol->Retranslate();
    m_tree->Retranslate();
    m_control->Retranslate();
    m_survey->Retranslate();
    SetModified(m_modified);
}

void MainWindow::SetLanguage(res::Language language) {
    res::SetLanguage(language);
    UseQtTexts(language);
    platform::Profile::Instance().WriteString(kDesktop, "Language",
                                              language == res::Language::Russian ? "ru" : "en");
    Retranslate();
}

void MainWindow::ShowProject() {
    m_tree->Show(*m_project);
    m_control->Show(*m_project);
    m_survey->Show(*m_project);
    m_plan->SetProject(m_project.get());
    m_protocol->Show(*m_project);
    size_t observations = 0, control = 0;
    for (const auto& s : m_project->data().stations) observations += s.observations.size();
    for (const auto& p : m_project->data().points) control += p.control;
    statusBar()->showMessage(
        Text(9825,
             {std::to_string(m_project->data().stations.size()), std::to_string(observations),
              std::to_string(control), std::to_string(m_project->data().points.size() - control)}));
}

void MainWindow::SetModified(bool on) {
    m_modified = on;
    const QString name = m_path.isEmpty() ? Text(9822) : QFileInfo(m_path).fileName();
    setWindowTitle(name + (on ? "*" : "") + " - Tavrin");
}

std::function<void(int, vrk::CDocument*)> MainWindow::Progress() {
    return [this](int percent, vrk::CDocument*) {
        m_progress->show();
        m_progress->setValue(percent);
        // The window stays alive while a long file is read.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void MainWindow::EndProgress() {
    m_progress->hide();
}

void MainWindow::NewProject() {
    if (!MayDiscard())
        return;
    m_project = std::make_unique<vrk::CVrkObject>();
    m_path.clear();
    SetModified(false);
    ShowProject();
}

bool MainWindow::OpenProject(const QString& path) {
    auto project = std::make_unique<vrk::CVrkObject>();
    std::string error;
    if (!project->LoadJson(path.toStdString(), error)) {
        ui::ShowMessage(res::Format(res::LoadString(9820), {path.toStdString(), error}),
                        ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    m_project = std::move(project);
    m_path = path;
    SetModified(false);
    AddRecent(path);
    ShowProject();
    return true;
}

void MainWindow::OpenProjectDialog() {
    if (!MayDiscard())
        return;
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      Part(9826, 0) + ";;" + Part(9826, 2), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        OpenProject(path);
}

bool MainWindow::SaveTo(const QString& path) {
    std::string error;
    if (!m_project->SaveJson(path.toStdString(), error)) {
        ui::ShowMessage(res::Format(res::LoadString(9831), {path.toStdString(), error}),
                        ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    m_path = path;
    SetModified(false);
    AddRecent(path);
    return true;
}

bool MainWindow::Save() {
    return m_path.isEmpty() ? SaveAs() : SaveTo(m_path);
}

bool MainWindow::SaveAs() {
    QString path = QFileDialog::getSaveFileName(this, QString(), m_path, Part(9826, 0), nullptr,
                                                QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".json";
    return SaveTo(path);
}

void MainWindow::AddRecent(const QString& path) {
    QStringList list = RecentFiles();
    const QString full = QFileInfo(path).absoluteFilePath();
    list.removeAll(full);
    list.prepend(full);
    while (list.size() > kRecentCount) list.removeLast();
    platform::Profile::Instance().WriteString(kDesktop, "RecentFiles",
                                              list.join(';').toStdString());
    FillRecent();
}

void MainWindow::FillRecent() {
    m_recent->clear();
    for (const QString& path : RecentFiles())
        m_recent->addAction(path, this, [this, path] {
            if (MayDiscard())
                OpenProject(path);
        });
    m_recent->setEnabled(!m_recent->isEmpty());
}

bool MainWindow::MayDiscard() {
    if (!m_modified)
        return true;
    switch (ui::ShowMessage(9819, ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION)) {
        case ui::IDYES:
            return Save();
        case ui::IDNO:
            return true;
        default:
            return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (MayDiscard())
        event->accept();
    else
        event->ignore();
}

void MainWindow::ImportInstrumentFiles() {
    CImpDEVDlg dialog(m_project.get(), Progress(), 0, "", 0);
    const bool imported = dialog.DoImport() == 1;
    EndProgress();
    if (imported)
        Process();
    ShowProject();
}

void MainWindow::Process() {
    // As the command line does after an import: the measured points get their coordinates.
    const processing::Summary s = processing::Compute(*m_project);
    statusBar()->showMessage(
        Text(9733, {std::to_string(s.stations), std::to_string(s.free_stations),
                    std::to_string(s.points), std::to_string(s.lines)})
            .trimmed());
    SetModified(true);
}

void MainWindow::ImportControlPoints() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      Part(9826, 1) + ";;" + Part(9826, 2), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    vrk::CImportInfo info;
    int loaded = 0;
    {
        CImpCDX reader(m_project.get(), Progress(), &info);
        loaded = reader.ImportFile(path.toStdString());
    }
    EndProgress();
    if (loaded)
        Process();  // known points may now place and orient stations
    ShowProject();
}

void MainWindow::ExportInstrumentFormats() {
    CExportDeviceDlg dialog;
    if (dialog.DoModal() != ui::IDOK)
        return;
    std::unique_ptr<CExportDev> writer = CreateExporter(dialog.FormatIndex());
    if (!writer)
        return;
    const bool ok = writer->DoExport(m_project.get(), dialog.PathName());
    m_protocol->Show(*m_project);
    if (!ok) {
        if (!writer->LastError().empty())
            ui::ShowMessage(writer->LastError(), ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    if (writer->ExportedCount() == 0) {
        ui::ShowMessage(9830, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    statusBar()->showMessage(
        Text(9829, {std::to_string(writer->ExportedCount()), dialog.PathName()}));
}

void MainWindow::ExportOutputs() {
    QStringList filters;
    for (const outputs::FormatInfo& f : outputs::Formats()) {
        QString globs = QString::fromUtf8(f.extensions.data(), int(f.extensions.size()));
        globs.replace('.', "*.");
        filters << QStringLiteral("%1 (%2)").arg(
            QString::fromUtf8(f.name.data(), int(f.name.size())), globs);
    }
    QFileDialog dialog(this);
    dialog.setObjectName("OutputsDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    if (!m_path.isEmpty())
        dialog.setDirectory(QFileInfo(m_path).path());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    const QString chosen = dialog.selectedNameFilter();
    outputs::ConvertOptions options;
    const outputs::FormatInfo& format =
        outputs::Formats()[size_t(std::max(0, int(filters.indexOf(chosen))))];
    options.format = format.format;
    if (!m_path.isEmpty())
        options.inputs.emplace_back(m_path.toStdString());
    // A system is asked for only where the format cannot do without one.
    if (format.needs_crs) {
        bool ok = false;
        options.crs = QInputDialog::getText(this, QString(), Text(9833), QLineEdit::Normal,
                                            QStringLiteral("EPSG:"), &ok)
                          .trimmed()
                          .toStdString();
        if (!ok)
            return;
    }
    std::string error;
    outputs::ConvertSummary summary;
    const outputs::ModuleApi* api = outputs::LoadModule(error);
    if (!api || !api->convert(*m_project, path.toStdString(), options, summary, error)) {
        ui::ShowMessage(error, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    statusBar()->showMessage(QString::fromStdString(api->summary(summary)).simplified());
}

void MainWindow::Receive() {
    serial::CTransferDEVDlg transfer(m_project.get(), Progress());
    ui::qt::ReceiveWindowHost window(transfer, this);
    const bool imported = transfer.DoTransfer() == 1;
    EndProgress();
    if (imported)
        SetModified(true);
    ShowProject();
}

void MainWindow::ImportOptions() {
    // The sheet of the format last imported, as the import dialog's Options button shows it.
    CImpDEVDlg dialog(m_project.get(), {}, 0, "", 0);
    int format = platform::Profile::Instance().GetInt("ImportSettings", "CurrentSelection", 0);
    if (format < 0 || format >= kBuiltInFormats)
        format = 0;
    dialog.frame().SetSelection(kIdTypeList, format);
    dialog.OnTypeChange();
    dialog.OnOptions();
}

void MainWindow::About() {
    ui::ShowMessage(res::Format(res::LoadString(9821), {TAVRIN_VERSION}),
                    ui::MB_OK | ui::MB_ICONINFORMATION);
}

}  // namespace gui
