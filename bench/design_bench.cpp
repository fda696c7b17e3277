// Whole move designs of both questions for each drive type.
#include "core/design/move_design.h"

#include <benchmark/benchmark.h>

namespace {

using veldronix::DriveType;
using namespace veldronix::design;

void designFastest(benchmark::State& state)
{
    const auto type = static_cast<DriveType>(state.range(0));
    const FastestMoveRequest request{type, {100, 20000, 100000, 80000, 1e6, 5e5, {}}, 10000};
    for (auto _ : state) {
        benchmark::DoNotOptimize(designFastestMove(request));
    }
}
BENCHMARK(designFastest)->DenseRange(0, 3);

void designOnTime(benchmark::State& state)
{
    const auto type = static_cast<DriveType>(state.range(0));
    const OnTimeMoveRequest request{type, 100, 0.2, 0.3, 10000, 1.0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(designOnTimeMove(request));
    }
}
BENCHMARK(designOnTime)->DenseRange(0, 3);

// Ramps of half a minute hold millions of K and L within 1 %: the search stops at its bound of work.
void designOnTimeLongRamps(benchmark::State& state)
{
    const OnTimeMoveRequest request{DriveType::AsymmetricSCurve, 100, 25.6, 31.2, 100000, 409.6};
    for (auto _ : state) {
        benchmark::DoNotOptimize(designOnTimeMove(request));
    }
}
BENCHMARK(designOnTimeLongRamps)->Unit(benchmark::kMillisecond);

} // namespace
