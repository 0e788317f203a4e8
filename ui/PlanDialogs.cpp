#include "ui/PlanDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace penmarrow::ui {
namespace {

const QString PlanFilter = QStringLiteral("Penmarrow plans (*.penmarrow)");
const QString PlanSuffix = QStringLiteral("penmarrow");

// Qt's own dialog: the same look, keys and screen reader support on every desktop, and no portal
// or other program to wait on.
QString AskForFile(QWidget* parent, const QString& caption, const QString& suggested,
                   QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, caption);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilters({PlanFilter, QStringLiteral("All files (*)")});
  dialog.setDefaultSuffix(PlanSuffix);
  const QFileInfo place(suggested);
  dialog.setDirectory(place.absolutePath());
  dialog.selectFile(place.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

struct Answers {
  PlanDialogs::FileChooser save = [](QWidget* parent, const QString& suggested) {
    return AskForFile(parent, QStringLiteral("Save plan"), suggested, QFileDialog::AcceptSave);
  };
  PlanDialogs::FileChooser open = [](QWidget* parent, const QString& suggested) {
    return AskForFile(parent, QStringLiteral("Open plan"), suggested, QFileDialog::AcceptOpen);
  };
  PlanDialogs::PrinterChooser print = [](QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  };
};

Answers& Current() {
  static Answers answers;
  return answers;
}

}  // namespace

QString PlanDialogs::SaveFile(QWidget* parent, const QString& suggested) {
  return Current().save(parent, suggested);
}

QString PlanDialogs::OpenFile(QWidget* parent, const QString& suggested) {
  return Current().open(parent, suggested);
}

bool PlanDialogs::Printer(QWidget* parent, QPrinter& printer) {
  return Current().print(parent, printer);
}

void PlanDialogs::SetAnswers(FileChooser save, FileChooser open, PrinterChooser print) {
  const Answers dialogs;
  Current() = {save ? std::move(save) : dialogs.save, open ? std::move(open) : dialogs.open,
               print ? std::move(print) : dialogs.print};
}

}  // namespace penmarrow::ui
