// The core's tests in the user's locale, taken from the environment as the application object
// takes it.

#include <gtest/gtest.h>

#include <clocale>

#include "tests/UserLocale.h"

int main(int argc, char* argv[]) {
  std::setlocale(LC_ALL, "");
  if (!penmarrow::tests::InExpectedLocale()) return 1;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
