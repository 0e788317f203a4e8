#pragma once
// The real main window with its year hint, shown offscreen and active; errors that would open a
// message box are recorded instead.

#include <QTest>
#include <gtest/gtest.h>

#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ErrorDisplay::SetPresenter([this](const QString& message) { errors.push_back(message); });
    hint = new TFHint(&window);
    window.SetHint(hint);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override { ErrorDisplay::SetPresenter(nullptr); }

  TFMain window;
  TFHint* hint = nullptr;
  std::vector<QString> errors;
};

}  // namespace penmarrow::ui
