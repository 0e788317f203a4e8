// The key rules of the three money fields and the rate field: every character and the Delete key
// build a candidate text, which is written with the caret in place or dropped without a trace.

#include "core/FormatSettings.h"
#include "core/IntegerText.h"
#include "core/MoneyText.h"
#include "core/RateText.h"
#include "ui/UMain.h"
#include "ui/accessibility/Narrator.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {

void TFMain::WireEntryFields() {
  for (TEdit* field : {TIntDep, TRegDep, TAltdep, TIntRate})
    field->OnChange = [this](TEdit&) { Recalculate(); };
  for (TEdit* field : {TIntDep, TRegDep, TAltdep}) {
    field->OnKeyPress = [this](TEdit& sender, char16_t& key) { TIntDepKeyPress(sender, key); };
    field->OnKeyDown = [this](TEdit& sender, int& key) { TIntDepKeyDown(sender, key); };
    field->OnExit = [this](TEdit& sender) { TIntDepExit(sender); };
    field->AcceptsText = [](const QString& text) { return MoneyPasteAllowed(View(text)); };
  }
  TIntRate->OnKeyPress = [this](TEdit& sender, char16_t& key) { TIntRateKeyPress(sender, key); };
  TIntRate->OnKeyDown = [this](TEdit& sender, int& key) { TIntRateKeyDown(sender, key); };
  TIntRate->OnExit = [this](TEdit& sender) { TIntRateExit(sender); };
  TIntRate->AcceptsText = [](const QString& text) { return RatePasteAllowed(View(text)); };
  TRegDep->OnAccepted = [this](TEdit& sender) { PrevRegularDep = sender.text(); };
}

void TFMain::TIntDepKeyPress(TEdit& Sender, char16_t& Key) {
  if (Key != Backspace && !IsDecimalDigit(Key)) {
    narrator_->Refused(Sender, Key);
    Key = 0;
    return;
  }
  const TKeyEdit E = CharKeyEdit(View(Sender.text()), Sender.SelStart(), Sender.SelLength(), Key);
  Key = 0;
  ApplyMoneyEdit(Sender, E);
}

void TFMain::TIntDepKeyDown(TEdit& Sender, int& Key) {
  if (Key != TEdit::DeleteKey) return;
  const TKeyEdit E = DeleteKeyEdit(View(Sender.text()), Sender.SelStart(), Sender.SelLength());
  Key = 0;
  ApplyMoneyEdit(Sender, E);
}

void TFMain::ApplyMoneyEdit(TEdit& Sender, const TKeyEdit& E) {
  if (!MoneyTextAllowed(E.Text)) {
    narrator_->Refused(Sender, ToQString(E.Text), FieldRule::Money);
    return;
  }
  narrator_->Accepted(Sender, ToQString(E.Text));
  // The caret and the saved deposit follow the written text even when its recalculation overflows.
  Sender.WriteEdit(ToQString(E.Text), E.Caret, [&] {
    if (&Sender == TRegDep) PrevRegularDep = Sender.text();
  });
}

void TFMain::TIntDepExit(TEdit& Sender) {
  if (Sender.text().isEmpty()) Sender.SetTextAndNotify(QStringLiteral("0"));
  Sender.SetTextAndNotify(MoneyText(static_cast<Extended>(MoneyToInt64(View(Sender.text()), 0))));
}

void TFMain::TIntRateKeyPress(TEdit& Sender, char16_t& Key) {
  if (Key != Backspace && !IsDecimalDigit(Key) && Key != FormatSettings().DecimalSeparator) {
    narrator_->Refused(Sender, Key);
    Key = 0;
    return;
  }
  const TKeyEdit E = CharKeyEdit(View(Sender.text()), Sender.SelStart(), Sender.SelLength(), Key);
  Key = 0;
  ApplyRateEdit(Sender, E, true);
}

void TFMain::TIntRateKeyDown(TEdit& Sender, int& Key) {
  if (Key != TEdit::DeleteKey) return;
  const TKeyEdit E = DeleteKeyEdit(View(Sender.text()), Sender.SelStart(), Sender.SelLength());
  Key = 0;
  ApplyRateEdit(Sender, E, false);
}

void TFMain::ApplyRateEdit(TEdit& Sender, const TKeyEdit& E, bool limitLength) {
  if (!RateTextAllowed(E.Text, limitLength)) {
    narrator_->Refused(Sender, ToQString(E.Text), FieldRule::Rate);
    return;
  }
  narrator_->Accepted(Sender, ToQString(E.Text));
  Sender.WriteEdit(ToQString(E.Text), E.Caret);
}

void TFMain::TIntRateExit(TEdit& Sender) {
  if (Sender.text().isEmpty()) Sender.SetTextAndNotify(QStringLiteral("0"));
  Sender.SetTextAndNotify(ToQString(FormatRate(RateToFloat(View(Sender.text()), 0))));
}

}  // namespace penmarrow::ui
