// Generation speed for the heaviest sheets.
#include "generation/GenerateProblems.h"

#include <benchmark/benchmark.h>

namespace {

using zentavo::SheetOptions;

void RunGeneration(benchmark::State& state, const SheetOptions& options)
{
    zentavo::ProblemList list;
    zentavo::RandomSource random;
    random.RandomSeed = 20261208;
    for (auto _ : state) {
        const auto result = zentavo::GenerateProblems(options, list, random);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(list.Codes.data());
    }
}

void OneDanWithZeroTenProblems(benchmark::State& state)
{
    SheetOptions options;
    options.DanMask = 1 << 7;
    options.JousuuCheck = 1;
    options.QNumCheck = 1;
    RunGeneration(state, options);
}

void NineDansEightyEmphasised(benchmark::State& state)
{
    SheetOptions options;
    options.DanMask = 0x3FE;
    options.QNumCheck = 11;
    options.JousuuCheck = 1;
    options.ImportantDan = 6;
    options.RandomCheck = 1;
    RunGeneration(state, options);
}

void TwoDigitModeEighty(benchmark::State& state)
{
    SheetOptions options;
    options.DanMask = 1 << 2;
    options.QNumCheck = 11;
    options.Amari = static_cast<int32_t>(state.range(0));
    RunGeneration(state, options);
}

}  // namespace

BENCHMARK(OneDanWithZeroTenProblems);
BENCHMARK(NineDansEightyEmphasised);
BENCHMARK(TwoDigitModeEighty)->DenseRange(1, 7)->ArgName("mode");

BENCHMARK_MAIN();
