// Where value marks go when they would cover each other or leave the plot.

#include <gtest/gtest.h>

#include "ui/platform/MarkLayout.h"

namespace penmarrow::ui {
namespace {

const QRectF Plot(0, 0, 300, 200);
const QSizeF Box(40, 16);

MarkRequest Mark(double x, double barTop, bool mustShow = false) {
  return {{x, barTop}, Box, 10, mustShow};
}

TEST(MarkLayout, MarksAreShownMovedOrLeftOutSoThatEachCanBeRead) {
  struct Case {
    const char* what;
    std::vector<MarkRequest> requests;
    std::vector<bool> shown;
  };
  const Case cases[] = {
      {"apart: both where they belong", {Mark(50, 150), Mark(150, 150)}, {true, true}},
      {"crowded: the second is left out", {Mark(50, 150), Mark(60, 150)}, {true, false}},
      {"crowded but both must show", {Mark(290, 150, true), Mark(295, 150, true)}, {true, true}},
      {"one clear below the other", {Mark(50, 150), Mark(60, 175)}, {true, true}},
      {"past the plot's right edge: moved inside", {Mark(298, 150, true)}, {true}},
  };
  for (const Case& c : cases) {
    const auto boxes = PlaceMarks(c.requests, Plot);
    ASSERT_EQ(boxes.size(), c.requests.size()) << c.what;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i].has_value(), c.shown[i]) << c.what << ", mark " << i;
      if (!boxes[i]) continue;
      EXPECT_TRUE(Plot.contains(*boxes[i])) << c.what << ", mark " << i;
      for (std::size_t j = 0; j < i; ++j) {
        if (!boxes[j]) continue;
        EXPECT_FALSE(boxes[i]->intersects(*boxes[j])) << c.what << ", marks " << j << " and " << i;
      }
    }
  }
}

}  // namespace
}  // namespace penmarrow::ui
