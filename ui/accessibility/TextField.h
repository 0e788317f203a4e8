#pragma once
// A one-line text as screen readers see it: its text, caret and selection, the pieces of its text
// found by our own scans, and writes that must pass the field's own rule for text arriving other
// than by keys. The scans are a workaround for Qt 6.4, whose word search can spin for good on a
// leading "$": they go once Qt 6.4 is no longer built with and desktop.a11y's query of every
// piece passes with Qt's own search.

#include <QAccessibleWidget>
#include <QLineEdit>
#include <functional>

namespace penmarrow::ui {

class TextField : public QAccessibleWidget,
                  public QAccessibleTextInterface,
                  public QAccessibleEditableTextInterface {
 public:
  // Replaces [start, end) of the text (clamped to it) by text.
  struct Splice {
    int start;
    int end;
    QString text;
    QString AppliedTo(const QString& old) const;
  };
  // Takes a change of the text: false when the field refuses it.
  using Writer = std::function<bool(const Splice&)>;

  TextField(QWidget* widget, QLineEdit* line, QAccessible::Role role, Writer write);

  // QAccessibleInterface
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text t, const QString& text) override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTextInterface
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  // QAccessibleEditableTextInterface: each builds the whole new text and hands it to the writer.
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  QLineEdit* line_;
  Writer write_;
};

// A control's text that nobody edits, the shown value of a slider say: the text queries answered
// from it, its characters spread along the control.
class ShownText : public QAccessibleTextInterface {
 public:
  ShownText(const QWidget& control, std::function<QString()> text)
      : control_(control), text_(std::move(text)) {}

  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                          int* endOffset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                       int* endOffset) const override;
  int characterCount() const override { return static_cast<int>(text_().size()); }
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override;

 private:
  const QWidget& control_;
  std::function<QString()> text_;
};

}  // namespace penmarrow::ui
