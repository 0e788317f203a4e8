#pragma once
// The names a screen reader speaks for the window's controls: each input with its caption; the
// descriptions that name the keys a listener cannot see.

#include <initializer_list>

class QLabel;
class QObject;
class QString;
class QWidget;

namespace penmarrow::ui {

// Named for a listener, "Alternative strategy, change regular deposit:", on the field and on its
// caption, so that a reader that names the field by its caption says it once.
void NameForListener(QLabel& caption, QWidget& field, const QString& heading);
// A label whose text another control speaks (a total's caption, the start's years): readers pass
// over it, so that reviewing the screen says it once.
void MarkSpokenElsewhere(QLabel& label);
bool SpokenElsewhere(const QObject& label);
// The keys a listener cannot see: the totals key on every input, the chart's keys on the chart.
void DescribeKeys(QWidget& window, std::initializer_list<QWidget*> inputs, QWidget& chart);
// The keys a listener cannot see, for the help key.
QString KeysHelp();

}  // namespace penmarrow::ui
