#include "plan/PlanFormat.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "core/FrequencyTable.h"
#include "core/MoneyText.h"
#include "plan/PlanRules.h"

namespace penmarrow {
namespace {

const QString FormatKey = QStringLiteral("format");
const QString FormatName = QStringLiteral("Penmarrow plan");
const QString VersionKey = QStringLiteral("version");
const QString InitialDepositKey = QStringLiteral("initial deposit");
const QString RegularDepositKey = QStringLiteral("regular deposit");
const QString DepositFrequencyKey = QStringLiteral("deposit frequency");
const QString CompoundFrequencyKey = QStringLiteral("compound frequency");
const QString RateKey = QStringLiteral("rate");
const QString YearsKey = QStringLiteral("years");
const QString AlternativeShownKey = QStringLiteral("alternative shown");
const QString AlternativeDepositKey = QStringLiteral("alternative regular deposit");
const QString AlternativeFrequencyKey = QStringLiteral("alternative compound frequency");
const QString StartLaterKey = QStringLiteral("alternative start later");
const QString MarksShownKey = QStringLiteral("marks shown");

constexpr int MinYears = 1;
constexpr int MaxYears = 50;

// Written the same in every locale: "$1,000".
QString Money(std::int64_t amount) {
  return QString::fromStdU16String(FormatMoney(static_cast<Extended>(amount), TFormatSettings{}));
}

QString FrequencyName(std::size_t row) {
  return QString::fromStdU16String(std::u16string(FrequencyTable.at(row).Name));
}

// Reads one value after another and keeps the first refusal; later reads then give nothing.
class Fields {
 public:
  explicit Fields(QJsonObject object) : object_(std::move(object)) {}

  template <typename T>
  T Take(Checked<T> checked) {
    if (!refusal.isEmpty() || checked.value) return checked.value.value_or(T{});
    refusal = checked.refusal;
    return T{};
  }
  QString Text(const QString& key) {
    const QJsonValue value = Present(key);
    if (refusal.isEmpty() && !value.isString())
      refusal = Name(key) + QStringLiteral(" must be text in quotes");
    return value.toString();
  }
  double Number(const QString& key) {
    const QJsonValue value = Present(key);
    if (refusal.isEmpty() && !value.isDouble())
      refusal = Name(key) + QStringLiteral(" must be a number");
    return value.toDouble();
  }
  bool Boolean(const QString& key) {
    const QJsonValue value = Present(key);
    if (refusal.isEmpty() && !value.isBool())
      refusal = Name(key) + QStringLiteral(" must be true or false");
    return value.toBool();
  }
  static QString Name(const QString& key) { return key.front().toUpper() + key.mid(1); }

  QString refusal;

 private:
  QJsonValue Present(const QString& key) {
    const QJsonValue value = object_.value(key);
    if (refusal.isEmpty() && value.isUndefined())
      refusal = Name(key) + QStringLiteral(" is missing");
    return value;
  }
  QJsonObject object_;
};

PlanReading Refused(QString refusal) { return {std::nullopt, std::move(refusal)}; }

// Why the object is no plan of this version, or nothing.
QString FormatRefusal(const QJsonDocument& document) {
  const QJsonObject object = document.object();
  if (!document.isObject() || object.value(FormatKey) != FormatName)
    return QStringLiteral("It is not a Penmarrow plan");
  const QJsonValue version = object.value(VersionKey);
  if (version.isDouble() && version.toDouble() == PlanVersion) return {};
  if (version.isDouble() && version.toDouble() > PlanVersion)
    return QStringLiteral(
               "It was saved by a later Penmarrow, as plan version %1; this one reads "
               "version %2")
        .arg(version.toDouble())
        .arg(PlanVersion);
  return QStringLiteral("Its plan version is not one this Penmarrow reads");
}

Plan PlanOf(Fields& fields) {
  Plan plan;
  const auto amount = [&](const QString& key) {
    const QString text = fields.Text(key);
    return fields.Take(CheckedAmount(Fields::Name(key), text));
  };
  const auto frequency = [&](const QString& key) {
    const QString text = fields.Text(key);
    return fields.Take(CheckedDiscreteFrequency(Fields::Name(key), text));
  };
  plan.initialDeposit = amount(InitialDepositKey);
  plan.regularDeposit = amount(RegularDepositKey);
  plan.depositFrequency = frequency(DepositFrequencyKey);
  const QString compounding = fields.Text(CompoundFrequencyKey);
  plan.compoundFrequency = fields.Take(CheckedCompoundFrequency(
      Fields::Name(CompoundFrequencyKey), compounding, plan.depositFrequency));
  const QString rate = fields.Text(RateKey);
  plan.rate = fields.Take(CheckedRate(Fields::Name(RateKey), rate));
  const double years = fields.Number(YearsKey);
  plan.years = fields.Take(CheckedWholeNumber(Fields::Name(YearsKey), years, MinYears, MaxYears));
  plan.alternativeShown = fields.Boolean(AlternativeShownKey);
  plan.alternativeDeposit = amount(AlternativeDepositKey);
  plan.alternativeFrequency = frequency(AlternativeFrequencyKey);
  const double startLater = fields.Number(StartLaterKey);
  plan.startLater =
      fields.Take(CheckedWholeNumber(Fields::Name(StartLaterKey), startLater, 0, plan.years - 1));
  plan.marksShown = fields.Boolean(MarksShownKey);
  return plan;
}

}  // namespace

QByteArray WritePlan(const Plan& plan) {
  const QJsonObject object{
      {FormatKey, FormatName},
      {VersionKey, PlanVersion},
      {InitialDepositKey, Money(plan.initialDeposit)},
      {RegularDepositKey, Money(plan.regularDeposit)},
      {DepositFrequencyKey, FrequencyName(plan.depositFrequency)},
      {CompoundFrequencyKey, FrequencyName(plan.compoundFrequency)},
      {RateKey, plan.rate},
      {YearsKey, plan.years},
      {AlternativeShownKey, plan.alternativeShown},
      {AlternativeDepositKey, Money(plan.alternativeDeposit)},
      {AlternativeFrequencyKey, FrequencyName(plan.alternativeFrequency)},
      {StartLaterKey, plan.startLater},
      {MarksShownKey, plan.marksShown},
  };
  return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

PlanReading ReadPlan(QByteArrayView bytes) {
  if (bytes.isEmpty()) return Refused(QStringLiteral("It is empty"));
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
  if (error.error != QJsonParseError::NoError)
    return Refused(QStringLiteral("It is damaged, or not a plan: %1 near byte %2")
                       .arg(error.errorString())
                       .arg(error.offset));
  if (const QString refusal = FormatRefusal(document); !refusal.isEmpty()) return Refused(refusal);
  Fields fields(document.object());
  const Plan plan = PlanOf(fields);
  if (!fields.refusal.isEmpty()) return Refused(fields.refusal);
  return {plan, {}};
}

}  // namespace penmarrow
