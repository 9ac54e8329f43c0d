#include "lines.h"

#include "tcanvas.h"

#include <algorithm>

namespace {

// The side of a new line, and of the dimension that a kind change sets afresh.
constexpr int DefaultSide = 65;

// Half of n, truncated toward zero (9 gives 4, -1 gives 0); C++ division truncates just so.
int half(int n)
{
    return n / 2;
}

// The size that puts coordinate c on the last column or row, within what the toolkit accepts.
int sizeToHold(int c)
{
    return static_cast<int>(std::min<qint64>(qint64(c) + 1, QWIDGETSIZE_MAX));
}

} // namespace

TLine::TLine(QWidget *parent) : TGraphicControl(parent)
{
    m_brush = new TBrush(this);
    connect(m_brush, &TBrush::OnChange, this, &TLine::StyleChanged);
    m_pen = new TPen(this);
    connect(m_pen, &TPen::OnChange, this, &TLine::StyleChanged);
    setWidth(DefaultSide);
    setHeight(DefaultSide);
    setFromX(0);
    setFromY(0);
    setToX(35);
    setToY(35);
}

TLine::~TLine()
{
    delete m_pen;
    delete m_brush;
}

void TLine::setBrush(const TBrush *brush)
{
    m_brush->Assign(brush);
}

void TLine::setPen(const TPen *pen)
{
    m_pen->Assign(pen);
}

QColor TLine::BrushColor() const
{
    return m_brush->Color();
}

void TLine::setBrushColor(const QColor &color)
{
    m_brush->setColor(color);
}

TBrushStyle TLine::BrushStyle() const
{
    return m_brush->Style();
}

void TLine::setBrushStyle(TBrushStyle style)
{
    m_brush->setStyle(style);
}

QColor TLine::PenColor() const
{
    return m_pen->Color();
}

void TLine::setPenColor(const QColor &color)
{
    m_pen->setColor(color);
}

int TLine::PenWidth() const
{
    return m_pen->Width();
}

void TLine::setPenWidth(int width)
{
    m_pen->setWidth(width);
}

TPenStyle TLine::PenStyle() const
{
    return m_pen->Style();
}

void TLine::setPenStyle(TPenStyle style)
{
    m_pen->setStyle(style);
}

TPenMode TLine::PenMode() const
{
    return m_pen->Mode();
}

void TLine::setPenMode(TPenMode mode)
{
    m_pen->setMode(mode);
}

void TLine::setFromX(int x)
{
    setEndPoint(m_fromX, x);
}

void TLine::setToX(int x)
{
    setEndPoint(m_toX, x);
}

void TLine::setFromY(int y)
{
    setEndPoint(m_fromY, y);
}

void TLine::setToY(int y)
{
    setEndPoint(m_toY, y);
}

void TLine::setEndPoint(int &stored, int value)
{
    // Under the other kinds the paint owns the end points.
    if (m_line != ltCustom)
        return;
    stored = value;
    update();
}

void TLine::setLine(TLineType line)
{
    if (line == m_line || line > ltDownDiagonal)
        return;
    // A mid-line is as thin as its pen makes it; a kind without that rule gets a usable
    // extent across, and a switch between the two mid-lines turns the control round.
    const int oldWidth = Width();
    const int oldHeight = Height();
    if (m_line == ltHorizontal) {
        switch (line) {
        case ltVertical:
            setWidth(oldHeight);
            setHeight(oldWidth);
            break;
        case ltTop:
        case ltBottom:
        case ltUpDiagonal:
        case ltDownDiagonal:
            setHeight(DefaultSide);
            break;
        case ltLeft:
        case ltRight:
            setHeight(Width());
            setWidth(DefaultSide);
            break;
        default:
            break;
        }
    } else if (m_line == ltVertical) {
        switch (line) {
        case ltHorizontal:
            setHeight(oldWidth);
            setWidth(oldHeight);
            break;
        case ltTop:
        case ltBottom:
            setWidth(Height());
            setHeight(DefaultSide);
            break;
        case ltLeft:
        case ltRight:
        case ltUpDiagonal:
        case ltDownDiagonal:
            setWidth(DefaultSide);
            break;
        default:
            break;
        }
    }
    m_line = line;
    update();
}

void TLine::StyleChanged(QObject *)
{
    update();
}

int TLine::crossSize() const
{
    return static_cast<int>(std::min<qint64>(qint64(m_pen->Width()) * 10, QWIDGETSIZE_MAX));
}

void TLine::fitCustom(int w, int h)
{
    m_toX = std::max(m_toX, 0);
    m_fromX = std::max(m_fromX, 0);
    if (m_toX > w || m_fromX > w)
        setWidth(sizeToHold(std::max(m_toX, m_fromX)));
    m_toY = std::max(m_toY, 0);
    m_fromY = std::max(m_fromY, 0);
    if (m_toY > h || m_fromY > h)
        setHeight(sizeToHold(std::max(m_toY, m_fromY)));
}

void TLine::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->Pen()->Assign(m_pen);
    canvas->Brush()->Assign(m_brush);
    // The segment comes from the size at the start of the paint; a size changed below is
    // drawn by the paint that the change asks for.
    const int w = Width() - 1;
    const int h = Height() - 1;
    const auto setEnds = [this](int fromX, int fromY, int toX, int toY) {
        m_fromX = fromX;
        m_fromY = fromY;
        m_toX = toX;
        m_toY = toY;
    };
    switch (m_line) {
    case ltCustom:
        fitCustom(w, h);
        break;
    case ltHorizontal:
        setEnds(0, half(h), w, half(h));
        setHeight(crossSize());
        break;
    case ltVertical:
        setEnds(half(w), 0, half(w), h);
        setWidth(crossSize());
        break;
    case ltTop:
        setEnds(0, 0, w, 0);
        break;
    case ltBottom:
        setEnds(0, h, w, h);
        break;
    case ltLeft:
        setEnds(0, 0, 0, h);
        break;
    case ltRight:
        setEnds(w, 0, w, h);
        break;
    case ltUpDiagonal:
        setEnds(0, h, w, 0);
        break;
    case ltDownDiagonal:
        setEnds(0, 0, w, h);
        break;
    }
    canvas->MoveTo(m_fromX, m_fromY);
    canvas->LineTo(m_toX, m_toY);
}
