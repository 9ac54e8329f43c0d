// The growth lookup and the handler that writes its six fields, per call.
#include "_kelmo.h"
#include "growthtable.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> allocations{0};
} // namespace

// Counts every allocation of the process, so that a benchmark can say whether its loop
// allocates.
void *operator new(std::size_t size)
{
    ++allocations;
    if (void *p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

void reportAllocations(benchmark::State &state, long long before)
{
    state.counters["allocs/call"] =
        benchmark::Counter(double(allocations - before), benchmark::Counter::kAvgIterations);
}

void BM_Lookup(benchmark::State &state, int sex, const QString &age)
{
    const long long before = allocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(growth::Lookup(sex, age));
    }
    reportAllocations(state, before);
}
BENCHMARK_CAPTURE(BM_Lookup, first_key, 0, QStringLiteral("Naissance"));
BENCHMARK_CAPTURE(BM_Lookup, last_key, 1, QStringLiteral("15 ans"));
BENCHMARK_CAPTURE(BM_Lookup, no_key, 0, QStringLiteral("15 ans "));
BENCHMARK_CAPTURE(BM_Lookup, no_sex, -1, QStringLiteral("15 ans"));

void BM_ComboBox1Change(benchmark::State &state)
{
    TForm1 form;
    const QString ages[] = {QStringLiteral("Naissance"), QStringLiteral("15 ans")};
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            const QSignalBlocker block(form.ComboBox1);
            form.ComboBox1->setEditText(ages[i++ & 1]);
        }
        state.ResumeTiming();
        form.ComboBox1Change(form.ComboBox1);
    }
}
BENCHMARK(BM_ComboBox1Change);

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
