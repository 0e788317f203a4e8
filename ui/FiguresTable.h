#pragma once
// The figures of every year the chart shows, to take along: tab-separated plain numbers that
// spreadsheets split into cells, and an HTML table with money texts that word processors paste.

#include <QString>
#include <optional>
#include <vector>

#include "ui/YearFigures.h"

namespace penmarrow::ui {

struct FiguresTable {
  struct Row {
    int year;
    // One entry per strategy; none where its series hold no point for the year.
    std::vector<std::optional<YearFigures>> strategies;
  };
  int strategyCount = 1;
  std::vector<Row> rows;
};

// One row for each year the chart shows.
FiguresTable FiguresTableOf(const TChart& chart);

QString TabSeparated(const FiguresTable& table);
QString HtmlTable(const FiguresTable& table);

}  // namespace penmarrow::ui
