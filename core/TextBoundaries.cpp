#include "core/TextBoundaries.h"

#include <algorithm>

namespace penmarrow {
namespace {

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u00A0';
}
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool EndsSentence(char16_t c) { return c == u'.' || c == u'!' || c == u'?'; }

// Whether a piece of the given kind starts at position i (0 < i < size).
bool StartsPiece(std::u16string_view text, std::size_t i, TextBoundary boundary) {
  const char16_t previous = text[i - 1];
  const char16_t current = text[i];
  switch (boundary) {
    case TextBoundary::Character: return !(IsHighSurrogate(previous) && IsLowSurrogate(current));
    case TextBoundary::Word:
      // A word runs up to the next word, its trailing spaces included.
      return IsSpace(previous) && !IsSpace(current);
    case TextBoundary::Sentence:
      // After a full stop and its spaces; "5.00" stays one sentence.
      if (IsSpace(current)) return false;
      for (std::size_t j = i; j-- > 0;) {
        if (EndsSentence(text[j])) return j + 1 < i;
        if (!IsSpace(text[j])) return false;
      }
      return false;
    case TextBoundary::Paragraph:
    case TextBoundary::Line: return previous == u'\n';
    case TextBoundary::Whole: return false;
  }
  return false;
}

int PieceStart(std::u16string_view text, std::size_t inside, TextBoundary boundary) {
  std::size_t i = inside;
  while (i > 0 && !StartsPiece(text, i, boundary)) --i;
  return static_cast<int>(i);
}

int PieceEnd(std::u16string_view text, std::size_t inside, TextBoundary boundary) {
  std::size_t i = inside + 1;
  while (i < text.size() && !StartsPiece(text, i, boundary)) ++i;
  return static_cast<int>(i);
}

}  // namespace

TextSpan SpanAt(std::u16string_view text, int offset, TextBoundary boundary) {
  const int size = static_cast<int>(text.size());
  if (offset < 0) return {0, 0};
  if (offset > size) return {size, size};
  if (offset == size && (boundary == TextBoundary::Character || size == 0)) return {size, size};
  const auto inside = static_cast<std::size_t>(std::min(offset, size - 1));
  return {PieceStart(text, inside, boundary), PieceEnd(text, inside, boundary)};
}

TextSpan SpanBefore(std::u16string_view text, int offset, TextBoundary boundary) {
  const TextSpan at = SpanAt(text, offset, boundary);
  if (at.start == 0) return {0, 0};
  return SpanAt(text, at.start - 1, boundary);
}

TextSpan SpanAfter(std::u16string_view text, int offset, TextBoundary boundary) {
  const TextSpan at = SpanAt(text, offset, boundary);
  const int size = static_cast<int>(text.size());
  if (at.end >= size) return {size, size};
  return SpanAt(text, at.end, boundary);
}

}  // namespace penmarrow
