#include "ui/PlanCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QStandardPaths>

#include "core/FrequencyTable.h"
#include "core/MoneyText.h"
#include "plan/PlanFile.h"
#include "plan/PlanRules.h"
#include "ui/FiguresTable.h"
#include "ui/PlanDialogs.h"
#include "ui/PrintedPlan.h"
#include "ui/UMain.h"
#include "ui/accessibility/Narrator.h"
#include "ui/accessibility/SpokenText.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

const QString PlanSuffix = QStringLiteral("penmarrow");
const QString PrintSuffix = QStringLiteral("pdf");
constexpr qsizetype LongestFileName = 60;
const QMarginsF PrintMargins(15, 15, 15, 15);

// "30 years, $250 monthly"
QString Summary(const Plan& plan) {
  const QString deposits =
      plan.regularDeposit == 0
          ? QStringLiteral("no regular deposits")
          : MoneyText(static_cast<Extended>(plan.regularDeposit)) + u' ' +
                ToQString(FrequencyTable.at(plan.depositFrequency).Name).toLower();
  return SpokenYears(plan.years) + QStringLiteral(", ") + deposits;
}

QString FileName(const QString& path) {
  return Quoted(QFileInfo(path).fileName(), LongestFileName);
}

// The one local file a drag brings, or nothing.
QString DraggedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().constFirst();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

PlanCommands::PlanCommands(TFMain& window, Narrator& narrator)
    : QObject(&window),
      window_(window),
      narrator_(narrator),
      save_(AddCommand(QStringLiteral("&Save plan..."), QKeySequence::Save, &PlanCommands::Save)),
      open_(AddCommand(QStringLiteral("&Open plan..."), QKeySequence::Open, &PlanCommands::Open)),
      print_(AddCommand(QStringLiteral("&Print..."), QKeySequence::Print, &PlanCommands::Print)) {
  // Drops over any control, the entry fields included, are the window's.
  window.setAcceptDrops(true);
  qApp->installEventFilter(this);
}

QAction* PlanCommands::AddCommand(const QString& text, QKeySequence::StandardKey keys,
                                  void (PlanCommands::*run)()) {
  auto* action = new QAction(text, &window_);
  action->setShortcut(keys);
  // Chosen from the menu, a command runs once the menu has closed, outside its event handling.
  connect(
      action, &QAction::triggered, this,
      [this, run] { ErrorDisplay::GuardHoldingKeys([&] { (this->*run)(); }); },
      Qt::QueuedConnection);
  // The window's own actions: their keys work from every control.
  window_.addAction(action);
  return action;
}

void PlanCommands::AddTo(QMenu& menu) const { menu.addActions({save_, open_, print_}); }

QString PlanCommands::Suggested(const QString& suffix) const {
  if (!file_.isEmpty()) {
    const QFileInfo last(file_);
    return last.dir().filePath(last.completeBaseName() + u'.' + suffix);
  }
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  const QDir folder = documents.exists() ? documents : QDir::home();
  return folder.filePath(QStringLiteral("plan.") + suffix);
}

void PlanCommands::Save() {
  const QString path = PlanDialogs::SaveFile(&window_, Suggested(PlanSuffix));
  if (path.isEmpty()) return;
  if (const QString problem = SavePlanFile(path, window_.CurrentPlan()); !problem.isEmpty()) {
    ErrorDisplay::Report(
        QStringLiteral("The plan was not saved as %1. %2").arg(FileName(path), problem));
    return;
  }
  file_ = QFileInfo(path).absoluteFilePath();
  narrator_.PlanNews(QStringLiteral("Plan saved as ") + QFileInfo(path).fileName());
}

void PlanCommands::Open() {
  const QString path = PlanDialogs::OpenFile(&window_, Suggested(PlanSuffix));
  if (!path.isEmpty()) OpenFile(path);
}

void PlanCommands::OpenFile(const QString& path) {
  const PlanReading reading = ReadPlanFile(path);
  if (!reading.plan) {
    ErrorDisplay::Report(
        QStringLiteral("%1 was not opened. %2").arg(FileName(path), reading.refusal));
    return;
  }
  file_ = QFileInfo(path).absoluteFilePath();
  narrator_.PlanNews(QStringLiteral("Plan opened: ") + Summary(*reading.plan));
  window_.ApplyPlan(*reading.plan);
}

void PlanCommands::OpenLater(const QString& path) {
  QMetaObject::invokeMethod(
      this, [this, path] { ErrorDisplay::GuardHoldingKeys([&] { OpenFile(path); }); },
      Qt::QueuedConnection);
}

void PlanCommands::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageMargins(PrintMargins, QPageLayout::Millimeter);  // the dialog can change them
  printer.setDocName(QFileInfo(Suggested(PrintSuffix)).completeBaseName());
  if (!PlanDialogs::Printer(&window_, printer)) return;
  const Plan plan = window_.CurrentPlan();
  const PrintedPlan printed{file_.isEmpty() ? QString() : QFileInfo(file_).fileName(), plan,
                            FiguresTableOf(*window_.Chart), *window_.Chart};
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
  const QString where =
      toFile ? QFileInfo(printer.outputFileName()).fileName() : printer.printerName();
  if (!PrintPlan(printer, printed)) {
    ErrorDisplay::Report(QStringLiteral("The plan was not printed: %1 could not be written")
                             .arg(Quoted(where, LongestFileName)));
    return;
  }
  narrator_.PlanNews(
      (toFile ? QStringLiteral("Plan printed to ") : QStringLiteral("Plan sent to ")) + where);
}

bool PlanCommands::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &window_) return false;
  auto* drag = static_cast<QDropEvent*>(event);
  // Workaround, Qt 6.4 to 6.8 on X11: from another Qt program the drop event itself carries no
  // URLs, so the file is taken from the drag's entering, until a Qt built with gives them.
  if (type == QEvent::DragEnter) dragged_ = DraggedFile(drag->mimeData());
  if (dragged_.isEmpty()) return false;
  drag->setDropAction(Qt::CopyAction);
  drag->accept();
  // Opened once the drop is over: a message box would keep the dragging program waiting.
  if (type == QEvent::Drop) OpenLater(std::exchange(dragged_, QString()));
  return true;
}

}  // namespace penmarrow::ui
