#include "ui/platform/WindowFonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

namespace penmarrow::ui {
namespace {

const QString WindowFace = QStringLiteral("Tahoma");
// Workaround, the Wine fonts' Tahoma bold, which carries bold widths over regular-weight strokes
// and so reads as regular; DejaVu Sans, which that Tahoma is drawn from, has a real bold of nearly
// the same widths. Goes if the Tahoma face found has bold strokes of its own.
const QString BoldFace = QStringLiteral("DejaVu Sans Condensed");

}  // namespace

QFont WindowFont(int pixels, bool bold) {
  QFont font;
  font.setFamilies(bold ? QStringList{BoldFace, WindowFace} : QStringList{WindowFace});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QFont ChartFont(int pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  return font;
}

QFont ChartSmallFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  return font;
}

void UseWindowFonts() {
  // The Wine fonts package ships a Tahoma-compatible face under that name.
  const QDir wineFonts(QStringLiteral("/usr/share/wine/fonts"));
  if (wineFonts.exists(QStringLiteral("tahoma.ttf")))
    QFontDatabase::addApplicationFont(wineFonts.filePath(QStringLiteral("tahoma.ttf")));
  // Without it, the generic sans face is too wide for the
  // captions' room; Liberation Sans is near Tahoma's width.
  QFont::insertSubstitution(WindowFace, QStringLiteral("Liberation Sans"));
  // A style sheet keeps a window's own font from reaching its controls; the application's font
  // reaches them all.
  QApplication::setFont(WindowFont(13));
}

}  // namespace penmarrow::ui
