#include "plan/PlanFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace penmarrow {
namespace {

PlanReading Refused(QString refusal) { return {std::nullopt, std::move(refusal)}; }

QString TooLarge(qint64 size) {
  return QStringLiteral("It is %1, far more than a plan holds")
      .arg(QLocale::c().formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat));
}

}  // namespace

PlanReading ReadPlanFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return Refused(QStringLiteral("There is no such file"));
  // A folder, a pipe or a device is never opened: reading a pipe would wait for its writer.
  if (!info.isFile()) return Refused(QStringLiteral("It is not a file"));
  if (info.size() > MaxPlanBytes) return Refused(TooLarge(info.size()));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Refused(file.errorString());
  // It may have grown since it was measured.
  const QByteArray bytes = file.read(MaxPlanBytes + 1);
  if (bytes.size() > MaxPlanBytes) return Refused(TooLarge(bytes.size()));
  if (file.error() != QFileDevice::NoError) return Refused(file.errorString());
  return ReadPlan(bytes);
}

QString SavePlanFile(const QString& path, const Plan& plan) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  const QByteArray bytes = WritePlan(plan);
  // Workaround, Qt 6.4's QSaveFile::commit(), which overlooks a failure of the flush it runs
  // itself (6.8's does not); a write cut short by a full disk leaves only "Unknown error" in both.
  // Flushed here, such a save is cancelled with a message of ours; stays while that message does.
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    file.cancelWriting();
    return QStringLiteral("It could not be written in full: the disk may be full");
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace penmarrow
