#include "ui/accessibility/TextField.h"

#include <QFontMetrics>
#include <algorithm>

#include "core/Selection.h"
#include "core/TextBoundaries.h"
#include "ui/accessibility/DevicePixels.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

TextBoundary BoundaryOf(QAccessible::TextBoundaryType type) {
  switch (type) {
    case QAccessible::CharBoundary: return TextBoundary::Character;
    case QAccessible::WordBoundary: return TextBoundary::Word;
    case QAccessible::SentenceBoundary: return TextBoundary::Sentence;
    case QAccessible::ParagraphBoundary: return TextBoundary::Paragraph;
    case QAccessible::LineBoundary: return TextBoundary::Line;
    case QAccessible::NoBoundary: break;
  }
  return TextBoundary::Whole;
}

using SpanFinder = TextSpan (*)(std::u16string_view, int, TextBoundary);

QString Piece(const QString& text, int offset, QAccessible::TextBoundaryType type, int* start,
              int* end, SpanFinder find) {
  const TextSpan span = find(View(text), offset, BoundaryOf(type));
  *start = span.start;
  *end = span.end;
  return text.mid(span.start, span.end - span.start);
}

// [startOffset, endOffset) of whole, clamped to it; -1 as the end means the end of the text.
QString Range(const QString& whole, int startOffset, int endOffset) {
  const long long end = endOffset < 0 ? whole.size() : endOffset;
  const auto [start, length] = ClampSelection(whole.size(), startOffset, end - startOffset);
  return whole.mid(start, length);
}

int OffsetAt(const QAccessibleTextInterface& text, const QPoint& point) {
  for (int offset = 0; offset < text.characterCount(); ++offset)
    if (text.characterRect(offset).contains(point)) return offset;
  return -1;
}

}  // namespace

QString TextField::Splice::AppliedTo(const QString& old) const {
  const auto [first, length] =
      ClampSelection(old.size(), start, static_cast<long long>(end) - start);
  return QString(old).replace(first, length, text);
}

TextField::TextField(QWidget* widget, QLineEdit* line, QAccessible::Role role, Writer write)
    : QAccessibleWidget(widget, role), line_(line), write_(std::move(write)) {}

QString TextField::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return line_->text();
  return QAccessibleWidget::text(t);
}

void TextField::setText(QAccessible::Text t, const QString& text) {
  if (t == QAccessible::Value) write_({0, characterCount(), text});
}

QAccessible::State TextField::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = true;
  state.selectableText = true;
  state.readOnly = line_->isReadOnly() || !widget()->isEnabled();
  return state;
}

void* TextField::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface)
    return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

void TextField::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !line_->hasSelectedText()) return;
  *startOffset = line_->selectionStart();
  *endOffset = line_->selectionEnd();
}

int TextField::selectionCount() const { return line_->hasSelectedText() ? 1 : 0; }

void TextField::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void TextField::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) line_->deselect();
}

void TextField::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  const int size = characterCount();
  const int start = std::clamp(startOffset, 0, size);
  line_->setSelection(start, std::clamp(endOffset, 0, size) - start);
}

int TextField::cursorPosition() const { return line_->cursorPosition(); }

void TextField::setCursorPosition(int position) {
  line_->setCursorPosition(std::clamp(position, 0, characterCount()));
}

QString TextField::text(int startOffset, int endOffset) const {
  return Range(line_->text(), startOffset, endOffset);
}

QString TextField::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                    int* startOffset, int* endOffset) const {
  return Piece(line_->text(), offset, boundaryType, startOffset, endOffset, SpanBefore);
}

QString TextField::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                   int* startOffset, int* endOffset) const {
  return Piece(line_->text(), offset, boundaryType, startOffset, endOffset, SpanAfter);
}

QString TextField::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                int* startOffset, int* endOffset) const {
  return Piece(line_->text(), offset, boundaryType, startOffset, endOffset, SpanAt);
}

int TextField::characterCount() const { return static_cast<int>(line_->text().size()); }

QRect TextField::characterRect(int offset) const {
  const QString shown = line_->displayText();
  if (offset < 0 || offset >= shown.size()) return {};
  // The text starts at the contents' left edge, inside the margins and Qt's 2 pixels of padding.
  const QFontMetrics metrics(line_->font());
  const QRect contents = line_->contentsRect().marginsRemoved(line_->textMargins());
  const int left = contents.left() + 2 + metrics.horizontalAdvance(shown.left(offset));
  const int top = contents.top() + (contents.height() - metrics.height()) / 2;
  const QRect local(left, top, metrics.horizontalAdvance(shown.at(offset)), metrics.height());
  return DevicePixels(*line_, QRect(line_->mapToGlobal(local.topLeft()), local.size()));
}

int TextField::offsetAtPoint(const QPoint& point) const { return OffsetAt(*this, point); }

void TextField::scrollToSubstring(int startIndex, int) { setCursorPosition(startIndex); }

QString TextField::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

void TextField::deleteText(int startOffset, int endOffset) {
  replaceText(startOffset, endOffset, {});
}

void TextField::insertText(int offset, const QString& text) { replaceText(offset, offset, text); }

void TextField::replaceText(int startOffset, int endOffset, const QString& text) {
  write_({startOffset, endOffset, text});
}

QString ShownText::text(int startOffset, int endOffset) const {
  return Range(text_(), startOffset, endOffset);
}

QString ShownText::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                    int* startOffset, int* endOffset) const {
  return Piece(text_(), offset, boundaryType, startOffset, endOffset, SpanBefore);
}

QString ShownText::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                   int* startOffset, int* endOffset) const {
  return Piece(text_(), offset, boundaryType, startOffset, endOffset, SpanAfter);
}

QString ShownText::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                int* startOffset, int* endOffset) const {
  return Piece(text_(), offset, boundaryType, startOffset, endOffset, SpanAt);
}

QRect ShownText::characterRect(int offset) const {
  const int count = characterCount();
  if (offset < 0 || offset >= count) return {};
  const QRect place(control_.mapToGlobal(QPoint(0, 0)), control_.size());
  const int left = place.left() + place.width() * offset / count;
  const int right = place.left() + place.width() * (offset + 1) / count;
  return DevicePixels(control_,
                      QRect(left, place.top(), std::max(right - left, 1), place.height()));
}

int ShownText::offsetAtPoint(const QPoint& point) const { return OffsetAt(*this, point); }

QString ShownText::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

}  // namespace penmarrow::ui
