#include "lines.h"
#include "tcanvas.h"
#include "ui_separatorform.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <climits>

namespace {

// A line that counts its paints, to tell a requested repaint from an immediate one.
class CountingLine : public TLine
{
public:
    using TLine::TLine;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        TLine::Paint();
    }
};

// One paint of a line on its own, as the toolkit would do it, into a transparent image of the
// line's size at the start of that paint.
QImage paintOnce(TLine &line)
{
    QImage image(line.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (!image.isNull())
        line.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// Paints until the line's bounds stop changing, as the repaint that a size change asks for
// would; returns the image of the last paint.
QImage paintSettled(TLine &line)
{
    QImage image;
    for (int i = 0; i < 4; ++i) {
        const QRect before = line.geometry();
        image = paintOnce(line);
        if (line.geometry() == before)
            break;
    }
    return image;
}

// The pixels that a paint set, as a bounding rectangle and a count.
struct Ink
{
    QRect bounds;
    int count = 0;
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) {
                ink.bounds |= QRect(x, y, 1, 1);
                ++ink.count;
            }
    return ink;
}

// An axis-parallel segment from (x0, y0) to (x1, y1), end pixel left out, as the pixels that a
// thin pen sets.
QRect segment(int x0, int y0, int x1, int y1)
{
    if (y0 == y1)
        return x1 >= x0 ? QRect(x0, y0, x1 - x0, 1) : QRect(x1 + 1, y0, x0 - x1, 1);
    return y1 >= y0 ? QRect(x0, y0, 1, y1 - y0) : QRect(x0, y1 + 1, 1, y0 - y1);
}

void settle(const CountingLine &line)
{
    int before = -1;
    while (before != line.paints) {
        before = line.paints;
        QTest::qWait(30);
    }
}

} // namespace

class tst_Lines : public QObject
{
    Q_OBJECT

private slots:
    void newLine();
    void customGrows_data();
    void customGrows();
    void endPointsIgnoredUnderOtherKinds();
    void midLineSettles_data();
    void midLineSettles();
    void edgeKinds_data();
    void edgeKinds();
    void kindSetterSizes_data();
    void kindSetterSizes();
    void backToCustomKeepsSegment();
    void repaintRequests_data();
    void repaintRequests();
    void brokenPenGaps_data();
    void brokenPenGaps();
    void penModes_data();
    void penModes();
    void hugeValuesClampSize_data();
    void hugeValuesClampSize();
    void separatorFromFormDescription();
    void badValuesAreRefused();
    void mouseInManualMode();
    void dragInAutomaticMode_data();
    void dragInAutomaticMode();
};

void tst_Lines::newLine()
{
    TLine line;
    QCOMPARE(line.Line(), ltCustom);
    QCOMPARE(sizeof(TLineType), std::size_t(1));
    QCOMPARE(line.size(), QSize(65, 65));
    QCOMPARE(line.PenColor(), clBlack);
    QCOMPARE(line.PenWidth(), 1);
    QCOMPARE(line.PenStyle(), psSolid);
    QCOMPARE(line.PenMode(), pmCopy);
    QCOMPARE(line.BrushColor(), clWhite);
    QCOMPARE(line.BrushStyle(), bsSolid);

    const QImage image = paintOnce(line);
    QCOMPARE(image.size(), QSize(65, 65));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(34, 34), qRgb(0, 0, 0));
    QCOMPARE(qAlpha(image.pixel(35, 35)), 0);
    QCOMPARE(inkOf(image).count, 35);
    QCOMPARE(line.size(), QSize(65, 65));
}

void tst_Lines::customGrows_data()
{
    QTest::addColumn<QLine>("ends");
    QTest::addColumn<QSize>("sizeAfter");
    QTest::addColumn<QLine>("endsAfter");
    QTest::addColumn<int>("inkInOldRect");

    QTest::newRow("ToX beyond the width")
        << QLine(0, 0, 100, 0) << QSize(101, 65) << QLine(0, 0, 100, 0) << 65;
    QTest::newRow("FromX beyond the width")
        << QLine(100, 0, 0, 0) << QSize(101, 65) << QLine(100, 0, 0, 0) << 64;
    QTest::newRow("ToY beyond the height")
        << QLine(3, 0, 3, 80) << QSize(65, 81) << QLine(3, 0, 3, 80) << 65;
    QTest::newRow("both beyond") << QLine(0, 0, 70, 90) << QSize(71, 91) << QLine(0, 0, 70, 90)
                                 << -1;
    QTest::newRow("inside never shrinks")
        << QLine(1, 2, 10, 2) << QSize(65, 65) << QLine(1, 2, 10, 2) << 9;
    QTest::newRow("negatives go to 0")
        << QLine(-5, -7, 20, -1) << QSize(65, 65) << QLine(0, 0, 20, 0) << 20;
}

void tst_Lines::customGrows()
{
    QFETCH(QLine, ends);
    QFETCH(QSize, sizeAfter);
    QFETCH(QLine, endsAfter);
    QFETCH(int, inkInOldRect);

    TLine line;
    line.setFromX(ends.x1());
    line.setFromY(ends.y1());
    line.setToX(ends.x2());
    line.setToY(ends.y2());

    const QImage first = paintOnce(line);
    QCOMPARE(first.size(), QSize(65, 65));
    QCOMPARE(line.size(), sizeAfter);
    QCOMPARE(QLine(line.FromX(), line.FromY(), line.ToX(), line.ToY()), endsAfter);
    if (inkInOldRect >= 0)
        QCOMPARE(inkOf(first).count, inkInOldRect);

    // The paint after the growth draws the whole segment and changes nothing more.
    const QImage second = paintOnce(line);
    QCOMPARE(second.size(), sizeAfter);
    QCOMPARE(line.size(), sizeAfter);
    if (endsAfter.dx() == 0 || endsAfter.dy() == 0) {
        const QRect expected =
            segment(endsAfter.x1(), endsAfter.y1(), endsAfter.x2(), endsAfter.y2());
        QCOMPARE(inkOf(second).bounds, expected);
        QCOMPARE(inkOf(second).count, expected.width() * expected.height());
    } else {
        QCOMPARE(qAlpha(second.pixel(endsAfter.x2(), endsAfter.y2())), 0);
        QCOMPARE(inkOf(second).count, std::max(endsAfter.dx(), endsAfter.dy()));
    }
}

void tst_Lines::endPointsIgnoredUnderOtherKinds()
{
    CountingLine line;
    line.resize(196, 10);
    line.setLine(ltHorizontal);
    paintOnce(line);
    QCOMPARE(line.FromX(), 0);
    QCOMPARE(line.ToX(), 195);

    line.show();
    QVERIFY(QTest::qWaitForWindowExposed(&line));
    settle(line);
    const int paints = line.paints;
    line.setFromX(50);
    line.setToY(-3);
    settle(line);
    QCOMPARE(line.paints, paints);
    QCOMPARE(line.FromX(), 0);
    QCOMPARE(line.ToY(), 4);
}

void tst_Lines::midLineSettles_data()
{
    QTest::addColumn<TLineType>("kind");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<QSize>("startSize");
    QTest::addColumn<QRect>("firstInk");
    QTest::addColumn<QSize>("settledSize");
    QTest::addColumn<QRect>("settledInk");

    QTest::newRow("horizontal, pen 1")
        << ltHorizontal << 1 << QSize(196, 65) << segment(0, 32, 195, 32) << QSize(196, 10)
        << segment(0, 4, 195, 4);
    QTest::newRow("horizontal, pen 3")
        << ltHorizontal << 3 << QSize(196, 65) << QRect(0, 31, 196, 3) << QSize(196, 30)
        << QRect(0, 13, 196, 3);
    QTest::newRow("horizontal, pen 0 vanishes")
        << ltHorizontal << 0 << QSize(196, 65) << segment(0, 32, 195, 32) << QSize(196, 0)
        << QRect();
    QTest::newRow("horizontal, odd height 10 stays")
        << ltHorizontal << 1 << QSize(40, 10) << segment(0, 4, 39, 4) << QSize(40, 10)
        << segment(0, 4, 39, 4);
    QTest::newRow("vertical, pen 1") << ltVertical << 1 << QSize(65, 196) << segment(32, 0, 32, 195)
                                     << QSize(10, 196) << segment(4, 0, 4, 195);
    QTest::newRow("vertical, pen 0 vanishes")
        << ltVertical << 0 << QSize(65, 196) << segment(32, 0, 32, 195) << QSize(0, 196) << QRect();
}

void tst_Lines::midLineSettles()
{
    QFETCH(TLineType, kind);
    QFETCH(int, penWidth);
    QFETCH(QSize, startSize);
    QFETCH(QRect, firstInk);
    QFETCH(QSize, settledSize);
    QFETCH(QRect, settledInk);

    TLine line;
    line.setLine(kind);
    QCOMPARE(line.size(), QSize(65, 65));
    line.setWidth(startSize.width());
    line.setHeight(startSize.height());
    line.setPenWidth(penWidth);

    QCOMPARE(inkOf(paintOnce(line)).bounds, firstInk);
    QCOMPARE(line.size(), settledSize);
    const Ink settled = inkOf(paintSettled(line));
    QCOMPARE(settled.bounds, settledInk);
    QCOMPARE(settled.count, settledInk.width() * settledInk.height());
    QCOMPARE(line.size(), settledSize);
    paintOnce(line);
    QCOMPARE(line.size(), settledSize);
    if (kind == ltHorizontal && settledSize.height() > 0) {
        QCOMPARE(line.FromY(), settledInk.center().y());
        QCOMPARE(line.ToY(), settledInk.center().y());
    }
}

void tst_Lines::edgeKinds_data()
{
    QTest::addColumn<TLineType>("kind");
    QTest::addColumn<QLine>("ends");

    // On a 30 x 20 line: w = 29, h = 19.
    QTest::newRow("top") << ltTop << QLine(0, 0, 29, 0);
    QTest::newRow("bottom") << ltBottom << QLine(0, 19, 29, 19);
    QTest::newRow("left") << ltLeft << QLine(0, 0, 0, 19);
    QTest::newRow("right") << ltRight << QLine(29, 0, 29, 19);
    QTest::newRow("up diagonal") << ltUpDiagonal << QLine(0, 19, 29, 0);
    QTest::newRow("down diagonal") << ltDownDiagonal << QLine(0, 0, 29, 19);
}

void tst_Lines::edgeKinds()
{
    QFETCH(TLineType, kind);
    QFETCH(QLine, ends);

    TLine line;
    line.setLine(kind);
    line.resize(30, 20);
    const QImage image = paintOnce(line);
    QCOMPARE(line.size(), QSize(30, 20));
    QCOMPARE(QLine(line.FromX(), line.FromY(), line.ToX(), line.ToY()), ends);
    QCOMPARE(image.pixel(ends.p1()), qRgb(0, 0, 0));
    QCOMPARE(qAlpha(image.pixel(ends.p2())), 0);
    QCOMPARE(inkOf(image).count, std::max(std::abs(ends.dx()), std::abs(ends.dy())));
}

void tst_Lines::kindSetterSizes_data()
{
    QTest::addColumn<TLineType>("from");
    QTest::addColumn<TLineType>("to");
    QTest::addColumn<QSize>("sizeAfter");

    const QSize flat(196, 10);
    const QSize tall(10, 196);
    QTest::newRow("horizontal to vertical") << ltHorizontal << ltVertical << tall;
    QTest::newRow("horizontal to top") << ltHorizontal << ltTop << QSize(196, 65);
    QTest::newRow("horizontal to bottom") << ltHorizontal << ltBottom << QSize(196, 65);
    QTest::newRow("horizontal to left") << ltHorizontal << ltLeft << QSize(65, 196);
    QTest::newRow("horizontal to right") << ltHorizontal << ltRight << QSize(65, 196);
    QTest::newRow("horizontal to up diagonal") << ltHorizontal << ltUpDiagonal << QSize(196, 65);
    QTest::newRow("horizontal to down diagonal")
        << ltHorizontal << ltDownDiagonal << QSize(196, 65);
    QTest::newRow("horizontal to custom") << ltHorizontal << ltCustom << flat;
    QTest::newRow("vertical to horizontal") << ltVertical << ltHorizontal << flat;
    QTest::newRow("vertical to top") << ltVertical << ltTop << QSize(196, 65);
    QTest::newRow("vertical to bottom") << ltVertical << ltBottom << QSize(196, 65);
    QTest::newRow("vertical to left") << ltVertical << ltLeft << QSize(65, 196);
    QTest::newRow("vertical to right") << ltVertical << ltRight << QSize(65, 196);
    QTest::newRow("vertical to up diagonal") << ltVertical << ltUpDiagonal << QSize(65, 196);
    QTest::newRow("vertical to down diagonal") << ltVertical << ltDownDiagonal << QSize(65, 196);
    QTest::newRow("vertical to custom") << ltVertical << ltCustom << tall;
    QTest::newRow("top to vertical") << ltTop << ltVertical << flat;
    QTest::newRow("custom to horizontal") << ltCustom << ltHorizontal << tall;
    QTest::newRow("left to horizontal") << ltLeft << ltHorizontal << tall;
    QTest::newRow("horizontal to itself") << ltHorizontal << ltHorizontal << QSize(196, 65);
    QTest::newRow("vertical to itself") << ltVertical << ltVertical << QSize(65, 196);
}

void tst_Lines::kindSetterSizes()
{
    QFETCH(TLineType, from);
    QFETCH(TLineType, to);
    QFETCH(QSize, sizeAfter);

    TLine line;
    line.setLine(from);
    // The mid-lines start as their paint leaves them, except where the row tests that the
    // current kind keeps a size that its pen would not give it.
    QSize start = from == ltVertical ? QSize(10, 196) : QSize(196, 10);
    if (from == to)
        start = from == ltVertical ? QSize(65, 196) : QSize(196, 65);
    if (from != ltHorizontal && from != ltVertical && from != to)
        start = sizeAfter;
    line.resize(start);
    line.setLine(to);
    QCOMPARE(line.Line(), to);
    QCOMPARE(line.size(), sizeAfter);
}

void tst_Lines::backToCustomKeepsSegment()
{
    TLine line;
    line.resize(196, 65);
    line.setLine(ltHorizontal);
    paintSettled(line);
    QCOMPARE(line.size(), QSize(196, 10));

    line.setLine(ltCustom);
    QCOMPARE(line.size(), QSize(196, 10));
    QCOMPARE(QLine(line.FromX(), line.FromY(), line.ToX(), line.ToY()), QLine(0, 4, 195, 4));
    const QImage image = paintOnce(line);
    QCOMPARE(inkOf(image).bounds, segment(0, 4, 195, 4));
    QCOMPARE(line.size(), QSize(196, 10));
}

void tst_Lines::repaintRequests_data()
{
    using Action = std::function<void(TLine &)>;
    QTest::addColumn<TLineType>("kind");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("repaints");

    QTest::newRow("end point under custom")
        << ltCustom << Action([](TLine &l) { l.setToX(20); }) << true;
    QTest::newRow("unchanged end point under custom")
        << ltCustom << Action([](TLine &l) { l.setToX(l.ToX()); }) << true;
    QTest::newRow("end point under horizontal")
        << ltHorizontal << Action([](TLine &l) { l.setFromY(1); }) << false;
    QTest::newRow("new kind") << ltTop << Action([](TLine &l) { l.setLine(ltBottom); }) << true;
    QTest::newRow("same kind, size off its pen") << ltHorizontal << Action([](TLine &l) {
        l.setLine(ltHorizontal);
        QCOMPARE(l.size(), QSize(196, 10));
    }) << false;
    QTest::newRow("pen colour") << ltTop << Action([](TLine &l) { l.Pen()->setColor(clRed); })
                                << true;
    QTest::newRow("same pen colour")
        << ltTop << Action([](TLine &l) { l.setPenColor(clBlack); }) << false;
    QTest::newRow("pen width") << ltTop << Action([](TLine &l) { l.setPenWidth(2); }) << true;
    QTest::newRow("pen style") << ltTop << Action([](TLine &l) { l.setPenStyle(psDot); }) << true;
    QTest::newRow("pen mode") << ltTop << Action([](TLine &l) { l.setPenMode(pmXor); }) << true;
    QTest::newRow("brush colour") << ltTop << Action([](TLine &l) { l.Brush()->setColor(clBlue); })
                                  << true;
    QTest::newRow("brush style") << ltTop << Action([](TLine &l) { l.setBrushStyle(bsClear); })
                                 << true;
    QTest::newRow("pen copied from another") << ltTop << Action([](TLine &l) {
        TPen other;
        other.setColor(clLime);
        l.setPen(&other);
        QCOMPARE(l.PenColor(), clLime);
        other.setColor(clRed);
        QCOMPARE(l.PenColor(), clLime);
    }) << true;
    QTest::newRow("equal pen copied") << ltTop << Action([](TLine &l) {
        TPen other;
        l.setPen(&other);
        l.setPen(nullptr);
    }) << false;
    QTest::newRow("brush copied from another") << ltTop << Action([](TLine &l) {
        TBrush other;
        other.setStyle(bsClear);
        l.setBrush(&other);
    }) << true;
    QTest::newRow("negative pen width refused") << ltTop << Action([](TLine &l) {
        l.setPenWidth(-4);
        QCOMPARE(l.PenWidth(), 1);
    }) << false;
    QTest::newRow("unchanged width") << ltTop << Action([](TLine &l) { l.setWidth(196); }) << false;
    QTest::newRow("new width") << ltTop << Action([](TLine &l) { l.setWidth(100); }) << true;
}

void tst_Lines::repaintRequests()
{
    using Action = std::function<void(TLine &)>;
    QFETCH(TLineType, kind);
    QFETCH(Action, action);
    QFETCH(bool, repaints);

    QWidget form;
    form.resize(300, 100);
    CountingLine line(&form);
    line.SetBounds(10, 10, 196, kind == ltHorizontal ? 65 : 10);
    line.setLine(kind);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    settle(line);
    if (kind == ltHorizontal)
        QCOMPARE(line.size(), QSize(196, 10));

    const int before = line.paints;
    action(line);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(line.paints, before); // asked for, never done at once
    settle(line);
    QCOMPARE(line.paints > before, repaints);
}

void tst_Lines::brokenPenGaps_data()
{
    QTest::addColumn<TPenStyle>("style");
    QTest::addColumn<TBrushStyle>("brush");
    QTest::addColumn<QList<int>>("dashStarts");
    QTest::addColumn<QList<int>>("gapStarts");

    QTest::newRow("dash over solid brush")
        << psDash << bsSolid << QList<int>{0, 17, 24, 41} << QList<int>{18, 23, 42};
    QTest::newRow("dash over clear brush")
        << psDash << bsClear << QList<int>{0, 17, 24, 41} << QList<int>{18, 23, 42};
    QTest::newRow("dot over solid brush")
        << psDot << bsSolid << QList<int>{0, 2, 6} << QList<int>{3, 5, 9};
    QTest::newRow("dash dot over solid brush")
        << psDashDot << bsSolid << QList<int>{0, 8, 15, 24} << QList<int>{9, 14, 18, 23};
    QTest::newRow("dash dot dot over clear brush")
        << psDashDotDot << bsClear << QList<int>{0, 12, 18, 24} << QList<int>{9, 15, 21};
}

void tst_Lines::brokenPenGaps()
{
    QFETCH(TPenStyle, style);
    QFETCH(TBrushStyle, brush);
    QFETCH(QList<int>, dashStarts);
    QFETCH(QList<int>, gapStarts);

    TLine line;
    line.setToX(60);
    line.setToY(0);
    line.setPenStyle(style);
    line.setPenColor(clNavy);
    line.setBrushColor(clYellow);
    line.setBrushStyle(brush);
    const QImage image = paintOnce(line);

    for (int x : dashStarts)
        QCOMPARE(QColor(image.pixel(x, 0)), clNavy);
    for (int x : gapStarts) {
        if (brush == bsSolid)
            QCOMPARE(QColor(image.pixel(x, 0)), clYellow);
        else
            QCOMPARE(qAlpha(image.pixel(x, 0)), 0);
    }
    QCOMPARE(qAlpha(image.pixel(60, 0)), 0);
    QCOMPARE(inkOf(image).bounds, brush == bsSolid ? segment(0, 0, 60, 0) : inkOf(image).bounds);
}

void tst_Lines::penModes_data()
{
    QTest::addColumn<TPenMode>("mode");
    QTest::addColumn<QRgb>("expected");

    // Pen P = 0xF00F55 over a background D = 0x306090, byte by byte.
    constexpr QRgb P = 0xF00F55;
    constexpr QRgb D = 0x306090;
    constexpr QRgb All = 0xFFFFFF;
    QTest::newRow("black") << pmBlack << QRgb(0);
    QTest::newRow("white") << pmWhite << All;
    QTest::newRow("nop") << pmNop << D;
    QTest::newRow("not") << pmNot << (~D & All);
    QTest::newRow("copy") << pmCopy << P;
    QTest::newRow("not copy") << pmNotCopy << (~P & All);
    QTest::newRow("merge pen not") << pmMergePenNot << ((P | ~D) & All);
    QTest::newRow("mask pen not") << pmMaskPenNot << (P & ~D);
    QTest::newRow("merge not pen") << pmMergeNotPen << ((~P | D) & All);
    QTest::newRow("mask not pen") << pmMaskNotPen << (~P & D);
    QTest::newRow("merge") << pmMerge << (P | D);
    QTest::newRow("not merge") << pmNotMerge << (~(P | D) & All);
    QTest::newRow("mask") << pmMask << (P & D);
    QTest::newRow("not mask") << pmNotMask << (~(P & D) & All);
    QTest::newRow("xor") << pmXor << (P ^ D);
    QTest::newRow("not xor") << pmNotXor << (~(P ^ D) & All);
}

void tst_Lines::penModes()
{
    QFETCH(TPenMode, mode);
    QFETCH(QRgb, expected);

    QWidget form;
    form.resize(80, 80);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x306090));
    form.setPalette(palette);
    form.setAutoFillBackground(true);
    TLine line(&form);
    line.setToY(0);
    line.setPenColor(QColor(0xF00F55));
    line.setPenMode(mode);
    for (int width : {1, 3}) {
        line.setPenWidth(width);
        const QImage image = form.grab().toImage();
        QCOMPARE(image.pixel(10, 0) & 0xFFFFFF, expected);
        QCOMPARE(image.pixel(10, 5) & 0xFFFFFF, QRgb(0x306090));
    }
}

void tst_Lines::hugeValuesClampSize_data()
{
    QTest::addColumn<TLineType>("kind");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<QSize>("sizeAfter");

    constexpr int Max = QWIDGETSIZE_MAX;
    QTest::newRow("ToX at the int limit") << ltCustom << QPoint(INT_MAX, 0) << 1 << QSize(Max, 65);
    QTest::newRow("ToY at the int limit") << ltCustom << QPoint(0, INT_MAX) << 1 << QSize(65, Max);
    QTest::newRow("ToX just past the size limit")
        << ltCustom << QPoint(Max, 3) << 1 << QSize(Max, 65);
    QTest::newRow("ToX at the last column the toolkit allows")
        << ltCustom << QPoint(Max - 1, 3) << 1 << QSize(Max, 65);
    QTest::newRow("horizontal, pen at the int limit")
        << ltHorizontal << QPoint() << INT_MAX << QSize(65, Max);
    QTest::newRow("vertical, pen past the size limit")
        << ltVertical << QPoint() << Max / 5 << QSize(Max, 65);
}

void tst_Lines::hugeValuesClampSize()
{
    QFETCH(TLineType, kind);
    QFETCH(QPoint, to);
    QFETCH(int, penWidth);
    QFETCH(QSize, sizeAfter);

    TLine line;
    line.setToX(to.x());
    line.setToY(to.y());
    line.setLine(kind);
    line.setPenWidth(penWidth);
    // Paints into a small surface, as a window would show a corner of such a line.
    QImage surface(64, 64, QImage::Format_ARGB32_Premultiplied);
    for (int paint = 0; paint < 3; ++paint) {
        surface.fill(Qt::transparent);
        line.render(&surface);
    }
    QCOMPARE(line.size(), sizeAfter);
    if (kind == ltCustom)
        QCOMPARE(line.ToX(), to.x());
    QVERIFY(inkOf(surface).count > 0);
}

void tst_Lines::separatorFromFormDescription()
{
    QWidget form;
    Ui::SeparatorForm ui;
    ui.setupUi(&form);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0xC0C0C0));
    form.setPalette(palette);
    form.setAutoFillBackground(true);

    for (TLine *line : {ui.Line1, ui.Line2}) {
        QCOMPARE(line->Line(), ltHorizontal);
        QCOMPARE(line->size(), QSize(196, 65));
        QCOMPARE(QLine(line->FromX(), line->FromY(), line->ToX(), line->ToY()),
                 QLine(0, 4, 195, 4));
    }
    QCOMPARE(ui.Line1->pos(), QPoint(86, 158));
    QCOMPARE(ui.Line2->pos(), QPoint(86, 159));
    QCOMPARE(ui.Line1->PenColor(), clBlack);
    QCOMPARE(ui.Line2->PenColor(), clWhite);

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(ui.Line1->size(), QSize(196, 10));
    QTRY_COMPARE(ui.Line2->size(), QSize(196, 10));
    QTest::qWait(50);

    const QImage image = form.grab().toImage();
    QCOMPARE(image.size(), QSize(294, 268));
    const QRgb background = qRgb(0xC0, 0xC0, 0xC0);
    for (int x = 86; x <= 280; ++x) {
        QCOMPARE(image.pixel(x, 162), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(x, 163), qRgb(255, 255, 255));
    }
    for (int y : {161, 162, 163, 164}) {
        QCOMPARE(image.pixel(85, y), background);
        QCOMPARE(image.pixel(281, y), background);
    }
    for (int x : {86, 200, 280}) {
        QCOMPARE(image.pixel(x, 161), background);
        QCOMPARE(image.pixel(x, 164), background);
    }
}

void tst_Lines::badValuesAreRefused()
{
    TPen pen;
    QSignalSpy penChanges(&pen, &TPen::OnChange);
    pen.setColor(QColor());
    pen.setWidth(-1);
    pen.setStyle(TPenStyle(99));
    pen.setMode(TPenMode(200));
    pen.Assign(nullptr);
    pen.Assign(&pen);
    QCOMPARE(penChanges.count(), 0);
    QCOMPARE(pen.Color(), clBlack);
    QCOMPARE(pen.Width(), 1);
    QCOMPARE(pen.Style(), psSolid);
    QCOMPARE(pen.Mode(), pmCopy);

    // Colours are kept opaque, so a translucent one cannot make a line fade.
    pen.setColor(QColor(10, 20, 30, 40));
    QCOMPARE(pen.Color(), QColor(10, 20, 30));
    QCOMPARE(penChanges.count(), 1);
    QCOMPARE(penChanges.at(0).at(0).value<QObject *>(), &pen);

    TPen other;
    other.setWidth(5);
    other.setStyle(psDot);
    other.setMode(pmXor);
    pen.Assign(&other);
    QCOMPARE(penChanges.count(), 2);
    QCOMPARE(pen.Color(), clBlack);
    QCOMPARE(pen.Width(), 5);
    QCOMPARE(pen.Style(), psDot);
    QCOMPARE(pen.Mode(), pmXor);

    TBrush brush;
    QSignalSpy brushChanges(&brush, &TBrush::OnChange);
    brush.setColor(QColor());
    brush.setStyle(TBrushStyle(42));
    brush.Assign(nullptr);
    QCOMPARE(brushChanges.count(), 0);
    QCOMPARE(brush.Color(), clWhite);
    QCOMPARE(brush.Style(), bsSolid);

    TLine line;
    line.setLine(TLineType(9));
    QCOMPARE(line.Line(), ltCustom);
    line.setProperty("Line", 200);
    QCOMPARE(line.Line(), ltCustom);
}

void tst_Lines::mouseInManualMode()
{
    QWidget form;
    form.resize(200, 100);
    TLine line(&form);
    line.SetBounds(20, 10, 65, 65);
    QStringList seen;
    connect(&line, &TLine::OnMouseDown, &form,
            [&](QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                QCOMPARE(sender, &line);
                seen << QString("down %1 %2,%3").arg(int(button)).arg(x).arg(y);
            });
    connect(&line, &TLine::OnMouseMove, &form, [&](QObject *, Qt::KeyboardModifiers, int x, int y) {
        seen << QString("move %1,%2").arg(x).arg(y);
    });
    connect(&line, &TLine::OnMouseUp, &form,
            [&](QObject *, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                seen << QString("up %1 %2,%3").arg(int(button)).arg(x).arg(y);
            });
    connect(&line, &TLine::OnEndDrag, &form, [&] { seen << "end drag"; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::mousePress(&line, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseMove(&line, QPoint(7, 8));
    QTest::mouseRelease(&line, Qt::LeftButton, {}, QPoint(7, 8));
    QCOMPARE(seen, (QStringList{"down 1 5,6", "move 7,8", "up 1 7,8"}));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void tst_Lines::dragInAutomaticMode_data()
{
    QTest::addColumn<bool>("handled");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("escape");

    QTest::newRow("target takes it") << true << true << false;
    QTest::newRow("target refuses it") << true << false << false;
    QTest::newRow("target has no handler") << false << false << false;
    QTest::newRow("escape over a taker") << true << true << true;
}

void tst_Lines::dragInAutomaticMode()
{
    QFETCH(bool, handled);
    QFETCH(bool, accept);
    QFETCH(bool, escape);
    const bool taken = accept && !escape;

    QWidget form;
    form.resize(300, 100);
    TLine source(&form);
    source.SetBounds(10, 10, 65, 65);
    source.setDragMode(dmAutomatic);
    source.setDragCursor(Qt::PointingHandCursor);
    TLine target(&form);
    target.SetBounds(150, 10, 65, 65);

    QList<TDragState> states;
    QObject *dropped = nullptr;
    QPoint dropAt;
    QObject *endTarget = &form;
    int mouseDowns = 0;
    if (handled)
        connect(&target, &TLine::OnDragOver, &form,
                [&](QObject *, QObject *from, int, int, TDragState state, bool &ok) {
                    QCOMPARE(from, &source);
                    QVERIFY(ok);
                    states << state;
                    ok = accept;
                });
    connect(&target, &TLine::OnDragDrop, &form, [&](QObject *, QObject *from, int x, int y) {
        dropped = from;
        dropAt = QPoint(x, y);
    });
    connect(&source, &TLine::OnEndDrag, &form, [&](QObject *, QObject *to, int x, int y) {
        QVERIFY(endTarget == &form); // reported once
        endTarget = to;
        QCOMPARE(QPoint(x, y), to ? QPoint(20, 30) : QPoint());
    });
    connect(&source, &TLine::OnMouseDown, &form, [&] { ++mouseDowns; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Through the window, so that the toolkit routes the moves to the pressed control as it
    // does for a real mouse.
    QWindow *window = form.windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(15, 15));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    QTest::mouseMove(window, QPoint(170, 40));
    const Qt::CursorShape overTarget = QGuiApplication::overrideCursor()->shape();
    if (escape) {
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(170, 40));
    QCOMPARE(overTarget, accept ? Qt::PointingHandCursor : Qt::ForbiddenCursor);

    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(mouseDowns, 0);
    QList<TDragState> expectedStates{dsDragEnter, dsDragMove, dsDragLeave};
    if (escape)
        expectedStates = {dsDragEnter, dsDragLeave};
    QCOMPARE(states, handled ? expectedStates : QList<TDragState>());
    QCOMPARE(dropped, taken ? &source : nullptr);
    if (taken)
        QCOMPARE(dropAt, QPoint(20, 30));
    QCOMPARE(endTarget, taken ? &target : nullptr);
}

QTEST_MAIN(tst_Lines)
#include "tst_lines.moc"
