#include "tgraphiccontrol.h"

#include "tcanvas.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
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

TGraphicControl::~TGraphicControl()
{
    // Too late to report anything, but the cursor must not stay a drag cursor.
    if (m_dragging)
        QGuiApplication::restoreOverrideCursor();
}

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
    if (event->button() == Qt::LeftButton && m_dragMode == dmAutomatic && !m_dragging) {
        beginDrag(event->globalPosition().toPoint());
        return;
    }
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TGraphicControl::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        dragMoveTo(event->globalPosition().toPoint());
        return;
    }
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging) {
        if (event->button() == Qt::LeftButton) {
            const QPoint global = event->globalPosition().toPoint();
            dragMoveTo(global);
            endDrag(&global);
        }
        return;
    }
    const QPoint at = event->position().toPoint();
    emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TGraphicControl::hideEvent(QHideEvent *event)
{
    // A control that disappears under the mouse ends its drag with nothing taken.
    endDrag(nullptr);
    QWidget::hideEvent(event);
}

TGraphicControl *TGraphicControl::dragTargetAt(const QPoint &global) const
{
    for (QWidget *w = QApplication::widgetAt(global); w; w = w->parentWidget()) {
        if (auto *control = qobject_cast<TGraphicControl *>(w))
            return control;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool TGraphicControl::askDragOver(TGraphicControl *target, const QPoint &global, TDragState state)
{
    static const QMetaMethod dragOver = QMetaMethod::fromSignal(&TGraphicControl::OnDragOver);
    if (!target->isSignalConnected(dragOver))
        return false;
    bool accept = true;
    const QPoint at = target->mapFromGlobal(global);
    emit target->OnDragOver(target, this, at.x(), at.y(), state, accept);
    return accept;
}

bool TGraphicControl::eventFilter(QObject *watched, QEvent *event)
{
    // Watches the whole application while dragging: the key goes to whatever has the focus,
    // which a graphic control never has.
    if (m_dragging && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        endDrag(nullptr);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TGraphicControl::beginDrag(const QPoint &global)
{
    m_dragging = true;
    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
    qApp->installEventFilter(this);
    dragMoveTo(global);
}

void TGraphicControl::dragMoveTo(const QPoint &global)
{
    TGraphicControl *target = dragTargetAt(global);
    if (target != m_dragTarget) {
        if (m_dragTarget)
            askDragOver(m_dragTarget, global, dsDragLeave);
        m_dragTarget = target;
        m_dragAccepted = target && askDragOver(target, global, dsDragEnter);
    } else if (target) {
        m_dragAccepted = askDragOver(target, global, dsDragMove);
    }
    QGuiApplication::changeOverrideCursor(m_dragAccepted ? QCursor(m_dragCursor)
                                                         : QCursor(Qt::ForbiddenCursor));
}

void TGraphicControl::endDrag(const QPoint *dropAt)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    qApp->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
    TGraphicControl *target = dropAt && m_dragAccepted ? m_dragTarget.data() : nullptr;
    if (m_dragTarget)
        askDragOver(m_dragTarget, dropAt ? *dropAt : QCursor::pos(), dsDragLeave);
    m_dragTarget = nullptr;
    m_dragAccepted = false;
    QPoint at;
    if (target) {
        at = target->mapFromGlobal(*dropAt);
        emit target->OnDragDrop(target, this, at.x(), at.y());
    }
    emit OnEndDrag(this, target, at.x(), at.y());
}
