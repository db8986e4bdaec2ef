// Loading and reading scripts with many sections: lookups by section name
// must not grow with the number of sections (profiles with thousands of
// sections are opened before the DSM).
#include <hollin/ZKScript.h>

#include <benchmark/benchmark.h>

#include <string>

namespace
{
std::string ScriptText(int sections)
{
    std::string text;
    for (int i = 0; i < sections; ++i)
        text += "[Section." + std::to_string(i) + "]\nValue = " + std::to_string(i) + "\n";
    return text;
}

void BM_LoadManySections(benchmark::State& state)
{
    const std::string text = ScriptText(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        CZKScript script;
        benchmark::DoNotOptimize(script.LoadFromText(text));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadManySections)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

void BM_ReadLastOfManySections(benchmark::State& state)
{
    CZKScript script;
    script.LoadFromText(ScriptText(static_cast<int>(state.range(0))));
    const std::wstring last = L"SECTION." + std::to_wstring(state.range(0) - 1);
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(script.R_int(L"Value", value, 0, last.c_str()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadLastOfManySections)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();
} // namespace

BENCHMARK_MAIN();
