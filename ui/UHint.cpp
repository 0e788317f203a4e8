#include "ui/UHint.h"

#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "ui/platform/Compositing.h"
#include "ui/platform/QtText.h"
#include "ui/platform/WindowFonts.h"

namespace penmarrow::ui {
namespace {

constexpr int Border = 1;
constexpr int CaptionMargin = 5;
constexpr int AlternativeMarginLeft = 3;
constexpr double AlternativeGap = 20;
constexpr int Alpha = 220;  // of 255
constexpr qreal Opacity = Alpha / 255.0;

// On a translucent window every pixel carries the hint's opacity: the texts' too.
int PaintAlpha(const QWidget& hint) {
  return hint.testAttribute(Qt::WA_TranslucentBackground) ? Alpha : 255;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, bool bold, QColor color = Qt::black) {
  auto* label = new QLabel(text, parent);
  label->setFont(WindowFont(11, bold));
  color.setAlpha(PaintAlpha(*parent));
  label->setStyleSheet(
      QStringLiteral("QLabel { background: transparent; border: none; color: %1; }")
          .arg(color.name(QColor::HexArgb)));
  return label;
}

// Sums like the 64-bit integers they are, wrapping rather than overflowing.
std::int64_t Sum(std::int64_t a, std::int64_t b, std::int64_t c) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b) +
                                   static_cast<std::uint64_t>(c));
}

}  // namespace

TFHint::TFHint(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  // Wayland, and compositors on X11 that ignore _NET_WM_WINDOW_OPACITY (sway's XWayland), show no
  // window opacity: where a compositor runs, the hint paints its translucency itself.
  if (!UseTranslucentBackground(*this)) setWindowOpacity(Opacity);
  // The program's style stays out of the hint: paintEvent paints it white, its text is black.
  setStyleSheet(
      QStringLiteral("TFHint, QWidget { background: transparent; color: black; border: none; }"));

  lAfter = MakeLabel(this, QString(), true);
  lYourStrategy = MakeLabel(this, QStringLiteral("Your strategy"), true, QColor(128, 0, 0));
  lAlternative = MakeLabel(this, QStringLiteral("Alternative"), true, QColor(0, 0, 128));
  captions_ = {lAfter, MakeLabel(this, QStringLiteral("Initial deposit"), false),
               MakeLabel(this, QStringLiteral("Regular deposits"), false),
               MakeLabel(this, QStringLiteral("Total interest"), false),
               MakeLabel(this, QStringLiteral("Total"), true)};
  lInit1 = MakeLabel(this, QString(), false);
  lRegular1 = MakeLabel(this, QString(), false);
  lTotalInt1 = MakeLabel(this, QString(), false);
  lTotal1 = MakeLabel(this, QString(), true);
  lInit2 = MakeLabel(this, QString(), false);
  lRegular2 = MakeLabel(this, QString(), false);
  lTotalInt2 = MakeLabel(this, QString(), false);
  lTotal2 = MakeLabel(this, QString(), true);
  yours_ = {lYourStrategy, lInit1, lRegular1, lTotalInt1, lTotal1};
  alternative_ = {lAlternative, lInit2, lRegular2, lTotalInt2, lTotal2};
  resize(502, ClientHeight);
}

void TFHint::SetParams(std::int64_t AYears, std::int64_t AInitialDeposit,
                       std::int64_t ARegularDeposits, std::int64_t ATotalInterest,
                       std::int64_t AAltInitialDeposit, std::int64_t AAltRegularDeposits,
                       std::int64_t AAltTotalInterest) {
  lAfter->setText(QStringLiteral("After %1 year%2")
                      .arg(AYears)
                      .arg(AYears > 1 ? QStringLiteral("s") : QString()));
  FillColumn(yours_, AInitialDeposit, ARegularDeposits, ATotalInterest);
  ColumnWidths[1] = WidestText(yours_);
  const bool withAlternative = AAltInitialDeposit != -1;
  for (QLabel* label : alternative_) label->setVisible(withAlternative);
  if (withAlternative) {
    FillColumn(alternative_, AAltInitialDeposit, AAltRegularDeposits, AAltTotalInterest);
    ColumnWidths[2] = WidestText(alternative_) + AlternativeGap;
  } else {
    ColumnWidths[2] = 0;
  }
  double width = 2 * AlternativeMarginLeft;
  for (const double column : ColumnWidths) width += std::rint(column);
  resize(static_cast<int>(width), ClientHeight);
  Arrange();
}

void TFHint::Show() {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  // Workaround, Qt 6.4's Wayland plugin, which leaves a shown popup where it first showed: it
  // shows anew where it moved. Goes with Qt 6.4 (the #if already leaves it out from 6.5).
  if (isVisible() && pos() != shownAt_ &&
      QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
    hide();
  shownAt_ = pos();
#endif
  show();
}

double TFHint::WidestText(const Column& column) {
  int widest = 0;
  for (const QLabel* label : column) widest = std::max(widest, label->sizeHint().width());
  return widest;
}

void TFHint::FillColumn(const Column& column, std::int64_t initial, std::int64_t regular,
                        std::int64_t interest) {
  column[1]->setText(MoneyText(static_cast<Extended>(initial)));
  column[2]->setText(MoneyText(static_cast<Extended>(regular)));
  column[3]->setText(MoneyText(static_cast<Extended>(interest)));
  column[4]->setText(MoneyText(static_cast<Extended>(Sum(initial, regular, interest))));
}

void TFHint::Arrange() {
  const double rowHeight = (height() - 2 * Border) / static_cast<double>(RowCount);
  const auto rowTop = [&](int row) {
    return Border + static_cast<int>(std::lround(row * rowHeight));
  };
  const int height = static_cast<int>(std::lround(rowHeight));
  const int column1Right = Border + static_cast<int>(ColumnWidths[0] + ColumnWidths[1]);
  const int column2Right = column1Right + static_cast<int>(ColumnWidths[2]);
  for (int row = 0; row < RowCount; ++row) {
    const auto r = static_cast<std::size_t>(row);
    captions_[r]->setGeometry(Border + CaptionMargin, rowTop(row),
                              static_cast<int>(ColumnWidths[0]) - CaptionMargin, height);
    for (const auto& [label, right] :
         {std::pair{yours_[r], column1Right}, std::pair{alternative_[r], column2Right}}) {
      const int width = label->sizeHint().width();
      label->setGeometry(right - width, rowTop(row), width, height);
      label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
  }
}

void TFHint::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(255, 255, 255, PaintAlpha(*this)));
  painter.setPen(QColor(128, 128, 128, PaintAlpha(*this)));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace penmarrow::ui
