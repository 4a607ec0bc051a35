// Cost of calculate on short lines, a function mix, and long inputs that
// show it is linear in the length of the text.
#include "engine/calculator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void evaluateRepeatedly(benchmark::State& state, const std::string& expression)
{
    Calculator<double> calculator;
    for (auto _ : state)
        benchmark::DoNotOptimize(calculator.calculate(expression, 0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * expression.size()));
}

std::string sumOfOnes(std::size_t bytes)
{
    std::string text = "1";
    text.reserve(bytes + 2);
    while (text.size() + 2 <= bytes)
        text += "+1";
    return text;
}

std::string nestedParentheses(std::size_t depth)
{
    return std::string(depth, '(') + "1" + std::string(depth, ')');
}

void BM_Product(benchmark::State& state)
{
    evaluateRepeatedly(state, "2*(3+4)");
}
void BM_FunctionMix(benchmark::State& state)
{
    evaluateRepeatedly(state, "pow(2,3+1)*2+sin(0.5)/cos(0.25)");
}
void BM_SumOfOnes(benchmark::State& state)
{
    evaluateRepeatedly(state, sumOfOnes(static_cast<std::size_t>(state.range(0))));
    state.SetComplexityN(state.range(0));
}
void BM_NestedParentheses(benchmark::State& state)
{
    evaluateRepeatedly(state, nestedParentheses(static_cast<std::size_t>(state.range(0))));
    state.SetComplexityN(state.range(0));
}
void BM_HexResult(benchmark::State& state)
{
    Calculator<double> calculator;
    for (auto _ : state)
        benchmark::DoNotOptimize(calculator.calculate("0xff&~0x0f", 1));
}

}  // namespace

BENCHMARK(BM_Product);
BENCHMARK(BM_FunctionMix);
BENCHMARK(BM_HexResult);
BENCHMARK(BM_SumOfOnes)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_NestedParentheses)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
