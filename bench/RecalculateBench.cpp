// The worst recalculation of the window, from a field's new text to the chart's finished replot,
// and start-up to the first painted window. Runs offscreen.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTest>

#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/platform/WindowFonts.h"

namespace {

using penmarrow::ui::TComboBox;
using penmarrow::ui::TFMain;

void Pick(TComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// Deposits and compounding daily, the alternative on with daily compounding, 50 years, marks on.
void MakeWorstCase(TFMain& window) {
  Pick(window.CDefFreq, 4);
  Pick(window.CcompFreq, 4);
  window.chAlternative->setChecked(true);
  emit window.chAlternative->clicked(true);
  Pick(window.CAltFreq, 4);
  window.seYears->SetTextAndNotify(QStringLiteral("50"));
}

void WorstRecalculation(benchmark::State& state) {
  TFMain window;
  window.SetHint(new penmarrow::ui::TFHint(&window));
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not exposed");
  MakeWorstCase(window);
  bool replotted = false;
  QObject::connect(window.Chart, &QCustomPlot::afterReplot, [&] { replotted = true; });
  bool odd = false;
  for (auto _ : state) {
    replotted = false;
    window.TIntDep->SetTextAndNotify(odd ? QStringLiteral("$1,000") : QStringLiteral("$1,0005"));
    while (!replotted) QCoreApplication::processEvents();  // the chart's own queued replot
    odd = !odd;
  }
}
BENCHMARK(WorstRecalculation)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void StartUpToFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    TFMain window;
    window.SetHint(new penmarrow::ui::TFHint(&window));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not exposed");
    benchmark::DoNotOptimize(window.grab());
  }
}
BENCHMARK(StartUpToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  // A screen that holds the whole window at 1x and 2x: on offscreen's own 800x600 the window
  // would shrink to fit.
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" PENMARROW_BENCH_SCREEN);
  QApplication application(argc, argv);
  penmarrow::ui::UseWindowFonts();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
