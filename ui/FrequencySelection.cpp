// The three frequency choices and continuous compounding
// mode, in which no regular deposits are made.

#include <QApplication>

#include "core/FrequencyTable.h"
#include "ui/UMain.h"
#include "ui/accessibility/Narrator.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

const QString ContinuousNotice = QStringLiteral(
    "No deposits for continuous compounding.\r\nUse daily compounding for similar results.");
constexpr int NoticeDelay = 1;
constexpr int HoverNoticeDelay = 1500;

void ReadFrequency(const TComboBox& box, std::int64_t& count, bool& subAnnual) {
  if (const auto row = LookupFrequency(View(box.currentText()))) {
    count = row->CountPerYear;
    subAnnual = row->SubAnnual;
  }
}

}  // namespace

void TFMain::ReadCompoundFrequency() { ReadFrequency(*CcompFreq, f, Month); }

void TFMain::ReadAltCompoundFrequency() { ReadFrequency(*CAltFreq, fa, AMonth); }

void TFMain::CDefFreqChange() {
  const QString noted = CcompFreq->currentText();
  CcompFreq->clear();
  const auto position = static_cast<std::size_t>(std::max(CDefFreq->currentIndex(), 0));
  k = FrequencyTable[position].CountPerYear;
  int keep = -1;
  for (const std::u16string_view name : CompoundFrequencyList(position)) {
    if (SameFrequencyName(name, View(noted))) keep = CcompFreq->count();
    CcompFreq->addItem(ToQString(name));
  }
  // A choice no longer offered falls on "Continuous" without entering continuous compounding mode.
  CcompFreq->setCurrentIndex(keep >= 0 ? keep : CcompFreq->count() - 1);
  if (keep < 0) narrator_->CompoundFrequencyForced(*lCompFreq, *CcompFreq);
  ReadCompoundFrequency();
  ReadAltCompoundFrequency();
  Recalculate();
}

void TFMain::CcompFreqChange() {
  ReadCompoundFrequency();
  // The deposit text changes below must not recalculate on their own.
  TRegDep->OnChange = nullptr;
  if (IsContinuous(View(CcompFreq->currentText())))
    EnterContinuousMode();
  else
    LeaveContinuousMode();
  TRegDep->OnChange = [this](TEdit&) { Recalculate(); };
  Recalculate();
}

void TFMain::EnterContinuousMode() {
  // A repeated pick must not store the "$0" it wrote itself as the saver's amount.
  if (TRegDep->isEnabled()) PrevRegularDep = TRegDep->text();
  CDefFreq->setEnabled(false);
  TRegDep->SetTextAndNotify(QStringLiteral("$0"));
  TRegDep->setEnabled(false);
  BalloonHint->SetHoverEnabled(true);
  BalloonHint->SetTitle(ContinuousNotice);
  BalloonHint->Delay = NoticeDelay;
  BalloonHint->ShowHint(
      CcompFreq->parentWidget()->mapToGlobal(CcompFreq->geometry().bottomLeft() + QPoint(0, 1)));
  // The notice's timer runs before its delay goes back; keys and clicks wait for their turn.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  BalloonHint->Delay = HoverNoticeDelay;
  narrator_->ContinuousModeEntered(ContinuousNotice, *Label4, *Label6);
}

void TFMain::LeaveContinuousMode() {
  CDefFreq->setEnabled(true);
  TRegDep->SetTextAndNotify(PrevRegularDep);
  TRegDep->setEnabled(true);
  BalloonHint->SetHoverEnabled(false);
  narrator_->ContinuousModeLeft(*Label4, TRegDep->text(), *Label6);
}

void TFMain::CAltFreqChange() {
  ReadAltCompoundFrequency();
  Recalculate();
}

}  // namespace penmarrow::ui
