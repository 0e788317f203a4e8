// Widget tests need a QApplication, with the program's
// fonts and style, before the first window is made.

#include <gtest/gtest.h>
#include <QApplication>

#include "tests/UserLocale.h"
#include "ui/ProgramLook.h"

int main(int argc, char* argv[]) {
  // Always offscreen, on a screen that holds the whole window (offscreen's own is 800x600, where
  // the window would shrink to fit); the platform's name may carry other options (the 2x tests').
  if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(u"offscreen:"))
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" PENMARROW_TEST_SCREEN);
  QApplication application(argc, argv);  // takes the user's locale, as the program's does
  if (!penmarrow::tests::InExpectedLocale()) return 1;
  penmarrow::ui::ApplyProgramLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
