#include "ui/ChartTable.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>

#include "core/MoneyText.h"
#include "ui/SpokenText.h"
#include "ui/YearFigures.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

constexpr int MostColumns = 1 + ChartTable::FiguresPerStrategy * 2;

// One cell of the table, or a column heading when its row is -1.
class ChartCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  ChartCell(const ChartTable* table, int row, int column) : table_(table), row_(row), column_(column) {}

  bool isValid() const override {
    return table_->Chart() && row_ < table_->rowCount() && column_ < table_->columnCount();
  }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override { return const_cast<ChartTable*>(table_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && isValid() ? table_->CellText(row_, column_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return isValid() ? table_->CellRect(row_, column_) : QRect(); }
  QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    state.invisible = !isValid();
    state.focusable = row_ >= 0;
    state.focused = table_->IsFocused(row_, column_);
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    const bool cell = type == QAccessible::TableCellInterface && row_ >= 0;
    return cell ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {table_->Cell(-1, column_)}; }
  // The year names the row of every figure in it.
  QList<QAccessibleInterface*> rowHeaderCells() const override {
    if (column_ == 0) return {};
    return {table_->Cell(row_, 0)};
  }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return const_cast<ChartTable*>(table_); }

  const ChartTable* Table() const { return table_; }
  int Row() const { return row_; }
  int Column() const { return column_; }

 private:
  const ChartTable* table_;
  int row_;
  int column_;
};

// Moves the table's current cell with the arrow keys, Home and End (the row's ends), Page Up and
// Page Down (the first and last year) while the chart has the focus, and tells screen readers.
class TableCursor : public QObject {
 public:
  explicit TableCursor(TChart* chart) : QObject(chart), chart_(chart) {
    setObjectName(Name());
    chart->installEventFilter(this);
  }
  static QString Name() { return QStringLiteral("penmarrow-table-cursor"); }

  std::optional<QPoint> current;  // column, row

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* table = dynamic_cast<ChartTable*>(QAccessible::queryAccessibleInterface(chart_));
    if (!table || table->rowCount() == 0) return false;
    const auto target = Moved(static_cast<QKeyEvent*>(event)->key(), *table);
    if (!target) return false;
    current = *target;
    if (QAccessible::isActive()) {
      QAccessibleEvent focus(table->Cell(target->y(), target->x()), QAccessible::Focus);
      QAccessible::updateAccessibility(&focus);
    }
    return true;
  }

 private:
  static std::optional<QPoint> Moved(int key, const ChartTable& table) {
    const QPoint last(table.columnCount() - 1, table.rowCount() - 1);
    const QPoint from = table.Current().value_or(QPoint(-1, -1));
    QPoint to = from;
    switch (key) {
      case Qt::Key_Left: to.rx() -= 1; break;
      case Qt::Key_Right: to.rx() += 1; break;
      case Qt::Key_Up: to.ry() -= 1; break;
      case Qt::Key_Down: to.ry() += 1; break;
      case Qt::Key_Home: to.rx() = 0; break;
      case Qt::Key_End: to.rx() = last.x(); break;
      case Qt::Key_PageUp: to.ry() = 0; break;
      case Qt::Key_PageDown: to.ry() = last.y(); break;
      default: return std::nullopt;
    }
    return QPoint(std::clamp(to.x(), 0, last.x()), std::clamp(to.y(), 0, last.y()));
  }

  TChart* chart_;
};

QAccessibleInterface* ChartTableFactory(const QString&, QObject* object) {
  auto* chart = dynamic_cast<TChart*>(object);
  return chart ? new ChartTable(chart) : nullptr;
}

// Which strategy and which of its figures a column past the year shows.
struct FigureColumn {
  std::size_t strategy;
  std::size_t figure;
  int FirstSeries() const { return static_cast<int>(strategy) * SeriesPerStrategy; }
};

FigureColumn PlaceOf(int column) {
  const auto index = static_cast<std::size_t>(std::max(column - 1, 0));
  return {index / ChartTable::FiguresPerStrategy, index % ChartTable::FiguresPerStrategy};
}

}  // namespace

void InstallChartTable() {
  static const bool installed = (QAccessible::installFactory(ChartTableFactory), true);
  (void)installed;
}

ChartTable::ChartTable(TChart* chart)
    : QAccessibleWidget(chart, QAccessible::Table),
      cursor_(chart->findChild<QObject*>(TableCursor::Name(), Qt::FindDirectChildrenOnly)) {
  if (!cursor_) cursor_ = new TableCursor(chart);
  QObject::connect(chart, &QCustomPlot::afterReplot, chart, [chart] {
    if (!QAccessible::isActive()) return;
    QAccessibleTableModelChangeEvent event(chart, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
  });
}

ChartTable::~ChartTable() {
  for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
}

int ChartTable::rowCount() const { return Chart() ? Chart()->Series(YourSeries).Count() : 0; }

int ChartTable::StrategyCount() const {
  return Chart() && Chart()->Series(AlternativeSeries).Count() > 0 ? 2 : 1;
}

QString ChartTable::CellText(int row, int column) const {
  const FigureColumn place = PlaceOf(column);
  if (row < 0) return column == 0 ? QStringLiteral("Year") : Spoken(StrategyNames[place.strategy], FigureNames[place.figure]);
  if (column == 0) return QString::number(row + 1);
  // After a failed recalculation the alternative may hold fewer years than your strategy.
  if (row >= Chart()->Series(place.FirstSeries() + SeriesPerStrategy - 1).Count()) return {};
  return ToQString(FormatMoney(FiguresOf(*Chart(), place.FirstSeries(), row).Shown()[place.figure]));
}

QRect ChartTable::CellRect(int row, int column) const {
  // A grid over the chart, the headings in the top band: reviewing the screen line by line reads
  // the table row by row.
  const QSize area = Chart()->size();
  const int bands = rowCount() + 1;
  const QPoint topLeft(area.width() * column / columnCount(), area.height() * (row + 1) / bands);
  const QPoint bottomRight(area.width() * (column + 1) / columnCount(), area.height() * (row + 2) / bands);
  return QRect(Chart()->mapToGlobal(topLeft), Chart()->mapToGlobal(bottomRight - QPoint(1, 1)));
}

std::optional<QPoint> ChartTable::Current() const {
  const auto* cursor = static_cast<TableCursor*>(cursor_.data());
  if (!cursor || !cursor->current || rowCount() == 0) return std::nullopt;
  return QPoint(std::min(cursor->current->x(), columnCount() - 1), std::min(cursor->current->y(), rowCount() - 1));
}

bool ChartTable::IsFocused(int row, int column) const {
  return Chart() && Chart()->hasFocus() && Current() == QPoint(column, row);
}

QAccessibleInterface* ChartTable::focusChild() const {
  const auto current = Current();
  return current && Chart()->hasFocus() ? Cell(current->y(), current->x()) : nullptr;
}

QAccessibleInterface* ChartTable::Cell(int row, int column) const {
  const int key = (row + 1) * MostColumns + column;
  auto found = cells_.constFind(key);
  if (found == cells_.cend())
    found = cells_.insert(key, QAccessible::registerAccessibleInterface(new ChartCell(this, row, column)));
  return QAccessible::accessibleInterface(*found);
}

QAccessibleInterface* ChartTable::cellAt(int row, int column) const {
  const bool inside = row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
  return inside ? Cell(row, column) : nullptr;
}

// The cells row by row, then the column headings, then the controls inside the chart.
int ChartTable::childCount() const { return CellCount() + columnCount() + QAccessibleWidget::childCount(); }

QAccessibleInterface* ChartTable::child(int index) const {
  if (index < 0) return nullptr;
  if (index < CellCount()) return Cell(index / columnCount(), index % columnCount());
  if (index < CellCount() + columnCount()) return Cell(-1, index - CellCount());
  return QAccessibleWidget::child(index - CellCount() - columnCount());
}

int ChartTable::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = dynamic_cast<const ChartCell*>(child);
  if (!cell || cell->Table() != this) {
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget < 0 ? -1 : CellCount() + columnCount() + widget;
  }
  if (!cell->isValid()) return -1;
  return cell->Row() < 0 ? CellCount() + cell->Column() : cell->Row() * columnCount() + cell->Column();
}

void* ChartTable::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

}  // namespace penmarrow::ui
