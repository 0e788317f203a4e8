// Widget tests need a QApplication, with the program's
// fonts and style, before the first window is made.

#include <gtest/gtest.h>
#include <QApplication>

#include "tests/UserLocale.h"
#include "ui/ProgramLook.h"

int main(int argc, char* argv[]) {
  // Always offscreen, on a screen that holds the whole window (offscreen's own is 800x600, where
  // the window would shrink to fit), also at QT_SCALE_FACTOR=2; a platform named with its
  // options is kept.
  if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(u"offscreen:")) {
    const bool scaled = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") > 1;
    qputenv("QT_QPA_PLATFORM", scaled ? "offscreen:configfile=" PENMARROW_LARGE_SCREEN
                                      : "offscreen:configfile=" PENMARROW_TEST_SCREEN);
  }
  QApplication application(argc, argv);  // takes the user's locale, as the program's does
  if (!penmarrow::tests::InExpectedLocale()) return 1;
  penmarrow::ui::ApplyProgramLook();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
