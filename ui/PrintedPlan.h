#pragma once
// The plan on paper: its inputs and totals, the chart drawn as vectors and the figures of every
// year, laid out for the page size the printer has; the table goes on over further pages.

#include <QString>

#include "plan/Plan.h"
#include "ui/FiguresTable.h"

class QPagedPaintDevice;

namespace penmarrow::ui {

class TChart;

struct PrintedPlan {
  QString fileName;  // the plan's file, when it has one
  Plan plan;
  FiguresTable table;
  TChart& chart;
};

// False when the printer or file could not be opened.
bool PrintPlan(QPagedPaintDevice& device, const PrintedPlan& printed);

}  // namespace penmarrow::ui
