#include "tcanvas.h"

#include "tbrush.h"
#include "tpen.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

namespace {

// Products of two coordinate differences need more than 64 bits at the extremes of int.
__extension__ using Wide = __int128;

struct Ink
{
    QColor color;
    QPainter::CompositionMode op;
};

// How one colour is put down under a pen mode; nothing when the mode leaves pixels alone.
std::optional<Ink> inkFor(const QColor &color, TPenMode mode)
{
    using CM = QPainter::CompositionMode;
    switch (mode) {
    case pmBlack:
        return Ink{clBlack, CM::CompositionMode_Source};
    case pmWhite:
        return Ink{clWhite, CM::CompositionMode_Source};
    case pmNop:
        return std::nullopt;
    case pmNot:
        return Ink{color, CM::RasterOp_NotDestination};
    case pmCopy:
        return Ink{color, CM::CompositionMode_Source};
    case pmNotCopy:
        return Ink{QColor(255 - color.red(), 255 - color.green(), 255 - color.blue()),
                   CM::CompositionMode_Source};
    case pmMergePenNot:
        return Ink{color, CM::RasterOp_SourceOrNotDestination};
    case pmMaskPenNot:
        return Ink{color, CM::RasterOp_SourceAndNotDestination};
    case pmMergeNotPen:
        return Ink{color, CM::RasterOp_NotSourceOrDestination};
    case pmMaskNotPen:
        return Ink{color, CM::RasterOp_NotSourceAndDestination};
    case pmMerge:
        return Ink{color, CM::RasterOp_SourceOrDestination};
    case pmNotMerge:
        return Ink{color, CM::RasterOp_NotSourceAndNotDestination};
    case pmMask:
        return Ink{color, CM::RasterOp_SourceAndDestination};
    case pmNotMask:
        return Ink{color, CM::RasterOp_NotSourceOrNotDestination};
    case pmXor:
        return Ink{color, CM::RasterOp_SourceXorDestination};
    case pmNotXor:
        return Ink{color, CM::RasterOp_NotSourceXorDestination};
    }
    return std::nullopt;
}

// On and off runs of the broken styles for a thin pen, in pixels, starting with a dash.
std::span<const int> thinPattern(TPenStyle style)
{
    static constexpr std::array dash{18, 6};
    static constexpr std::array dot{3, 3};
    static constexpr std::array dashDot{9, 6, 3, 6};
    static constexpr std::array dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return {};
    }
}

Qt::PenStyle wideStyle(TPenStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

// Collects the pixels of one colour and hands them to the painter in bounded batches.
class PixelBatch
{
public:
    PixelBatch(QPainter *painter, std::optional<Ink> ink) : m_painter(painter), m_ink(ink)
    {
        if (m_ink)
            m_points.reserve(Capacity);
    }
    ~PixelBatch() { flush(); }
    PixelBatch(const PixelBatch &) = delete;
    PixelBatch &operator=(const PixelBatch &) = delete;

    void add(qint64 x, qint64 y)
    {
        if (!m_ink)
            return;
        m_points.emplace_back(static_cast<int>(x), static_cast<int>(y));
        if (m_points.size() == Capacity)
            flush();
    }

private:
    static constexpr std::size_t Capacity = 4096;

    void flush()
    {
        if (m_points.empty())
            return;
        m_painter->setCompositionMode(m_ink->op);
        m_painter->setPen(QPen(m_ink->color, 1));
        m_painter->drawPoints(m_points.data(), static_cast<int>(m_points.size()));
        m_points.clear();
    }

    QPainter *m_painter;
    std::optional<Ink> m_ink;
    std::vector<QPoint> m_points;
};

} // namespace

TCanvas::TCanvas(QObject *parent)
    : QObject(parent), m_pen(new TPen(this)), m_brush(new TBrush(this))
{
}

void TCanvas::MoveTo(int X, int Y)
{
    m_penPos = QPoint(X, Y);
}

void TCanvas::LineTo(int X, int Y)
{
    const QPoint from = m_penPos;
    const QPoint to(X, Y);
    m_penPos = to;
    if (!m_painter || m_pen->Style() == psClear || m_pen->Mode() == pmNop)
        return;
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setClipRect(m_clip, Qt::IntersectClip);
    if (m_pen->Width() <= 1)
        drawThin(from, to);
    else
        drawWide(from, to);
    m_painter->restore();
}

void TCanvas::bind(QPainter *painter, const QRect &clip)
{
    m_painter = painter;
    m_clip = clip;
}

void TCanvas::unbind()
{
    m_painter = nullptr;
    m_clip = QRect();
}

void TCanvas::drawThin(QPoint from, QPoint to)
{
    const qint64 dx = qint64(to.x()) - from.x();
    const qint64 dy = qint64(to.y()) - from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const qint64 steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0 || m_clip.isEmpty())
        return;

    const qint64 major0 = xMajor ? from.x() : from.y();
    const qint64 minor0 = xMajor ? from.y() : from.x();
    const qint64 majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const qint64 minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const qint64 minorRun = std::abs(xMajor ? dy : dx);
    const qint64 clipMajorLow = xMajor ? m_clip.left() : m_clip.top();
    const qint64 clipMajorHigh = xMajor ? m_clip.right() : m_clip.bottom();
    const qint64 clipMinorLow = xMajor ? m_clip.top() : m_clip.left();
    const qint64 clipMinorHigh = xMajor ? m_clip.bottom() : m_clip.right();

    // Only the steps whose major coordinate lies inside the clip are visited, so a long
    // segment costs no more than the visible part of it.
    qint64 first = majorStep > 0 ? clipMajorLow - major0 : major0 - clipMajorHigh;
    qint64 last = majorStep > 0 ? clipMajorHigh - major0 : major0 - clipMajorLow;
    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, steps - 1);

    const std::span<const int> pattern = thinPattern(m_pen->Style());
    int period = 0;
    for (int run : pattern)
        period += run;

    PixelBatch dashes(m_painter, inkFor(m_pen->Color(), m_pen->Mode()));
    PixelBatch gaps(m_painter, m_brush->Style() == bsSolid && !pattern.empty()
                                   ? inkFor(m_brush->Color(), m_pen->Mode())
                                   : std::nullopt);
    for (qint64 i = first; i <= last; ++i) {
        // Nearest pixel to the ideal line, halves rounded away from the start.
        const auto offset =
            static_cast<qint64>((Wide(2) * i * minorRun + steps) / (Wide(2) * steps));
        const qint64 minor = minor0 + minorStep * offset;
        if (minor < clipMinorLow || minor > clipMinorHigh)
            continue;
        const qint64 major = major0 + majorStep * i;
        const qint64 x = xMajor ? major : minor;
        const qint64 y = xMajor ? minor : major;
        bool on = true;
        if (period > 0) {
            qint64 phase = i % period;
            std::size_t run = 0;
            while (phase >= pattern[run])
                phase -= pattern[run++];
            on = run % 2 == 0;
        }
        (on ? dashes : gaps).add(x, y);
    }
}

void TCanvas::drawWide(QPoint from, QPoint to)
{
    const std::optional<Ink> ink = inkFor(m_pen->Color(), m_pen->Mode());
    if (!ink)
        return;
    const Qt::PenStyle style = wideStyle(m_pen->Style());
    const std::optional<Ink> gapInk = m_brush->Style() == bsSolid && style != Qt::SolidLine
                                          ? inkFor(m_brush->Color(), m_pen->Mode())
                                          : std::nullopt;
    m_painter->setCompositionMode(ink->op);
    m_painter->setPen(QPen(ink->color, m_pen->Width(), style, Qt::RoundCap, Qt::RoundJoin));
    if (gapInk) {
        m_painter->setBackgroundMode(Qt::OpaqueMode);
        m_painter->setBackground(gapInk->color);
    } else {
        m_painter->setBackgroundMode(Qt::TransparentMode);
    }
    // Centred on the pixels that a thin pen would set.
    m_painter->drawLine(QLineF(from.x() + 0.5, from.y() + 0.5, to.x() + 0.5, to.y() + 0.5));
}
