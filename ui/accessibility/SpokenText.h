#pragma once
// How figures, field texts, keys and choices read aloud: one wording wherever the program speaks
// them, in the narrator's messages, the chart's table and the totals' names.

#include <QString>
#include <array>
#include <optional>

#include "ui/YearFigures.h"

class QComboBox;

namespace penmarrow::ui {

// Heading, caption and value run together as one phrase, "Your strategy:" + "Total savings:" +
// "$2,887" → "Your strategy, total savings, $2,887".
QString Spoken(QString heading, QString caption, const QString& value = {});

// An amount as the window shows it, "$2,887".
QString SpokenAmount(Extended amount);
// One figure, "total savings $2,887".
QString SpokenFigure(std::size_t figure, Extended amount);
// A figure of the chart's table, the alternative's marked: "alternative total savings $2,572".
QString SpokenCellFigure(std::size_t strategy, std::size_t figure, Extended amount);
// A strategy's figures, all or only the chosen ones: "Your strategy: initial deposit $1,000, ...".
using FigureChoice = std::array<bool, FigureNames.size()>;
QString SpokenFigures(std::size_t strategy, const YearFigures& figures,
                      const FigureChoice& chosen = {true, true, true, true});
// Which strategy ends with more savings, and by how much.
QString SpokenComparison(const YearFigures& yours, const YearFigures& alternative);

// A field's text: "." reads "point", an empty field "empty".
QString SpokenText(const QString& text);
// A character in words: "point", "letter a", "space".
QString SpokenCharacter(QChar character);
QString SpokenYears(int years);
// A list's choice with its place: "Monthly, 3 of 5".
QString SpokenChoice(const QComboBox& box);
// A control's caption without its colon: "Compound frequency".
QString SpokenCaption(const QString& caption);
// The limits of the money fields and the rate: "at most $999,999", "at most 99.99 percent".
QString SpokenMoneyLimit();
QString SpokenRateLimit();
// A web address as a link shows it, without the trailing slash speech would read out.
QString SpokenAddress(const QString& shown);

}  // namespace penmarrow::ui
