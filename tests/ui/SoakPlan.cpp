// The soak's planning: which user actions come, weighted towards the states worth reaching, and
// the steps that carry them out as a user would.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>

#include "tests/ui/SoakRun.h"

namespace penmarrow::ui::soaking {
namespace {

Key Char(char c) { return {std::string("'") + c + "'", Qt::Key_unknown, Qt::NoModifier, c, {}}; }
Key Named(const char* name, Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return {name, code, modifiers, 0, {}};
}
Key Control(const char* name, Qt::Key code, char16_t control) {
  return {name, code, Qt::ControlModifier, 0, QString(QChar(control))};
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
                                   Control("Ctrl+A", Qt::Key_A, 0x01),
                                   Control("Ctrl+Backspace", Qt::Key_Backspace, 0x7f),
                                   {"Alt+5", Qt::Key_5, Qt::AltModifier, '5', {}},
                                   {"Super+5", Qt::Key_5, Qt::MetaModifier, '5', {}}};
const std::vector<Key> StrayCharacters{Char('a'), Char('e'), Char('E'), Char('x'),
                                       Char('.'), Char(','), Char('$'), Char('-'),
                                       Char('+'), Char(' '), Char('('), Char(')')};
const std::vector<Key> SpinKeys{Named("Up", Qt::Key_Up), Named("Down", Qt::Key_Down),
                                Named("PageUp", Qt::Key_PageUp),
                                Named("PageDown", Qt::Key_PageDown)};
const std::vector<Key> SliderKeys{
    Named("Left", Qt::Key_Left),     Named("Right", Qt::Key_Right),
    Named("Up", Qt::Key_Up),         Named("Down", Qt::Key_Down),
    Named("PageUp", Qt::Key_PageUp), Named("PageDown", Qt::Key_PageDown),
    Named("Home", Qt::Key_Home),     Named("End", Qt::Key_End)};
// Letters would search the list against the wall clock, which a replay cannot repeat.
const std::vector<Key> BoxKeys{
    Named("Up", Qt::Key_Up),         Named("Down", Qt::Key_Down),
    Named("Home", Qt::Key_Home),     Named("End", Qt::Key_End),
    Named("PageUp", Qt::Key_PageUp), Named("PageDown", Qt::Key_PageDown)};
const std::vector<Key> ChartKeys{
    Named("Left", Qt::Key_Left),     Named("Right", Qt::Key_Right),      Named("Up", Qt::Key_Up),
    Named("Down", Qt::Key_Down),     Named("Home", Qt::Key_Home),        Named("End", Qt::Key_End),
    Named("PageUp", Qt::Key_PageUp), Named("PageDown", Qt::Key_PageDown)};
const std::vector<QString> ChartCommands{"Copy figures", "Copy chart", ""};  // "" for Escape
const std::vector<QString> MenuActions{"Undo", "Cut", "Copy", "Delete", "Select All"};
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
                                       "x8000000000000000",
                                       "$$2,000",
                                       "2.5e-3",
                                       "99.999"};

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

}  // namespace

void Press(QWidget* target, const Key& key) {
  if (key.character)
    QTest::keyClick(target, key.character, key.modifiers);
  else if (!key.text.isEmpty())
    QTest::sendKeyEvent(QTest::Click, target, key.code, key.text, key.modifiers);
  else
    QTest::keyClick(target, key.code, key.modifiers);
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
      {9, &Soak::PlanAmount},    {6, &Soak::PlanRate},        {6, &Soak::PlanYears},
      {16, &Soak::PlanStrayKey}, {3, &Soak::PlanPaste},       {3, &Soak::PlanMenuAction},
      {9, &Soak::PlanPick},      {2, &Soak::PlanBoxKey},      {4, &Soak::PlanYearsStep},
      {5, &Soak::PlanSlider},    {3, &Soak::PlanAlternative}, {2, &Soak::PlanMarks},
      {3, &Soak::PlanResize},    {12, &Soak::PlanPointer},    {3, &Soak::PlanLeave},
      {4, &Soak::PlanDisabled},  {12, &Soak::PlanChartKeys},  {4, &Soak::PlanChartMenu},
      {4, &Soak::PlanTotalsKey}, {2, &Soak::PlanTableRead}};
  int total = 0;
  for (const Weighted& p : plans) total += p.weight;
  int roll = dice_.Below(total);
  for (const Weighted& p : plans) {
    if (roll < p.weight) return (this->*p.plan)();
    roll -= p.weight;
  }
}

void Soak::PlanAmount() { PlanEntry(dice_.OneOf(MoneyFields()), Amount(dice_)); }
void Soak::PlanRate() { PlanEntry(window.TIntRate, Rate(dice_)); }
void Soak::PlanYears() { PlanEntry(window.seYears, Years(dice_)); }

// Usually over the whole text, as a saver retypes a figure; sometimes inserted at the caret.
void Soak::PlanEntry(QWidget* field, const std::string& keys) {
  const std::string purpose = " (typing '" + keys + "')";
  if (dice_.Chance(80)) {
    const bool fromStart = dice_.Chance(50);
    Queue(KeyInto(field, fromStart ? Named("Home", Qt::Key_Home) : Named("End", Qt::Key_End),
                  purpose));
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
  const bool intoFocus =
      std::find(fields.begin(), fields.end(), focus) != fields.end() && dice_.Chance(50);
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
    if (field == window.seYears && dice_.Chance(50))
      return Labelled("paste",
                      {"paste " + Quoted(text) + " into seYears with Ctrl+V", [field, text] {
                         QApplication::clipboard()->setText(text);
                         Press(field, Control("Ctrl+V", Qt::Key_V, 0x16));
                       }});
    return Labelled("paste",
                    {"paste " + Quoted(text) + " into " + Name(field) + " from its context menu",
                     [field, text] {
                       QApplication::clipboard()->setText(text);
                       ChooseFromMenu(field, QStringLiteral("Paste"));
                     },
                     Kind::Menu});
  }));
}

// The other entries of a field's context menu, each through the menu as a user picks it.
void Soak::PlanMenuAction() {
  QWidget* field = dice_.OneOf(EntryFields());
  const QString action = dice_.OneOf(MenuActions);
  Queue(WhenEnabled(field, [this, field, action] {
    return Labelled(action == "Undo" ? "undo" : "field menu",
                    {"choose " + action.toStdString() + " from the context menu of " + Name(field),
                     [field, action] { ChooseFromMenu(field, action); }, Kind::Menu});
  }));
}

void Soak::PlanPick() {
  TComboBox* box =
      dice_.OneOf(std::vector<TComboBox*>{window.CDefFreq, window.CcompFreq, window.CAltFreq});
  Queue([this, box] {
    if (!box->isEnabled()) return DisabledStep(box);
    // "Continuous" is the last of the compound choices, and only sometimes wanted.
    const int index = box != window.CcompFreq ? dice_.Below(box->count())
                      : dice_.Chance(15)      ? box->count() - 1
                                              : dice_.Below(box->count() - 1);
    const QString name = box->itemText(index);
    return Labelled(
        "pick", {"pick " + Quoted(name) + " in " + Name(box), [box, name] { Pick(box, name); }});
  });
}

void Soak::PlanBoxKey() {
  TComboBox* box =
      dice_.OneOf(std::vector<TComboBox*>{window.CDefFreq, window.CcompFreq, window.CAltFreq});
  Queue(KeyInto(box, dice_.OneOf(BoxKeys)));
}

void Soak::PlanYearsStep() {
  if (dice_.Chance(50)) return Queue(KeyInto(window.seYears, dice_.OneOf(SpinKeys)));
  const int by = dice_.OneOf(std::vector<int>{1, -1, 1, -1, 5, -5, 60, -60});
  Queue([this, by] {
    return Labelled(by > 0 ? "years up" : "years down",
                    {"step seYears by " + std::to_string(by) + " with its arrows",
                     [this, by] { window.seYears->stepBy(by); }});
  });
}

void Soak::PlanSlider() {
  Queue(WhenEnabled(window.TB, [this] { return SliderStep(); }));
}

void Soak::PlanAlternative() {
  // Switch access and voice control toggle the box where the focus is, the chart's included.
  if (dice_.Chance(25))
    return Queue([this] {
      return Labelled(LabelOf(window.chAlternative, nullptr),
                      {"toggle chAlternative by its accessible action", [this] {
                         QAccessible::queryAccessibleInterface(window.chAlternative)
                             ->actionInterface()
                             ->doAction(QAccessibleActionInterface::toggleAction());
                       }});
    });
  Queue(WhenEnabled(window.chAlternative, [this] {
    if (dice_.Chance(25)) return KeyStep(window.chAlternative, Char(' '), Kind::Plain);
    return ClickStep("click chAlternative", window.chAlternative,
                     QPoint(5, window.chAlternative->height() / 2));
  }));
}

void Soak::PlanMarks() {
  Queue([this] {
    return ClickStep("click chMarks", window.chMarks, Inside(window.chMarks->rect()));
  });
}

// The smallest size and a large one often, and near and below the smallest, where the totals and
// the legend rearrange.
void Soak::PlanResize() {
  const QSize smallest = window.minimumSize();
  const int roll = dice_.Below(100);
  const QSize size = roll < 25   ? smallest
                     : roll < 45 ? QSize(dice_.Between(LargeWindow.width(), 1600),
                                         dice_.Between(LargeWindow.height(), 1200))
                     : roll < 65 ? QSize(smallest.width() + dice_.Between(-15, 15),
                                         smallest.height() + dice_.Between(-15, 15))
                     : roll < 75 ? QSize(dice_.Between(1, 400), dice_.Between(1, 400))
                                 : QSize(dice_.Between(smallest.width(), 1600),
                                         dice_.Between(smallest.height(), 1200));
  // Each side stops at the smallest size's.
  const std::string label =
      size.width() <= smallest.width() && size.height() <= smallest.height()
          ? "resize to the smallest size"
      : size.width() >= LargeWindow.width() && size.height() >= LargeWindow.height()
          ? "resize to a large size"
          : "resize";
  Queue([this, size, label] {
    return Labelled(label, {"resize the window to " + std::to_string(size.width()) + "x" +
                                std::to_string(size.height()),
                            [this, size] { window.resize(size); }, Kind::Resize});
  });
}

void Soak::PlanPointer() {
  for (int moves = dice_.Between(1, 6); moves > 0; --moves) Queue([this] { return PointerStep(); });
}

// A few of the chart's keys, with the focus brought to the chart first.
void Soak::PlanChartKeys() {
  for (int keys = dice_.Between(1, 4); keys > 0; --keys)
    Queue([this, key = dice_.OneOf(ChartKeys)] {
      return Focused(window.Chart,
                     [this, key] { return KeyStep(window.Chart, key, Kind::ChartKey); });
    });
}

void Soak::PlanChartMenu() {
  if (dice_.Chance(50)) return Queue([this] { return ChartMenuStep(false); });
  Queue([this] { return Focused(window.Chart, [this] { return ChartMenuStep(true); }); });
}

// The spoken totals, asked for wherever the focus is.
void Soak::PlanTotalsKey() {
  Queue([this] {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    return Labelled("Ctrl+T", {"key Ctrl+T into " + Name(target), [this, target] {
                                 Press(target, Control("Ctrl+T", Qt::Key_T, 0x14));
                                 read_.said = Narration().LastMessage();
                               }});
  });
}

// Every cell of the chart's table, as a screen reader reads it.
void Soak::PlanTableRead() {
  Queue([this] {
    return Labelled("read the year table",
                    {"read the chart's year table", [this] {
                       QAccessibleTableInterface* table =
                           QAccessible::queryAccessibleInterface(window.Chart)->tableInterface();
                       read_.table.emplace();
                       for (int row = 0; row < table->rowCount(); ++row)
                         read_.table->append(RowOf(*table, row));
                     }});
  });
}

void Soak::PlanDisabled() {
  Queue([this] {
    const std::array<QWidget*, 5> lockable{window.TRegDep, window.CDefFreq, window.TAltdep,
                                           window.CAltFreq, window.TB};
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
    return Focused(target, [this, target, key, purpose] {
      return KeyStep(target, key, Kind::Plain, purpose);
    });
  };
}

Intent Soak::WhenEnabled(QWidget* target, const Intent& then) {
  return [this, target, then] {
    return target->isEnabled() ? Focused(target, then) : DisabledStep(target);
  };
}

// Keys and clicks go to the focused control, as a user's do: the focus moves there first, as a
// step of its own, so that leaving the previous field is checked on its own.
Step Soak::Focused(QWidget* target, const Intent& then) {
  if (QApplication::focusWidget() == target) return then();
  plan_.push_front(then);
  return FocusStep(target);
}

Step Soak::FocusStep(QWidget* target) {
  QWidget* from = QApplication::focusWidget();
  // The chart is the tab stop after the years field.
  if (target == window.Chart && Name(from) == "seYears" && dice_.Chance(50))
    return Labelled("focus the chart", KeyStep(from, Named("Tab", Qt::Key_Tab), Kind::FocusMove));
  QWidget* text = target == window.seYears ? window.seYears->findChild<QLineEdit*>()
                                           : dynamic_cast<TEdit*>(target);
  if (!text || dice_.Chance(20))
    return Labelled(target == window.Chart ? "focus the chart" : "focus a field",
                    {"focus " + Name(target) + " as by Tab",
                     [target] { target->setFocus(Qt::TabFocusReason); }, Kind::FocusMove});
  const QPoint at(dice_.Between(2, std::max(2, text->width() - 3)), text->height() / 2);
  return ClickStep("click into " + Name(target), text, at, Kind::FocusMove);
}

Step Soak::KeyStep(QWidget* target, const Key& key, Kind kind, const std::string& purpose) {
  const bool disabled = !target->isEnabled();
  return Labelled(
      LabelOf(target, &key),
      {"key " + key.name + " into " + (disabled ? "disabled " : "") + Name(target) + purpose,
       [this, target, key, kind] {
         if (kind == Kind::ChartKey) read_.chartKey = key.code;
         Press(target, key);
       },
       disabled ? Kind::Disabled : kind});
}

// What a user can still try on a disabled control: keys sent at it and clicks on it.
Step Soak::DisabledStep(QWidget* target) {
  if (dice_.Chance(40))
    return ClickStep("click disabled " + Name(target), target, Inside(target->rect()),
                     Kind::Disabled);
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
                   dice_.Chance(70) ? Named("Tab", Qt::Key_Tab)
                                    : Named("Shift+Tab", Qt::Key_Tab, Qt::ShiftModifier),
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
    return Labelled("slider",
                    {"drag TB to " + std::to_string(to), [slider, to] { slider->setValue(to); }});
  }
  return ClickStep("click TB", slider, Inside(slider->rect()));
}

// A user's click: the pointer moves there first, and the move reaches whatever lies under it.
Step Soak::ClickStep(const std::string& action, QWidget* target, QPoint at, Kind kind) {
  const QPoint to = target->mapToGlobal(at);
  const std::optional<PointerMove> moved =
      to == QCursor::pos() ? std::nullopt
                           : std::optional<PointerMove>(Aim(window.Chart->mapFromGlobal(to)));
  return Labelled(LabelOf(target, nullptr),
                  {action + " at (" + std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")",
                   [target, at] {
                     QTest::mouseMove(target, at);
                     QTest::mouseClick(target, Qt::LeftButton, {}, at);
                   },
                   kind, moved});
}

// QTest takes the null point for the centre of a widget, so it is never chosen.
QPoint Soak::Inside(const QRect& area) {
  const QPoint at(dice_.Between(area.left(), area.right()),
                  dice_.Between(area.top(), area.bottom()));
  return at.isNull() ? QPoint(1, 0) : at;
}

Step Soak::PointerStep() {
  const QPoint at = PointerTarget();
  if (OverChart(at) && dice_.Chance(15))
    return ClickStep("click the chart", window.Chart, at, Kind::Pointer);
  const PointerMove move = Aim(at);
  return Labelled(move.year.year > 0 ? "pointer over a year" : "pointer off the years",
                  {"move the pointer to (" + std::to_string(at.x()) + ", " +
                       std::to_string(at.y()) + ") of the chart",
                   [this, at] { QTest::mouseMove(window.Chart, at); }, Kind::Pointer, move});
}

// The chart's menu opened by a right-click over the chart or, with the chart focused, by the Menu
// key or Shift+F10, then a copy chosen with the keys, or the menu closed with Escape.
Step Soak::ChartMenuStep(bool byKeyboard) {
  const QString command = dice_.OneOf(ChartCommands);
  const std::string label =
      command.isEmpty() ? "close the chart's menu" : command.toLower().toStdString();
  const std::string then =
      command.isEmpty() ? ", close it with Escape" : ", choose " + command.toStdString();
  if (byKeyboard) {
    const bool shiftF10 = dice_.Chance(50);
    return Labelled(label,
                    {std::string("open the chart's menu with ") +
                         (shiftF10 ? "Shift+F10" : "the Menu key") + then,
                     [this, shiftF10, command] {
                       OperateChartMenu(command, [this, shiftF10] {
                         if (shiftF10)
                           return QTest::keyClick(window.Chart, Qt::Key_F10, Qt::ShiftModifier);
                         // What the windowing system hands the window for the Menu key.
                         QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
                         QApplication::sendEvent(window.windowHandle(), &menuKey);
                       });
                     },
                     Kind::Menu});
  }
  QPoint at = Inside(window.Chart->axisRect()->rect());
  for (int attempt = 0; attempt < 4 && !OverChart(at); ++attempt)
    at = Inside(window.Chart->axisRect()->rect());
  return Labelled(label, {"right-click (" + std::to_string(at.x()) + ", " + std::to_string(at.y()) +
                              ") of the chart" + then,
                          [this, at, command] {
                            OperateChartMenu(command, [this, at] {
                              QTest::mouseMove(window.Chart, at);
                              QTest::mouseClick(window.windowHandle(), Qt::RightButton, {},
                                                window.Chart->mapTo(&window, at));
                            });
                          },
                          Kind::Menu, Aim(at)});
}

// Opens the chart's menu, which runs its own event loop until it closes; the command is chosen
// from inside that loop. The clipboard is emptied first, so that what is on it came from here.
void Soak::OperateChartMenu(const QString& command, const std::function<void()>& open) {
  read_.chartMenu = true;
  QGuiApplication::clipboard()->clear();
  QMenu* menu = window.ChartMenu;
  const QMetaObject::Connection shown = QObject::connect(menu, &QMenu::aboutToShow, [&] {
    read_.menuOpened = true;
    QTimer::singleShot(0, menu, [&] {
      QAction* wanted = command.isEmpty() ? nullptr : ActionNamed(*menu, command);
      read_.command = wanted ? command : QString();
      if (wanted)
        PickWithKeys(*menu, *wanted);
      else
        QTest::keyClick(menu, Qt::Key_Escape);
    });
  });
  open();
  QObject::disconnect(shown);
  // A window manager gives the activation back to the window once the menu closes; offscreen does
  // not.
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

std::string Soak::LabelOf(const QWidget* target, const Key* key) const {
  if (!target->isEnabled()) return "disabled control";
  if (key && key->code == Qt::Key_Tab) return "tab";
  if (target == window.Chart) return key ? "chart " + key->name : "click the chart";
  if (target == window.chAlternative)
    return window.chAlternative->isChecked() ? "alternative off" : "alternative on";
  if (target == window.chMarks) return "marks";
  if (target == window.TB) return "slider";
  if (dynamic_cast<const QComboBox*>(target)) return key ? "list key" : "pick";
  if (!key) return "focus a field";
  if (key->name == "Ctrl+Z") return "undo";
  const bool years = Name(target) == "seYears";
  if (years && (key->code == Qt::Key_Up || key->code == Qt::Key_PageUp)) return "years up";
  if (years && (key->code == Qt::Key_Down || key->code == Qt::Key_PageDown)) return "years down";
  return key->character ? "type" : "edit key";
}

// Mostly over the plot, where the bars are; sometimes anywhere on the chart or beyond it.
QPoint Soak::PointerTarget() {
  const QRect chart = window.Chart->rect();
  const QRect plot = window.Chart->axisRect()->rect();
  const int roll = dice_.Below(100);
  const QRect area = roll < 60   ? plot.adjusted(-10, -10, 10, 10)
                     : roll < 85 ? chart
                                 : chart.adjusted(-60, -60, 60, 60);
  QPoint at = Inside(area);
  for (int attempt = 0; attempt < 4 && YearAt(at).ambiguous; ++attempt) at = Inside(area);
  // The place the pointer is at already would send no move at all.
  if (window.Chart->mapToGlobal(at) == QCursor::pos()) at.rx() += 1;
  return at;
}

}  // namespace penmarrow::ui::soaking
