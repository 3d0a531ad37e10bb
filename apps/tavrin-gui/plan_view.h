// The plan: points with their names, stations, and rays from each station to its targets.
// X is north (up the screen), Y east. The wheel zooms about the cursor, a drag pans.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

namespace vrk {
class CVrkObject;
}

namespace gui {

class PlanView : public QWidget {
    Q_OBJECT
  public:
    explicit PlanView(QWidget* parent = nullptr);
    void SetProject(vrk::CVrkObject* project);
    // Shows everything; called after every change of the project.
    void Fit();
    void Zoom(double factor);
    // The plan's extent in survey coordinates (x east, y north); empty when nothing has any.
    QRectF Extent() const;
    double Scale() const { return m_scale; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;

  private:
    QPointF ToScreen(double east, double north) const;
    void ZoomAbout(double factor, QPointF screen);

    vrk::CVrkObject* m_project = nullptr;
    double m_scale = 1;  // pixels per metre
    QPointF m_origin;    // screen position of east 0, north 0
    QPointF m_drag_from;
    bool m_moved = false;  // zoomed or panned by the user since the last fit
};

}  // namespace gui
