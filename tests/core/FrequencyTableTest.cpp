#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FrequencyTable.h"

namespace penmarrow {
namespace {

using Names = std::vector<std::u16string_view>;

struct ListCase {
  std::size_t depositPosition;
  std::int64_t depositsPerYear;
  Names offered;
};

TEST(FrequencyTable, CompoundingIsNeverOfferedMoreOftenThanDeposits) {
  const ListCase cases[] = {
      {0, 1, {u"Annually", u"Continuous"}},
      {1, 4, {u"Annually", u"Quarterly", u"Continuous"}},
      {2, 12, {u"Annually", u"Quarterly", u"Monthly", u"Continuous"}},
      {3, 52, {u"Annually", u"Quarterly", u"Monthly", u"Weekly", u"Continuous"}},
      {4, 365, {u"Annually", u"Quarterly", u"Monthly", u"Weekly", u"Daily", u"Continuous"}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.depositPosition);
    EXPECT_EQ(CompoundFrequencyList(c.depositPosition), c.offered);
    EXPECT_EQ(FrequencyTable[c.depositPosition].CountPerYear, c.depositsPerYear);
  }
}

struct LookupCase {
  std::u16string_view text;
  std::int64_t count;  // 0: names no row
  bool subAnnual;
};

TEST(FrequencyTable, LookupIgnoresTheCaseOfAsciiLettersOnly) {
  const LookupCase cases[] = {
      {u"Annually", 1, false},
      {u"ANNUALLY", 1, false},
      {u"Quarterly", 4, true},
      {u"MONTHLY", 12, true},
      {u"weekly", 52, true},
      {u"dAiLy", 365, true},
      {u"Continuous", 3650, true},
      {u"", 0, false},
      {u"Month", 0, false},
      {u"Monthly ", 0, false},
      {u"Monthlyy", 0, false},
      {u"DA\u0130LY", 0, false},  // a dotted capital I is no ASCII letter
      {u"\uFF2DONTHLY", 0, false},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    const auto row = LookupFrequency(c.text);
    ASSERT_EQ(row.has_value(), c.count != 0);
    if (!row) continue;
    EXPECT_EQ(row->CountPerYear, c.count);
    EXPECT_EQ(row->SubAnnual, c.subAnnual);
  }
}

TEST(FrequencyTable, ContinuousIsRecognisedByNameIgnoringAsciiCase) {
  const std::pair<std::u16string_view, bool> cases[] = {
      {u"Continuous", true},       {u"continuous", true}, {u"CONTINUOUS", true},
      {u"Daily", false},           {u"", false},          {u"Continuous ", false},
      {u"CONT\u0130NUOUS", false},
  };
  for (const auto& [text, continuous] : cases) {
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    EXPECT_EQ(IsContinuous(text), continuous);
  }
}

}  // namespace
}  // namespace penmarrow
