#pragma once
// Save plan (Ctrl+S), Open plan (Ctrl+O) and Print (Ctrl+P), from any control of the window and
// from the chart's menu; a plan file dropped on the window or named on the command line opens too.
// Every command runs from the event loop, each through the error display like any handler.

#include <QKeySequence>
#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace penmarrow::ui {

class Narrator;
class TFMain;

class PlanCommands : public QObject {
 public:
  PlanCommands(TFMain& window, Narrator& narrator);

  // The three commands, at the end of a menu.
  void AddTo(QMenu& menu) const;

  void Save();
  void Open();
  void Print();
  // Reads the plan and applies it, or tells why not and changes nothing.
  void OpenFile(const QString& path);
  // OpenFile once the event loop runs again, as the saver's own command.
  void OpenLater(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddCommand(const QString& text, QKeySequence::StandardKey keys,
                      void (PlanCommands::*run)());
  // Where to save or print: beside the plan last saved or opened, under its name.
  QString Suggested(const QString& suffix) const;

  TFMain& window_;
  Narrator& narrator_;
  QAction* save_;
  QAction* open_;
  QAction* print_;
  QString file_;     // the plan last saved or opened, offered again
  QString dragged_;  // the plan file over the window
};

}  // namespace penmarrow::ui
