#include "ui/platform/WindowFonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace penmarrow::ui {

void UseWindowFonts() {
  // The Wine fonts package ships a Tahoma-compatible face under that name.
  const QDir wineFonts(QStringLiteral("/usr/share/wine/fonts"));
  for (const QString& file : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")})
    if (wineFonts.exists(file)) QFontDatabase::addApplicationFont(wineFonts.filePath(file));
  // Without it, the generic sans face is too wide for the captions' room; Liberation Sans is near Tahoma's width.
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
}

}  // namespace penmarrow::ui
