// Draws the About dialog's banner, resources/banner.bmp: 298 x 81 pixels, 24 bits per pixel.
// The dialog shows it from 4 pixels above and left of its client area, so nothing that matters
// is drawn in the top 4 rows or the left 4 columns.
//
//   kelmo_makebanner <output.bmp>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

constexpr int Width = 298;
constexpr int Height = 81;

// A growth curve across the chart's area: fast at first, then levelling off, as heights do
// from birth to fifteen years.
QPainterPath growthCurve(const QRectF &area, double level)
{
    QPainterPath path;
    for (int i = 0; i <= 60; ++i) {
        const double t = i / 60.0;
        const double grown = std::log1p(6.0 * t) / std::log1p(6.0);
        const double y = area.bottom() - area.height() * (0.12 + 0.7 * grown) * level;
        const QPointF point(area.left() + area.width() * t, y);
        if (i == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    return path;
}

QFont font(int pixels, int weight)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    f.setPixelSize(pixels);
    f.setWeight(QFont::Weight(weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.bmp>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, Width, Height);
    sky.setColorAt(0.0, QColor(0x15, 0x4a, 0x6e));
    sky.setColorAt(0.55, QColor(0x2a, 0x78, 0xa3));
    sky.setColorAt(1.0, QColor(0x5d, 0xae, 0xc8));
    p.fillRect(image.rect(), sky);

    QRadialGradient glow(QPointF(230, 20), 120);
    glow.setColorAt(0.0, QColor(255, 255, 255, 60));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);

    // A faint chart grid behind the curves.
    const QRectF chart(150, 10, 140, 64);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int x = 0; x <= 7; ++x) {
        const double gx = chart.left() + chart.width() * x / 7.0;
        p.drawLine(QPointF(gx, chart.top()), QPointF(gx, chart.bottom()));
    }
    for (int y = 0; y <= 4; ++y) {
        const double gy = chart.top() + chart.height() * y / 4.0;
        p.drawLine(QPointF(chart.left(), gy), QPointF(chart.right(), gy));
    }

    // The reference band between the lowest and the highest curve, then the curves, the
    // middle one strongest.
    QPainterPath band = growthCurve(chart, 0.78);
    band.connectPath(growthCurve(chart, 1.12).toReversed());
    band.closeSubpath();
    p.fillPath(band, QColor(255, 255, 255, 36));
    for (double level : {0.78, 1.12}) {
        p.strokePath(growthCurve(chart, level), QPen(QColor(255, 255, 255, 120), 1.0));
    }
    for (double level : {0.865, 1.035}) {
        p.strokePath(growthCurve(chart, level), QPen(QColor(255, 255, 255, 70), 0.8));
    }
    p.strokePath(growthCurve(chart, 0.95), QPen(QColor(255, 255, 255, 235), 1.6));

    // A few measures along the middle curve.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x6a));
    for (double t : {0.08, 0.24, 0.45, 0.7, 0.93}) {
        const double grown = std::log1p(6.0 * t) / std::log1p(6.0);
        const QPointF at(chart.left() + chart.width() * t,
                         chart.bottom() - chart.height() * (0.12 + 0.7 * grown) * 0.95);
        p.drawEllipse(at, 2.4, 2.4);
    }

    p.setPen(QColor(255, 255, 255));
    p.setFont(font(30, QFont::Bold));
    p.drawText(QPointF(16, 42), QStringLiteral("KELMO"));
    p.setPen(QColor(255, 255, 255, 215));
    p.setFont(font(11, QFont::Normal));
    p.drawText(QPointF(17, 59), QString::fromUtf8("Repères de croissance"));
    p.drawText(QPointF(17, 72), QString::fromUtf8("de la naissance à 15 ans"));
    p.end();

    if (!image.convertToFormat(QImage::Format_RGB888)
             .save(QString::fromLocal8Bit(argv[1]), "BMP")) {
        std::fprintf(stderr, "%s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
