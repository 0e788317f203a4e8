#pragma once
// A saver's plan: every input of both strategies, as the window's fields count them. A plan that
// PlanFormat read or the window made holds only values the fields take.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace penmarrow {

struct Plan {
  std::int64_t initialDeposit = 0;  // whole currency units, 0 to 999,999
  std::int64_t regularDeposit = 0;
  std::size_t depositFrequency = 0;   // a row of FrequencyTable, never "Continuous"
  std::size_t compoundFrequency = 0;  // a row of FrequencyTable
  QString rate;                       // the rate field's text, as a paste would bring it
  int years = 1;                      // 1 to 50
  bool alternativeShown = false;
  std::int64_t alternativeDeposit = 0;
  std::size_t alternativeFrequency = 0;  // never "Continuous"
  int startLater = 0;                    // 0 to years - 1
  bool marksShown = false;
  bool operator==(const Plan&) const = default;
};

}  // namespace penmarrow
