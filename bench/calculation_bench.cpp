// How long one press of Calculate takes without any window, and its parsing
// and formatting steps alone: the controller must stay far below what a user
// can notice, also when a script drives pulsecalc many times.
#include "controller/calculator_controller.h"
#include "core/number_format.h"
#include "core/number_parser.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace {

using veldronix::ControlId;

// The worked example as fixed field texts; writes and messages go nowhere.
class IdleView final : public veldronix::CalculatorView {
public:
    std::string readText(ControlId field) override
    {
        switch (field) {
        case ControlId::IDC_INITIAL_SPEED:
            return "100";
        case ControlId::IDC_DRIVE_SPEED:
            return "10000";
        case ControlId::IDC_ACCEL_TIME:
            return "0.2";
        case ControlId::IDC_DECEL_TIME:
            return "0.3";
        default:
            return {};
        }
    }
    void writeText(ControlId, std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
    int selectedIndex(ControlId selector) override { return selector == ControlId::IDC_DRIVE_TYPE ? 3 : -1; }
    void setSelectedIndex(ControlId, int index) override { benchmark::DoNotOptimize(index); }
    void showError(std::string_view message) override { benchmark::DoNotOptimize(message.data()); }
};

void wholeCalculate(benchmark::State& state)
{
    IdleView view;
    veldronix::CalculatorController controller(view);
    controller.reset();
    for (auto _ : state) {
        controller.onCalculate();
        benchmark::ClobberMemory();
    }
    if (controller.autoMultiplierIndex() != 1) {
        state.SkipWithError("the worked example did not calculate");
    }
}
BENCHMARK(wholeCalculate);

void parseNumber(benchmark::State& state)
{
    static constexpr std::string_view texts[] = {"100", "10000", "0.2", "0.3", " +1.5e3", "12abc"};
    for (auto _ : state) {
        for (const auto text : texts) {
            benchmark::DoNotOptimize(veldronix::parseNumber(text));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(texts)));
}
BENCHMARK(parseNumber);

// The worked example: an asymmetric S-curve from 100 to 10000 PPS in 0.2 s and back in 0.3 s.
veldronix::DriveInput workedDrive()
{
    return {100.0, 10000.0, 0.2, 0.3, veldronix::DriveType::AsymmetricSCurve};
}

// The setting values of a drive, whose cost is mostly that of its summary sentence.
void formatSummary(benchmark::State& state)
{
    const veldronix::DriveInput input = workedDrive();
    for (auto _ : state) {
        benchmark::DoNotOptimize(veldronix::computeSettingValues(input, 2.0));
    }
}
BENCHMARK(formatSummary);

void formatValue(benchmark::State& state)
{
    double value = 126.26262626262626;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(veldronix::formatFixed(value, 3));
    }
}
BENCHMARK(formatValue);

void formatSettingTexts(benchmark::State& state)
{
    const veldronix::DriveInput input = workedDrive();
    const veldronix::SettingValues values = veldronix::computeSettingValues(input, 2.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(veldronix::formatSettingTexts(values));
    }
}
BENCHMARK(formatSettingTexts);

} // namespace

BENCHMARK_MAIN();
