#pragma once

#include "tcolor.h"

#include <QObject>

// The pen a canvas draws lines with. Every attribute change that really changes something
// fires OnChange, so that the owner of the pen can ask for a repaint.
class TPen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(TPenStyle Style READ Style WRITE setStyle)
    Q_PROPERTY(TPenMode Mode READ Mode WRITE setMode)

public:
    // psSolid to psDashDotDot are drawn; the gaps of the broken ones take the brush colour when
    // the brush is solid. psClear draws nothing; psInsideFrame draws as psSolid (it only
    // differs for closed shapes, which nothing here draws).
    enum TPenStyle : quint8 {
        psSolid,
        psDash,
        psDot,
        psDashDot,
        psDashDotDot,
        psClear,
        psInsideFrame
    };
    Q_ENUM(TPenStyle)

    // How the pen's colour P combines with what is already there, D.
    enum TPenMode : quint8 {
        pmBlack,       // black
        pmWhite,       // white
        pmNop,         // D, nothing changes
        pmNot,         // not D
        pmCopy,        // P
        pmNotCopy,     // not P
        pmMergePenNot, // P or not D
        pmMaskPenNot,  // P and not D
        pmMergeNotPen, // not P or D
        pmMaskNotPen,  // not P and D
        pmMerge,       // P or D
        pmNotMerge,    // not (P or D)
        pmMask,        // P and D
        pmNotMask,     // not (P and D)
        pmXor,         // P xor D
        pmNotXor       // not (P xor D)
    };
    Q_ENUM(TPenMode)

    explicit TPen(QObject *parent = nullptr);

    QColor Color() const { return m_color; }
    // An invalid colour is refused and leaves the pen as it is.
    void setColor(const QColor &color);

    int Width() const { return m_width; }
    // Width 0 and 1 both draw one pixel wide; a negative width is refused.
    void setWidth(int width);

    TPenStyle Style() const { return m_style; }
    // A value outside the enumeration is refused, as for the mode.
    void setStyle(TPenStyle style);

    TPenMode Mode() const { return m_mode; }
    void setMode(TPenMode mode);

    // Copies every attribute of source, with one OnChange at most. A null source, or the pen
    // itself, changes nothing.
    void Assign(const TPen *source);

signals:
    void OnChange(QObject *Sender);

private:
    QColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
};

using TPenStyle = TPen::TPenStyle;
using TPenMode = TPen::TPenMode;
using enum TPen::TPenStyle;
using enum TPen::TPenMode;
