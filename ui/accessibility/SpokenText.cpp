#include "ui/accessibility/SpokenText.h"

#include <QComboBox>
#include <QStringList>

#include "core/KeyEdit.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

QString Lowered(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text;
}

}  // namespace

QString SpokenCaption(const QString& caption) {
  return caption.endsWith(u':') ? caption.chopped(1) : caption;
}

QString Spoken(QString heading, QString caption, const QString& value) {
  const QString phrase =
      SpokenCaption(heading) + QStringLiteral(", ") + Lowered(SpokenCaption(caption));
  return value.isEmpty() ? phrase : phrase + QStringLiteral(", ") + value;
}

QString SpokenAmount(Extended amount) { return ToQString(FormatMoney(amount)); }

QString SpokenFigure(std::size_t figure, Extended amount) {
  return Lowered(FigureNames.at(figure)) + u' ' + SpokenAmount(amount);
}

QString SpokenCellFigure(std::size_t strategy, std::size_t figure, Extended amount) {
  return strategy == 0 ? SpokenFigure(figure, amount)
                       : QStringLiteral("alternative ") + SpokenFigure(figure, amount);
}

QString SpokenFigures(std::size_t strategy, const YearFigures& figures,
                      const FigureChoice& chosen) {
  QStringList spoken;
  const auto shown = figures.Shown();
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (chosen[i]) spoken << SpokenFigure(i, shown[i]);
  return StrategyNames.at(strategy) + QStringLiteral(": ") + spoken.join(QStringLiteral(", "));
}

QString SpokenComparison(const YearFigures& yours, const YearFigures& alternative) {
  // Compared as the window shows them, whole units.
  const QString yoursShown = SpokenAmount(yours.Total());
  const QString alternativeShown = SpokenAmount(alternative.Total());
  if (yoursShown == alternativeShown)
    return QStringLiteral("Both strategies end with the same savings");
  const bool yoursHigher = yours.Total() > alternative.Total();
  const Extended difference =
      yoursHigher ? yours.Total() - alternative.Total() : alternative.Total() - yours.Total();
  return QStringLiteral("%1 ends %2 higher")
      .arg(StrategyNames.at(yoursHigher ? 0 : 1), SpokenAmount(difference));
}

QString SpokenText(const QString& text) {
  if (text.isEmpty()) return QStringLiteral("empty");
  // Speech passes over a full stop at the end of a text.
  if (text.endsWith(u'.')) return (text.chopped(1) + QStringLiteral(" point")).trimmed();
  return text;
}

QString SpokenCharacter(QChar character) {
  static const std::pair<char16_t, const char*> named[] = {
      {u'.', "point"},       {u',', "comma"},           {u'-', "minus"},
      {u'+', "plus"},        {u' ', "space"},           {u'$', "dollar"},
      {u'%', "percent"},     {u'/', "slash"},           {u'*', "star"},
      {u'=', "equals"},      {u'(', "opening bracket"}, {u')', "closing bracket"},
      {u'\'', "apostrophe"}, {u'"', "quote"},           {u'#', "hash"},
      {u'&', "ampersand"},   {u'_', "underscore"},      {u':', "colon"},
      {u';', "semicolon"}};
  for (const auto& [symbol, name] : named)
    if (character == QChar(symbol)) return QString::fromLatin1(name);
  if (character.isLetter()) return QStringLiteral("letter ") + character;
  if (character.isDigit()) return QString(character);
  return QStringLiteral("character ") + character;
}

QString SpokenYears(int years) {
  return years == 1 ? QStringLiteral("1 year") : QStringLiteral("%1 years").arg(years);
}

QString SpokenMoneyLimit() {
  return QStringLiteral("at most ") + SpokenAmount(static_cast<Extended>(MoneyLimit));
}

QString SpokenRateLimit() {
  return QStringLiteral("at most %1 percent").arg(ToQString(FormatRate(RateLimit)));
}

QString SpokenAddress(const QString& shown) {
  return shown.endsWith(u'/') ? shown.chopped(1) : shown;
}

QString SpokenChoice(const QComboBox& box) {
  return QStringLiteral("%1, %2 of %3")
      .arg(box.currentText())
      .arg(box.currentIndex() + 1)
      .arg(box.count());
}

}  // namespace penmarrow::ui
