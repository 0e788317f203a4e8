#include "ui/FiguresTable.h"

#include <QStringList>
#include <charconv>
#include <limits>

#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

using FigureText = QString (*)(Extended);
const auto FiguresPerStrategy = static_cast<qsizetype>(FigureNames.size());

// Every digit, no sign of currency and no grouping: what spreadsheets read as a number.
QString PlainNumber(Extended value) {
  char digits[std::numeric_limits<Extended>::max_exponent10 + 3];
  const char* end =
      std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, 0).ptr;
  return QString::fromLatin1(digits, end - digits);
}

// Each strategy's name above the first of its figures.
QStringList StrategyHeadings(int strategyCount) {
  QStringList cells{QString()};
  for (int strategy = 0; strategy < strategyCount; ++strategy) {
    cells << StrategyNames[static_cast<std::size_t>(strategy)];
    cells << QStringList(FiguresPerStrategy - 1, QString());
  }
  return cells;
}

QStringList FigureHeadings(int strategyCount) {
  QStringList cells{QStringLiteral("Year")};
  for (int strategy = 0; strategy < strategyCount; ++strategy)
    for (const QString& name : FigureNames) cells << name;
  return cells;
}

QStringList YearCells(const FiguresTable::Row& row, FigureText text) {
  QStringList cells{QString::number(row.year)};
  for (const std::optional<YearFigures>& figures : row.strategies) {
    if (!figures) {
      cells << QStringList(FiguresPerStrategy, QString());
      continue;
    }
    for (const Extended value : figures->Shown()) cells << text(value);
  }
  return cells;
}

// The first cell opens with `first`, the others with `rest`; every text is escaped.
QString HtmlRow(const QStringList& cells, const QString& first, const QString& rest) {
  QString row = QStringLiteral("<tr>");
  for (qsizetype i = 0; i < cells.size(); ++i) {
    const QString& open = i == 0 ? first : rest;
    row +=
        QStringLiteral("<%1>%2</%3>").arg(open, cells[i].toHtmlEscaped(), open.section(u' ', 0, 0));
  }
  return row + QStringLiteral("</tr>\n");
}

}  // namespace

FiguresTable FiguresTableOf(const TChart& chart) {
  FiguresTable table;
  table.strategyCount = ShownStrategies(chart);
  for (int index = 0; index < ShownYears(chart); ++index) {
    FiguresTable::Row row{index + 1, {}};
    for (int strategy = 0; strategy < table.strategyCount; ++strategy)
      row.strategies.push_back(FiguresAt(chart, strategy, index));
    table.rows.push_back(std::move(row));
  }
  return table;
}

QString TabSeparated(const FiguresTable& table) {
  QStringList lines{StrategyHeadings(table.strategyCount).join(u'\t'),
                    FigureHeadings(table.strategyCount).join(u'\t')};
  for (const FiguresTable::Row& row : table.rows) lines << YearCells(row, PlainNumber).join(u'\t');
  return lines.join(u'\n') + u'\n';
}

QString HtmlTable(const FiguresTable& table) {
  const QString th = QStringLiteral("th");
  QString html = QStringLiteral(
      "<meta charset=\"utf-8\">\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
      "<thead>\n<tr><th></th>");
  for (int strategy = 0; strategy < table.strategyCount; ++strategy)
    html += QStringLiteral("<th colspan=\"%1\">%2</th>")
                .arg(FiguresPerStrategy)
                .arg(StrategyNames[static_cast<std::size_t>(strategy)].toHtmlEscaped());
  html += QStringLiteral("</tr>\n") + HtmlRow(FigureHeadings(table.strategyCount), th, th) +
          QStringLiteral("</thead>\n<tbody>\n");
  for (const FiguresTable::Row& row : table.rows)
    html += HtmlRow(YearCells(row, MoneyText), QStringLiteral("td"),
                    QStringLiteral("td align=\"right\""));
  return html + QStringLiteral("</tbody>\n</table>\n");
}

}  // namespace penmarrow::ui
