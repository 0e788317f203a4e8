// Widget tests need a QApplication, with the program's
// fonts and style, before the first window is made.

#include <gtest/gtest.h>
#include <QApplication>

#include "ui/ProgramLook.h"

int main(int argc, char* argv[]) {
  // Always offscreen; the platform's name may carry its options (the 2x tests' larger screen).
  if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(u"offscreen"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  penmarrow::ui::ApplyProgramLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
