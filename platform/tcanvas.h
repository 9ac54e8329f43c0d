#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QPainter;
class TBrush;
class TPen;

// The drawing surface of a graphic control, ready only while the control paints.
//
// A thin pen (width 0 or 1) sets the pixels of a segment from its start up to, but not
// including, its end, so that segments drawn one after the other never set a pixel twice;
// the pixel choice is the usual one of stepping along the longer axis. Broken styles use
// fixed pixel patterns whose gaps take the brush colour under a solid brush and stay
// untouched otherwise. A wider pen draws the segment as a shape of that width with round
// ends. Every pen mode is honoured, the gaps of a broken style included.
class TCanvas : public QObject
{
    Q_OBJECT

public:
    explicit TCanvas(QObject *parent = nullptr);

    TPen *Pen() const { return m_pen; }
    TBrush *Brush() const { return m_brush; }

    QPoint PenPos() const { return m_penPos; }
    void MoveTo(int X, int Y);
    // Draws from PenPos to (X, Y), then moves PenPos there. Outside a paint only the move
    // happens.
    void LineTo(int X, int Y);

    // Binds the canvas to the painter of a running paint, clipped to clip in the painter's
    // coordinates; unbind() ends that. Only the control that owns the canvas does this.
    void bind(QPainter *painter, const QRect &clip);
    void unbind();
    bool isBound() const { return m_painter != nullptr; }

private:
    void drawThin(QPoint from, QPoint to);
    void drawWide(QPoint from, QPoint to);

    TPen *m_pen;
    TBrush *m_brush;
    QPainter *m_painter = nullptr;
    QRect m_clip;
    QPoint m_penPos;
};
