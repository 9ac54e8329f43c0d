#pragma once

#include "tcolor.h"

#include <QObject>

// The brush of a canvas. Lines fill no area with it: a solid brush gives its colour to the gaps
// of a broken pen, any other style leaves those gaps transparent. Every attribute change that
// really changes something fires OnChange.
class TBrush : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(TBrushStyle Style READ Style WRITE setStyle)

public:
    enum TBrushStyle : quint8 {
        bsSolid,
        bsClear,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross
    };
    Q_ENUM(TBrushStyle)

    explicit TBrush(QObject *parent = nullptr);

    QColor Color() const { return m_color; }
    // An invalid colour is refused and leaves the brush as it is.
    void setColor(const QColor &color);

    TBrushStyle Style() const { return m_style; }
    // A value outside the enumeration is refused.
    void setStyle(TBrushStyle style);

    // Copies every attribute of source, with one OnChange at most. A null source, or the brush
    // itself, changes nothing.
    void Assign(const TBrush *source);

signals:
    void OnChange(QObject *Sender);

private:
    QColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

using TBrushStyle = TBrush::TBrushStyle;
using enum TBrush::TBrushStyle;
