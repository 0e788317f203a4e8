// Judging pasted text: the time must grow with the text's length alone, so that a megabyte from
// the clipboard is judged in a moment: many amounts (every 25th character a currency sign), or
// one amount of many digits, which is read to its end.

#include <benchmark/benchmark.h>

#include <string>

#include "core/KeyEdit.h"

namespace {

std::u16string Amounts(std::int64_t length, std::int64_t currencyEvery) {
  std::u16string text;
  for (std::int64_t i = 0; i < length; ++i) text += i % currencyEvery == 0 ? u'$' : u'0';
  return text;
}

void JudgeMoneyPaste(benchmark::State& state, std::int64_t currencyEvery) {
  const std::u16string text = Amounts(state.range(0), currencyEvery);
  for (auto _ : state) benchmark::DoNotOptimize(penmarrow::MoneyPasteAllowed(text));
  state.SetComplexityN(state.range(0));
}
BENCHMARK_CAPTURE(JudgeMoneyPaste, many_amounts, 25)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->Complexity();
BENCHMARK_CAPTURE(JudgeMoneyPaste, one_long_amount, 1 << 30)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->Complexity();

void BM_RefuseLongRatePaste(benchmark::State& state) {
  const std::u16string text(static_cast<std::size_t>(state.range(0)), u'9');
  for (auto _ : state) benchmark::DoNotOptimize(penmarrow::RatePasteAllowed(text));
}
BENCHMARK(BM_RefuseLongRatePaste)->Arg(1 << 20);

}  // namespace
