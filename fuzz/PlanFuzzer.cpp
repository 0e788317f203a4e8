// Feeds arbitrary files to the plan reader and traps on any broken promise: a refused file gets
// one short printable sentence; an accepted one holds only values the window's fields take, and
// reads back as itself once written.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/FormatSettings.h"
#include "core/FrequencyTable.h"
#include "core/KeyEdit.h"
#include "plan/PlanFormat.h"

namespace {

using namespace penmarrow;

constexpr qsizetype LongestRefusal = 240;
constexpr std::int64_t MoneyLimit = 999'999;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckRefusal(const QString& refusal) {
  Require(!refusal.isEmpty() && refusal.size() <= LongestRefusal);
  for (const QChar c : refusal) Require(c.isPrint());
}

void CheckValues(const Plan& plan) {
  for (const std::int64_t amount :
       {plan.initialDeposit, plan.regularDeposit, plan.alternativeDeposit})
    Require(amount >= 0 && amount <= MoneyLimit);
  Require(plan.depositFrequency < DiscreteFrequencyCount);
  Require(plan.alternativeFrequency < DiscreteFrequencyCount);
  Require(plan.compoundFrequency < FrequencyTable.size());
  const std::vector<std::u16string_view> offered = CompoundFrequencyList(plan.depositFrequency);
  const bool listed =
      std::ranges::find(offered, FrequencyTable[plan.compoundFrequency].Name) != offered.end();
  Require(listed || plan.depositFrequency == 0);
  Require(RatePasteAllowed(plan.rate.toStdU16String()));
  Require(plan.years >= 1 && plan.years <= 50);
  Require(plan.startLater >= 0 && plan.startLater < plan.years);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FormatSettings() = TFormatSettings{};
  const PlanReading reading =
      ReadPlan(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  Require(reading.plan.has_value() == reading.refusal.isEmpty());
  if (!reading.plan) {
    CheckRefusal(reading.refusal);
    return 0;
  }
  CheckValues(*reading.plan);
  const QByteArray written = WritePlan(*reading.plan);
  const PlanReading again = ReadPlan(written);
  Require(again.plan == reading.plan);
  Require(WritePlan(*again.plan) == written);
  return 0;
}
