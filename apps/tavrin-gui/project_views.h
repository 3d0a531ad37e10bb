// The project's tree of stations and observations and its two point tables. The selection of
// the table rows is the points' selection mark (what "Selected objects" exports).
#pragma once

#include <QTableWidget>
#include <QTreeWidget>

namespace vrk {
class CVrkObject;
}

namespace gui {

class StationTree : public QTreeWidget {
    Q_OBJECT
  public:
    explicit StationTree(QWidget* parent);
    void Show(const vrk::CVrkObject& project);
    void Retranslate();
};

class PointTable : public QTableWidget {
    Q_OBJECT
  public:
    // `control`: the control points, else the survey points.
    PointTable(bool control, QWidget* parent);
    void Show(vrk::CVrkObject& project);
    void Retranslate();
    // Selects the rows of the points with these names (and no others).
    void SelectNames(const QStringList& names);

  Q_SIGNALS:
    void selectionMarked();

  private:
    void MarkSelection();
    bool m_control;
    vrk::CVrkObject* m_project = nullptr;
    bool m_filling = false;
};

}  // namespace gui
