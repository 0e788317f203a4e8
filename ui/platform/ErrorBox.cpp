#include "ui/platform/ErrorBox.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>

#include "ui/eventloop/HeldInput.h"

namespace penmarrow::ui {
namespace {

// The window the user was working in, so that the window manager keeps the box above it.
QWidget* Owner() {
  QWidgetList candidates = QApplication::topLevelWidgets();
  candidates.prepend(QApplication::activeWindow());
  for (QWidget* candidate : candidates)
    if (candidate && candidate->isVisible() && candidate->windowType() == Qt::Window)
      return candidate;
  return nullptr;
}

}  // namespace

void ShowErrorBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                  QMessageBox::Ok, Owner());
  // A title and a close button only: a box is neither minimised nor maximised.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint);
  auto* ok = qobject_cast<QPushButton*>(box.button(QMessageBox::Ok));
  ok->setIcon(QIcon());  // the style's stock button icon belongs to no other control of the window
  box.setDefaultButton(ok);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  // Workaround, Qt 6.6 and later: a platform may show its own message dialog instead, without the
  // program's look. The #if goes once Qt 6.6 is the oldest Qt built with; the option stays.
  box.setOption(QMessageBox::Option::DontUseNativeDialog);
#endif
  // Neither modal nor exec(): Qt's modality would throw away the keys typed at the window beneath.
  box.setWindowModality(Qt::NonModal);
  const HeldInput::BoxScope holding(box);
  QEventLoop loop;
  QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
  box.show();
  loop.exec(QEventLoop::DialogExec);
}

}  // namespace penmarrow::ui
