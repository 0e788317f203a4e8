// The window at whatever scale factor the test runs under (CTest runs it at 1 and at 2): every
// text fits its control, no two controls overlap, and the chart draws at the screen's resolution.

#include <QAbstractButton>
#include <QLabel>

#include "tests/ui/WindowFixture.h"

namespace penmarrow::ui {
namespace {

class ScaledLayout : public WindowFixture {
 protected:
  static std::string Name(const QWidget* widget) {
    const QString text = widget->property("text").toString();
    return (text.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : text)
        .toStdString();
  }
  // Texts that would be cut off: labels and buttons narrower or lower than their text needs.
  static std::vector<std::string> Clipped(const QWidget& root) {
    std::vector<std::string> clipped;
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(&root)) continue;
      if (!qobject_cast<const QLabel*>(widget) && !qobject_cast<const QAbstractButton*>(widget))
        continue;
      const QSize needed = widget->sizeHint();
      if (widget->width() < needed.width() || widget->height() < needed.height())
        clipped.push_back(Name(widget) + " needs " + std::to_string(needed.width()) + "x" +
                          std::to_string(needed.height()));
    }
    return clipped;
  }
  // Visible siblings whose rectangles share pixels; the link lies on the status bar by design.
  static std::vector<std::string> Overlapping(const QWidget& root) {
    std::vector<std::string> pairs;
    QList<const QWidget*> parents{&root};
    for (const QWidget* widget : root.findChildren<QWidget*>()) parents << widget;
    for (const QWidget* parent : parents) {
      const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      for (qsizetype i = 0; i < children.size(); ++i)
        for (qsizetype j = i + 1; j < children.size(); ++j) {
          const QWidget* a = children[i];
          const QWidget* b = children[j];
          if (!a->isVisibleTo(&root) || !b->isVisibleTo(&root) || a->isWindow() || b->isWindow())
            continue;
          if (a->geometry().intersects(b->geometry()) && !OnStatusBar(a, b))
            pairs.push_back(Name(a) + " / " + Name(b));
        }
    }
    return pairs;
  }
  static bool OnStatusBar(const QWidget* a, const QWidget* b) {
    return (qobject_cast<const QStatusBar*>(a) || qobject_cast<const QStatusBar*>(b)) &&
           (dynamic_cast<const TLinkLabel*>(a) || dynamic_cast<const TLinkLabel*>(b));
  }
  void ExpectTidy(const std::string& state) {
    EXPECT_EQ(Clipped(window), std::vector<std::string>{}) << state;
    EXPECT_EQ(Overlapping(window), std::vector<std::string>{}) << state;
  }
};

TEST_F(ScaledLayout, NoTextIsCutAndNoControlsOverlap) {
  ExpectTidy("at start");
  ClickAlternative();
  window.TB->setValue(9);
  TypeInto(window.TIntDep, "999999");
  TypeInto(window.TAltdep, "999999");
  ExpectTidy("alternative on with the widest figures");
  window.resize(1400, 700);
  ExpectTidy("wide window");
}

TEST_F(ScaledLayout, TheChartIsDrawnAtTheScreensResolution) {
  const qreal scale = window.devicePixelRatio();
  if (scale == 1) GTEST_SKIP() << "at 1x nothing can be stretched: the run at 2x checks this";
  EXPECT_EQ(window.Chart->bufferDevicePixelRatio(), scale);
  window.Chart->replot();
  const QImage shot = window.Chart->grab().toImage();
  EXPECT_EQ(shot.size(), window.Chart->size() * scale);
  // Bars keep their colour to the last device pixel inside their edge: nothing was stretched.
  const QRect bar = window.Chart->Series(0).BarRect(9).toAlignedRect();
  const QPoint inside(qRound((bar.left() + 2) * scale), qRound(bar.center().y() * scale));
  EXPECT_EQ(shot.pixel(inside) & 0xFFFFFF, qRgb(128, 128, 64) & 0xFFFFFF);
}

}  // namespace
}  // namespace penmarrow::ui
