// The window's look with the program's style applied: the fonts every control draws in, bold that
// is bold, drawn arrows and check marks, and where the window opens.

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QPainter>
#include <map>

#include "tests/ui/WindowFixture.h"
#include "ui/platform/WindowPlacement.h"

namespace penmarrow::ui {
namespace {

class WindowLook : public WindowFixture {
 protected:
  // How much a text darkens white paper: the sum of its pixels' darkness at the screen's resolution.
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
    for (int y = 0; y < paper.height(); ++y)
      for (int x = 0; x < paper.width(); ++x) ink += 255 - qGray(paper.pixel(x, y));
    return ink;
  }
  // The share of a drawn area's pixels that stand out from its most common colour.
  static double Marked(const QImage& image, QRect area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
    const QRgb ground = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    int marked = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) marked += Differs(image.pixel(x, y), ground) ? 1 : 0;
    return marked / static_cast<double>(area.width() * area.height());
  }
  static bool Differs(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 90;
  }
  // How many pixels of each row of an arrow's area are marked, top to bottom, empty rows left out.
  static std::vector<int> RowWidths(QWidget* control, QRect area) {
    const QImage image = control->grab(area).toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    const QRgb ground = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    std::vector<int> widths;
    for (int y = 0; y < image.height(); ++y) {
      int width = 0;
      for (int x = 0; x < image.width(); ++x) width += Differs(image.pixel(x, y), ground) ? 1 : 0;
      if (width > 0 && width < image.width() - 1) widths.push_back(width);  // lines across are borders
    }
    return widths;
  }
  static QImage Indicator(TCheckBox* box, bool checked) {
    box->setChecked(checked);
    QStyleOptionButton option;
    option.initFrom(box);
    return box->grab(box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)).toImage();
  }
};

TEST_F(WindowLook, EveryControlDrawsInTahoma13UnlessItIsGivenItsOwnFont) {
  struct Own { int pixels; bool bold; };
  const std::map<const QWidget*, Own> own{{window.chMarks, {11, false}}, {window.lStats1, {13, true}},
                                           {window.lStats2, {13, true}}};
  QList<QWidget*> controls = window.findChildren<QWidget*>();
  for (TComboBox* box : {window.CDefFreq, window.CcompFreq, window.CAltFreq}) controls << box->view();
  for (const QWidget* control : controls) {
    if (control->window() != &window && !control->window()->inherits("QComboBoxPrivateContainer")) continue;
    const auto found = own.find(control);
    const Own expected = found == own.end() ? Own{13, false} : found->second;
    const QFontInfo font(control->font());
    const std::string name = control->metaObject()->className() + (" " + control->objectName().toStdString());
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
      {window.lStats1, window.Totals1.initialDep}, {hint->lAfter, hint->lInit1}, {hint->lTotal1, hint->lInit1}};
  for (const auto& [bold, regular] : boldAndRegular) {
    const QString text = bold->text();
    const QFont plain = regular->font();
    EXPECT_EQ(QFontInfo(bold->font()).pixelSize(), QFontInfo(plain).pixelSize()) << text.toStdString();
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
  struct Arrow { QWidget* control; QRect area; bool down; const char* name; };
  std::vector<Arrow> arrows;
  window.chAlternative->click();
  for (TComboBox* box : {window.CDefFreq, window.CAltFreq}) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect area = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    arrows.push_back({box, area, true, "drop-down"});
  }
  QStyleOptionSpinBox option;
  option.initFrom(window.seYears);
  option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
  option.frame = true;
  const QStyle* style = window.seYears->style();
  arrows.push_back({window.seYears, style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, window.seYears), false, "step up"});
  arrows.push_back({window.seYears, style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, window.seYears), true, "step down"});
  for (const Arrow& arrow : arrows) {
    std::vector<int> widths = RowWidths(arrow.control, arrow.area);
    if (!arrow.down) std::reverse(widths.begin(), widths.end());
    ASSERT_GE(widths.size(), 3u) << arrow.name;
    // A triangle is widest at its base and narrows to its point; a bar keeps its width.
    const auto widest = std::max_element(widths.begin(), widths.end());
    EXPECT_LT(widest - widths.begin(), static_cast<std::ptrdiff_t>(widths.size() / 2)) << arrow.name;
    EXPECT_LT(2 * widths.back(), *widest) << arrow.name;
  }
}

TEST(WindowPlacement, CentredButNeverWithItsTitleBarOrLeftSideOffTheScreen) {
  struct Case { QRect available; QSize outer; QPoint topLeft; };
  const Case cases[] = {
      {{0, 0, 1280, 900}, {994, 537}, {143, 181}},
      {{0, 0, 640, 480}, {994, 537}, {0, 0}},
      {{0, 0, 853, 600}, {994, 537}, {0, 31}},     // 1280 x 900 at a scale of 1.5
      {{0, 0, 640, 450}, {994, 537}, {0, 0}},      // 1280 x 900 at a scale of 2
      {{0, 30, 1280, 870}, {994, 537}, {143, 196}},  // a panel along the top
      {{1280, 0, 800, 600}, {994, 537}, {1280, 31}},  // a second, smaller screen to the right
  };
  for (const Case& c : cases) EXPECT_EQ(CentredTopLeft(c.available, c.outer), c.topLeft) << c.available.width();
}

}  // namespace
}  // namespace penmarrow::ui
