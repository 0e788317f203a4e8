#pragma once
// Plans on disk. Reading never waits on anything but a regular file and never reads more than a
// plan can hold; saving writes a new file beside the old one and puts it in place only whole.

#include <QString>

#include "plan/PlanFormat.h"

namespace penmarrow {

// Far more than any plan holds (a few hundred bytes); anything larger is refused unread.
inline constexpr qint64 MaxPlanBytes = 64 * 1024;

PlanReading ReadPlanFile(const QString& path);

// Why the plan could not be saved, or nothing when it was; the old file stays whole either way.
QString SavePlanFile(const QString& path, const Plan& plan);

}  // namespace penmarrow
