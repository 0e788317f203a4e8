// The soak's reading of the window and the checks after each step against its own recomputation.

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QWindow>

#include "core/FrequencyTable.h"
#include "core/IntegerText.h"
#include "core/KeyEdit.h"
#include "core/MoneyText.h"
#include "tests/ui/SoakRun.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui::soaking {
namespace {

const QString OverflowMessage = QStringLiteral("Invalid floating point operation.");

soak::Captions Shown(const QStringList& captions) {
  soak::Captions shown;
  for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = Text(captions[static_cast<int>(i)]);
  return shown;
}

std::string Joined(const soak::Captions& captions) {
  std::string joined;
  for (const std::u16string& caption : captions)
    joined += (joined.empty() ? "" : ", ") + Narrow(caption);
  return joined;
}

std::string Described(const soak::HintFigures& figures) {
  std::string text =
      Quoted(ToQString(figures.title));  // GCC 12 warns falsely about "'" + std::string
  text += ": " + Joined(figures.yours);
  if (figures.alternative) text += " | " + Joined(*figures.alternative);
  return text;
}

std::string FirstDifference(const SeriesPoints& shown, const SeriesPoints& wanted) {
  if (shown.values.size() != wanted.values.size())
    return "holds " + std::to_string(shown.values.size()) + " points, expected " +
           std::to_string(wanted.values.size());
  std::size_t i = 0;
  while (shown.values[i] == wanted.values[i] && shown.labels[i] == wanted.labels[i]) ++i;
  return "point " + std::to_string(i) + " is " + Number(shown.values[i]) + " labelled '" +
         Narrow(shown.labels[i]) + "', the texts give " + Number(wanted.values[i]) + " labelled '" +
         Narrow(wanted.labels[i]) + "'";
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

}  // namespace

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

// The pointer's moves reach the widget under it; over Show marks the chart does not have it.
bool Soak::OverChart(QPoint at) const { return UnderPointer(at) == window.Chart; }

const QWidget* Soak::UnderPointer(QPoint at) const {
  const QPoint inWindow = window.mapFromGlobal(window.Chart->mapToGlobal(at));
  return window.rect().contains(inWindow) ? window.childAt(inWindow) : nullptr;
}

bool Soak::AnotherWindowUnderPointer() const {
  for (const QWindow* other : QGuiApplication::topLevelWindows())
    if (other != window.windowHandle() && other->isVisible() &&
        other->geometry().contains(QCursor::pos()))
      return true;
  return false;
}

PointerMove Soak::Aim(QPoint at) {
  const bool over = OverChart(at);
  const bool onMarks = window.Chart->isAncestorOf(UnderPointer(at));
  const bool ontoHint =
      hint->isVisible() && hint->geometry().contains(window.Chart->mapToGlobal(at));
  return {at, over, onMarks, ontoHint, over ? YearAt(at) : soak::PointerYear{}};
}

soak::PointerYear Soak::YearAt(QPoint at) {
  TChart& chart = *window.Chart;
  return soak::YearAtPointer(chart.BottomAxis().CalcPosPoint(at.x()),
                             chart.LeftAxis().CalcPosPoint(at.y()), soak::TallestStack(expected_),
                             expected_, soak::YearsOf(inputs_.years), inputs_.alternative);
}

soak::HintFigures Soak::ShownFigures() const {
  const auto column = [](std::initializer_list<const QLabel*> labels) {
    soak::Captions texts;
    std::size_t i = 0;
    for (const QLabel* label : labels) texts[i++] = Text(label->text());
    return texts;
  };
  soak::HintFigures shown{Text(hint->lAfter->text()),
                          column({hint->lInit1, hint->lRegular1, hint->lTotalInt1, hint->lTotal1}),
                          std::nullopt};
  if (hint->lAlternative->isVisibleTo(hint))
    shown.alternative = column({hint->lInit2, hint->lRegular2, hint->lTotalInt2, hint->lTotal2});
  return shown;
}

// ---------------------------------------------------------------------------------------------
// Checks

void Soak::UpdateHint(const Step& step) {
  if (step.pointer) UpdateHintAfterMove(*step.pointer);
  const bool focused = QApplication::focusWidget() == window.Chart;
  const bool wasFocused = focusBefore_ == window.Chart;
  if (step.kind == Kind::Menu || step.kind == Kind::Resize) {
    // An open menu takes the pointer from the chart, and the focus coming back to the chart may
    // show the cell's hint again; a chart that moves under the pointer may take it for a move.
    hint_.Unknown();
  } else if (step.kind == Kind::ChartKey || (focused && !wasFocused)) {
    UpdateHintFromCursor();
  } else if (wasFocused && !focused) {
    hint_.visible = false;  // the chart's focus took the hint with it
  }
  if (AnotherWindowUnderPointer()) hint_.leaveUnseen = true;
}

void Soak::UpdateHintAfterMove(const PointerMove& move) {
  if (move.ontoHint) {
    // The hint window takes the pointer from the chart, as the windowing system sees fit.
    hint_.Unknown();
    hint_.pointerOnChart = move.overChart;
    hint_.leaveUnseen = false;
    return;
  }
  if (!move.overChart) {
    // Leaving the chart, or a move over Show marks, which the chart sees, takes the pointer's hint
    // away, unless the chart had already lost the pointer unawares; whether the keyboard cursor's
    // stays is the window's choice. A move elsewhere that was never over the chart changes nothing.
    const bool left = hint_.pointerOnChart || move.onMarks;
    if (hint_.leaveUnseen || (left && hint_.byKeyboard))
      hint_.Unknown();
    else if (left)
      hint_.visible = false;
    hint_.pointerOnChart = move.onMarks;
    return;
  }
  hint_.leaveUnseen = false;
  hint_.pointerOnChart = true;
  hint_.byKeyboard = false;
  const soak::PointerYear& at = move.year;
  if (at.ambiguous) {
    hint_.Unknown();
  } else if (at.year == 0) {
    hint_.visible = false;
  } else {
    // Whatever recalculated since, a move onto a year shows its figures as they are now.
    hint_.year = at.year;
    hint_.figures = soak::FiguresOfYear(expected_, at.year, inputs_.alternative);
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
  if (!failure) failure = CheckCursor();
  if (!failure) failure = CheckTable();
  if (!failure) failure = CheckHint(step);
  if (!failure) failure = CheckHintRests(step);
  if (!failure) failure = CheckCopy();
  if (!failure) failure = CheckSpokenTotals();
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
    const bool allowed = field == window.TIntRate
                             ? RateTextAllowed(text, true) && text.size() <= RateMaxLength
                             : MoneyTextAllowed(text);
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
  const std::string turned =
      "leaving " + Name(field) + " turned '" + Narrow(was) + "' into '" + Narrow(text) + "'";
  if (step.kind == Kind::FocusMove && text != formatted(was))
    return turned + ", not '" + Narrow(formatted(was)) + "'";
  if (step.kind == Kind::FocusMove && !rate && MoneyToInt64(text, 0) != MoneyToInt64(was, 0))
    return turned + ": the amount changed from " + std::to_string(MoneyToInt64(was, 0)) + " to " +
           std::to_string(MoneyToInt64(text, 0));
  if (formatted(text) != text)
    return "after leaving, " + Name(field) + " holds '" + Narrow(text) +
           "', not a formatted amount";
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
    return "seYears reads " + std::to_string(window.seYears->Value()) + " years from " +
           Quoted(window.seYears->text());
  if (expected_.overflowed) return {};
  for (int s = 0; s < soak::SeriesCount; ++s) {
    const int wanted = s < soak::FirstAlternativeSeries || inputs_.alternative ? years : 0;
    if (window.Chart->Series(s).Count() != wanted)
      return "series " + std::to_string(s) + " holds " +
             std::to_string(window.Chart->Series(s).Count()) + " points for " +
             std::to_string(years) + " years";
  }
  return {};
}

Failure Soak::CheckPoints() const {
  for (int s = 0; s < soak::SeriesCount; ++s) {
    const SeriesPoints shown = Points(s);
    const SeriesPoints& wanted = expected_.series[static_cast<std::size_t>(s)];
    if (!(shown == wanted))
      return "series " + std::to_string(s) + " " + FirstDifference(shown, wanted);
  }
  return {};
}

Failure Soak::CheckTotals() const {
  const TotalsPanel* panels[] = {&window.Totals1, &window.Totals2};
  for (std::size_t t = 0; t < 2; ++t) {
    const soak::Captions shown = Shown(Captions(*panels[t]));
    if (shown != expected_.totals[t])
      return "Totals" + std::to_string(t + 1) + " show " + Joined(shown) + ", expected " +
             Joined(expected_.totals[t]);
  }
  return {};
}

// The marks follow their box, the slider the years, and the value axis the tallest stack.
Failure Soak::CheckControls() {
  TChart& chart = *window.Chart;
  const bool marks = window.chMarks->isChecked();
  if (chart.Series(YourInterest).Marks().Visible() != marks ||
      chart.Series(AlternativeInterest).Marks().Visible() != marks)
    return std::string("the interest marks do not follow Show marks, which is ") +
           (marks ? "on" : "off");
  const int years = soak::YearsOf(inputs_.years);
  if (years >= 1 && years <= 50 && window.TB->maximum() != years - 1)
    return "TB reaches " + std::to_string(window.TB->maximum()) + " for " + std::to_string(years) +
           " years";
  const QString caption = QStringLiteral("%1 years").arg(window.TB->value());
  if (window.lStartLater->text().compare(caption, Qt::CaseInsensitive) != 0)
    return "lStartLater says " + Quoted(window.lStartLater->text()) + " at slider position " +
           std::to_string(window.TB->value());
  if (chart.LeftAxis().Maximum() != soak::TallestStack(expected_))
    return "the value axis tops out at " + Number(chart.LeftAxis().Maximum()) +
           ", the tallest stack is " + Number(soak::TallestStack(expected_));
  return {};
}

// Over a year's bars, or on the keyboard cursor's year, the hint shows that year's figures; off
// them, or on a year a shown strategy does not hold, it is hidden.
Failure Soak::CheckHint(const Step& step) const {
  const bool fills = step.kind == Kind::Pointer || step.kind == Kind::ChartKey ||
                     (step.kind == Kind::FocusMove && QApplication::focusWidget() == window.Chart);
  if (!fills || !hint_.visible) return {};
  if (hint->isVisible() != *hint_.visible)
    return std::string("the year hint is ") + (hint->isVisible() ? "shown" : "hidden") +
           ", expected it " +
           (*hint_.visible ? "shown for year " + std::to_string(hint_.year.value_or(0)) : "hidden");
  if (!*hint_.visible || !hint_.figures) return {};
  const soak::HintFigures shown = ShownFigures();
  if (!(shown == *hint_.figures))
    return "the year hint shows " + Described(shown) + ", expected " + Described(*hint_.figures);
  return {};
}

// What the resting pointer's hint showed before a step that moved neither pointer nor focus, it
// shows after it, whatever recalculated.
Failure Soak::CheckHintRests(const Step& step) const {
  const bool keyboard = focusBefore_ == window.Chart || QApplication::focusWidget() == window.Chart;
  if (step.pointer || step.kind == Kind::ChartKey || step.kind == Kind::Menu ||
      step.kind == Kind::Pointer || step.kind == Kind::Resize || keyboard || !hintBefore_.visible)
    return {};
  if (!hint->isVisible()) return "the year hint went away while the pointer rested";
  if (!(ShownFigures() == hintBefore_.figures))
    return "the year hint changed from " + Described(hintBefore_.figures) + " to " +
           Described(ShownFigures()) + " while the pointer rested";
  return {};
}

}  // namespace penmarrow::ui::soaking
