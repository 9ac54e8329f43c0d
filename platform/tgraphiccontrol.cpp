#include "tgraphiccontrol.h"

#include "tcanvas.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

namespace {

int clampSize(int size)
{
    return std::clamp(size, 0, QWIDGETSIZE_MAX);
}

// Positions get the same bound as sizes, so that a control's far edge is always a valid int.
int clampPosition(int position)
{
    return std::clamp(position, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Unbinds the canvas however the paint ends, so that it never keeps a dead painter.
class CanvasBinding
{
public:
    CanvasBinding(TCanvas *canvas, QPainter *painter, const QRect &clip) : m_canvas(canvas)
    {
        m_canvas->bind(painter, clip);
    }
    ~CanvasBinding() { m_canvas->unbind(); }
    CanvasBinding(const CanvasBinding &) = delete;
    CanvasBinding &operator=(const CanvasBinding &) = delete;

private:
    TCanvas *m_canvas;
};

} // namespace

TGraphicControl::TGraphicControl(QWidget *parent) : QWidget(parent), m_canvas(new TCanvas(this))
{
    // Mouse moves are reported with or without a button down.
    setMouseTracking(true);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::setLeft(int left)
{
    SetBounds(left, Top(), Width(), Height());
}

void TGraphicControl::setTop(int top)
{
    SetBounds(Left(), top, Width(), Height());
}

void TGraphicControl::setWidth(int width)
{
    SetBounds(Left(), Top(), width, Height());
}

void TGraphicControl::setHeight(int height)
{
    SetBounds(Left(), Top(), Width(), height);
}

void TGraphicControl::SetBounds(int left, int top, int width, int height)
{
    const QRect bounds(clampPosition(left), clampPosition(top), clampSize(width),
                       clampSize(height));
    if (bounds == geometry())
        return;
    // The toolkit repaints the uncovered and the newly covered area of a visible control;
    // a hidden one is drawn afresh when it is shown.
    setGeometry(bounds);
}

void TGraphicControl::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect bounds = rect();
    painter.setClipRect(bounds, Qt::IntersectClip);
    // What can actually reach the surface: a control may be far larger than any window.
    QRect visible = bounds & event->rect();
    if (const QPaintDevice *surface = painter.paintEngine()->paintDevice()) {
        const QRectF onSurface(0, 0, surface->width(), surface->height());
        visible &= painter.deviceTransform().inverted().mapRect(onSurface).toAlignedRect();
    }
    CanvasBinding binding(m_canvas, &painter, visible);
    Paint();
}

void TGraphicControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TGraphicControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}
