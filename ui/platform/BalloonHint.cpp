#include "ui/platform/BalloonHint.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>

#include "ui/platform/Compositing.h"
#include "ui/platform/Palette.h"
#include "ui/platform/WindowFonts.h"

namespace penmarrow::ui {
namespace {

constexpr int StemInset = 14;  // from the balloon's left edge to the stem's upright side
constexpr int StemWidth = 12;
constexpr int StemHeight = 10;
const QMargins Padding(9, 6, 9, 7);
const QPoint HoverBelowPointer(0, 20);

// The title's two lines, joined by a carriage return and line feed, as they are drawn.
QString Lines(const QString& title) { return QString(title).remove(u'\r'); }

// The region less its outermost pixel all round.
QRegion Inner(const QRegion& shape) {
  return shape & shape.translated(1, 0) & shape.translated(-1, 0) & shape.translated(0, 1) &
         shape.translated(0, -1);
}

}  // namespace

TBalloonHint::TBalloonHint(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  // A compositor may draw the whole window whatever its shape mask (sway's XWayland shows a black
  // band round the stem): where one runs, what lies beside the outline is transparent. The mask
  // stays for an X server without one, and leaves clicks beside the stem to the window beneath.
  UseTranslucentBackground(*this);
  setObjectName(QStringLiteral("BalloonHint"));
  setFont(WindowFont(13, true));
  showTimer_.setSingleShot(true);
  hideTimer_.setSingleShot(true);
  connect(&showTimer_, &QTimer::timeout, this, [this] { Appear(); });
  connect(&hideTimer_, &QTimer::timeout, this, [this] { HideHint(); });
}

void TBalloonHint::SetTitle(const QString& title) {
  title_ = title;
  setAccessibleName(title);
  const QSize text = fontMetrics().boundingRect(QRect(), Qt::AlignLeft, Lines(title)).size();
  resize(text.grownBy(Padding) + QSize(0, StemHeight));
  setMask(Shape());
}

QPoint TBalloonHint::StemTip() { return {StemInset, 0}; }

void TBalloonHint::ShowHint(const QPoint& screenPoint) { Start(Display::Requested, screenPoint); }

void TBalloonHint::HideHint() {
  showTimer_.stop();
  hideTimer_.stop();
  hide();
  display_ = Display::None;
}

void TBalloonHint::Start(Display display, const QPoint& topLeft) {
  display_ = display;
  pendingTopLeft_ = topLeft;
  hideTimer_.stop();
  showTimer_.start(Delay);
}

void TBalloonHint::Appear() {
  move(pendingTopLeft_);
  show();
  raise();
  hideTimer_.start(HideAfter);
}

void TBalloonHint::AttachHover(QWidget* control) {
  hoverControl_ = control;
  control->installEventFilter(this);
}

bool TBalloonHint::eventFilter(QObject* watched, QEvent* event) {
  // A display asked for by the program runs its course whatever the pointer does meanwhile.
  if (watched == hoverControl_ && hoverEnabled_ && display_ != Display::Requested) {
    if (event->type() == QEvent::Enter)
      Start(Display::Hover, QCursor::pos() + HoverBelowPointer - StemTip());
    if (event->type() == QEvent::Leave) HideHint();
  }
  return QWidget::eventFilter(watched, event);
}

QRect TBalloonHint::TextRect() const {
  return rect().adjusted(0, StemHeight, 0, 0).marginsRemoved(Padding);
}

QRegion TBalloonHint::Shape() const {
  const QRect body = rect().adjusted(0, StemHeight, 0, 0);
  // Corners cut by one pixel, as the fields' rounded frames are.
  const QRegion rounded = QRegion(body.adjusted(1, 0, -1, 0)) + QRegion(body.adjusted(0, 1, 0, -1));
  const QPolygon stem{{StemInset, 0}, {StemInset + StemWidth, StemHeight}, {StemInset, StemHeight}};
  return rounded + QRegion(stem);
}

void TBalloonHint::paintEvent(QPaintEvent*) {
  // Whole-pixel regions rather than paths, so that the edge lies exactly on the window's mask.
  QPainter painter(this);
  const QRegion shape = Shape();
  for (const QRect& part : shape) painter.fillRect(part, Palette::Accent);
  for (const QRect& part : Inner(shape)) painter.fillRect(part, Palette::ButtonFace);
  painter.setPen(Palette::Ink);
  painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignTop, Lines(title_));
}

void TBalloonHint::mousePressEvent(QMouseEvent*) { HideHint(); }

}  // namespace penmarrow::ui
