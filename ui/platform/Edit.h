#pragma once
// An edit field whose change handler runs inside the code that changes the text, so that a
// key rule which writes a text sees the whole recalculation finish before it places the caret.

#include <QLineEdit>
#include <functional>

namespace penmarrow::ui {

class TEdit : public QLineEdit {
  Q_OBJECT  // its own class name lets the accessibility factory tell it from a plain line edit

 public:
  using Handler = std::function<void(TEdit&)>;

  explicit TEdit(QWidget* parent = nullptr);

  // Writing a different text runs OnChange before returning; an equal text runs nothing.
  void SetText(const QString& text);

  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int position);

  Handler OnChange;  // may be detached (empty) for a while
  Handler OnExit;    // the focus moved to another control of the window
  // Every character (backspace is u'\b') and the Delete key (46) go to these before the field
  // acts; the field itself never applies them.
  std::function<void(TEdit&, char16_t& key)> OnKeyPress;
  std::function<void(TEdit&, int& key)> OnKeyDown;
  // Text arriving other than by keys (paste, drop, undo) must pass this, or it is taken back.
  std::function<bool(const QString&)> AcceptsText;

  static constexpr int DeleteKey = 46;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RunChange();
  void TextEditedByControl();
  void Remember();

  QString acceptedText_;
  int acceptedCaret_ = 0;
};

}  // namespace penmarrow::ui
