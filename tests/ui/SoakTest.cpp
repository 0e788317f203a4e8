// A seeded randomised soak of the whole main window: thousands of user actions of every kind, each
// followed by checks against the soak's own recomputation from what the window shows, and of
// everything that reads the chart's series back against the series.
// PENMARROW_SOAK_SEED replays a run exactly (ctest fixes it; a run by hand draws one);
// PENMARROW_SOAK_STEPS and PENMARROW_SOAK_SECONDS bound it; PENMARROW_SOAK_TRACE prints every step.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "core/FrequencyTable.h"
#include "tests/ui/SoakRun.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui::soaking {
namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

Settings ReadSettings() {
  Settings s;
  const auto seed = Environment("PENMARROW_SOAK_SEED");
  std::random_device device;
  s.seed = seed ? std::stoull(*seed) : (std::uint64_t{device()} << 32 | device());
  if (const auto steps = Environment("PENMARROW_SOAK_STEPS")) s.steps = std::stol(*steps);
  if (const auto seconds = Environment("PENMARROW_SOAK_SECONDS")) s.seconds = std::stod(*seconds);
  s.trace = Environment("PENMARROW_SOAK_TRACE").has_value();
  return s;
}

}  // namespace

std::u16string Text(const QString& text) { return std::u16string(View(text)); }
std::string Narrow(std::u16string_view text) { return ToQString(text).toStdString(); }
std::string Quoted(const QString& text) {
  std::string quoted(1, '\'');
  quoted += text.toStdString();
  quoted += '\'';
  return quoted;
}

std::string Number(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

// ---------------------------------------------------------------------------------------------
// The run

void Soak::Run() {
  settings_ = ReadSettings();
  std::cout << "ui_soak seed " << settings_.seed
            << " (replay with PENMARROW_SOAK_SEED=" << settings_.seed << ")" << std::endl;
  dice_ = Dice(settings_.seed);
  Settle();
  const Snapshot start = Capture();
  inputs_ = start.inputs;
  expected_.series = start.series;
  expected_.totals = start.totals;
  expected_ = soak::Expect(inputs_, expected_);
  alternativeSpoken_ = inputs_.alternative;
  if (const Failure failure = Check(Step{"start", {}}, start, false))
    FAIL() << Report(0, "start", *failure);

  const auto began = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  };
  long step = 1;
  for (; step <= settings_.steps && elapsed() < settings_.seconds; ++step) {
    while (plan_.empty()) Plan();
    const Intent intent = plan_.front();
    plan_.pop_front();
    if (!Advance(step, intent())) return;
  }
  const double seconds = elapsed();
  std::cout << "ui_soak seed " << settings_.seed << ": " << step - 1 << " steps in " << seconds
            << " s, " << static_cast<double>(step - 1) / std::max(seconds, 1e-9) << " steps/s; "
            << coverage_.Summary(step - 1) << std::endl;
}

bool Soak::Advance(long step, const Step& action) {
  const State state = Now();
  const Snapshot before = Capture();
  focusBefore_ = before.focus;
  hintBefore_ = {hint->isVisible(), ShownFigures()};
  read_ = {};
  // Printed before the step is taken, so that a step that never ends is named too.
  if (settings_.trace) std::cout << "step " << step << ": " << action.action << std::endl;
  action.act();
  Settle();
  const VisibleInputs previous = inputs_;
  inputs_ = ReadInputs();
  expected_ = soak::Expect(inputs_, expected_);
  if (!expected_.yoursOverflowed) alternativeSpoken_ = inputs_.alternative;
  UpdateCursor();
  UpdateHint(action);
  const Failure failure = Check(action, before, !(inputs_ == previous));
  if (failure) ADD_FAILURE() << Report(step, action.action, *failure);
  Count(state, action);
  recent_.push_back("step " + std::to_string(step) + ": " + action.action);
  if (recent_.size() > 12) recent_.pop_front();
  return !failure;
}

// Years 1, 2 and 50 and the smallest and a large window stand apart; other values count as one.
State Soak::Now() const {
  const int years = soak::YearsOf(inputs_.years);
  const QSize size = window.size();
  return {inputs_.alternative,
          IsContinuous(inputs_.compoundFrequency),
          inputs_.startLater > 0,
          expected_.overflowed,
          window.chMarks->isChecked(),
          QApplication::focusWidget() == window.Chart,
          years == 1 || years == 2 || years == 50 ? years : 0,
          size == window.minimumSize()                                                   ? 0
          : size.width() >= LargeWindow.width() && size.height() >= LargeWindow.height() ? 1
                                                                                         : 2};
}

void Soak::Count(const State& state, const Step& action) {
  coverage_.pairs.emplace(state, action.label);
  coverage_.actions.insert(action.label);
  coverage_.alternative += inputs_.alternative;
  coverage_.continuous += IsContinuous(inputs_.compoundFrequency);
  coverage_.fiftyYears += soak::YearsOf(inputs_.years) == 50;
  coverage_.overflowed += expected_.overflowed;
  coverage_.hintFigures += action.kind == Kind::Pointer && hint_.visible == true && hint_.figures;
  coverage_.disabled += action.kind == Kind::Disabled;
}

// The event loop runs between a user's actions: queued replots and paints happen here.
void Soak::Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

std::string Soak::Report(long step, const std::string& action, const std::string& failure) const {
  std::ostringstream out;
  out << "seed " << settings_.seed << ", step " << step << ": " << action << "\n  " << failure
      << "\n  replay up to it with PENMARROW_SOAK_SEED=" << settings_.seed
      << " PENMARROW_SOAK_STEPS=" << step
      << " PENMARROW_SOAK_SECONDS=3600 (PENMARROW_SOAK_TRACE=1 prints every step); the steps "
         "before it:";
  for (const std::string& earlier : recent_) out << "\n    " << earlier;
  return out.str();
}

TEST_F(Soak, EveryStepLeavesTheWindowAgreeingWithItsOwnTexts) { Run(); }

}  // namespace penmarrow::ui::soaking
