#include "core/TextBoundaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace penmarrow {
namespace {

constexpr TextBoundary AllBoundaries[] = {TextBoundary::Character, TextBoundary::Word,
                                          TextBoundary::Sentence,  TextBoundary::Paragraph,
                                          TextBoundary::Line,      TextBoundary::Whole};

// Texts the fields hold or can be made to hold, and a few that exercise every kind of piece.
const std::u16string Texts[] = {u"",
                                u"$",
                                u"$100",
                                u"$1,000",
                                u"$1,0005",
                                u"5.00",
                                u"99.99",
                                u"10",
                                u"-5",
                                u"1e9",
                                u"  $75 ",
                                u"a b  c",
                                u"One. Two!  Three?",
                                u"x\ny\n",
                                u"\U0001F600a",
                                u"\xD800"
                                u"$"};

std::vector<std::u16string> Pieces(const std::u16string& text, TextBoundary boundary) {
  std::vector<std::u16string> pieces;
  for (int offset = 0; offset < static_cast<int>(text.size());) {
    const TextSpan at = SpanAt(text, offset, boundary);
    pieces.push_back(text.substr(at.start, at.end - at.start));
    offset = at.end;
  }
  return pieces;
}

TEST(TextBoundaries, PiecesOfTheFieldsTexts) {
  using P = std::vector<std::u16string>;
  const struct {
    std::u16string text;
    TextBoundary boundary;
    P pieces;
  } cases[] = {
      {u"$1,000", TextBoundary::Character, {u"$", u"1", u",", u"0", u"0", u"0"}},
      {u"$1,000", TextBoundary::Word, {u"$1,000"}},
      {u"$1,000", TextBoundary::Sentence, {u"$1,000"}},
      {u"$1,000", TextBoundary::Line, {u"$1,000"}},
      {u"5.00", TextBoundary::Sentence, {u"5.00"}},
      {u"  $75 ", TextBoundary::Word, {u"  ", u"$75 "}},
      {u"a b  c", TextBoundary::Word, {u"a ", u"b  ", u"c"}},
      {u"One. Two!  Three?", TextBoundary::Sentence, {u"One. ", u"Two!  ", u"Three?"}},
      {u"x\ny\n", TextBoundary::Line, {u"x\n", u"y\n"}},
      {u"x\ny\n", TextBoundary::Paragraph, {u"x\n", u"y\n"}},
      {u"x\ny\n", TextBoundary::Whole, {u"x\ny\n"}},
      {u"\U0001F600a", TextBoundary::Character, {u"\U0001F600", u"a"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Pieces(c.text, c.boundary), c.pieces);
}

TEST(TextBoundaries, TheEndOfATextGivesTheLastPieceButNoCharacter) {
  const std::u16string text = u"$1,000";
  EXPECT_EQ(SpanAt(text, 6, TextBoundary::Character), (TextSpan{6, 6}));
  EXPECT_EQ(SpanBefore(text, 6, TextBoundary::Character), (TextSpan{5, 6}));
  for (const TextBoundary b :
       {TextBoundary::Word, TextBoundary::Sentence, TextBoundary::Line, TextBoundary::Whole})
    EXPECT_EQ(SpanAt(text, 6, b), (TextSpan{0, 6}));
  EXPECT_EQ(SpanAt(u"", 0, TextBoundary::Line), (TextSpan{0, 0}));
}

TEST(TextBoundaries, OffsetsOutsideTheTextGiveEmptySpans) {
  for (const TextBoundary b : AllBoundaries) {
    EXPECT_EQ(SpanAt(u"$100", -1, b), (TextSpan{0, 0}));
    EXPECT_EQ(SpanAt(u"$100", 5, b), (TextSpan{4, 4}));
    EXPECT_EQ(SpanAfter(u"$100", 99, b), (TextSpan{4, 4}));
    EXPECT_EQ(SpanBefore(u"$100", -7, b), (TextSpan{0, 0}));
  }
}

// At every offset of every text: the piece holds the
// offset, and the pieces before and after adjoin it.
TEST(TextBoundaries, EveryBoundaryAtEveryOffsetAdjoinsItsNeighbours) {
  for (const std::u16string& text : Texts) {
    const int size = static_cast<int>(text.size());
    for (const TextBoundary b : AllBoundaries) {
      for (int offset = 0; offset <= size; ++offset) {
        SCOPED_TRACE(testing::Message() << "size " << size << " boundary " << static_cast<int>(b)
                                        << " offset " << offset);
        const TextSpan at = SpanAt(text, offset, b);
        const TextSpan before = SpanBefore(text, offset, b);
        const TextSpan after = SpanAfter(text, offset, b);
        for (const TextSpan& s : {at, before, after}) {
          EXPECT_LE(0, s.start);
          EXPECT_LE(s.start, s.end);
          EXPECT_LE(s.end, size);
        }
        EXPECT_TRUE(offset == size || (at.start <= offset && offset < at.end));
        EXPECT_TRUE(before.start == before.end || before.end == at.start);
        EXPECT_TRUE(after.start == after.end || after.start == at.end);
        EXPECT_EQ(after.start == after.end, at.end == size || at.start == at.end);
      }
    }
  }
}

}  // namespace
}  // namespace penmarrow
