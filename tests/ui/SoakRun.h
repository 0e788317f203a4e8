#pragma once
// The soak's run: its settings, dice, steps, snapshots and the fixture that plans, takes and checks
// the steps. SoakTest.cpp runs it, SoakPlan.cpp plans and makes the steps, SoakChecks.cpp reads the
// window and checks it after each step.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/ui/SoakModel.h"
#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui::soaking {

using soak::Expectation;
using soak::SeriesPoints;
using soak::VisibleInputs;
using Failure = std::optional<std::string>;

struct Settings {
  std::uint64_t seed = 0;
  long steps = 5000;
  double seconds = 60;
  bool trace = false;  // print every step as it is taken
};

// Every choice of a run comes from here, so that the seed alone decides the run.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int Below(int n) {
    return n <= 1 ? 0 : static_cast<int>(engine_() % static_cast<std::uint64_t>(n));
  }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
  }

 private:
  std::mt19937_64 engine_;
};

// One key as a keyboard delivers it: a character, or a named key with the text it carries.
struct Key {
  std::string name;
  Qt::Key code = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  char character = 0;
  QString text;  // for Ctrl+letter, the control character a real keyboard sends
};

void Press(QWidget* target, const Key& key);

std::u16string Text(const QString& text);
std::string Narrow(std::u16string_view text);
std::string Quoted(const QString& text);
std::string Number(double value);

enum class Kind { Plain, FocusMove, Disabled, Pointer, Alternative };

// Where a step moves the pointer and the year the chart
// reads there, judged before a click can rescale it.
struct PointerMove {
  QPoint at;  // in the chart's pixels
  bool overChart = false;
  soak::PointerYear year;
};

struct Step {
  Step(std::string what, std::function<void()> doing, Kind of = Kind::Plain,
       std::optional<PointerMove> to = {})
      : action(std::move(what)), act(std::move(doing)), kind(of), pointer(to) {}
  std::string action;
  std::function<void()> act;
  Kind kind;
  std::optional<PointerMove> pointer;
};
using Intent = std::function<Step()>;

// What the year hint should be showing, as far as the pointer moves so far tell.
struct HintModel {
  std::optional<int> year = 0;  // the year the hint was last filled for, 0 after a reset
  std::optional<soak::HintFigures> figures;
  std::optional<bool> visible = false;
  // A balloon shown under the pointer takes it from the chart without telling the chart so.
  bool leaveUnseen = false;
};

// What the window showed before a step, for the checks that compare.
struct Snapshot {
  VisibleInputs inputs;
  std::array<SeriesPoints, soak::SeriesCount> series;
  std::array<soak::Captions, 2> totals;
  QStringList offered;
  QString startLater;
  bool marks = false;
  QWidget* focus = nullptr;
  std::size_t errors = 0;
  bool operator==(const Snapshot&) const = default;
};

// How often a run stood in the states worth reaching, printed at its end.
struct Coverage {
  long alternative = 0;
  long continuous = 0;
  long fiftyYears = 0;
  long overflowed = 0;
  long hintFigures = 0;
  long disabled = 0;
  std::string Summary(long steps) const {
    const auto share = [steps](long count) {
      return std::to_string(100 * count / std::max(steps, 1L)) + "%";
    };
    return "alternative on " + share(alternative) + ", continuous " + share(continuous) +
           ", 50 years " + share(fiftyYears) + ", overflowing " + share(overflowed) +
           " of the steps; hint figures compared " + std::to_string(hintFigures) +
           " times, disabled controls tried " + std::to_string(disabled) + " times";
  }
};

class Soak : public WindowFixture {
 protected:
  void Run();

 private:
  // --- the run
  bool Advance(long step, const Step& action);
  void Count(const Step& action);
  static void Settle();
  std::string Report(long step, const std::string& action, const std::string& failure) const;

  // --- planning: a plan queues intents, each of which becomes one step when its turn comes
  void Plan();
  void Queue(Intent intent) { plan_.push_back(std::move(intent)); }
  void PlanAmount();
  void PlanRate();
  void PlanYears();
  void PlanEntry(QWidget* field, const std::string& keys);
  void PlanStrayKey();
  void PlanPaste();
  void PlanMenuAction();
  void PlanPick();
  void PlanBoxKey();
  void PlanYearsStep();
  void PlanSlider();
  void PlanAlternative();
  void PlanMarks();
  void PlanResize();
  void PlanPointer();
  void PlanLeave() {
    Queue([this] { return LeaveStep(); });
  }
  void PlanDisabled();

  // --- steps
  Intent KeyInto(QWidget* target, const Key& key, const std::string& purpose = {});
  Intent WhenEnabled(QWidget* target, const Intent& then);
  Step Focused(QWidget* target, const Intent& then);
  Step FocusStep(QWidget* target);
  Step KeyStep(QWidget* target, const Key& key, Kind kind, const std::string& purpose = {});
  Step DisabledStep(QWidget* target);
  Step LeaveStep();
  Step SliderStep();
  Step PointerStep();
  QPoint PointerTarget();
  QPoint Inside(const QRect& area);
  Step ClickStep(const std::string& action, QWidget* target, QPoint at, Kind kind = Kind::Plain);

  // --- reading the window
  std::vector<TEdit*> MoneyFields() const {
    return {window.TIntDep, window.TRegDep, window.TAltdep};
  }
  std::vector<QWidget*> EntryFields() const {
    return {window.TIntDep, window.TRegDep, window.TAltdep, window.TIntRate, window.seYears};
  }
  std::string Name(const QWidget* widget) const;
  VisibleInputs ReadInputs() const;
  SeriesPoints Points(int series) const;
  Snapshot Capture() const;
  bool OverChart(QPoint at) const;
  PointerMove Aim(QPoint at);
  bool AnotherWindowUnderPointer() const;
  soak::PointerYear YearAt(QPoint at);
  soak::HintFigures ShownFigures() const;

  // --- checks
  void UpdateHint(const Step& step, bool figuresChanged);
  void UpdateHintAfterMove(const PointerMove& move);
  Failure Check(const Step& step, const Snapshot& before, bool inputsChanged);
  Failure CheckErrors(const Snapshot& before, bool inputsChanged) const;
  Failure CheckTexts(const Step& step, const Snapshot& before) const;
  Failure CheckLeaving(const Step& step, const Snapshot& before, TEdit* field) const;
  Failure CheckChoices() const;
  Failure CheckCounts() const;
  Failure CheckPoints() const;
  Failure CheckTotals() const;
  Failure CheckControls();
  Failure CheckHint(const Step& step) const;

  Settings settings_;
  Dice dice_{0};
  std::deque<Intent> plan_;
  std::deque<std::string> recent_;
  VisibleInputs inputs_;
  Expectation expected_;
  HintModel hint_;
  Coverage coverage_;
};

}  // namespace penmarrow::ui::soaking
