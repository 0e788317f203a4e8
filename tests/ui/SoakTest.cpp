// A seeded randomised soak of the whole main window: thousands of user actions of every kind, each
// followed by checks against the soak's own recomputation from what the window shows.
// PENMARROW_SOAK_SEED replays a run exactly; PENMARROW_SOAK_STEPS and PENMARROW_SOAK_SECONDS bound it;
// PENMARROW_SOAK_TRACE prints every step.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>

#include "core/FrequencyTable.h"
#include "core/IntegerText.h"
#include "core/KeyEdit.h"
#include "core/MoneyText.h"
#include "tests/ui/SoakModel.h"
#include "tests/ui/WindowFixture.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

using soak::Expectation;
using soak::SeriesPoints;
using soak::VisibleInputs;
using Failure = std::optional<std::string>;

const QString OverflowMessage = QStringLiteral("Invalid floating point operation.");

struct Settings {
  std::uint64_t seed = 0;
  long steps = 5000;
  double seconds = 60;
  bool trace = false;  // print every step as it is taken
};

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

// Every choice of a run comes from here, so that the seed alone decides the run.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int Below(int n) { return n <= 1 ? 0 : static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
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

Key Char(char c) { return {std::string("'") + c + "'", Qt::Key_unknown, Qt::NoModifier, c, {}}; }
Key Named(const char* name, Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return {name, code, modifiers, 0, {}};
}
Key Control(const char* name, Qt::Key code, char16_t control) {
  return {name, code, Qt::ControlModifier, 0, QString(QChar(control))};
}

void Press(QWidget* target, const Key& key) {
  if (key.character)
    QTest::keyClick(target, key.character, key.modifiers);
  else if (!key.text.isEmpty())
    QTest::sendKeyEvent(QTest::Click, target, key.code, key.text, key.modifiers);
  else
    QTest::keyClick(target, key.code, key.modifiers);
}

const std::vector<Key> EditingKeys{Named("Backspace", Qt::Key_Backspace),
                                   Named("Delete", Qt::Key_Delete),
                                   Named("Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier),
                                   Named("Home", Qt::Key_Home),
                                   Named("End", Qt::Key_End),
                                   Named("Left", Qt::Key_Left),
                                   Named("Right", Qt::Key_Right),
                                   Named("Shift+Left", Qt::Key_Left, Qt::ShiftModifier),
                                   Named("Shift+Right", Qt::Key_Right, Qt::ShiftModifier),
                                   Named("Shift+Home", Qt::Key_Home, Qt::ShiftModifier),
                                   Named("Shift+End", Qt::Key_End, Qt::ShiftModifier),
                                   Named("Up", Qt::Key_Up),
                                   Named("Down", Qt::Key_Down),
                                   Named("Return", Qt::Key_Return),
                                   Named("Enter", Qt::Key_Enter),
                                   Named("Escape", Qt::Key_Escape),
                                   Named("Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier),
                                   Control("Ctrl+V", Qt::Key_V, 0x16),
                                   Control("Ctrl+Z", Qt::Key_Z, 0x1a),
                                   Control("Ctrl+A", Qt::Key_A, 0x01)};
const std::vector<Key> StrayCharacters{Char('a'), Char('e'), Char('E'), Char('x'), Char('.'), Char(','),
                                       Char('$'), Char('-'), Char('+'), Char(' '), Char('('), Char(')')};
const std::vector<Key> SpinKeys{Named("Up", Qt::Key_Up), Named("Down", Qt::Key_Down), Named("PageUp", Qt::Key_PageUp),
                                Named("PageDown", Qt::Key_PageDown)};
const std::vector<Key> SliderKeys{Named("Left", Qt::Key_Left),     Named("Right", Qt::Key_Right),
                                  Named("Up", Qt::Key_Up),         Named("Down", Qt::Key_Down),
                                  Named("PageUp", Qt::Key_PageUp), Named("PageDown", Qt::Key_PageDown),
                                  Named("Home", Qt::Key_Home),     Named("End", Qt::Key_End)};
// Letters would search the list against the wall clock, which a replay cannot repeat.
const std::vector<Key> BoxKeys{Named("Up", Qt::Key_Up),         Named("Down", Qt::Key_Down),
                               Named("Home", Qt::Key_Home),     Named("End", Qt::Key_End),
                               Named("PageUp", Qt::Key_PageUp), Named("PageDown", Qt::Key_PageDown)};
const std::vector<QString> PastedTexts{"12345678",
                                       "2500",
                                       "999999",
                                       "1000.",
                                       "1e2",
                                       "1e1",
                                       "7.5",
                                       "$1,234",
                                       "x10",
                                       "$$FF",
                                       " 42",
                                       "-500",
                                       "abc",
                                       "",
                                       "99.99",
                                       "0x7FFFFFFFFFFFFFFF",
                                       "-0",
                                       "1,2,3",
                                       "50",
                                       "99999999999",
                                       "0",
                                       "+12",
                                       "5.",
                                       ".5",
                                       "x8000000000000000"};

std::u16string Text(const QString& text) { return std::u16string(View(text)); }
std::string Narrow(std::u16string_view text) { return ToQString(text).toStdString(); }
std::string Quoted(const QString& text) { return "'" + text.toStdString() + "'"; }

std::string Digits(Dice& dice, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + dice.Below(10));
  return digits;
}

// Amounts that reach the field's limit and the overflow often.
std::string Amount(Dice& dice) {
  const int roll = dice.Below(100);
  if (roll < 25) return "999999";
  if (roll < 40) return std::to_string(dice.Between(100000, 999999));
  if (roll < 65) return Digits(dice, dice.Between(1, 4));
  if (roll < 75) return "0";
  if (roll < 85) return "1000000";
  return "00" + Digits(dice, dice.Between(1, 5));
}

// Rates near the largest allowed one often, and some the field refuses.
std::string Rate(Dice& dice) {
  const int roll = dice.Below(100);
  if (roll < 30) return "99.99";
  if (roll < 40) return "99.9";
  if (roll < 55) return Digits(dice, 2) + "." + Digits(dice, 2);
  if (roll < 70) return Digits(dice, 1) + "." + Digits(dice, 2);
  if (roll < 80) return Digits(dice, 2);
  if (roll < 85) return ".";
  if (roll < 90) return "100";
  if (roll < 95) return "0";
  return "12.345";
}

// Years at the limit often, and values outside 1..50 that the field must rewrite.
std::string Years(Dice& dice) {
  const int roll = dice.Below(100);
  if (roll < 25) return "50";
  if (roll < 35) return "60";
  if (roll < 40) return "0";
  if (roll < 45) return "";
  if (roll < 75) return std::to_string(dice.Between(1, 50));
  if (roll < 80) return "-3";
  if (roll < 85) return "5.";
  if (roll < 90) return "+7";
  if (roll < 95) return "007";
  return "1000";
}

enum class Kind { Plain, FocusMove, Disabled, Pointer, Alternative };

// Where a step moves the pointer and the year the chart reads there, judged before a click can rescale it.
struct PointerMove {
  QPoint at;  // in the chart's pixels
  bool overChart = false;
  soak::PointerYear year;
};

struct Step {
  Step(std::string what, std::function<void()> doing, Kind of = Kind::Plain, std::optional<PointerMove> to = {})
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

soak::Captions Shown(const QStringList& captions) {
  soak::Captions shown;
  for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = Text(captions[static_cast<int>(i)]);
  return shown;
}

std::string Joined(const soak::Captions& captions) {
  std::string joined;
  for (const std::u16string& caption : captions) joined += (joined.empty() ? "" : ", ") + Narrow(caption);
  return joined;
}

std::string Described(const soak::HintFigures& figures) {
  std::string text = "'" + Narrow(figures.title) + "': " + Joined(figures.yours);
  if (figures.alternative) text += " | " + Joined(*figures.alternative);
  return text;
}

std::string Number(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

std::string FirstDifference(const SeriesPoints& shown, const SeriesPoints& wanted) {
  if (shown.values.size() != wanted.values.size())
    return "holds " + std::to_string(shown.values.size()) + " points, expected " + std::to_string(wanted.values.size());
  std::size_t i = 0;
  while (shown.values[i] == wanted.values[i] && shown.labels[i] == wanted.labels[i]) ++i;
  return "point " + std::to_string(i) + " is " + Number(shown.values[i]) + " labelled '" + Narrow(shown.labels[i]) +
         "', the texts give " + Number(wanted.values[i]) + " labelled '" + Narrow(wanted.labels[i]) + "'";
}

std::string Difference(const Snapshot& before, const Snapshot& after) {
  if (!(before.inputs == after.inputs)) return "its inputs changed";
  if (before.series != after.series) return "the chart's series changed";
  if (before.totals != after.totals) return "the totals changed";
  if (before.offered != after.offered) return "the frequency lists changed";
  if (before.focus != after.focus) return "the focus moved";
  if (before.errors != after.errors) return "an error box appeared";
  return "the slider caption or Show marks changed";
}

// How often a run stood in the states worth reaching, printed at its end.
struct Coverage {
  long alternative = 0;
  long continuous = 0;
  long fiftyYears = 0;
  long overflowed = 0;
  long hintFigures = 0;
  long disabled = 0;
  std::string Summary(long steps) const {
    const auto share = [steps](long count) { return std::to_string(100 * count / std::max(steps, 1L)) + "%"; };
    return "alternative on " + share(alternative) + ", continuous " + share(continuous) + ", 50 years " +
           share(fiftyYears) + ", overflowing " + share(overflowed) + " of the steps; hint figures compared " +
           std::to_string(hintFigures) + " times, disabled controls tried " + std::to_string(disabled) + " times";
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
  void PlanAmount() { PlanEntry(dice_.OneOf(MoneyFields()), Amount(dice_)); }
  void PlanRate() { PlanEntry(window.TIntRate, Rate(dice_)); }
  void PlanYears() { PlanEntry(window.seYears, Years(dice_)); }
  void PlanEntry(QWidget* field, const std::string& keys);
  void PlanStrayKey();
  void PlanPaste();
  void PlanUndo();
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
  std::vector<TEdit*> MoneyFields() const { return {window.TIntDep, window.TRegDep, window.TAltdep}; }
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
  void UpdateHint(const Step& step);
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

// ---------------------------------------------------------------------------------------------
// The run

void Soak::Run() {
  settings_ = ReadSettings();
  std::cout << "ui_soak seed " << settings_.seed << " (replay with PENMARROW_SOAK_SEED=" << settings_.seed << ")"
            << std::endl;
  dice_ = Dice(settings_.seed);
  Settle();
  const Snapshot start = Capture();
  inputs_ = start.inputs;
  expected_.series = start.series;
  expected_.totals = start.totals;
  expected_ = soak::Expect(inputs_, expected_);
  if (const Failure failure = Check(Step{"start", {}}, start, false)) FAIL() << Report(0, "start", *failure);

  const auto began = std::chrono::steady_clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(); };
  long step = 1;
  for (; step <= settings_.steps && elapsed() < settings_.seconds; ++step) {
    while (plan_.empty()) Plan();
    const Intent intent = plan_.front();
    plan_.pop_front();
    if (!Advance(step, intent())) return;
  }
  const double seconds = elapsed();
  std::cout << "ui_soak seed " << settings_.seed << ": " << step - 1 << " steps in " << seconds << " s, "
            << static_cast<double>(step - 1) / std::max(seconds, 1e-9) << " steps/s; " << coverage_.Summary(step - 1)
            << std::endl;
}

bool Soak::Advance(long step, const Step& action) {
  const Snapshot before = Capture();
  action.act();
  Settle();
  const VisibleInputs previous = inputs_;
  inputs_ = ReadInputs();
  expected_ = soak::Expect(inputs_, expected_);
  UpdateHint(action);
  const Failure failure = Check(action, before, !(inputs_ == previous));
  if (failure) ADD_FAILURE() << Report(step, action.action, *failure);
  Count(action);
  recent_.push_back("step " + std::to_string(step) + ": " + action.action);
  if (settings_.trace) std::cout << recent_.back() << std::endl;
  if (recent_.size() > 12) recent_.pop_front();
  return !failure;
}

void Soak::Count(const Step& action) {
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
      << "\n  replay with PENMARROW_SOAK_SEED=" << settings_.seed << "; the steps before it:";
  for (const std::string& earlier : recent_) out << "\n    " << earlier;
  return out.str();
}

// ---------------------------------------------------------------------------------------------
// Planning

void Soak::Plan() {
  struct Weighted {
    int weight;
    void (Soak::*plan)();
  };
  // Weighted so that the alternative, continuous compounding, 50 years and the overflow come often.
  static const Weighted plans[] = {
      {9, &Soak::PlanAmount},    {6, &Soak::PlanRate},     {6, &Soak::PlanYears},       {16, &Soak::PlanStrayKey},
      {3, &Soak::PlanPaste},     {1, &Soak::PlanUndo},     {9, &Soak::PlanPick},        {2, &Soak::PlanBoxKey},
      {4, &Soak::PlanYearsStep}, {5, &Soak::PlanSlider},   {3, &Soak::PlanAlternative}, {2, &Soak::PlanMarks},
      {3, &Soak::PlanResize},    {12, &Soak::PlanPointer}, {3, &Soak::PlanLeave},       {4, &Soak::PlanDisabled}};
  int total = 0;
  for (const Weighted& p : plans) total += p.weight;
  int roll = dice_.Below(total);
  for (const Weighted& p : plans) {
    if (roll < p.weight) return (this->*p.plan)();
    roll -= p.weight;
  }
}

// Usually over the whole text, as a saver retypes a figure; sometimes inserted at the caret.
void Soak::PlanEntry(QWidget* field, const std::string& keys) {
  const std::string purpose = " (typing '" + keys + "')";
  if (dice_.Chance(80)) {
    const bool fromStart = dice_.Chance(50);
    Queue(KeyInto(field, fromStart ? Named("Home", Qt::Key_Home) : Named("End", Qt::Key_End), purpose));
    Queue(KeyInto(field,
                  fromStart ? Named("Shift+End", Qt::Key_End, Qt::ShiftModifier)
                            : Named("Shift+Home", Qt::Key_Home, Qt::ShiftModifier),
                  purpose));
  }
  if (keys.empty()) Queue(KeyInto(field, Named("Backspace", Qt::Key_Backspace), purpose));
  for (const char c : keys) Queue(KeyInto(field, Char(c), purpose));
  if (dice_.Chance(40)) PlanLeave();
}

void Soak::PlanStrayKey() {
  QWidget* focus = QApplication::focusWidget();
  const std::vector<QWidget*> fields = EntryFields();
  const bool intoFocus = std::find(fields.begin(), fields.end(), focus) != fields.end() && dice_.Chance(50);
  QWidget* field = intoFocus ? focus : dice_.OneOf(fields);
  const int roll = dice_.Below(100);
  const Key key = roll < 45   ? Char(static_cast<char>('0' + dice_.Below(10)))
                  : roll < 65 ? dice_.OneOf(StrayCharacters)
                  : roll < 92 ? dice_.OneOf(EditingKeys)
                              : dice_.OneOf(SpinKeys);
  Queue(KeyInto(field, key));
}

void Soak::PlanPaste() {
  QWidget* field = dice_.OneOf(EntryFields());
  const QString text = dice_.OneOf(PastedTexts);
  Queue(WhenEnabled(field, [this, field, text] {
    auto* edit = dynamic_cast<TEdit*>(field);
    if (!edit)  // the years field pastes with the keyboard only
      return Step{"paste " + Quoted(text) + " into seYears with Ctrl+V", [field, text] {
                    QApplication::clipboard()->setText(text);
                    Press(field, Control("Ctrl+V", Qt::Key_V, 0x16));
                  }};
    return Step{"paste " + Quoted(text) + " into " + Name(field) + " from its context menu", [edit, text] {
                  QApplication::clipboard()->setText(text);
                  edit->paste();
                }};
  }));
}

void Soak::PlanUndo() {
  TEdit* field = dice_.OneOf(std::vector<TEdit*>{window.TIntDep, window.TRegDep, window.TAltdep, window.TIntRate});
  Queue(WhenEnabled(field, [this, field] {
    return Step{"undo in " + Name(field) + " from its context menu", [field] { field->undo(); }};
  }));
}

void Soak::PlanPick() {
  TComboBox* box = dice_.OneOf(std::vector<TComboBox*>{window.CDefFreq, window.CcompFreq, window.CAltFreq});
  Queue([this, box] {
    if (!box->isEnabled()) return DisabledStep(box);
    // "Continuous" is the last of the compound choices, and only sometimes wanted.
    const int index = box != window.CcompFreq ? dice_.Below(box->count())
                      : dice_.Chance(15)      ? box->count() - 1
                                              : dice_.Below(box->count() - 1);
    const QString name = box->itemText(index);
    return Step{"pick " + Quoted(name) + " in " + Name(box), [box, name] { Pick(box, name); }};
  });
}

void Soak::PlanBoxKey() {
  TComboBox* box = dice_.OneOf(std::vector<TComboBox*>{window.CDefFreq, window.CcompFreq, window.CAltFreq});
  Queue(KeyInto(box, dice_.OneOf(BoxKeys)));
}

void Soak::PlanYearsStep() {
  if (dice_.Chance(50)) return Queue(KeyInto(window.seYears, dice_.OneOf(SpinKeys)));
  const int by = dice_.OneOf(std::vector<int>{1, -1, 1, -1, 5, -5, 60, -60});
  Queue([this, by] {
    return Step{"step seYears by " + std::to_string(by) + " with its arrows",
                [this, by] { window.seYears->stepBy(by); }};
  });
}

void Soak::PlanSlider() {
  Queue(WhenEnabled(window.TB, [this] { return SliderStep(); }));
}

void Soak::PlanAlternative() {
  Queue(WhenEnabled(window.chAlternative, [this] {
    if (dice_.Chance(25)) return KeyStep(window.chAlternative, Char(' '), Kind::Alternative);
    return ClickStep("click chAlternative", window.chAlternative, QPoint(5, window.chAlternative->height() / 2),
                     Kind::Alternative);
  }));
}

void Soak::PlanMarks() {
  Queue([this] { return ClickStep("click chMarks", window.chMarks, Inside(window.chMarks->rect())); });
}

// Near and below the smallest size often, where the totals and the legend rearrange.
void Soak::PlanResize() {
  const QSize smallest = window.minimumSize();
  const int roll = dice_.Below(100);
  const QSize size = roll < 30
                         ? QSize(smallest.width() + dice_.Between(-15, 15), smallest.height() + dice_.Between(-15, 15))
                     : roll < 45 ? QSize(dice_.Between(1, 400), dice_.Between(1, 400))
                                 : QSize(dice_.Between(smallest.width(), 1600), dice_.Between(smallest.height(), 1200));
  Queue([this, size] {
    return Step{"resize the window to " + std::to_string(size.width()) + "x" + std::to_string(size.height()),
                [this, size] { window.resize(size); }};
  });
}

void Soak::PlanPointer() {
  for (int moves = dice_.Between(1, 6); moves > 0; --moves) Queue([this] { return PointerStep(); });
}

void Soak::PlanDisabled() {
  Queue([this] {
    const std::array<QWidget*, 5> lockable{window.TRegDep, window.CDefFreq, window.TAltdep, window.CAltFreq, window.TB};
    std::vector<QWidget*> disabled;
    for (QWidget* control : lockable)
      if (!control->isEnabled()) disabled.push_back(control);
    return disabled.empty() ? PointerStep() : DisabledStep(dice_.OneOf(disabled));
  });
}

// ---------------------------------------------------------------------------------------------
// Steps

Intent Soak::KeyInto(QWidget* target, const Key& key, const std::string& purpose) {
  return [this, target, key, purpose] {
    if (!target->isEnabled()) return KeyStep(target, key, Kind::Disabled, purpose);
    return Focused(target, [this, target, key, purpose] { return KeyStep(target, key, Kind::Plain, purpose); });
  };
}

Intent Soak::WhenEnabled(QWidget* target, const Intent& then) {
  return [this, target, then] { return target->isEnabled() ? Focused(target, then) : DisabledStep(target); };
}

// Keys and clicks go to the focused control, as a user's do: the focus moves there first, as a
// step of its own, so that leaving the previous field is checked on its own.
Step Soak::Focused(QWidget* target, const Intent& then) {
  if (QApplication::focusWidget() == target) return then();
  plan_.push_front(then);
  return FocusStep(target);
}

Step Soak::FocusStep(QWidget* target) {
  QWidget* text = target == window.seYears ? window.seYears->findChild<QLineEdit*>() : dynamic_cast<TEdit*>(target);
  if (!text || dice_.Chance(20))
    return {"focus " + Name(target) + " as by Tab", [target] { target->setFocus(Qt::TabFocusReason); },
            Kind::FocusMove};
  const QPoint at(dice_.Between(2, std::max(2, text->width() - 3)), text->height() / 2);
  return ClickStep("click into " + Name(target), text, at, Kind::FocusMove);
}

Step Soak::KeyStep(QWidget* target, const Key& key, Kind kind, const std::string& purpose) {
  const bool disabled = !target->isEnabled();
  return {"key " + key.name + " into " + (disabled ? "disabled " : "") + Name(target) + purpose,
          [target, key] { Press(target, key); }, disabled ? Kind::Disabled : kind};
}

// What a user can still try on a disabled control: keys sent at it and clicks on it.
Step Soak::DisabledStep(QWidget* target) {
  if (dice_.Chance(40))
    return ClickStep("click disabled " + Name(target), target, Inside(target->rect()), Kind::Disabled);
  const int roll = dice_.Below(100);
  const Key key = roll < 40   ? Char(static_cast<char>('0' + dice_.Below(10)))
                  : roll < 75 ? dice_.OneOf(EditingKeys)
                              : dice_.OneOf(BoxKeys);
  return KeyStep(target, key, Kind::Disabled);
}

Step Soak::LeaveStep() {
  QWidget* from = QApplication::focusWidget();
  if (from && dice_.Chance(60))
    return KeyStep(from,
                   dice_.Chance(70) ? Named("Tab", Qt::Key_Tab) : Named("Shift+Tab", Qt::Key_Tab, Qt::ShiftModifier),
                   Kind::FocusMove);
  std::vector<QWidget*> others;
  for (QWidget* field : EntryFields())
    if (field != from && field->isEnabled()) others.push_back(field);
  return FocusStep(dice_.OneOf(others));
}

Step Soak::SliderStep() {
  TTrackBar* slider = window.TB;
  const int roll = dice_.Below(100);
  if (roll < 50) return KeyStep(slider, dice_.OneOf(SliderKeys), Kind::Plain);
  if (roll < 80) {
    const int to = dice_.Between(slider->minimum(), slider->maximum());
    return {"drag TB to " + std::to_string(to), [slider, to] { slider->setValue(to); }};
  }
  return ClickStep("click TB", slider, Inside(slider->rect()));
}

// A user's click: the pointer moves there first, and the move reaches whatever lies under it.
Step Soak::ClickStep(const std::string& action, QWidget* target, QPoint at, Kind kind) {
  const QPoint to = target->mapToGlobal(at);
  const std::optional<PointerMove> moved =
      to == QCursor::pos() ? std::nullopt : std::optional<PointerMove>(Aim(window.Chart->mapFromGlobal(to)));
  return {action + " at (" + std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")",
          [target, at] {
            QTest::mouseMove(target, at);
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
          },
          kind, moved};
}

// QTest takes the null point for the centre of a widget, so it is never chosen.
QPoint Soak::Inside(const QRect& area) {
  const QPoint at(dice_.Between(area.left(), area.right()), dice_.Between(area.top(), area.bottom()));
  return at.isNull() ? QPoint(1, 0) : at;
}

Step Soak::PointerStep() {
  const QPoint at = PointerTarget();
  return {"move the pointer to (" + std::to_string(at.x()) + ", " + std::to_string(at.y()) + ") of the chart",
          [this, at] { QTest::mouseMove(window.Chart, at); }, Kind::Pointer, Aim(at)};
}

// Mostly over the plot, where the bars are; sometimes anywhere on the chart or beyond it.
QPoint Soak::PointerTarget() {
  const QRect chart = window.Chart->rect();
  const QRect plot = window.Chart->axisRect()->rect();
  const int roll = dice_.Below(100);
  const QRect area = roll < 60 ? plot.adjusted(-10, -10, 10, 10) : roll < 85 ? chart : chart.adjusted(-60, -60, 60, 60);
  QPoint at = Inside(area);
  for (int attempt = 0; attempt < 4 && YearAt(at).ambiguous; ++attempt) at = Inside(area);
  // The place the pointer is at already would send no move at all.
  if (window.Chart->mapToGlobal(at) == QCursor::pos()) at.rx() += 1;
  return at;
}

// ---------------------------------------------------------------------------------------------
// Reading the window

std::string Soak::Name(const QWidget* widget) const {
  const std::pair<const QWidget*, const char*> names[] = {{window.TIntDep, "TIntDep"},
                                                          {window.TRegDep, "TRegDep"},
                                                          {window.TAltdep, "TAltdep"},
                                                          {window.TIntRate, "TIntRate"},
                                                          {window.seYears, "seYears"},
                                                          {window.CDefFreq, "CDefFreq"},
                                                          {window.CcompFreq, "CcompFreq"},
                                                          {window.CAltFreq, "CAltFreq"},
                                                          {window.TB, "TB"},
                                                          {window.chAlternative, "chAlternative"},
                                                          {window.chMarks, "chMarks"},
                                                          {window.Chart, "Chart"}};
  for (const auto& [named, name] : names)
    if (named == widget) return name;
  return widget && widget->parentWidget() == window.seYears ? "seYears" : "another control";
}

VisibleInputs Soak::ReadInputs() const {
  VisibleInputs in;
  in.initialDeposit = Text(window.TIntDep->text());
  in.regularDeposit = Text(window.TRegDep->text());
  in.alternativeDeposit = Text(window.TAltdep->text());
  in.rate = Text(window.TIntRate->text());
  in.years = Text(window.seYears->text());
  in.depositFrequency = Text(window.CDefFreq->currentText());
  in.compoundFrequency = Text(window.CcompFreq->currentText());
  in.alternativeFrequency = Text(window.CAltFreq->currentText());
  in.alternative = window.chAlternative->isChecked();
  in.startLater = window.TB->value();
  return in;
}

SeriesPoints Soak::Points(int series) const {
  SeriesPoints points{Values(series), {}};
  for (int i = 0; i < window.Chart->Series(series).Count(); ++i)
    points.labels.push_back(Text(window.Chart->Series(series).Label(i)));
  return points;
}

Snapshot Soak::Capture() const {
  Snapshot s;
  s.inputs = ReadInputs();
  for (int i = 0; i < soak::SeriesCount; ++i) s.series[static_cast<std::size_t>(i)] = Points(i);
  s.totals = {Shown(Captions(window.Totals1)), Shown(Captions(window.Totals2))};
  for (const TComboBox* box : {window.CDefFreq, window.CcompFreq, window.CAltFreq}) {
    for (int i = 0; i < box->count(); ++i) s.offered << box->itemText(i);
    s.offered << QStringLiteral("|");
  }
  s.startLater = window.lStartLater->text();
  s.marks = window.chMarks->isChecked();
  s.focus = QApplication::focusWidget();
  s.errors = errors.size();
  return s;
}

// The pointer's moves reach the widget under it; Show marks passes them on to the chart.
bool Soak::OverChart(QPoint at) const {
  const QPoint inWindow = window.mapFromGlobal(window.Chart->mapToGlobal(at));
  if (!window.rect().contains(inWindow)) return false;
  const QWidget* under = window.childAt(inWindow);
  return under == window.Chart || (under && window.Chart->isAncestorOf(under));
}

bool Soak::AnotherWindowUnderPointer() const {
  for (const QWindow* other : QGuiApplication::topLevelWindows())
    if (other != window.windowHandle() && other->isVisible() && other->geometry().contains(QCursor::pos())) return true;
  return false;
}

PointerMove Soak::Aim(QPoint at) {
  const bool over = OverChart(at);
  return {at, over, over ? YearAt(at) : soak::PointerYear{}};
}

soak::PointerYear Soak::YearAt(QPoint at) {
  TChart& chart = *window.Chart;
  return soak::YearAtPointer(chart.BottomAxis().CalcPosPoint(at.x()), chart.LeftAxis().CalcPosPoint(at.y()),
                             soak::TallestStack(expected_), expected_, soak::YearsOf(inputs_.years),
                             inputs_.alternative);
}

soak::HintFigures Soak::ShownFigures() const {
  const auto column = [](std::initializer_list<const QLabel*> labels) {
    soak::Captions texts;
    std::size_t i = 0;
    for (const QLabel* label : labels) texts[i++] = Text(label->text());
    return texts;
  };
  soak::HintFigures shown{Text(hint->lAfter->text()),
                          column({hint->lInit1, hint->lRegular1, hint->lTotalInt1, hint->lTotal1}), std::nullopt};
  if (hint->lAlternative->isVisibleTo(hint))
    shown.alternative = column({hint->lInit2, hint->lRegular2, hint->lTotalInt2, hint->lTotal2});
  return shown;
}

// ---------------------------------------------------------------------------------------------
// Checks

void Soak::UpdateHint(const Step& step) {
  if (step.kind == Kind::Alternative) hint_.year = 0;  // switching the alternative forgets the hint's year
  if (step.pointer) UpdateHintAfterMove(*step.pointer);
  if (AnotherWindowUnderPointer()) hint_.leaveUnseen = true;
}

void Soak::UpdateHintAfterMove(const PointerMove& move) {
  if (!move.overChart) {
    // Leaving the chart hides the hint, unless the chart had already lost the pointer unawares.
    hint_.visible = hint_.leaveUnseen ? std::nullopt : std::optional<bool>(false);
    return;
  }
  hint_.leaveUnseen = false;
  const soak::PointerYear& at = move.year;
  if (at.ambiguous) {
    hint_ = {std::nullopt, std::nullopt, std::nullopt, false};
  } else if (at.year == 0) {
    hint_.year = 0;
    hint_.visible = false;
  } else {
    // The figures are filled in only when the year differs from the one they were filled for.
    if (!hint_.year)
      hint_.figures.reset();
    else if (*hint_.year != at.year)
      hint_.figures = soak::FiguresOfYear(expected_, at.year, inputs_.alternative);
    hint_.year = at.year;
    hint_.visible = true;
  }
}

Failure Soak::Check(const Step& step, const Snapshot& before, bool inputsChanged) {
  Failure failure = CheckErrors(before, inputsChanged);
  if (!failure) failure = CheckTexts(step, before);
  if (!failure) failure = CheckChoices();
  if (!failure && step.kind == Kind::Disabled && !(Capture() == before))
    failure = "acting on the disabled control had an effect: " + Difference(before, Capture());
  if (!failure) failure = CheckCounts();
  if (!failure) failure = CheckPoints();
  if (!failure) failure = CheckTotals();
  if (!failure) failure = CheckControls();
  if (!failure) failure = CheckHint(step);
  return failure;
}

// Only the overflow box may appear, exactly when the texts ask for an overflowing projection.
Failure Soak::CheckErrors(const Snapshot& before, bool inputsChanged) const {
  for (std::size_t i = before.errors; i < errors.size(); ++i)
    if (errors[i] != OverflowMessage) return "an error box says " + Quoted(errors[i]);
  const bool shown = errors.size() > before.errors;
  if (shown && !expected_.overflowed)
    return "the overflow box appeared, but the projection of the texts stays in range";
  if (!shown && expected_.overflowed && inputsChanged)
    return "the texts changed to an overflowing projection, but no error box appeared";
  return {};
}

// No field holds a text its own rule refuses.
Failure Soak::CheckTexts(const Step& step, const Snapshot& before) const {
  for (TEdit* field : {window.TIntDep, window.TRegDep, window.TAltdep, window.TIntRate}) {
    const std::u16string text = Text(field->text());
    const bool left = before.focus == field && QApplication::focusWidget() != field;
    if (left) {
      if (Failure failure = CheckLeaving(step, before, field)) return failure;
      continue;  // what leaving writes is checked above
    }
    const bool allowed =
        field == window.TIntRate ? RateTextAllowed(text, true) && text.size() <= RateMaxLength : MoneyTextAllowed(text);
    if (!allowed) return Name(field) + " holds '" + Narrow(text) + "', which its rule refuses";
  }
  const auto years = ReadInteger(View(window.seYears->text()));
  if (years && (*years < 1 || *years > 50))
    return "seYears holds " + Quoted(window.seYears->text()) + ", outside 1..50";
  return {};
}

// Leaving a field rewrites it in its formatted form, standing for the same amount.
Failure Soak::CheckLeaving(const Step& step, const Snapshot& before, TEdit* field) const {
  const std::u16string text = Text(field->text());
  const bool rate = field == window.TIntRate;
  const std::u16string was = rate                      ? before.inputs.rate
                             : field == window.TIntDep ? before.inputs.initialDeposit
                             : field == window.TRegDep ? before.inputs.regularDeposit
                                                       : before.inputs.alternativeDeposit;
  // An overflow while an empty field is left ends the rewrite at its first step, the "0".
  if (errors.size() > before.errors && was.empty() && text == u"0") return {};
  const auto formatted = [rate](std::u16string_view t) {
    return rate ? soak::RateAfterLeaving(t) : soak::MoneyAfterLeaving(t);
  };
  const std::string turned = "leaving " + Name(field) + " turned '" + Narrow(was) + "' into '" + Narrow(text) + "'";
  if (step.kind == Kind::FocusMove && text != formatted(was)) return turned + ", not '" + Narrow(formatted(was)) + "'";
  if (step.kind == Kind::FocusMove && !rate && MoneyToInt64(text, 0) != MoneyToInt64(was, 0))
    return turned + ": the amount changed from " + std::to_string(MoneyToInt64(was, 0)) + " to " +
           std::to_string(MoneyToInt64(text, 0));
  if (formatted(text) != text)
    return "after leaving, " + Name(field) + " holds '" + Narrow(text) + "', not a formatted amount";
  return {};
}

// Every frequency box shows a name of the table; deposits and the alternative never "Continuous".
Failure Soak::CheckChoices() const {
  for (const TComboBox* box : {window.CDefFreq, window.CcompFreq, window.CAltFreq}) {
    const std::u16string_view name = View(box->currentText());
    if (!LookupFrequency(name) || (box != window.CcompFreq && IsContinuous(name)))
      return Name(box) + " shows " + Quoted(box->currentText());
  }
  return {};
}

// One point per year of each active strategy, unless an overflow cut the projection short.
Failure Soak::CheckCounts() const {
  const int years = soak::YearsOf(inputs_.years);
  if (window.seYears->Value() != years)
    return "seYears reads " + std::to_string(window.seYears->Value()) + " years from " + Quoted(window.seYears->text());
  if (expected_.overflowed) return {};
  for (int s = 0; s < soak::SeriesCount; ++s) {
    const int wanted = s < soak::FirstAlternativeSeries || inputs_.alternative ? years : 0;
    if (window.Chart->Series(s).Count() != wanted)
      return "series " + std::to_string(s) + " holds " + std::to_string(window.Chart->Series(s).Count()) +
             " points for " + std::to_string(years) + " years";
  }
  return {};
}

Failure Soak::CheckPoints() const {
  for (int s = 0; s < soak::SeriesCount; ++s) {
    const SeriesPoints shown = Points(s);
    const SeriesPoints& wanted = expected_.series[static_cast<std::size_t>(s)];
    if (!(shown == wanted)) return "series " + std::to_string(s) + " " + FirstDifference(shown, wanted);
  }
  return {};
}

Failure Soak::CheckTotals() const {
  const TotalsPanel* panels[] = {&window.Totals1, &window.Totals2};
  for (std::size_t t = 0; t < 2; ++t) {
    const soak::Captions shown = Shown(Captions(*panels[t]));
    if (shown != expected_.totals[t])
      return "Totals" + std::to_string(t + 1) + " show " + Joined(shown) + ", expected " + Joined(expected_.totals[t]);
  }
  return {};
}

// The marks follow their box, the slider the years, and the value axis the tallest stack.
Failure Soak::CheckControls() {
  TChart& chart = *window.Chart;
  const bool marks = window.chMarks->isChecked();
  if (chart.Series(2).Marks().Visible() != marks || chart.Series(5).Marks().Visible() != marks)
    return std::string("the interest marks do not follow Show marks, which is ") + (marks ? "on" : "off");
  const int years = soak::YearsOf(inputs_.years);
  if (years >= 1 && years <= 50 && window.TB->maximum() != years - 1)
    return "TB reaches " + std::to_string(window.TB->maximum()) + " for " + std::to_string(years) + " years";
  const QString caption = QStringLiteral("%1 years").arg(window.TB->value());
  if (window.lStartLater->text().compare(caption, Qt::CaseInsensitive) != 0)
    return "lStartLater says " + Quoted(window.lStartLater->text()) + " at slider position " +
           std::to_string(window.TB->value());
  if (chart.LeftAxis().Maximum() != soak::TallestStack(expected_))
    return "the value axis tops out at " + Number(chart.LeftAxis().Maximum()) + ", the tallest stack is " +
           Number(soak::TallestStack(expected_));
  return {};
}

// Over a year's bars the hint shows that year's figures; off them it is hidden.
Failure Soak::CheckHint(const Step& step) const {
  if (step.kind != Kind::Pointer || !hint_.visible) return {};
  if (hint->isVisible() != *hint_.visible)
    return std::string("the year hint is ") + (hint->isVisible() ? "shown" : "hidden") + ", expected it " +
           (*hint_.visible ? "shown for year " + std::to_string(hint_.year.value_or(0)) : "hidden");
  if (!*hint_.visible || !hint_.figures) return {};
  const soak::HintFigures shown = ShownFigures();
  if (!(shown == *hint_.figures))
    return "the year hint shows " + Described(shown) + ", expected " + Described(*hint_.figures);
  return {};
}

TEST_F(Soak, EveryStepLeavesTheWindowAgreeingWithItsOwnTexts) { Run(); }

}  // namespace
}  // namespace penmarrow::ui
