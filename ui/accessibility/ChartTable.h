#pragma once
// The savings chart as screen readers see it: a table with one row per year shown, the year as the
// row's header, then each shown strategy's initial deposit, regular deposits, total interest and
// total savings, each cell naming its figure. The chart's keyboard cursor (ChartCursor) picks the
// cell that takes the focus for screen readers, also when the chart takes the focus again or its
// menu closes. On screen the table shows one row, as a table scrolled to it would: the cursor's
// year, or the last year, its cells in reading order along the chart's bottom edge, one line below
// the inputs, so that reviewing the screen line by line reads one year there. The other rows and
// the headings lie off the screen.

#include <QAccessibleWidget>
#include <QHash>
#include <QPoint>
#include <QPointer>
#include <optional>

#include "ui/ChartCursor.h"
#include "ui/platform/SavingsChart.h"

namespace penmarrow::ui {

class ChartTable : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit ChartTable(TChart* chart);
  ~ChartTable() override;

  TChart* Chart() const { return static_cast<TChart*>(widget()); }
  QString CellText(int row, int column) const;
  QRect CellRect(int row, int column) const;
  // Row -1 holds the column headings; cells stay registered until the chart is drawn anew.
  QAccessibleInterface* Cell(int row, int column) const;
  // The current cell as (column, row), or none before the first arrow key.
  std::optional<QPoint> Current() const;
  bool IsFocused(int row, int column) const;

  // QAccessibleInterface
  QAccessible::Role role() const override { return QAccessible::Table; }
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int rowCount() const override;
  int columnCount() const override;
  QString columnDescription(int column) const override { return CellText(-1, column); }
  QString rowDescription(int row) const override { return CellText(row, 0); }
  // Nothing in the chart can be selected.
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // Cells read the series when asked, so a changed chart needs no bookkeeping here.
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  int CellCount() const { return rowCount() * columnCount(); }
  // The row on the screen: the cursor's, or the last.
  int ShownRow() const;
  void TellFocus(QPoint cell) const;
  void TellCurrent() const;
  void TellNewShape();
  void ForgetCells();

  mutable QHash<int, QAccessible::Id> cells_;
  QSize shape_;  // columns and rows as readers last learnt them
  QPointer<ChartCursor> cursor_;
  QPointer<QObject> menuWatch_;
  QMetaObject::Connection cursorMoved_;
  QMetaObject::Connection focusTaken_;
  QMetaObject::Connection replotted_;
};

}  // namespace penmarrow::ui
