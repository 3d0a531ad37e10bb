#include "project_views.h"

#include <QHeaderView>
#include <cmath>

#include "import/contracts/vrk.h"
#include "texts.h"

namespace gui {
namespace {

constexpr double kDegree = 180.0 / 3.14159265358979323846;

QString Number(std::optional<double> v, int decimals) {
    return v ? QString::number(*v, 'f', decimals) : QString();
}

QString Number(const zut::CLinear& v) {
    return v.valid() ? QString::number(double(v), 'f', 3) : QString();
}

// Numbers sort as numbers, names as text.
class SortItem : public QTableWidgetItem {
  public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        bool a = false, b = false;
        const double x = text().toDouble(&a), y = other.text().toDouble(&b);
        if (a && b)
            return x < y;
        if (a != b)
            return a;
        return QString::localeAwareCompare(text(), other.text()) < 0;
    }
};

}  // namespace

StationTree::StationTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("stationTree");
    setColumnCount(6);
    setAlternatingRowColors(true);
    Retranslate();
}

void StationTree::Retranslate() {
    setHeaderLabels(Parts(9818));
}

void StationTree::Show(const vrk::CVrkObject& project) {
    clear();
    for (const auto& s : project.data().stations) {
        auto* station = new QTreeWidgetItem(this, {QString::fromStdString(s.name),
                                                   {},
                                                   {},
                                                   {},
                                                   Number(s.instrument_height, 3),
                                                   QString::fromStdString(s.code)});
        for (const auto& o : s.observations) {
            auto deg = [](std::optional<double> r) {
                return r ? std::optional<double>(*r * kDegree) : std::nullopt;
            };
            new QTreeWidgetItem(
                station,
                {QString::fromStdString(o.target), Number(deg(o.hz), 5), Number(deg(o.v), 5),
                 Number(o.sd, 3), Number(o.target_height, 3), QString::fromStdString(o.code)});
        }
    }
    expandAll();
    for (int c = 0; c < columnCount(); ++c) resizeColumnToContents(c);
}

PointTable::PointTable(bool control, QWidget* parent) : QTableWidget(parent), m_control(control) {
    setObjectName(control ? "controlTable" : "surveyTable");
    setColumnCount(5);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QTableWidget::itemSelectionChanged, this, &PointTable::MarkSelection);
    Retranslate();
}

void PointTable::Retranslate() {
    setHorizontalHeaderLabels(Parts(9817));
}

void PointTable::Show(vrk::CVrkObject& project) {
    m_project = &project;
    m_filling = true;
    setSortingEnabled(false);
    clearContents();
    auto& points = project.data().points;
    int rows = 0;
    for (const auto& p : points) rows += p.control == m_control;
    setRowCount(rows);
    int row = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        if (p.control != m_control)
            continue;
        const QString cells[] = {QString::fromStdString(p.name), Number(p.x), Number(p.y),
                                 Number(p.h), QString::fromStdString(p.code)};
        for (int c = 0; c < 5; ++c) {
            auto* item = new SortItem(cells[c]);
            item->setData(Qt::UserRole, qulonglong(i));
            setItem(row, c, item);
        }
        ++row;
    }
    setSortingEnabled(true);
    clearSelection();
    for (int r = 0; r < rowCount(); ++r)
        if (points[item(r, 0)->data(Qt::UserRole).toULongLong()].selected)
            selectionModel()->select(model()->index(r, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    resizeColumnsToContents();
    m_filling = false;
}

void PointTable::SelectNames(const QStringList& names) {
    clearSelection();
    for (int r = 0; r < rowCount(); ++r)
        if (names.contains(item(r, 0)->text()))
            selectionModel()->select(model()->index(r, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void PointTable::MarkSelection() {
    if (m_filling || !m_project)
        return;
    auto& points = m_project->data().points;
    for (int r = 0; r < rowCount(); ++r) {
        const size_t i = item(r, 0)->data(Qt::UserRole).toULongLong();
        if (i < points.size())
            points[i].selected = selectionModel()->isRowSelected(r, {});
    }
    Q_EMIT selectionMarked();
}

}  // namespace gui
