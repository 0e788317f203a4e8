#pragma once
// A grid of percentage columns and rows with one control per cell, placed with per-cell margins.

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace penmarrow::ui {

class TGridPanel : public QWidget {
  Q_OBJECT

 public:
  enum class Placement { Fill, LeftEdge };

  TGridPanel(std::vector<double> columnPercents, std::vector<double> rowPercents,
             QWidget* parent = nullptr);
  void AddCell(QWidget* control, int column, int row, QMargins margins, Placement placement);
  // Places the cells for the current size; hidden controls are placed too.
  void Arrange();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Cell {
    QPointer<QWidget> control;
    int column;
    int row;
    QMargins margins;
    Placement placement;
  };
  static std::vector<int> Edges(const std::vector<double>& percents, int length);

  std::vector<double> columns_;
  std::vector<double> rows_;
  std::vector<Cell> cells_;
};

}  // namespace penmarrow::ui
