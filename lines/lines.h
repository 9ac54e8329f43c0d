#pragma once

#include "tbrush.h"
#include "tgraphiccontrol.h"
#include "tpen.h"

// A control that draws one straight segment with a pen and a brush of its own, on its parent's
// surface (it has no window of its own).
//
// Which segment is drawn depends on Line. Under ltCustom it runs between the stored end points
// FromX/FromY and ToX/ToY; a paint moves a negative coordinate to 0 and grows the control, never
// shrinking it, until both points lie inside. Under every other kind the end points follow
// from the size at each paint (mid-lines, edges, diagonals) and setting them does nothing; the
// paint stores what it drew, so the end points always read the last segment drawn, and a line
// switched back to ltCustom goes on drawing it. The mid-line kinds also make the cross size
// ten times the pen width. A size change made by a paint shows from the next paint on.
//
// In a Qt Designer form description the line is a promoted widget (header "lines.h") whose
// properties are set in the order they stand; list the end points before Line, so that they
// are taken while the line is still ltCustom. A form description has no pen or brush type, so
// their attributes have properties of their own: PenColor, PenWidth, PenStyle, PenMode,
// BrushColor and BrushStyle. A white pen, for instance:
//
//     <property
//     name="PenColor"><color><red>255</red><green>255</green><blue>255</blue></color></property>
class TLine : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(TBrush *Brush READ Brush WRITE setBrush DESIGNABLE false)
    Q_PROPERTY(QColor BrushColor READ BrushColor WRITE setBrushColor)
    Q_PROPERTY(TBrush::TBrushStyle BrushStyle READ BrushStyle WRITE setBrushStyle)
    Q_PROPERTY(Qt::CursorShape DragCursor READ DragCursor WRITE setDragCursor)
    Q_PROPERTY(TGraphicControl::TDragMode DragMode READ DragMode WRITE setDragMode)
    Q_PROPERTY(int Height READ Height WRITE setHeight DESIGNABLE false)
    Q_PROPERTY(TPen *Pen READ Pen WRITE setPen DESIGNABLE false)
    Q_PROPERTY(QColor PenColor READ PenColor WRITE setPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE setPenWidth)
    Q_PROPERTY(TPen::TPenStyle PenStyle READ PenStyle WRITE setPenStyle)
    Q_PROPERTY(TPen::TPenMode PenMode READ PenMode WRITE setPenMode)
    Q_PROPERTY(int FromX READ FromX WRITE setFromX)
    Q_PROPERTY(int ToX READ ToX WRITE setToX)
    Q_PROPERTY(int FromY READ FromY WRITE setFromY)
    Q_PROPERTY(int ToY READ ToY WRITE setToY)
    Q_PROPERTY(TLineType Line READ Line WRITE setLine)
    Q_PROPERTY(int Width READ Width WRITE setWidth DESIGNABLE false)

public:
    enum TLineType : quint8 {
        ltCustom,
        ltHorizontal,
        ltVertical,
        ltTop,
        ltBottom,
        ltLeft,
        ltRight,
        ltUpDiagonal,
        ltDownDiagonal
    };
    Q_ENUM(TLineType)

    explicit TLine(QWidget *parent = nullptr);
    ~TLine() override;

    // The owned brush and pen, to be changed in place; the setters copy the attributes of the
    // given object and never take it (null changes nothing).
    TBrush *Brush() const { return m_brush; }
    void setBrush(const TBrush *brush);
    TPen *Pen() const { return m_pen; }
    void setPen(const TPen *pen);

    QColor BrushColor() const;
    void setBrushColor(const QColor &color);
    TBrushStyle BrushStyle() const;
    void setBrushStyle(TBrushStyle style);
    QColor PenColor() const;
    void setPenColor(const QColor &color);
    int PenWidth() const;
    void setPenWidth(int width);
    TPenStyle PenStyle() const;
    void setPenStyle(TPenStyle style);
    TPenMode PenMode() const;
    void setPenMode(TPenMode mode);

    // Taken only under ltCustom, where even an unchanged value asks for a repaint.
    int FromX() const { return m_fromX; }
    void setFromX(int x);
    int ToX() const { return m_toX; }
    void setToX(int x);
    int FromY() const { return m_fromY; }
    void setFromY(int y);
    int ToY() const { return m_toY; }
    void setToY(int y);

    TLineType Line() const { return m_line; }
    // Leaving a mid-line kind also reshapes the control (see lines.cpp); setting the current
    // kind again, or a value outside the enumeration, does nothing.
    void setLine(TLineType line);

public slots:
    // Bound to the change notification of the pen and the brush.
    void StyleChanged(QObject *Sender);

protected:
    void Paint() override;

private:
    void setEndPoint(int &stored, int value);
    void fitCustom(int w, int h);
    int crossSize() const;

    TLineType m_line = ltCustom;
    TPen *m_pen = nullptr;
    TBrush *m_brush = nullptr;
    int m_fromX = 0;
    int m_toX = 0;
    int m_fromY = 0;
    int m_toY = 0;
};

using TLineType = TLine::TLineType;
using enum TLine::TLineType;
