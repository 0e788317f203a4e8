// The window's look with the program's style applied: the fonts every control draws in, bold that
// is bold, drawn arrows and check marks, captions in line with their controls, the continuous
// compounding notice, and where the window opens.

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QtMath>
#include <map>
#include <numeric>

#include "tests/ui/WindowFixture.h"
#include "ui/platform/WindowPlacement.h"

namespace penmarrow::ui {
namespace {

class WindowLook : public WindowFixture {
 protected:
  // How much a text darkens white paper: the sum of
  // its pixels' darkness at the screen's resolution.
  static double Ink(const QFont& font, const QString& text) {
    const qreal scale = qApp->devicePixelRatio();
    QImage paper(QSize(400, 40) * scale, QImage::Format_RGB32);
    paper.setDevicePixelRatio(scale);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(2, 30), text);
    painter.end();
    double ink = 0;
    EachPixel(paper.rect(), [&](int x, int y) { ink += 255 - qGray(paper.pixel(x, y)); });
    return ink;
  }
  // The share of a drawn area's pixels that stand out from its most common colour.
  static double Marked(const QImage& image, QRect area) {
    const std::vector<int> ink = InkPerRow(image, area);
    return std::accumulate(ink.begin(), ink.end(), 0) /
           static_cast<double>(area.width() * area.height());
  }
  static bool Differs(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) >
           90;
  }
  // How many pixels of each row of an arrow's area are marked, top to bottom, empty rows left out.
  static std::vector<int> RowWidths(QWidget* control, QRect area) {
    const QImage image = control->grab(area).toImage();
    std::vector<int> widths;
    for (const int width : InkPerRow(image, image.rect()))
      if (width > 0 && width < image.width() - 1)
        widths.push_back(width);  // lines across are borders
    return widths;
  }
  // The rows a text takes in an area of a grab: its first inked row and its baseline, the last row
  // inked nearly as fully as the letters (descenders carry far less ink).
  struct TextRows {
    int top = -1;
    int baseline = -1;
  };
  static TextRows TextRowsIn(const QImage& shot, const QRect& area) {
    const std::vector<int> ink = InkPerRow(shot, area);
    const int most = ink.empty() ? 0 : *std::max_element(ink.begin(), ink.end());
    TextRows rows;
    for (int y = 0; y < static_cast<int>(ink.size()); ++y) {
      if (ink[y] > 0 && rows.top < 0) rows.top = area.top() + y;
      if (most > 0 && 3 * ink[y] >= most) rows.baseline = area.top() + y;
    }
    return rows;
  }
  // How many pixels of each row of an area stand out from the area's most common colour.
  static std::vector<int> InkPerRow(const QImage& shot, const QRect& area) {
    std::map<QRgb, int> counts;
    EachPixel(area, [&](int x, int y) { ++counts[shot.pixel(x, y)]; });
    const auto mostCommon = [](auto& a, auto& b) { return a.second < b.second; };
    const QRgb ground = std::max_element(counts.begin(), counts.end(), mostCommon)->first;
    std::vector<int> ink(static_cast<std::size_t>(std::max(area.height(), 0)));
    EachPixel(area, [&](int x, int y) {
      ink[static_cast<std::size_t>(y - area.top())] += Differs(shot.pixel(x, y), ground);
    });
    return ink;
  }
  template <typename Visit>
  static void EachPixel(const QRect& area, Visit visit) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) visit(x, y);
  }
  // A control's area in a grab of the window, in device pixels.
  QRect OnShot(const QWidget* control, const QImage& shot) const {
    const qreal ratio = shot.devicePixelRatio();
    return {control->mapTo(&window, QPoint(0, 0)) * ratio, control->size() * ratio};
  }
  static QImage Indicator(TCheckBox* box, bool checked) {
    box->setChecked(checked);
    QStyleOptionButton option;
    option.initFrom(box);
    return box->grab(box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box))
        .toImage();
  }
};

TEST_F(WindowLook, EveryControlDrawsInTahoma13UnlessItIsGivenItsOwnFont) {
  struct Own {
    int pixels;
    bool bold;
  };
  const std::map<const QWidget*, Own> own{
      {window.chMarks, {11, false}}, {window.lStats1, {13, true}}, {window.lStats2, {13, true}}};
  QList<QWidget*> controls = window.findChildren<QWidget*>();
  for (TComboBox* box : {window.CDefFreq, window.CcompFreq, window.CAltFreq})
    controls << box->view();
  for (const QWidget* control : controls) {
    if (control->window() != &window && !control->window()->inherits("QComboBoxPrivateContainer"))
      continue;
    const auto found = own.find(control);
    const Own expected = found == own.end() ? Own{13, false} : found->second;
    const QFontInfo font(control->font());
    const std::string name = QStringLiteral("%1 %2")
                                 .arg(control->metaObject()->className(), control->objectName())
                                 .toStdString();
    EXPECT_EQ(font.pixelSize(), expected.pixels) << name;
    EXPECT_EQ(font.bold(), expected.bold) << name;
    if (!expected.bold) {
      EXPECT_EQ(font.family().toStdString(), "Tahoma") << name;
    }
  }
}

TEST_F(WindowLook, BoldTextsCarryClearlyMoreInkThanRegularOnes) {
  hint->SetParams(10, 1000, 1000, 887, -1, -1, -1);
  const std::pair<const QLabel*, const QLabel*> boldAndRegular[] = {
      {window.lStats1, window.Totals1.initialDep},
      {hint->lAfter, hint->lInit1},
      {hint->lTotal1, hint->lInit1}};
  for (const auto& [bold, regular] : boldAndRegular) {
    const QString text = bold->text();
    const QFont plain = regular->font();
    EXPECT_EQ(QFontInfo(bold->font()).pixelSize(), QFontInfo(plain).pixelSize())
        << text.toStdString();
    EXPECT_GT(Ink(bold->font(), text), 1.3 * Ink(plain, text)) << text.toStdString();
  }
}

TEST_F(WindowLook, CheckedBoxesShowATickNotABlockOnEitherBackgroundEnabledOrNot) {
  for (TCheckBox* box : {window.chAlternative, window.chMarks}) {
    const bool wasChecked = box->isChecked();
    for (const bool enabled : {true, false}) {
      box->setEnabled(enabled);
      const QImage unchecked = Indicator(box, false);
      const QImage checked = Indicator(box, true);
      const int inset = qRound(3 * checked.devicePixelRatio());
      const QRect inside = checked.rect().adjusted(inset, inset, -inset, -inset);
      const std::string state = box->text().toStdString() + (enabled ? " enabled" : " disabled");
      EXPECT_LT(Marked(unchecked, inside), 0.02) << state;
      EXPECT_GT(Marked(checked, inside), 0.12) << state;
      EXPECT_LT(Marked(checked, inside), 0.6) << state;
    }
    box->setEnabled(true);
    box->setChecked(wasChecked);
  }
}

TEST_F(WindowLook, DropDownAndStepButtonsShowArrowsPointingTheirWay) {
  struct Arrow {
    QWidget* control;
    QRect area;
    bool down;
    const char* name;
  };
  std::vector<Arrow> arrows;
  window.chAlternative->click();
  for (TComboBox* box : {window.CDefFreq, window.CAltFreq}) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect area =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    arrows.push_back({box, area, true, "drop-down"});
  }
  QStyleOptionSpinBox option;
  option.initFrom(window.seYears);
  option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
  option.frame = true;
  const QStyle* style = window.seYears->style();
  arrows.push_back(
      {window.seYears,
       style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, window.seYears),
       false, "step up"});
  arrows.push_back(
      {window.seYears,
       style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, window.seYears),
       true, "step down"});
  for (const Arrow& arrow : arrows) {
    std::vector<int> widths = RowWidths(arrow.control, arrow.area);
    if (!arrow.down) std::reverse(widths.begin(), widths.end());
    ASSERT_GE(widths.size(), 3u) << arrow.name;
    // A triangle is widest at its base and narrows to its point; a bar keeps its width.
    const auto widest = std::max_element(widths.begin(), widths.end());
    EXPECT_LT(widest - widths.begin(), static_cast<std::ptrdiff_t>(widths.size() / 2))
        << arrow.name;
    EXPECT_LT(2 * widths.back(), *widest) << arrow.name;
  }
}

TEST_F(WindowLook, CaptionsShareTheLineOfTheControlBesideThemOrSitJustAboveTheFieldTheyName) {
  ClickAlternative();
  const QImage shot = window.grab().toImage();
  const int tolerance = qCeil(shot.devicePixelRatio());
  const int frame = qCeil(3 * shot.devicePixelRatio());
  for (const auto& [caption, field] :
       {std::pair<QWidget*, QWidget*>{window.Label20, window.TIntRate},
        {window.Label8, window.TAltdep},
        {window.Label9, window.CAltFreq}}) {
    QRect text = OnShot(field, shot)
                     .adjusted(frame, frame, -frame, -frame);  // inside the frame, left of an arrow
    text.setWidth(text.width() / 2);
    EXPECT_LE(std::abs(TextRowsIn(shot, OnShot(caption, shot)).baseline -
                       TextRowsIn(shot, text).baseline),
              tolerance)
        << caption->property("text").toString().toStdString();
  }
  // The slider's groove, the only line drawn across
  // its width, runs through the middle of its caption.
  const QRect slider = OnShot(window.TB, shot);
  const std::vector<int> ink = InkPerRow(shot, slider);
  std::vector<int> across;
  for (std::size_t row = 0; row < ink.size(); ++row)
    if (2 * ink[row] > slider.width()) across.push_back(slider.top() + static_cast<int>(row));
  const TextRows startLater = TextRowsIn(shot, OnShot(window.Label2, shot));
  ASSERT_FALSE(across.empty());
  EXPECT_LE(std::abs(across.front() + across.back() - startLater.top - startLater.baseline),
            2 * tolerance);
  // Down the left column, each caption lies nearer the
  // field below it, which it names, than the one above.
  const QWidget* column[] = {window.TIntDep,  window.Label4,    window.TRegDep,   window.Label6,
                             window.CDefFreq, window.lCompFreq, window.CcompFreq, window.Label7,
                             window.TIntRate, window.Label1,    window.seYears};
  for (std::size_t i = 1; i + 1 < std::size(column); i += 2) {
    const TextRows caption = TextRowsIn(shot, OnShot(column[i], shot));
    EXPECT_LT(OnShot(column[i + 1], shot).top() - caption.baseline,
              caption.top - OnShot(column[i - 1], shot).bottom())
        << column[i]->property("text").toString().toStdString();
  }
}

TEST_F(WindowLook, TheContinuousNoticeShowsAtOnceBelowItsBoxAndStaysWhileThePointerCrossesIt) {
  TBalloonHint& notice = *window.BalloonHint;
  Pick(window.CcompFreq, QStringLiteral("Continuous"));
  // The pointer resting on the box as the list closes, then leaving it.
  QTest::mouseMove(window.windowHandle(),
                   window.CcompFreq->mapTo(&window, window.CcompFreq->rect().center()));
  QTest::mouseMove(window.windowHandle(), window.Panel1->geometry().center());
  QTest::qWait(20);
  ASSERT_TRUE(notice.isVisible());
  const QPoint tip = notice.mapToGlobal(TBalloonHint::StemTip());
  const QRect box(window.CcompFreq->mapToGlobal(QPoint(0, 0)), window.CcompFreq->size());
  EXPECT_EQ(tip.y(), box.bottom() + 1);
  EXPECT_TRUE(tip.x() > box.left() && tip.x() < box.center().x())
      << "the stem points beside the box";
  // Light text on the window's dark blue, not a pale tooltip.
  const QImage drawn = notice.grab().toImage();
  EXPECT_LT(
      qGray(drawn.pixel(drawn.width() / 2, drawn.height() - qCeil(2 * drawn.devicePixelRatio()))),
      128);
  QTest::mouseClick(window.Panel1, Qt::LeftButton, {}, QPoint(window.Panel1->width() - 5, 5));
  EXPECT_FALSE(notice.isVisible()) << "a click in the window ends the notice at once";
}

TEST(WindowPlacement, CentredButNeverWithItsTitleBarOrLeftSideOffTheScreen) {
  struct Case {
    QRect available;
    QSize outer;
    QPoint topLeft;
  };
  const Case cases[] = {
      {{0, 0, 1280, 900}, {994, 537}, {143, 181}},   {{0, 0, 640, 480}, {994, 537}, {0, 0}},
      {{0, 0, 853, 600}, {994, 537}, {0, 31}},        // 1280 x 900 at a scale of 1.5
      {{0, 0, 640, 450}, {994, 537}, {0, 0}},         // 1280 x 900 at a scale of 2
      {{0, 30, 1280, 870}, {994, 537}, {143, 196}},   // a panel along the top
      {{1280, 0, 800, 600}, {994, 537}, {1280, 31}},  // a second, smaller screen to the right
  };
  for (const Case& c : cases)
    EXPECT_EQ(CentredTopLeft(c.available, c.outer), c.topLeft) << c.available.width();
}

}  // namespace
}  // namespace penmarrow::ui
