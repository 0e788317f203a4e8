#pragma once
// The pieces of a text that screen readers ask for (a character, a word, a sentence, a line, the
// whole text) at, before or after an offset, found by plain scans that always end.

#include <string_view>

namespace penmarrow {

enum class TextBoundary { Character, Word, Sentence, Paragraph, Line, Whole };

// A piece [start, end) of a text, in UTF-16 code units; empty where there is nothing to give.
struct TextSpan {
  int start = 0;
  int end = 0;
  bool operator==(const TextSpan&) const = default;
};

// The piece that holds offset. At the end of a text, a character is empty and every other piece
// is the last one. An offset outside 0..size gives an empty span at the nearest end.
TextSpan SpanAt(std::u16string_view text, int offset, TextBoundary boundary);
// The piece that ends where the piece at offset starts, or an empty span at 0.
TextSpan SpanBefore(std::u16string_view text, int offset, TextBoundary boundary);
// The piece that starts where the piece at offset ends, or an empty span at the end.
TextSpan SpanAfter(std::u16string_view text, int offset, TextBoundary boundary);

}  // namespace penmarrow
