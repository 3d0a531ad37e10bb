// The project window: the station tree, the point tables, the plan, the protocol, and the
// menus that open every dialog.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "resources/strings.h"

class QAction;
class QMenu;
class QProgressBar;
class QTabWidget;
class QDockWidget;

namespace vrk {
class CVrkObject;
class CDocument;
}  // namespace vrk

namespace ui::qt {
class QtFrontEnd;
}

namespace gui {

class PlanView;
class PointTable;
class ProtocolDock;
class StationTree;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow();
    ~MainWindow() override;

    vrk::CVrkObject& project() { return *m_project; }
    bool modified() const { return m_modified; }
    const QString& path() const { return m_path; }
    ui::qt::QtFrontEnd& front_end() { return *m_front_end; }
    PointTable* control_table() const { return m_control; }
    PointTable* survey_table() const { return m_survey; }
    ProtocolDock* protocol() const { return m_protocol; }
    PlanView* plan() const { return m_plan; }
    QMenu* menu(int index) const;  // File, Import, Export, Instrument, Options, Help

    // The menu commands.
    void NewProject();
    bool OpenProject(const QString& path);
    void OpenProjectDialog();
    bool Save();
    bool SaveAs();
    void ImportInstrumentFiles();
    void ImportControlPoints();
    void ExportInstrumentFormats();
    // The project as GeoPackage, GeoJSON, DXF, KML, Shapefile, CSV or LandXML.
    void ExportOutputs();
    // The processing stage over the project, its summary in the status bar.
    void Process();
    void Receive();
    void ImportOptions();
    void About();
    void SetLanguage(res::Language language);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void Retranslate();
    void ShowProject();
    void SetModified(bool on);
    bool SaveTo(const QString& path);
    // Asks about unsaved changes; false when the user keeps the project open.
    bool MayDiscard();
    void AddRecent(const QString& path);
    void FillRecent();
    std::function<void(int, vrk::CDocument*)> Progress();
    void EndProgress();

    std::shared_ptr<ui::qt::QtFrontEnd> m_front_end;
    std::unique_ptr<vrk::CVrkObject> m_project;
    QString m_path;
    bool m_modified = false;

    std::vector<QMenu*> m_menus;
    QMenu* m_recent = nullptr;
    QMenu* m_language = nullptr;
    std::vector<std::pair<QAction*, std::pair<unsigned, int>>> m_texts;  // action, text id, part
    StationTree* m_tree;
    PointTable* m_control;
    PointTable* m_survey;
    PlanView* m_plan;
    QTabWidget* m_tabs;
    ProtocolDock* m_protocol;
    QDockWidget* m_tree_dock;
    QProgressBar* m_progress;
    QAction* m_fit = nullptr;
    QAction* m_zoom_in = nullptr;
    QAction* m_zoom_out = nullptr;
};

}  // namespace gui
