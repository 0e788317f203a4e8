// The chart's context menu: the figures of every year
// shown, or the chart as drawn, to the clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QShortcut>

#include "ui/FiguresTable.h"
#include "ui/PlanCommands.h"
#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/accessibility/Narrator.h"
#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {

void TFMain::CreateChartMenu() {
  ChartMenu = new QMenu(this);
  miCopyFigures = ChartMenu->addAction(QStringLiteral("Copy &figures"));
  miCopyChart = ChartMenu->addAction(QStringLiteral("Copy &chart"));
  ChartMenu->addSeparator();
  plans_->AddTo(*ChartMenu);
  // Right-click, or the Menu key while the chart has the focus (Tab reaches it last).
  Chart->OnContextMenu = [this](QPoint at, bool fromKeyboard) {
    ChartContextPopup(at, fromKeyboard);
  };
  // Keyboards without a Menu key use Shift+F10; the menu stands where the Menu key puts it.
  auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), Chart, nullptr, nullptr,
                                 Qt::WidgetShortcut);
  connect(shiftF10, &QShortcut::activated, this, [this] {
    ErrorDisplay::GuardHoldingKeys([&] { ChartContextPopup(Chart->rect().center(), true); });
  });
}

void TFMain::ChartContextPopup(QPoint mousePos, bool fromKeyboard) {
  // The hint would stand over the menu; the pointer's next move over a year brings it back.
  FHint->hide();
  // Opened from the keyboard, the first command stands ready, so that Return runs it and a screen
  // reader names the menu by it; opened with the mouse, nothing is picked yet, as in Qt's and
  // GTK's own menus.
  ChartMenu->setActiveAction(fromKeyboard ? miCopyFigures : nullptr);
  narrator_->MenuOpened(*ChartMenu);
  // The command runs once the menu is closed, outside the menu's own event handling.
  const QAction* chosen = ChartMenu->exec(Chart->mapToGlobal(mousePos));
  if (chosen == miCopyFigures) CopyFigures();
  if (chosen == miCopyChart) CopyChart();
}

void TFMain::CopyFigures() {
  const FiguresTable table = FiguresTableOf(*Chart);
  auto* figures = new QMimeData;
  figures->setText(TabSeparated(table));
  figures->setHtml(HtmlTable(table));
  QGuiApplication::clipboard()->setMimeData(figures);
  narrator_->FiguresCopied(*miCopyFigures, table.rows.size());
}

void TFMain::CopyChart() {
  // Drawn at the screen's pixel ratio; the "Show marks"
  // box over the chart is a control, not the chart.
  const qreal ratio = Chart->devicePixelRatioF();
  QPixmap image(Chart->size() * ratio);
  image.setDevicePixelRatio(ratio);
  Chart->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  QGuiApplication::clipboard()->setPixmap(image);
  narrator_->ChartCopied(*miCopyChart);
}

}  // namespace penmarrow::ui
