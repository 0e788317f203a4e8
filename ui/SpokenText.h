#pragma once
// How a figure reads aloud: its heading, caption and value run together as one phrase,
// "Your strategy:" + "Total savings:" + "$2,887" → "Your strategy, total savings, $2,887".

#include <QString>

namespace penmarrow::ui {

inline QString Spoken(QString heading, QString caption, const QString& value = {}) {
  for (QString* part : {&heading, &caption})
    if (part->endsWith(u':')) part->chop(1);
  if (!caption.isEmpty()) caption[0] = caption[0].toLower();
  QString phrase = heading + QStringLiteral(", ") + caption;
  return value.isEmpty() ? phrase : phrase + QStringLiteral(", ") + value;
}

// The start-later label's caption for a slider position: "3 years", "1 years" alike.
inline QString StartLaterText(int position) { return QStringLiteral("%1 years").arg(position); }

}  // namespace penmarrow::ui
