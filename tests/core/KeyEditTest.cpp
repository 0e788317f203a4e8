#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "core/FormatSettings.h"
#include "core/KeyEdit.h"

namespace penmarrow {
namespace {

// The key rules read the process-wide settings; pin them to what the main window sets.
class PinnedSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = FormatSettings();
    FormatSettings() = {.CurrencyString = u"$",
                        .ThousandSeparator = u',',
                        .DecimalSeparator = u'.',
                        .CurrencyFormat = 0,
                        .NegCurrFormat = 0};
  }
  void TearDown() override { FormatSettings() = saved_; }

 private:
  TFormatSettings saved_;
};

struct KeyCase {
  const char* name;
  std::u16string text;
  int selStart;
  int selLength;
  std::optional<char16_t> key;  // nothing: the Delete key
  TKeyEdit expected;
};

const std::u16string Emoji{char16_t{0xD83D}, char16_t{0xDE00}};

const KeyCase KeyCases[] = {
    {"TypingAtTheEndAppends", u"$1,000", 6, 0, u'5', {u"$1,0005", 7}},
    {"TypingAtTheStartPrepends", u"$1,000", 0, 0, u'5', {u"5$1,000", 1}},
    {"TypingPastTheLimitStillBuildsTheCandidate", u"$100,000", 8, 0, u'1', {u"$100,0001", 9}},
    {"TypingReplacesTheSelection", u"$999,999", 0, 8, u'7', {u"7", 1}},
    {"LeadingZerosKeepComing", u"$000000", 7, 0, u'1', {u"$0000001", 8}},
    {"BackspaceRemovesTheCharacterBeforeTheCaret", u"$5", 2, 0, Backspace, {u"$", 1}},
    {"BackspaceAfterTheCurrencyString", u"$5", 1, 0, Backspace, {u"5", 0}},
    {"BackspaceRemovesTheLastCharacter", u"5", 1, 0, Backspace, {u"", 0}},
    {"BackspaceAtTheStartChangesNothing", u"$1,000", 0, 0, Backspace, {u"$1,000", 0}},
    {"BackspaceRemovesTheSelection", u"$1,000", 2, 3, Backspace, {u"$10", 2}},
    {"BackspaceOnEverythingEmpties", u"$1,000", 0, 6, Backspace, {u"", 0}},
    {"DeleteRemovesTheCharacterAfterTheCaret", u"$1,000", 1, 0, std::nullopt, {u"$,000", 1}},
    {"DeleteAtTheEndChangesNothing", u"$1,000", 6, 0, std::nullopt, {u"$1,000", 6}},
    {"DeleteRemovesTheSelection", u"$1,000", 2, 2, std::nullopt, {u"$100", 2}},
    {"DeleteOnEverythingEmpties", u"$1,000", 0, 6, std::nullopt, {u"", 0}},
    {"RateDigitAtTheEnd", u"5.00", 4, 0, u'1', {u"5.001", 5}},
    {"RateSixthCharacter", u"5.001", 5, 0, u'2', {u"5.0012", 6}},
    {"RateDeleteBeforeTheSeparator", u"5.00", 1, 0, std::nullopt, {u"500", 1}},
    {"RateBackspaceAfterTheSeparator", u"5.00", 2, 0, Backspace, {u"500", 1}},
    {"RateSeparatorReplacesEverything", u"5.00", 0, 4, u'.', {u".", 1}},
    {"RateDigitBeforeTheSeparator", u"99.9", 2, 0, u'9', {u"999.9", 3}},
    {"RateSecondSeparator", u"5.5", 3, 0, u'.', {u"5.5.", 4}},
    {"NegativeSelStartCountsAsTheStart", u"$1,000", -3, 0, u'5', {u"5$1,000", 1}},
    {"SelStartPastTheEndCountsAsTheEnd", u"$1,000", 99, 0, u'5', {u"$1,0005", 7}},
    {"SelLengthPastTheEndStopsThere", u"$1,000", 4, 99, u'5', {u"$1,05", 5}},
    {"NegativeSelLengthSelectsNothing", u"$1,000", 2, -4, u'5', {u"$15,000", 3}},
    {"TypingIntoEmptyTextWithAStaleSelection", u"", 5, 5, u'7', {u"7", 1}},
    {"BackspacePastTheEndRemovesTheLastCharacter", u"$1,000", 99, 0, Backspace, {u"$1,00", 5}},
    {"BackspaceFarBeforeTheStartChangesNothing",
     u"$1,000",
     INT_MIN,
     INT_MIN,
     Backspace,
     {u"$1,000", 0}},
    {"DeleteFarPastTheEndChangesNothing",
     u"$1,000",
     INT_MAX,
     INT_MAX,
     std::nullopt,
     {u"$1,000", 6}},
    {"DeleteBeforeTheStartRemovesTheFirstCharacter", u"$1,000", -5, 0, std::nullopt, {u"1,000", 0}},
    {"PositionsCountCodeUnits", Emoji, 1, 0, u'5', {std::u16string{Emoji[0], u'5', Emoji[1]}, 2}},
};

// A failing case is reported by its name, not by a dump of its bytes.
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyEdits : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyEdits, BuildsTheCandidateAndCaret) {
  const KeyCase& c = GetParam();
  const TKeyEdit edit = c.key ? CharKeyEdit(c.text, c.selStart, c.selLength, *c.key)
                              : DeleteKeyEdit(c.text, c.selStart, c.selLength);
  EXPECT_EQ(edit.Text, c.expected.Text);
  EXPECT_EQ(edit.Caret, c.expected.Caret);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyEdits, ::testing::ValuesIn(KeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MoneyCase {
  std::u16string_view candidate;
  bool allowed;
};

class MoneyKeyRule : public PinnedSettings {};

TEST_F(MoneyKeyRule, AllowsEmptyTextAndAmountsUpTo999999) {
  const MoneyCase cases[] = {
      {u"", true},           {u"$1,0005", true},   {u"7", true},        {u"5$1,000", true},
      {u"5", true},          {u"$,000", true},     {u"$0000001", true}, {u"$999,999", true},
      {u"999999", true},     {u"-5", true},        {u"$-5", true},      {u"$$F423F", true},
      {u"$100,0001", false}, {u"$", false},        {u"abc", false},     {u"$1,000,000", false},
      {u"1000000", false},   {u"12345678", false}, {u"$$F4240", false}, {u"5 ", false},
  };
  for (const MoneyCase& c : cases) {
    SCOPED_TRACE(std::string(c.candidate.begin(), c.candidate.end()));
    EXPECT_EQ(MoneyTextAllowed(c.candidate), c.allowed);
  }
}

TEST_F(MoneyKeyRule, FollowsTheCurrencyStringOfTheSettings) {
  FormatSettings().CurrencyString = u"EUR";
  EXPECT_TRUE(MoneyTextAllowed(u"EUR1,000"));
  EXPECT_FALSE(MoneyTextAllowed(u"USD1,000"));
}

TEST_F(MoneyKeyRule, PastedTextHoldsOnlyWhatTypingCouldHaveMade) {
  // Negative, hexadecimal and doubled currency forms pass the amount rule but cannot be typed:
  // "$$2,000" reads as hexadecimal 8,192, and leaving the field rewrites the others as 0.
  const std::u16string leadingZeros =
      std::u16string(40'000, u'0') + u"5";  // typing never stops zeros
  const MoneyCase cases[] = {
      {u"-500", false},    {u"$-04", false},    {u"x8000000000000000", false},
      {u"$FF", false},     {u" 12", false},     {u"1.5", false},
      {u"$$2,000", false}, {u"$2,000$", false}, {u"1,000,000", false},
      {u"$2,500", true},   {u"2500", true},     {u"", true},
      {u"999,999", true},  {u"5$1,000", true},  {leadingZeros, true},
  };
  for (const MoneyCase& c : cases) {
    SCOPED_TRACE(std::string(c.candidate.begin(),
                             c.candidate.begin() + std::min<std::size_t>(c.candidate.size(), 20)));
    EXPECT_EQ(MoneyPasteAllowed(c.candidate), c.allowed);
  }
}

struct RateCase {
  std::u16string_view candidate;
  bool limitLength;
  bool allowed;
};

class RateKeyRule : public PinnedSettings {};

TEST_F(RateKeyRule, AllowsEmptyTextAndRatesFrom0To9999WithinFiveCharacters) {
  const RateCase cases[] = {
      {u"", true, true},        {u"", false, true},        {u"5.001", true, true},
      {u"5.0012", true, false}, {u"5.0012", false, true},  {u".", true, true},
      {u"0", true, true},       {u"99", true, true},       {u"99.99", true, true},
      {u"99.990", false, true}, {u"99.991", false, false}, {u"999", true, false},
      {u"500", false, false},   {u"999.9", true, false},   {u"5.5.", true, false},
      {u"-1", true, false},     {u"abc", false, false},    {u"5,5", false, false},
  };
  for (const RateCase& c : cases) {
    SCOPED_TRACE(std::string(c.candidate.begin(), c.candidate.end()) +
                 (c.limitLength ? " limited" : ""));
    EXPECT_EQ(RateTextAllowed(c.candidate, c.limitLength), c.allowed);
  }
}

TEST_F(RateKeyRule, PastedTextHoldsOnlyWhatTypingCouldHaveMadeAndIsTestedWhole) {
  const RateCase cases[] = {
      {u"7.5", true, true},  {u"99.99", true, true},   {u"2.5e-3", true, false},
      {u"1e1", true, false}, {u"1.5e10", true, false}, {u"99.999", true, false},
      {u"+5", true, false},  {u" 5", true, false},
  };
  for (const RateCase& c : cases) {
    SCOPED_TRACE(std::string(c.candidate.begin(), c.candidate.end()));
    EXPECT_EQ(RatePasteAllowed(c.candidate), c.allowed);
  }
}

TEST_F(RateKeyRule, FollowsTheDecimalSeparatorOfTheSettings) {
  FormatSettings().DecimalSeparator = u',';
  EXPECT_TRUE(RateTextAllowed(u"5,5", true));
  EXPECT_FALSE(RateTextAllowed(u"5.5", true));
}

}  // namespace
}  // namespace penmarrow
