#include "ui/ChartFocus.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/ChartCursor.h"
#include "ui/YearFigures.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/Palette.h"

namespace penmarrow::ui {
namespace {

constexpr int Band = 2;

void DrawBand(QPainter& painter, const QRect& outer, const QColor& color) {
  QPainterPath band;
  band.addRect(outer);
  band.addRect(outer.adjusted(Band, Band, -Band, -Band));
  painter.fillPath(band, color);
}

// Two bands along the inside of outer, the first one outermost.
void DrawFrame(QPainter& painter, const QRect& outer, const QColor& first, const QColor& second) {
  DrawBand(painter, outer, first);
  DrawBand(painter, outer.adjusted(Band, Band, -Band, -Band), second);
}

// The first and last series a column of the cursor's grid shows.
std::pair<int, int> SeriesOf(int column) {
  if (column == 0) return {0, TChart::SeriesCount - 1};  // the year: both stacks
  const int strategy = (column - 1) / ChartCursor::FiguresPerStrategy;
  const int figure = (column - 1) % ChartCursor::FiguresPerStrategy;
  const int first = strategy * SeriesPerStrategy;
  if (figure >= SeriesPerStrategy)
    return {first, first + SeriesPerStrategy - 1};  // the total: the whole stack
  return {first + figure, first + figure};
}

}  // namespace

ChartFocus::ChartFocus(TChart& chart, ShowHint showHint, std::function<void()> hideHint)
    : QFocusFrame(&chart),
      chart_(chart),
      showHint_(std::move(showHint)),
      hideHint_(std::move(hideHint)) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(chart.rect());
  chart.installEventFilter(this);
  connect(&ChartCursor::Of(chart), &ChartCursor::Moved, this, [this] {
    update();
    ShowCellHint();
  });
  connect(&chart, &QCustomPlot::afterReplot, this, qOverload<>(&QWidget::update));
  Follow();
}

std::optional<QRectF> ChartFocus::CellBars() const {
  const auto cell = ChartCursor::Of(chart_).Current();
  if (!cell) return std::nullopt;
  const auto [first, last] = SeriesOf(cell->x());
  std::optional<QRectF> bars;
  // After a failed recalculation the alternative may hold fewer years than the cursor's grid.
  for (int series = first; series <= last; ++series)
    if (cell->y() < chart_.Series(series).Count()) {
      const QRectF bar = chart_.Series(series).BarRect(cell->y());
      bars = bars ? bars->united(bar) : bar;
    }
  return bars;
}

bool ChartFocus::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize: setGeometry(chart_.rect()); break;
    case QEvent::FocusIn:
      Follow();
      ShowCellHint();
      break;
    case QEvent::FocusOut:
      // The chart's own menu takes the keys for a moment; the focus comes back to the chart.
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) break;
      Follow();
      if (hideHint_) hideHint_();
      break;
    default: break;
  }
  return false;
}

void ChartFocus::Follow() {
  setVisible(chart_.hasFocus());
  raise();  // above the marks box
  update();
}

std::optional<QRect> ChartFocus::CellFrame() const {
  const auto bars = CellBars();
  if (!bars) return std::nullopt;
  return bars->toAlignedRect().adjusted(-2 * Band, -2 * Band, 2 * Band, 2 * Band);
}

void ChartFocus::ShowCellHint() {
  if (!chart_.hasFocus() || !showHint_) return;
  const auto frame = CellFrame();
  // A cell without bars, of a year its strategy does not hold, has no figures to show.
  if (!frame) {
    if (hideHint_) hideHint_();
    return;
  }
  const int year = ChartCursor::Of(chart_).Current()->y() + 1;
  ErrorDisplay::GuardHoldingKeys(
      [&] { showHint_(year, QRect(chart_.mapToGlobal(frame->topLeft()), frame->size())); });
}

void ChartFocus::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Amber borders the window's dark blue and the bars, navy the chart's light ground: each band
  // keeps well over 3:1 to what lies beside it (10:1 and more).
  DrawFrame(painter, rect(), Palette::FocusAmber, Palette::FieldGround);
  // Around the cell's bars the bands turn over: amber against the bars, navy against the ground.
  if (const auto frame = CellFrame())
    DrawFrame(painter, *frame, Palette::FieldGround, Palette::FocusAmber);
}

}  // namespace penmarrow::ui
