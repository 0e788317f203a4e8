#pragma once
// The dialogs that ask where to save a plan, which plan to open and where to print. Tests answer
// in their place, as the error display lets them capture its messages.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace penmarrow::ui {

class PlanDialogs {
 public:
  // The file chosen, or the empty text when the saver cancelled.
  using FileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
  // Whether the saver chose to print; the printer is set up as chosen.
  using PrinterChooser = std::function<bool(QWidget* parent, QPrinter& printer)>;

  static QString SaveFile(QWidget* parent, const QString& suggested);
  static QString OpenFile(QWidget* parent, const QString& suggested);
  static bool Printer(QWidget* parent, QPrinter& printer);

  // Empty answers put the dialogs back.
  static void SetAnswers(FileChooser save, FileChooser open, PrinterChooser print);
};

}  // namespace penmarrow::ui
