#include "ui/accessibility/ChartTable.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>

#include "ui/ChartCursor.h"
#include "ui/YearFigures.h"
#include "ui/accessibility/DevicePixels.h"
#include "ui/accessibility/SpokenText.h"

namespace penmarrow::ui {
namespace {

constexpr int MostColumns = 1 + ChartCursor::FiguresPerStrategy * 2;

// One cell of the table, or a column heading when its row is -1.
class ChartCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  ChartCell(const ChartTable* table, int row, int column)
      : table_(table), row_(row), column_(column) {}

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
  QRect rect() const override {
    return isValid() ? DevicePixels(*table_->Chart(), table_->CellRect(row_, column_)) : QRect();
  }
  // The year stays a cell, so that a screen reader reads its whole row when it takes the focus.
  QAccessible::Role role() const override {
    return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
  }
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
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    return {table_->Cell(-1, column_)};
  }
  // The year heads its row, itself included: Qt answers a reader's question for a row's header
  // from the row's first cell.
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {table_->Cell(row_, 0)}; }
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

// Which strategy and which of its figures a column past the year shows.
struct FigureColumn {
  std::size_t strategy;
  std::size_t figure;
};

FigureColumn PlaceOf(int column) {
  const auto index = static_cast<std::size_t>(std::max(column - 1, 0));
  return {index / ChartCursor::FiguresPerStrategy, index % ChartCursor::FiguresPerStrategy};
}

// Runs a call whenever a pop-up, the chart's menu, gives the focus back to the chart: Qt tells
// readers nothing then, as the chart never lost the focus, and they stay on the window.
class MenuWatch : public QObject {
 public:
  MenuWatch(QWidget& chart, std::function<void()> closed)
      : QObject(&chart), closed_(std::move(closed)) {
    chart.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
      closed_();
    return false;
  }

 private:
  std::function<void()> closed_;
};

}  // namespace

ChartTable::ChartTable(TChart* chart)
    : QAccessibleWidget(chart, QAccessible::Table), cursor_(&ChartCursor::Of(*chart)) {
  // The cursor's cell takes the focus for screen readers.
  cursorMoved_ = QObject::connect(cursor_, &ChartCursor::Moved, chart,
                                  [this](QPoint cell) { TellFocus(cell); });
  // Qt tells of the table's focus after this signal; the current cell, if any, follows it.
  focusTaken_ = QObject::connect(qApp, &QApplication::focusChanged, chart,
                                 [this, chart](QWidget*, QWidget* now) {
                                   if (now == chart)
                                     QTimer::singleShot(0, chart, [this] {
                                       if (Current()) TellCurrent();
                                     });
                                 });
  menuWatch_ = new MenuWatch(
      *chart, [this, chart] { QTimer::singleShot(0, chart, [this] { TellCurrent(); }); });
  shape_ = QSize(columnCount(), rowCount());
  // New figures come in cells of their own: a reader that keeps what it read of a cell would
  // otherwise repeat old figures.
  replotted_ = QObject::connect(chart, &QCustomPlot::afterReplot, chart, [this, chart] {
    ForgetCells();
    if (!QAccessible::isActive()) return;
    QAccessibleTableModelChangeEvent event(chart, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
    TellNewShape();
  });
}

ChartTable::~ChartTable() {
  QObject::disconnect(cursorMoved_);
  QObject::disconnect(focusTaken_);
  QObject::disconnect(replotted_);
  delete menuWatch_;
  ForgetCells();
}

void ChartTable::TellNewShape() {
  const QSize shape(columnCount(), rowCount());
  if (std::exchange(shape_, shape) == shape || shape.isEmpty()) return;
  // Qt's AT-SPI bridge passes table model changes over, and a reader keeps a table's counts until
  // it hears of a child added: a cell of the new shape tells it.
  QAccessibleEvent added(Cell(0, 0), QAccessible::ObjectCreated);
  QAccessible::updateAccessibility(&added);
}

void ChartTable::ForgetCells() {
  for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
  cells_.clear();
}

void ChartTable::TellFocus(QPoint cell) const {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent focus(Cell(cell.y(), cell.x()), QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

// The current cell, or the table before the first arrow key, has the focus.
void ChartTable::TellCurrent() const {
  if (!Chart()->hasFocus() || !QAccessible::isActive()) return;
  if (const auto current = Current()) return TellFocus(*current);
  QAccessibleEvent focus(Chart(), QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

int ChartTable::rowCount() const { return cursor_ ? cursor_->RowCount() : 0; }

int ChartTable::columnCount() const { return cursor_ ? cursor_->ColumnCount() : 1; }

QString ChartTable::CellText(int row, int column) const {
  const FigureColumn place = PlaceOf(column);
  if (row < 0)
    return column == 0 ? QStringLiteral("Year")
                       : Spoken(StrategyNames[place.strategy], FigureNames[place.figure]);
  if (column == 0) return QStringLiteral("Year %1").arg(row + 1);
  // After a failed recalculation a strategy may hold fewer years than the chart shows.
  const auto figures = FiguresAt(*Chart(), static_cast<int>(place.strategy), row);
  if (!figures) return {};
  // Read row by row, every figure names itself.
  return SpokenCellFigure(place.strategy, place.figure, figures->Shown()[place.figure]);
}

int ChartTable::ShownRow() const {
  const auto current = Current();
  return current ? current->y() : rowCount() - 1;
}

QRect ChartTable::CellRect(int row, int column) const {
  // Off the screen, above and left of its top left corner, where readers look for nothing.
  if (row != ShownRow()) return QRect(-2, -2, 1, 1);
  // The row's cells side by side along the chart's last pixel row.
  const int width = Chart()->width();
  const int left = width * column / columnCount();
  const int right = std::max(left + 1, width * (column + 1) / columnCount());
  return QRect(Chart()->mapToGlobal(QPoint(left, Chart()->height() - 1)), QSize(right - left, 1));
}

std::optional<QPoint> ChartTable::Current() const {
  return cursor_ ? cursor_->Current() : std::nullopt;
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
    found = cells_.insert(
        key, QAccessible::registerAccessibleInterface(new ChartCell(this, row, column)));
  return QAccessible::accessibleInterface(*found);
}

QAccessibleInterface* ChartTable::cellAt(int row, int column) const {
  const bool inside = row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
  return inside ? Cell(row, column) : nullptr;
}

// The cells row by row, then the column headings, then the controls inside the chart.
int ChartTable::childCount() const {
  return CellCount() + columnCount() + QAccessibleWidget::childCount();
}

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
  return cell->Row() < 0 ? CellCount() + cell->Column()
                         : cell->Row() * columnCount() + cell->Column();
}

void* ChartTable::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

}  // namespace penmarrow::ui
