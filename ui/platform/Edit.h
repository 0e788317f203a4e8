#pragma once
// An edit field whose change handler runs inside the code that changes the text, so that a
// key rule which writes a text sees the whole recalculation finish before it places the caret.

#include <QLineEdit>
#include <functional>

namespace penmarrow::ui {

class TEdit : public QLineEdit {
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

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void RunChange();
};

}  // namespace penmarrow::ui
