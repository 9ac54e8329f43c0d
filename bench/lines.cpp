// One paint of a line, as the toolkit asks for it, into a surface of the size a window would
// show. The far-reaching rows show that a paint costs what is visible, not what the segment
// spans.
#include "lines.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <climits>

namespace {

struct Setup
{
    TLineType kind;
    QSize size;
    QLine ends; // used under ltCustom
    int penWidth;
    TPenStyle style;
};

void BM_Paint(benchmark::State &state, Setup setup)
{
    TLine line;
    line.setPenWidth(setup.penWidth);
    line.setPenStyle(setup.style);
    line.setFromX(setup.ends.x1());
    line.setFromY(setup.ends.y1());
    line.setToX(setup.ends.x2());
    line.setToY(setup.ends.y2());
    line.setLine(setup.kind);
    line.resize(setup.size);
    QImage surface(300, 300, QImage::Format_ARGB32_Premultiplied);
    // The first paints settle the size; from then on every paint draws the same.
    for (int i = 0; i < 3; ++i)
        line.render(&surface, QPoint(), QRegion(), QWidget::RenderFlags());
    for (auto _ : state) {
        line.render(&surface, QPoint(), QRegion(), QWidget::RenderFlags());
        benchmark::ClobberMemory();
    }
    state.counters["width"] = line.width();
    state.counters["height"] = line.height();
}

BENCHMARK_CAPTURE(BM_Paint, separator_196x10, Setup{ltHorizontal, {196, 10}, {}, 1, psSolid});
BENCHMARK_CAPTURE(BM_Paint, new_line_65x65, Setup{ltCustom, {65, 65}, {0, 0, 35, 35}, 1, psSolid});
BENCHMARK_CAPTURE(BM_Paint, dashed_diagonal_300x300,
                  Setup{ltDownDiagonal, {300, 300}, {}, 1, psDash});
BENCHMARK_CAPTURE(BM_Paint, pen3_diagonal_300x300,
                  Setup{ltDownDiagonal, {300, 300}, {}, 3, psSolid});
BENCHMARK_CAPTURE(BM_Paint, custom_to_int_limit,
                  Setup{ltCustom, {65, 65}, {0, 0, INT_MAX, INT_MAX / 3}, 1, psSolid});
BENCHMARK_CAPTURE(BM_Paint, horizontal_pen_int_limit,
                  Setup{ltHorizontal, {300, 65}, {}, INT_MAX, psSolid});

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
