#pragma once
// The frequency lists and the start-later slider as a screen reader hears them: the caption and
// what they show as the name, "Deposit frequency: Monthly, 3 of 5", "Start later: 2 years". The
// caption is no label relation here: a screen reader would speak the label in place of the name,
// and with it the choice would go unheard.

#include <QAccessibleInterface>

namespace penmarrow::ui {

class TComboBox;
class TTrackBar;

QAccessibleInterface* AccessibleList(TComboBox* box);
// The slider also reports its position as a value within its range, which a reader may set.
QAccessibleInterface* AccessibleSlider(TTrackBar* slider);

}  // namespace penmarrow::ui
