// Start-up: the application object, the visual style, the main window and the year hint, a plan
// named on the command line, the loop.

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include "ui/PlanCommands.h"
#include "ui/ProgramLook.h"
#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/platform/WindowPlacement.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.example.Penmarrow.svg")));
  QApplication::setApplicationName(QStringLiteral("Penmarrow"));
  QApplication::setApplicationVersion(QStringLiteral(PENMARROW_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.example.Penmarrow"));
  penmarrow::ui::ApplyProgramLook();

  penmarrow::ui::TFMain FMain;
  penmarrow::ui::TFHint FHint(&FMain);
  FMain.SetHint(&FHint);
  const QRect available = FMain.screen()->availableGeometry();
  FMain.resize(penmarrow::ui::FittedClientSize(available.size(), QMargins(), FMain.size(),
                                               penmarrow::ui::TFMain::SmallestOuterSize));
  FMain.move(penmarrow::ui::CentredTopLeft(available, FMain.size()));
  FMain.show();
  // "penmarrow PLAN", as a file manager starts it for a plan, opens the plan in the shown window.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) FMain.Plans().OpenLater(arguments.at(1));
  return QApplication::exec();
}
