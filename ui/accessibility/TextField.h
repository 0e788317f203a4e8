#pragma once
// A one-line text as screen readers see it: its text, caret and selection, the pieces of its text
// found by our own scans (Qt 6.4's word search can spin for good on a leading "$"), and writes that
// must pass the field's own rule for text arriving other than by keys.

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

  QLineEdit* Line() const { return line_; }

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

}  // namespace penmarrow::ui
