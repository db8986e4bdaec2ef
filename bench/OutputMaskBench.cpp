// Format throughput of typical output masks and evaluation throughput of
// default-value expressions.
#include <brackwater/QXDefaultValueEI.h>
#include <brackwater/QXIOMask.h>
#include <brackwater/QXOutputMaskEI.h>

#include <benchmark/benchmark.h>

#include <string>

namespace
{
const wchar_t* const kOutputMasks[] = {
    L"[2,4] \"-\" [-3]",           L"c<*,2>",
    L"P<[1;6],-12,1,'_'>",         L"yyyy\"-\"MM\"-\"dd\" \"HH\":\"mm\":\"ss",
    L"D\" \"DDD\" \"ww\" \"hh tt",
};

const wchar_t* const kExpressions[] = {
    L"<app.lastvalue> OR \"none\"",
    L"<sys.date:dd\".\"MM\".\"yyyy> \" \" <app.jobname:[1,8]>",
    L"<missing> OR <app.pagenumber:06> OR \"x\"",
};

CQXDefaultValueTagItemList SampleTags()
{
    CQXDefaultValueTagItemList tags;
    tags.SetTag(L"sys.date", L"", 2024, 1, 31, 14, 5, 9);
    tags.SetTag(L"app.lastvalue", L"typed before");
    tags.SetTag(L"app.jobname", L"Invoices 2024");
    tags.SetTag(L"app.pagenumber", L"42");
    return tags;
}

void BM_OutputMaskFormat(benchmark::State& state)
{
    const std::wstring mask = kOutputMasks[state.range(0)];
    CQXOutputMaskItemList list;
    DWORD code = 0;
    if (!CQXOutputMaskEI::Parse(mask, list, code))
    {
        state.SkipWithError("mask does not parse");
        return;
    }
    const std::wstring value = L"1234567.891";
    for (auto _ : state)
    {
        std::wstring text;
        benchmark::DoNotOptimize(CQXOutputMaskEI::Format(list, value, 2024, 1, 31, 14, 5, 9, FALSE,
                                                         FALSE, FALSE, text, code));
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(mask.begin(), mask.end()));
}

// Parse and format together, as SQXIOMask does per call.
void BM_FormatOutputFacade(benchmark::State& state)
{
    const std::wstring mask = kOutputMasks[state.range(0)];
    for (auto _ : state)
    {
        std::wstring text;
        DWORD code = 0;
        benchmark::DoNotOptimize(
            SQXIOMask::FormatOutput(mask, L"1234567.891", 2024, 1, 31, 14, 5, 9, text, code));
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(mask.begin(), mask.end()));
}

void BM_DefaultValueEvaluate(benchmark::State& state)
{
    const std::wstring expression = kExpressions[state.range(0)];
    const CQXDefaultValueTagItemList tags = SampleTags();
    CQXDefaultValueOptionList options;
    DWORD code = 0;
    if (!CQXDefaultValueEI::Parse(expression, options, code))
    {
        state.SkipWithError("expression does not parse");
        return;
    }
    for (auto _ : state)
    {
        std::wstring value;
        int level = 0;
        benchmark::DoNotOptimize(
            CQXDefaultValueEI::GetValue(options, tags, value, level, FALSE, code));
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(expression.begin(), expression.end()));
}

void BM_GetDefaultValueFacade(benchmark::State& state)
{
    const std::wstring expression = kExpressions[state.range(0)];
    const CQXDefaultValueTagItemList tags = SampleTags();
    for (auto _ : state)
    {
        std::wstring value;
        int level = 0;
        DWORD code = 0;
        benchmark::DoNotOptimize(SQXIOMask::GetDefaultValue(expression, tags, value, level, code));
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(expression.begin(), expression.end()));
}
} // namespace

BENCHMARK(BM_OutputMaskFormat)->DenseRange(0, 4);
BENCHMARK(BM_FormatOutputFacade)->DenseRange(0, 4);
BENCHMARK(BM_DefaultValueEvaluate)->DenseRange(0, 2);
BENCHMARK(BM_GetDefaultValueFacade)->DenseRange(0, 2);

BENCHMARK_MAIN();
