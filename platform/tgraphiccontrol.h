#pragma once

#include <QPointer>
#include <QWidget>

class TCanvas;

// The base of controls that have no window of their own and draw themselves on their
// parent's surface through Canvas. Before each paint the canvas is bound to the control, in
// control coordinates, clipped to the rectangle that the control has when the paint starts;
// a size change made during the paint takes effect from the next paint on.
//
// The bounds are set through Left, Top, Width and Height (or SetBounds); they ask for a
// repaint whenever the bounds really change. Sizes are clamped to what the toolkit accepts,
// 0 to QWIDGETSIZE_MAX; positions to plus or minus that much.
class TGraphicControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    // Designer sets the bounds through geometry; form descriptions may use these as well.
    Q_PROPERTY(int Left READ Left WRITE setLeft DESIGNABLE false)
    Q_PROPERTY(int Top READ Top WRITE setTop DESIGNABLE false)

public:
    enum TDragMode : quint8 { dmManual, dmAutomatic };
    Q_ENUM(TDragMode)
    enum TDragState : quint8 { dsDragEnter, dsDragLeave, dsDragMove };
    Q_ENUM(TDragState)

    explicit TGraphicControl(QWidget *parent = nullptr);
    ~TGraphicControl() override;

    TCanvas *Canvas() const { return m_canvas; }

    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    int Left() const { return x(); }
    void setLeft(int left);
    int Top() const { return y(); }
    void setTop(int top);
    int Width() const { return width(); }
    void setWidth(int width);
    int Height() const { return height(); }
    void setHeight(int height);
    void SetBounds(int left, int top, int width, int height);

    // What the control does when the left button goes down on it: report OnMouseDown
    // (dmManual), or start dragging itself (dmAutomatic). While the button stays down, every
    // graphic control under the mouse is asked through OnDragOver whether it takes the
    // control; the mouse shows DragCursor over one that does and a no-drop cursor elsewhere.
    // Releasing the button over a taker reports OnDragDrop to it, and in any case OnEndDrag to
    // the dragged control, with the taker (or null) and the point in the taker's coordinates.
    // A control with no OnDragOver handler takes nothing; a handler starts with Accept true.
    // Escape ends a drag with nothing taken.
    TDragMode DragMode() const { return m_dragMode; }
    void setDragMode(TDragMode mode) { m_dragMode = mode; }
    Qt::CursorShape DragCursor() const { return m_dragCursor; }
    void setDragCursor(Qt::CursorShape cursor) { m_dragCursor = cursor; }

signals:
    void OnMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                     int Y);
    void OnMouseMove(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                   int Y);
    void OnDragDrop(QObject *Sender, QObject *Source, int X, int Y);
    // Direct connections only: the handler answers through Accept.
    void OnDragOver(QObject *Sender, QObject *Source, int X, int Y,
                    TGraphicControl::TDragState State, bool &Accept);
    void OnEndDrag(QObject *Sender, QObject *Target, int X, int Y);

protected:
    // Draws the control on Canvas; called for every paint, never directly.
    virtual void Paint() = 0;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TGraphicControl *dragTargetAt(const QPoint &global) const;
    bool askDragOver(TGraphicControl *target, const QPoint &global, TDragState state);
    void beginDrag(const QPoint &global);
    void dragMoveTo(const QPoint &global);
    void endDrag(const QPoint *dropAt);

    TCanvas *m_canvas;
    int m_tag = 0;
    TDragMode m_dragMode = dmManual;
    Qt::CursorShape m_dragCursor = Qt::DragMoveCursor;
    bool m_dragging = false;
    QPointer<TGraphicControl> m_dragTarget;
    bool m_dragAccepted = false;
};

using TDragMode = TGraphicControl::TDragMode;
using enum TGraphicControl::TDragMode;
using TDragState = TGraphicControl::TDragState;
using enum TGraphicControl::TDragState;
