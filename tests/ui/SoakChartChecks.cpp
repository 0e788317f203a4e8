// The soak's checks of what reads the chart's series back: the keyboard cursor, the year table,
// the hint on the cursor's year, the copied figures and the spoken totals. Each must agree with the
// series and show no year the chart does not show.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <stdexcept>

#include "core/MoneyText.h"
#include "tests/ui/SoakRun.h"
#include "ui/ChartCursor.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui::soaking {
namespace {

const std::array<QString, 4> FigureWords{"initial deposit", "regular deposits", "total interest",
                                         "total savings"};

QString Money(Extended value) { return ToQString(FormatMoney(value)); }

// Every digit of a whole amount, as a spreadsheet reads it.
QString PlainDigits(Extended value) {
  char digits[std::numeric_limits<Extended>::max_exponent10 + 3];
  const char* end =
      std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, 0).ptr;
  return QString::fromLatin1(digits, end - digits);
}

std::string Cell(QPoint cell) {
  return "year " + std::to_string(cell.y() + 1) + ", column " + std::to_string(cell.x());
}

QPoint Moved(QPoint from, Qt::Key key, QPoint last) {
  switch (key) {
    case Qt::Key_Left: from.rx() -= 1; break;
    case Qt::Key_Right: from.rx() += 1; break;
    case Qt::Key_Up: from.ry() -= 1; break;
    case Qt::Key_Down: from.ry() += 1; break;
    case Qt::Key_Home: from.rx() = 0; break;
    case Qt::Key_End: from.rx() = last.x(); break;
    case Qt::Key_PageUp: from.ry() = 0; break;
    default: from.ry() = last.y(); break;  // Page Down
  }
  return {std::clamp(from.x(), 0, last.x()), std::clamp(from.y(), 0, last.y())};
}

// The copied table's rows below its two heading rows, cell by cell.
QList<QStringList> PlainRows(const QString& text) {
  QList<QStringList> rows;
  for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) rows << line.split(u'\t');
  return rows.mid(2);
}
QList<QStringList> HtmlRows(const QString& html) {
  static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"),
                                      QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression cell(QStringLiteral("<t[dh][^>]*>(.*?)</t[dh]>"));
  QList<QStringList> rows;
  for (auto r = row.globalMatch(html); r.hasNext();) {
    rows.append(QStringList());
    for (auto c = cell.globalMatch(r.next().captured(1)); c.hasNext();)
      rows.back() << c.next().captured(1);
  }
  return rows.mid(2);
}

std::string Rows(const QList<QStringList>& rows) {
  std::string text;
  for (const QStringList& row : rows) text += "\n      " + row.join(u" | ").toStdString();
  return text;
}

}  // namespace

QStringList RowOf(QAccessibleTableInterface& table, int row) {
  QStringList cells;
  for (int column = 0; column < table.columnCount(); ++column) {
    QAccessibleInterface* cell = table.cellAt(row, column);
    cells << (cell ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>"));
  }
  return cells;
}

Narrator& Soak::Narration() const {
  for (QObject* child : window.children())
    if (auto* narrator = dynamic_cast<Narrator*>(child)) return *narrator;
  throw std::logic_error("the window has no narrator");
}

// A figure of the year (row) of a strategy, while all three of its series hold that year.
std::optional<Extended> Soak::Figure(int row, int strategy, int figure) const {
  const int first = strategy * SeriesPerStrategy;
  if (row >= soak::HeldYears(expected_, first)) return std::nullopt;
  const auto value = [&](int series) {
    return static_cast<Extended>(window.Chart->Series(first + series).YValue(row));
  };
  if (figure < SeriesPerStrategy) return value(figure);
  return value(0) + (value(1) + value(2));
}

QString Soak::CellWanted(int row, int column) const {
  if (column == 0) return QStringLiteral("Year %1").arg(row + 1);
  const int strategy = (column - 1) / 4;
  const auto value = Figure(row, strategy, (column - 1) % 4);
  if (!value) return {};
  return (strategy == 1 ? QStringLiteral("alternative ") : QString()) +
         FigureWords[static_cast<std::size_t>((column - 1) % 4)] + u' ' + Money(*value);
}

// The cell shrinks with the chart and stays there; a key moves it within the chart's grid.
void Soak::UpdateCursor() {
  const QPoint last(ShownColumns() - 1, ShownYears() - 1);
  if (last.y() < 0) return;
  if (cursor_)
    *cursor_ = QPoint(std::min(cursor_->x(), last.x()), std::min(cursor_->y(), last.y()));
  if (!read_.chartKey) return;
  const Qt::Key key = *read_.chartKey;
  if (cursor_) {
    *cursor_ = Moved(*cursor_, key, last);
    return;
  }
  // Where the first key places the cell is the cursor's choice, but the ends are the ends.
  const auto placed = ChartCursor::Of(*window.Chart).Current();
  cursor_ = placed.value_or(QPoint(-1, -1));
  const bool arrow =
      key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  if (placed && !arrow) cursor_ = Moved(*placed, key, last);
}

// The cursor's year, when every shown strategy holds it; without a cell, whether the pointer's hint
// stays is the window's choice.
void Soak::UpdateHintFromCursor() {
  const auto cell = ChartCursor::Of(*window.Chart).Current();
  if (!cell) return hint_.Unknown();
  const int year = cell->y() + 1;
  const bool held = soak::HeldByAll(expected_, year, inputs_.alternative);
  hint_.year = year;
  hint_.visible = held;
  hint_.byKeyboard = held;
  hint_.figures.reset();
  if (held) hint_.figures = soak::FiguresOfYear(expected_, year, inputs_.alternative);
}

Failure Soak::CheckCursor() const {
  const auto cell = ChartCursor::Of(*window.Chart).Current();
  if (cell && (cell->y() >= ShownYears() || cell->x() >= ShownColumns()))
    return "the chart's cursor stands on " + Cell(*cell) + ", but the chart shows " +
           std::to_string(ShownYears()) + " years and " + std::to_string(ShownColumns()) +
           " columns";
  if (cursor_ && cell != cursor_)
    return "the chart's cursor stands on " + (cell ? Cell(*cell) : "no cell") + ", expected " +
           Cell(*cursor_);
  return {};
}

// One row per year shown, the year and four figures per shown strategy: all of it when a step
// read it, otherwise the first and last rows and the cursor's.
Failure Soak::CheckTable() const {
  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(window.Chart)->tableInterface();
  const int years = ShownYears();
  if (table->rowCount() != years || table->columnCount() != ShownColumns())
    return "the year table has " + std::to_string(table->rowCount()) + " rows and " +
           std::to_string(table->columnCount()) + " columns, the chart shows " +
           std::to_string(years) + " years and " + std::to_string(ShownColumns()) + " columns";
  std::vector<int> rows{0, years - 1};
  if (const auto cell = ChartCursor::Of(*window.Chart).Current()) rows.push_back(cell->y());
  if (read_.table) {
    if (read_.table->size() != years)
      return "reading the year table gave " + std::to_string(read_.table->size()) + " rows";
    rows.resize(static_cast<std::size_t>(years));
    std::iota(rows.begin(), rows.end(), 0);
  }
  for (const int row : rows) {
    if (row < 0 || row >= years) continue;
    const QStringList cells = read_.table ? read_.table->at(row) : RowOf(*table, row);
    for (int column = 0; column < ShownColumns(); ++column)
      if (cells.value(column) != CellWanted(row, column))
        return "the year table's cell (" + std::to_string(row) + ", " + std::to_string(column) +
               ") reads " + Quoted(cells.value(column)) + ", expected " +
               Quoted(CellWanted(row, column));
  }
  return {};
}

// The chart's menu opened; Copy figures put every year the chart shows on the clipboard in both
// forms, Copy chart the chart's picture, Escape nothing.
Failure Soak::CheckCopy() const {
  if (!read_.chartMenu) return {};
  if (!read_.command)
    return read_.menuOpened ? "the chart's menu closed before a command was chosen"
                            : "the chart's menu did not open";
  const QClipboard& clipboard = *QGuiApplication::clipboard();
  const QMimeData* copied = clipboard.mimeData();
  const bool empty = !copied || copied->formats().isEmpty();
  if (read_.command->isEmpty())
    return empty ? Failure()
                 : "closing the chart's menu with Escape put something on the clipboard";
  if (empty) return "the chart's " + read_.command->toStdString() + " put nothing on the clipboard";
  if (*read_.command == "Copy chart") {
    const QSize size = clipboard.image().size();
    if (size != window.Chart->size() * window.Chart->devicePixelRatioF())
      return "Copy chart put a picture of " + std::to_string(size.width()) + "x" +
             std::to_string(size.height()) + " on the clipboard";
    return {};
  }
  const int strategies = inputs_.alternative ? 2 : 1;
  QList<QStringList> plain, html;
  for (int row = 0; row < ShownYears(); ++row) {
    plain.append(QStringList{QString::number(row + 1)});
    html.append(plain.back());
    for (int column = 1; column < 1 + 4 * strategies; ++column) {
      const auto value = Figure(row, (column - 1) / 4, (column - 1) % 4);
      plain.back() << (value ? PlainDigits(*value) : QString());
      html.back() << (value ? Money(*value) : QString());
    }
  }
  const QList<QStringList> copiedPlain = PlainRows(copied->text());
  const QList<QStringList> copiedHtml = HtmlRows(copied->html());
  if (copiedPlain != plain)
    return "Copy figures put " + std::to_string(copiedPlain.size()) +
           " years as text:" + Rows(copiedPlain) + "\n    expected " +
           std::to_string(plain.size()) + ":" + Rows(plain);
  if (copiedHtml != html)
    return "Copy figures put " + std::to_string(copiedHtml.size()) +
           " years as HTML:" + Rows(copiedHtml) + "\n    expected " + std::to_string(html.size()) +
           ":" + Rows(html);
  return {};
}

// Ctrl+T speaks your strategy's totals and, while the window shows them, the alternative's, each
// as its panel shows them; totals an overflow kept are said to be from before it, and only totals
// of the same inputs are compared.
Failure Soak::CheckSpokenTotals() const {
  if (!read_.said) return {};
  const QString& said = *read_.said;
  const std::array<const TotalsPanel*, 2> panels{&window.Totals1, &window.Totals2};
  const std::array<bool, 2> spoken{true, alternativeSpoken_};
  const std::array<bool, 2> current{
      !expected_.yoursOverflowed,
      !expected_.yoursOverflowed && inputs_.alternative && !expected_.alternativeOverflowed};
  const QString stale = QStringLiteral("Totals from before the error");
  const std::string heard = "Ctrl+T says " + Quoted(said);
  bool anyStale = false;
  for (std::size_t s = 0; s < 2; ++s) {
    const QString name = StrategyNames[s] + QStringLiteral(": ");
    if (!spoken[s]) {
      if (said.contains(name)) return heard + ", but the window shows no alternative totals";
      continue;
    }
    const QStringList captions = Captions(*panels[s]);
    QStringList figures;
    for (std::size_t f = 0; f < 4; ++f)
      figures << FigureWords[f] + u' ' + captions[static_cast<qsizetype>(f)];
    const QString phrase = name + figures.join(QStringLiteral(", "));
    const qsizetype at = said.indexOf(phrase);
    if (at < 0) return heard + ", without " + Quoted(phrase);
    if (current[s]) continue;
    anyStale = true;
    const qsizetype staleAt = said.indexOf(stale);
    if (staleAt < 0 || staleAt > at)
      return heard + ", not saying before " + Quoted(name) +
             " that its totals are from before the error";
  }
  if (!anyStale && said.contains(stale))
    return heard + ", while every spoken total is the last recalculation's";
  const bool compares = said.contains(QStringLiteral(" higher")) ||
                        said.contains(QStringLiteral("Both strategies end with the same savings"));
  if (spoken[1] && current[0] && current[1]) {
    const int last = soak::YearsOf(inputs_.years) - 1;
    const auto yourTotal = Figure(last, 0, 3), alternativeTotal = Figure(last, 1, 3);
    if (!yourTotal || !alternativeTotal) return heard + ", but the series end before the last year";
    const Extended yours = *yourTotal, alternative = *alternativeTotal;
    const QString comparison =
        Money(yours) == Money(alternative)
            ? QStringLiteral("Both strategies end with the same savings")
            : StrategyNames[yours > alternative ? 0 : 1] + QStringLiteral(" ends ") +
                  Money(yours > alternative ? yours - alternative : alternative - yours) +
                  QStringLiteral(" higher");
    if (!said.contains(comparison)) return heard + ", without " + Quoted(comparison);
  } else if (compares) {
    return heard + ", comparing totals of different inputs";
  }
  static const QRegularExpression scientific(QStringLiteral("[0-9]E[0-9]"));
  const bool captionsScientific =
      (Captions(window.Totals1) + Captions(window.Totals2)).join(u' ').contains(scientific);
  if (said.contains(scientific) && !captionsScientific)
    return heard + ", a number in scientific form no caption shows";
  return {};
}

}  // namespace penmarrow::ui::soaking
