#pragma once
// The frequency lists and the start-later slider as a screen reader hears them: their caption and
// what they show, "Deposit frequency: Monthly, 3 of 5", "Start later: 2 years". From Qt 6.8 the
// caption is the name and what they show the value's text (ListNameHoldsChoice below). The
// caption is no label relation here: a screen reader would speak the label in place of the name,
// and with it the choice would go unheard.

#include <QAccessibleInterface>

namespace penmarrow::ui {

// Workaround, Qt before 6.8: readers learn a control's value text only from its name, so the
// lists' names hold their caption and their choice. Goes once Qt 6.8 is the oldest Qt built with.
inline constexpr bool ListNameHoldsChoice = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);

class TComboBox;
class TTrackBar;

QAccessibleInterface* AccessibleList(TComboBox* box);
// The slider also reports its position as a value within its range, which a reader may set.
QAccessibleInterface* AccessibleSlider(TTrackBar* slider);

}  // namespace penmarrow::ui
