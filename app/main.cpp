// Start-up: the application object, the visual style, the main window and the year hint, the loop.

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <QScreen>

#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/platform/StyleManager.h"

namespace {

// Debian has no Tahoma; the Wine fonts package ships a metric-compatible face under that name.
void RegisterTahoma() {
  const QDir wineFonts(QStringLiteral("/usr/share/wine/fonts"));
  for (const QString& file : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")})
    if (wineFonts.exists(file)) QFontDatabase::addApplicationFont(wineFonts.filePath(file));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.example.Penmarrow.svg")));
  QApplication::setApplicationName(QStringLiteral("Penmarrow"));
  QApplication::setApplicationVersion(QStringLiteral(PENMARROW_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.example.Penmarrow"));
  RegisterTahoma();
  penmarrow::ui::TStyleManager::TrySetStyle(QStringLiteral("Sapphire Kamri"));

  penmarrow::ui::TFMain FMain;
  penmarrow::ui::TFHint FHint(&FMain);
  FMain.SetHint(&FHint);
  FMain.move(FMain.screen()->availableGeometry().center() - FMain.rect().center());
  FMain.show();
  return QApplication::exec();
}
