#pragma once
// The soak's run: its settings, dice, steps, snapshots and the fixture that plans, takes and checks
// the steps. SoakTest.cpp runs it, SoakPlan.cpp plans and makes the steps, SoakChecks.cpp reads the
// window and checks it after each step, SoakChartChecks.cpp checks what reads the chart's series.

#include <QAccessibleTableInterface>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/ui/SoakModel.h"
#include "tests/ui/WindowFixture.h"
#include "ui/accessibility/Narrator.h"

namespace penmarrow::ui::soaking {

using soak::Expectation;
using soak::SeriesPoints;
using soak::VisibleInputs;
using Failure = std::optional<std::string>;

// At least this size counts as a large window.
inline constexpr QSize LargeWindow{1200, 900};

struct Settings {
  std::uint64_t seed = 0;
  long steps = 15000;
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
// A row of the chart's table as a screen reader reads it, each cell's name.
QStringList RowOf(QAccessibleTableInterface& table, int row);

std::u16string Text(const QString& text);
std::string Narrow(std::u16string_view text);
std::string Quoted(const QString& text);
std::string Number(double value);

// FocusMove: leaving a field is checked; ChartKey: the keyboard cursor moves; Menu: a context
// menu opened, which takes the pointer from the chart; Resize: the chart moves under the pointer.
enum class Kind { Plain, FocusMove, Disabled, Pointer, ChartKey, Menu, Resize };

// Where a step moves the pointer and the year the chart
// reads there, judged before a click can rescale it.
struct PointerMove {
  QPoint at;  // in the chart's pixels
  bool overChart = false;
  bool onMarks = false;   // over Show marks, which hands the move on to the chart
  bool ontoHint = false;  // the hint stood there, and the move reaches it first
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
  std::string label;  // the kind of action, for the coverage of (state, action) pairs
};
inline Step Labelled(std::string label, Step step) {
  step.label = std::move(label);
  return step;
}
using Intent = std::function<Step()>;

// What the year hint should be showing, as far as the pointer moves and the chart's keys tell.
struct HintModel {
  std::optional<int> year;  // the year it shows, when known
  std::optional<soak::HintFigures> figures;
  std::optional<bool> visible = false;
  bool pointerOnChart = false;  // the chart had the pointer's last move
  bool byKeyboard = false;      // it shows the keyboard cursor's year
  // A balloon shown under the pointer takes it from the chart without telling the chart so.
  bool leaveUnseen = false;
  void Unknown() {
    year.reset();
    figures.reset();
    visible.reset();
  }
};

// The hint as it stood before a step, for the check that a resting pointer keeps it.
struct HintShown {
  bool visible = false;
  soak::HintFigures figures;
};

// What a step read off the window as it acted, for the checks after it.
struct Reading {
  std::optional<Qt::Key> chartKey;
  std::optional<QString> said;              // the spoken totals
  std::optional<QList<QStringList>> table;  // the year table's cells, row by row
  bool chartMenu = false;                   // the step opens the chart's menu
  bool menuOpened = false;
  std::optional<QString> command;  // the chart menu's command, empty for Escape
};

// Where a run stood before a step, as a small tuple.
struct State {
  bool alternative, continuous, startsLater, overflowed, marks, chartFocused;
  int years;   // 1, 2, 50, or 0 for any other
  int window;  // 0 smallest, 1 large, 2 other
  auto operator<=>(const State&) const = default;
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
  std::set<std::pair<State, std::string>> pairs;  // (state, action) pairs reached
  std::set<std::string> actions;
  std::string Summary(long steps) const {
    const auto share = [steps](long count) {
      return std::to_string(100 * count / std::max(steps, 1L)) + "%";
    };
    return "alternative on " + share(alternative) + ", continuous " + share(continuous) +
           ", 50 years " + share(fiftyYears) + ", overflowing " + share(overflowed) +
           " of the steps; hint figures compared " + std::to_string(hintFigures) +
           " times, disabled controls tried " + std::to_string(disabled) + " times; " +
           std::to_string(pairs.size()) + " distinct (state, action) pairs, of " +
           std::to_string(actions.size()) + " actions in " + std::to_string(States()) + " states";
  }
  std::size_t States() const {
    std::set<State> states;
    for (const auto& [state, action] : pairs) states.insert(state);
    return states.size();
  }
};

class Soak : public WindowFixture {
 protected:
  void Run();

 private:
  // --- the run
  bool Advance(long step, const Step& action);
  void Count(const State& state, const Step& action);
  State Now() const;
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
  void PlanChartKeys();
  void PlanChartMenu();
  void PlanTotalsKey();
  void PlanTableRead();

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
  Step ChartMenuStep(bool byKeyboard);
  void OperateChartMenu(const QString& command, const std::function<void()>& open);
  std::string LabelOf(const QWidget* target, const Key* key) const;

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
  const QWidget* UnderPointer(QPoint at) const;
  PointerMove Aim(QPoint at);
  bool AnotherWindowUnderPointer() const;
  soak::PointerYear YearAt(QPoint at);
  soak::HintFigures ShownFigures() const;
  Narrator& Narration() const;
  int ShownYears() const { return soak::ShownYears(expected_, inputs_.alternative); }
  int ShownColumns() const { return 1 + 4 * (inputs_.alternative ? 2 : 1); }
  std::optional<Extended> Figure(int row, int strategy, int figure) const;
  QString CellWanted(int row, int column) const;

  // --- checks
  void UpdateHint(const Step& step);
  void UpdateHintAfterMove(const PointerMove& move);
  void UpdateHintFromCursor();
  void UpdateCursor();
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
  Failure CheckHintRests(const Step& step) const;
  Failure CheckCursor() const;
  Failure CheckTable() const;
  Failure CheckCopy() const;
  Failure CheckSpokenTotals() const;

  Settings settings_;
  Dice dice_{0};
  std::deque<Intent> plan_;
  std::deque<std::string> recent_;
  VisibleInputs inputs_;
  Expectation expected_;
  HintModel hint_;
  HintShown hintBefore_;
  QWidget* focusBefore_ = nullptr;
  Reading read_;
  std::optional<QPoint> cursor_;    // the chart's keyboard cell, once a key has placed it
  bool alternativeSpoken_ = false;  // the last recalculation past your strategy had it checked
  Coverage coverage_;
};

}  // namespace penmarrow::ui::soaking
