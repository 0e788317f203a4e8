#pragma once
// The window's colours, named once for the code that paints. The style sheet
// (ui/styles/sapphire-kamri.qss) and the control images (ui/styles/*.svg) are plain files that
// Qt reads as they are, so they spell the same values out: change a colour there too.

#include <QColor>

namespace penmarrow::ui::Palette {

inline const QColor FieldGround(0x0e, 0x23, 0x40);  // navy: fields, lists, menus
inline const QColor ButtonFace(0x2b, 0x51, 0x82);   // buttons, spin buttons, balloons
inline const QColor Accent(0x8f, 0xbc, 0xf0);       // light blue: slider handle, links, edges
inline const QColor FocusAmber(0xff, 0xe6, 0x80);   // the focus border
inline const QColor Ink(Qt::white);                 // text on a button face

}  // namespace penmarrow::ui::Palette
