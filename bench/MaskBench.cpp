// Parse and validate throughput of typical input masks.
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
} // namespace

BENCHMARK(BM_InputMaskParse)->DenseRange(0, 4);
BENCHMARK(BM_InputMaskValidate)->DenseRange(0, 4);
BENCHMARK(BM_InputMaskMinLength);
BENCHMARK(BM_TimeMaskParseValidate);

BENCHMARK_MAIN();
