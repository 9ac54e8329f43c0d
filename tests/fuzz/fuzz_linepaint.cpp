// The line control's paint with any kind, size, end points, pen and brush, set in any order
// and painted at any point in between. A paint never crashes, never hangs on a huge pen or a
// far end point, keeps the control's size within what the toolkit accepts, and under the
// free-end-point kind leaves no end point negative.
//
// Input: a sequence of 5-byte steps, an operation byte and a 32-bit value (host order).

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "lines.h"

#include <QImage>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// The parent's surface: what the control draws on. Small, so that a paint costs little
// whatever the control's own size.
constexpr int Surface = 48;

void paint(QWidget &parent, const TLine &line)
{
    QImage image(Surface, Surface, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    parent.render(&image);

    fuzzCheck(line.Width() >= 0 && line.Width() <= QWIDGETSIZE_MAX &&
                  line.Height() >= 0 && line.Height() <= QWIDGETSIZE_MAX,
              "the size stays within what the toolkit accepts");
    if (line.Line() == ltCustom && line.Width() > 0 && line.Height() > 0) {
        fuzzCheck(line.FromX() >= 0 && line.FromY() >= 0 && line.ToX() >= 0 && line.ToY() >= 0,
                  "a paint of a free line leaves no end point negative");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int * /*argc*/, char *** /*argv*/)
{
    fuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzApplication();
    QWidget parent;
    parent.resize(Surface, Surface);
    TLine line(&parent);

    constexpr std::size_t Step = 5;
    for (std::size_t at = 0; at + Step <= size; at += Step) {
        std::int32_t value = 0;
        std::memcpy(&value, data + at + 1, sizeof value);
        const auto byte = static_cast<quint8>(value);
        switch (data[at] % 13) {
        case 0: line.setLine(static_cast<TLineType>(byte)); break;
        case 1: line.setFromX(value); break;
        case 2: line.setToX(value); break;
        case 3: line.setFromY(value); break;
        case 4: line.setToY(value); break;
        case 5: line.setWidth(value); break;
        case 6: line.setHeight(value); break;
        case 7: line.setPenWidth(value); break;
        case 8: line.setPenStyle(static_cast<TPenStyle>(byte)); break;
        case 9: line.setPenMode(static_cast<TPenMode>(byte)); break;
        case 10: line.setBrushStyle(static_cast<TBrushStyle>(byte)); break;
        case 11: line.setPenColor(QColor::fromRgba(static_cast<QRgb>(value))); break;
        default: paint(parent, line); break;
        }
    }
    paint(parent, line);
    return 0;
}
