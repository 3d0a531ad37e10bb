#include "plan_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <optional>

#include "import/contracts/vrk.h"

namespace gui {
namespace {

// The coordinates of a point when it has both, as (east, north).
std::optional<QPointF> PlanOf(const vrk::CVrkPoint& p) {
    if (!p.x.valid() || !p.y.valid())
        return std::nullopt;
    return QPointF(double(p.y), double(p.x));
}

std::optional<QPointF> PlanOf(const vrk::CStation& s) {
    if (!s.x || !s.y)
        return std::nullopt;
    return QPointF(*s.y, *s.x);
}

}  // namespace

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
    setObjectName("planView");
    setMinimumSize(200, 150);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PlanView::SetProject(vrk::CVrkObject* project) {
    m_project = project;
    Fit();
}

QRectF PlanView::Extent() const {
    if (!m_project)
        return {};
    double left = 0, right = 0, bottom = 0, top = 0;
    bool any = false;
    auto add = [&](QPointF p) {
        left = any ? std::min(left, p.x()) : p.x();
        right = any ? std::max(right, p.x()) : p.x();
        bottom = any ? std::min(bottom, p.y()) : p.y();
        top = any ? std::max(top, p.y()) : p.y();
        any = true;
    };
    for (const auto& p : m_project->data().points)
        if (auto at = PlanOf(p))
            add(*at);
    for (const auto& s : m_project->data().stations)
        if (auto at = PlanOf(s))
            add(*at);
    return QRectF(QPointF(left, bottom), QPointF(right, top));
}

void PlanView::Fit() {
    const QRectF box = Extent();
    const double margin = 40;
    const double w = std::max(box.width(), 1.0), h = std::max(box.height(), 1.0);
    m_scale = std::min((width() - 2 * margin) / w, (height() - 2 * margin) / h);
    if (!(m_scale > 0) || !std::isfinite(m_scale))
        m_scale = 1;
    const QPointF centre = box.center();
    m_origin = QPointF(width() / 2.0 - centre.x() * m_scale, height() / 2.0 + centre.y() * m_scale);
    m_moved = false;
    update();
}

void PlanView::Zoom(double factor) {
    ZoomAbout(factor, QPointF(width() / 2.0, height() / 2.0));
}

void PlanView::ZoomAbout(double factor, QPointF screen) {
    const double next = m_scale * factor;
    if (!(next > 1e-9 && next < 1e9))
        return;
    m_origin = screen + (m_origin - screen) * factor;
    m_scale = next;
    m_moved = true;
    update();
}

QPointF PlanView::ToScreen(double east, double north) const {
    return {m_origin.x() + east * m_scale, m_origin.y() - north * m_scale};
}

void PlanView::paintEvent(QPaintEvent*) {
    if (!m_project)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& data = m_project->data();
    // Rays first, so that the symbols stand on top of them.
    painter.setPen(QPen(QColor(120, 150, 200), 1, Qt::DashLine));
    for (const auto& s : data.stations) {
        auto from = PlanOf(s);
        if (!from)
            continue;
        for (const auto& o : s.observations) {
            const vrk::CVrkPoint* target = m_project->FindPoint(o.target);
            if (!target)
                continue;
            if (auto to = PlanOf(*target))
                painter.drawLine(ToScreen(from->x(), from->y()), ToScreen(to->x(), to->y()));
        }
    }
    for (const auto& p : data.points) {
        auto at = PlanOf(p);
        if (!at)
            continue;
        const QPointF c = ToScreen(at->x(), at->y());
        painter.setPen(p.selected ? QPen(Qt::red, 2) : QPen(palette().text().color(), 1));
        if (p.control) {
            const QPointF tri[3] = {c + QPointF(0, -6), c + QPointF(5, 4), c + QPointF(-5, 4)};
            painter.drawPolygon(tri, 3);
        } else {
            painter.setBrush(painter.pen().color());
            painter.drawEllipse(c, 2.5, 2.5);
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawText(c + QPointF(6, -4), QString::fromStdString(p.name));
    }
    painter.setPen(QPen(QColor(30, 110, 60), 2));
    for (const auto& s : data.stations) {
        auto at = PlanOf(s);
        if (!at)
            continue;
        const QPointF c = ToScreen(at->x(), at->y());
        painter.drawRect(QRectF(c - QPointF(5, 5), QSizeF(10, 10)));
        if (!m_project->FindPoint(s.name))  // a station that is a point has its name already
            painter.drawText(c + QPointF(7, 12), QString::fromStdString(s.name));
    }
}

void PlanView::wheelEvent(QWheelEvent* e) {
    ZoomAbout(std::pow(1.0015, e->angleDelta().y()), e->position());
}

void PlanView::mousePressEvent(QMouseEvent* e) {
    m_drag_from = e->position();
}

void PlanView::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton))
        return;
    m_origin += e->position() - m_drag_from;
    m_moved = true;
    m_drag_from = e->position();
    update();
}

// Until the user zooms or pans, the plan keeps showing everything as the window changes.
void PlanView::showEvent(QShowEvent*) {
    if (!m_moved)
        Fit();
}

void PlanView::resizeEvent(QResizeEvent*) {
    if (!m_moved)
        Fit();
}

}  // namespace gui
