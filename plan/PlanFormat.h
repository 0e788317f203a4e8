#pragma once
// The plan file: a small JSON object of named values that a person can read and compare, with the
// format's name and version. Reading takes only what the window's fields would take.
//
//   {
//       "alternative compound frequency": "Annually",
//       "alternative regular deposit": "$75",
//       "alternative shown": false,
//       "alternative start later": 0,
//       "compound frequency": "Annually",
//       "deposit frequency": "Annually",
//       "format": "Penmarrow plan",
//       "initial deposit": "$1,000",
//       "marks shown": true,
//       "rate": "5.00",
//       "regular deposit": "$100",
//       "version": 1,
//       "years": 10
//   }

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

#include "plan/Plan.h"

namespace penmarrow {

inline constexpr int PlanVersion = 1;

struct PlanReading {
  std::optional<Plan> plan;
  QString refusal;  // one sentence, set exactly when there is no plan
};

QByteArray WritePlan(const Plan& plan);

// Refuses anything but a plan whose every value a field takes, naming the first that is wrong.
PlanReading ReadPlan(QByteArrayView bytes);

}  // namespace penmarrow
