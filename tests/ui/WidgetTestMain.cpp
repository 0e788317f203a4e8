// Widget tests need a QApplication, with the window's fonts and style, before the first window is made.

#include <QApplication>
#include <gtest/gtest.h>

#include "ui/platform/StyleManager.h"
#include "ui/platform/WindowFonts.h"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  penmarrow::ui::UseWindowFonts();
  penmarrow::ui::TStyleManager::TrySetStyle(QStringLiteral("Sapphire Kamri"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
