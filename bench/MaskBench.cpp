// Parse and validate throughput of typical input masks, and validation
// through the facade (which keeps parsed masks) next to the parse and
// validation per value it replaced.
#include "common/BenchHarness.h"

#include <brackwater/QXIOMask.h>
#include <brackwater/QXInputMaskEI.h>
#include <brackwater/QXTimeInputMaskEI.h>

#include <benchmark/benchmark.h>

#include <string>

namespace
{
struct MaskSample
{
    const wchar_t* mask;
    const wchar_t* value;
};

const MaskSample kSamples[] = {
    {L"T<yyyy\"-\"MM\"-\"dd>", L"2024-02-29"},
    {L"99\"-\"XXX<2,5>", L"12-ABCDE"},
    {L"i[1,12]", L"12"},
    {L"n(0,1000.5]", L"999.125"},
    {L"T<hh\":\"mm\" \"tt>", L"12:30 pm"},
};

void BM_InputMaskParse(benchmark::State& state)
{
    const MaskSample& sample = kSamples[state.range(0)];
    const std::wstring mask = sample.mask;
    for (auto _ : state)
    {
        CQXInputMaskItemList list;
        DWORD code = 0;
        benchmark::DoNotOptimize(CQXInputMaskEI::Parse(mask, list, code));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(mask.begin(), mask.end()));
}

void BM_InputMaskValidate(benchmark::State& state)
{
    const MaskSample& sample = kSamples[state.range(0)];
    CQXInputMaskItemList list;
    DWORD code = 0;
    if (!CQXInputMaskEI::Parse(sample.mask, list, code))
    {
        state.SkipWithError("mask does not parse");
        return;
    }
    const std::wstring value = sample.value;
    int year, month, day, hour, minute, second;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            CQXInputMaskEI::Validate(list, value, year, month, day, hour, minute, second, code));
    }
    if (code != 0)
        state.SkipWithError("value does not validate");
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(value.begin(), value.end()));
}

void BM_InputMaskMinLength(benchmark::State& state)
{
    const std::wstring mask = L"n(0.5,0.6)";
    for (auto _ : state)
    {
        int length = 0;
        DWORD code = 0;
        benchmark::DoNotOptimize(CQXInputMaskEI::GetMinLength(mask, length, code));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TimeMaskParseValidate(benchmark::State& state)
{
    const std::wstring mask = L"yyyyDDD\" \"HHmmss";
    const std::wstring value = L"2024366 235959";
    for (auto _ : state)
    {
        CQXTimeInputMaskItemList list;
        DWORD code = 0;
        int year, month, day, hour, minute, second;
        CQXTimeInputMaskEI::Parse(mask, list, code);
        benchmark::DoNotOptimize(CQXTimeInputMaskEI::Validate(list, value, year, month, day, hour,
                                                              minute, second, code));
    }
    state.SetItemsProcessed(state.iterations());
}
// What the facade did for every value before it kept parsed masks.
void BM_ParseAndValidatePerValue(benchmark::State& state)
{
    const MaskSample& sample = kSamples[state.range(0)];
    const std::wstring mask = sample.mask;
    const std::wstring value = sample.value;
    int year, month, day, hour, minute, second;
    DWORD code = 0;
    for (auto _ : state)
    {
        CQXInputMaskItemList list;
        CQXInputMaskEI::Parse(mask, list, code);
        benchmark::DoNotOptimize(
            CQXInputMaskEI::Validate(list, value, year, month, day, hour, minute, second, code));
    }
    if (code != 0)
        state.SkipWithError("value does not validate");
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(mask.begin(), mask.end()));
}

void BM_FacadeValidateInput(benchmark::State& state)
{
    const MaskSample& sample = kSamples[state.range(0)];
    const std::wstring mask = sample.mask;
    const std::wstring value = sample.value;
    int year, month, day, hour, minute, second;
    DWORD code = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            SQXIOMask::ValidateInput(mask, value, year, month, day, hour, minute, second, code));
    }
    if (code != 0)
        state.SkipWithError("value does not validate");
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(mask.begin(), mask.end()));
}

void BM_FacadeValidateTimeInput(benchmark::State& state)
{
    const std::wstring mask = L"yyyyDDD\" \"HHmmss";
    const std::wstring value = L"2024366 235959";
    DWORD code = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SQXIOMask::ValidateTimeInput(mask, value, code));
    if (code != 0)
        state.SkipWithError("value does not validate");
    state.SetItemsProcessed(state.iterations());
}
} // namespace

BENCHMARK(BM_InputMaskParse)->DenseRange(0, 4)->Apply(SBenchHarness::Steady);
BENCHMARK(BM_InputMaskValidate)->DenseRange(0, 4)->Apply(SBenchHarness::Steady);
BENCHMARK(BM_InputMaskMinLength)->Apply(SBenchHarness::Steady);
BENCHMARK(BM_TimeMaskParseValidate)->Apply(SBenchHarness::Steady);
BENCHMARK(BM_ParseAndValidatePerValue)->DenseRange(0, 4)->Apply(SBenchHarness::Steady);
BENCHMARK(BM_FacadeValidateInput)->DenseRange(0, 4)->Apply(SBenchHarness::Steady);
BENCHMARK(BM_FacadeValidateTimeInput)->Apply(SBenchHarness::Steady);

int main(int argc, char** argv)
{
    return SBenchHarness::Main(argc, argv);
}
