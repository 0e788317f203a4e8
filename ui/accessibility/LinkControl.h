#pragma once
// The label at the bottom of the window as a screen reader meets it: a link named by its text,
// which the reader can follow although the keyboard's Tab never reaches it.

#include <QAccessibleInterface>

namespace penmarrow::ui {

class TLinkLabel;

QAccessibleInterface* AccessibleLink(TLinkLabel* label);

}  // namespace penmarrow::ui
