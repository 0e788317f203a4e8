#pragma once
// An edit field whose change handler runs inside the code that changes the text, so that a
// key rule which writes a text sees the whole recalculation finish before it places the caret.
// The field never inserts text itself: typed keys go to the key handlers, and text that arrives
// otherwise (paste, drop, input method, undo) is tested whole before it is written.

#include <QKeySequence>
#include <QLineEdit>
#include <functional>
#include <optional>
#include <vector>

namespace penmarrow::ui {

class TEdit : public QLineEdit {
  Q_OBJECT

 public:
  using Handler = std::function<void(TEdit&)>;

  explicit TEdit(QWidget* parent = nullptr);

  // Writing a different text runs OnChange before returning; an equal text runs nothing.
  void SetTextAndNotify(const QString& text);
  // An accepted edit: writes the text, puts the caret at `caret` and runs `settle`. An error that
  // OnChange raises is passed on only after all three, so the edit stays whole (its caret, its
  // undo, the amount saved from it) whatever the recalculation raised.
  void WriteEdit(const QString& text, int caret, const std::function<void()>& settle = {});

  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int position);

  // Text arriving other than by typed keys, in place of the given selection: written with the
  // caret after it when the whole result passes AcceptsText, otherwise refused without a trace.
  bool Offer(int selStart, int selLength, const QString& incoming);
  // The field's context menu: Undo, Cut, Copy, Paste, Delete and Select All, all through Offer
  // or the Delete key's handler, and each also run by its usual keys. A chosen action runs from
  // the event loop once the menu has closed, never inside the menu's own code.
  void ShowMenu(const QPoint& globalPosition);

  Handler OnChange;  // may be detached (empty) for a while
  Handler OnExit;    // the focus moved to another control of the window
  // Every character (backspace is u'\b') and the Delete key (46) go to these before the field
  // acts; the field itself never applies them.
  std::function<void(TEdit&, char16_t& key)> OnKeyPress;
  std::function<void(TEdit&, int& key)> OnKeyDown;
  // The test for a whole text that did not come from the key handlers.
  std::function<bool(const QString&)> AcceptsText;
  Handler OnAccepted;  // after text from Offer has been written, even when OnChange raised

  static constexpr int DeleteKey = 46;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Command {
    QString caption;
    QKeySequence::StandardKey keys;
    std::function<bool()> enabled;  // asked only when the menu shows the command
    std::function<void()> run;      // does nothing where the command cannot run
  };
  std::vector<Command> Commands();
  bool RunShortcut(const QKeyEvent& event);
  void TakeKey(const QKeyEvent& event);
  void DeleteSelection();
  void Cut();
  void Paste();
  void Undo();
  void TextEditedByControl();

  struct State {
    QString text;
    int selStart = 0;
    int selLength = 0;
  };
  State Current() const;
  State beforeEvent_;  // as the field stood before the event being handled
  int eventDepth_ = 0;
  std::optional<QString> undo_;  // what Undo brings back; writing a text from code forgets it
  bool undoable_ = false;        // set while an edit that Undo can take back is being written
};

}  // namespace penmarrow::ui
