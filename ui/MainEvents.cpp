// Creation and first showing of the main window, the totals' resize rule, the years field, the
// start-later slider, the alternative strategy switch, the entry fields' change and the link.

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>
#include <QWindow>

#include "core/FormatSettings.h"
#include "core/FrequencyTable.h"
#include "ui/ChartFocus.h"
#include "ui/PlanCommands.h"
#include "ui/UHint.h"
#include "ui/UMain.h"
#include "ui/accessibility/AccessibleControls.h"
#include "ui/accessibility/Narrator.h"
#include "ui/platform/ErrorDisplay.h"
#include "ui/platform/Palette.h"
#include "ui/platform/WindowPlacement.h"

namespace penmarrow::ui {

TFMain::TFMain() {
  InstallAccessibleControls(*this);
  CreateControls();
  narrator_ = new Narrator(*this, {CDefFreq, CcompFreq, CAltFreq}, *seYears);
  plans_ = new PlanCommands(*this, *narrator_);
  WireEvents();
  FormCreate();
  qApp->installEventFilter(this);
}

TFMain::~TFMain() {
  qApp->removeEventFilter(this);
  // Its hook calls back into this window, and ~QWidget,
  // which runs after this, sends the chart a last focus-out.
  delete chartFocus_;
}

QString TFMain::MakerAddress() { return QStringLiteral("https://penmarrow.example.org/"); }

void TFMain::WireEvents() {
  WireEntryFields();
  CreateChartMenu();
  CDefFreq->OnChange = [this] { CDefFreqChange(); };
  CcompFreq->OnChange = [this] { CcompFreqChange(); };
  CAltFreq->OnChange = [this] { CAltFreqChange(); };
  seYears->OnChange = [this] { seYearsChange(); };
  chAlternative->OnClick = [this] { chAlternativeClick(); };
  TB->OnChange = [this] { TBChange(); };
  chMarks->OnClick = [this] { chMarksClick(); };
  Chart->OnMouseMove = [this](int x, int y) { ChartMouseMove(x, y); };
  Chart->OnMouseLeave = [this] { ChartMouseLeave(); };
  chartFocus_ = new ChartFocus(
      *Chart, [this](int year, QRect bars) { ShowYearHintBelow(year, bars); },
      [this] {
        if (FHint) FHint->hide();
      });
  LinkLabel->OnLinkClick = [this](const QString& link) { LinkLabelLinkClick(link); };
}

void TFMain::FormCreate() {
  const FrequencyRow& annually = FrequencyTable[0];
  k = f = fa = annually.CountPerYear;
  Month = AMonth = annually.SubAnnual;
  TFormatSettings& settings = FormatSettings();
  settings.CurrencyString = std::u16string(u"$");
  settings.ThousandSeparator = u',';
  settings.DecimalSeparator = u'.';
  Chart->SetTitle(QString());
  PrevRegularDep = TRegDep->text();
}

void TFMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  ErrorDisplay::GuardHoldingKeys([this] { FormShow(); });
}

void TFMain::FormShow() {
  setWindowTitle(QStringLiteral("Penmarrow"));
  QApplication::setApplicationDisplayName(windowTitle());
  const QString address = MakerAddress();
  const QString shown = QString(address).remove(QRegularExpression(QStringLiteral("^[a-z]+://")));
  LinkLabel->SetCaption(QStringLiteral("<a href=\"%1\" style=\"color:%3\">%2</a>")
                            .arg(address, shown, Palette::Accent.name()));
  LinkLabel->move((width() - LinkLabel->width()) / 2, LinkLabel->y());
  windowAnchors_ = AnchorSet();
  windowAnchors_.Add(LinkLabel, akBottom, size());
  Recalculate();
}

void TFMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ArrangeControls();
  FormResize();
}

void TFMain::FormResize() {
  Totals1.panel->setVisible(Totals1.LabelsFit());
  lStats1->setVisible(Totals1.panel->isVisibleTo(this));
  Totals2.panel->setVisible(Totals1.panel->isVisibleTo(this) && chAlternative->Checked() &&
                            Totals2.LabelsFit());
  lStats2->setVisible(Totals2.panel->isVisibleTo(this));
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose) WindowExposed();
  const bool press = event->type() == QEvent::MouseButtonPress;
  if (press || event->type() == QEvent::WindowActivate) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) FormMouseActivate();
  }
  return QWidget::eventFilter(watched, event);
}

void TFMain::WindowExposed() {
  KeepSmallestOuterSize(*this, SmallestOuterSize, DesignClientSize);
  if (placedOnce_) return;
  placedOnce_ = true;
  // Fitted and centred once more now that the frame is known, which the first placement could only
  // guess: on a small screen the window would otherwise run off its edge.
  const QRect available = screen()->availableGeometry();
  const QMargins frame = windowHandle()->frameMargins();
  resize(FittedClientSize(available.size(), frame, size(), SmallestOuterSize));
  move(CentredTopLeft(available, size().grownBy(frame)));
}

void TFMain::FormMouseActivate() { BalloonHint->HideHint(); }

void TFMain::chAlternativeClick() {
  SwitchAlternative();
  Recalculate();
}

void TFMain::SwitchAlternative() {
  PrevXVal = 0;
  const bool on = chAlternative->Checked();
  if (!on)
    for (int i = AlternativeSeries; i < TChart::SeriesCount; ++i) Chart->Series(i).Clear();
  for (int i = AlternativeSeries; i < TChart::SeriesCount; ++i)
    Chart->Series(i).SetShowInLegend(on);
  APanel->setEnabled(on);
  narrator_->AlternativeSwitched(*APanel, on);
}

void TFMain::seYearsChange() {
  const bool outOfRange =
      seYears->Value() < seYears->MinValue() || seYears->Value() > seYears->MaxValue();
  if (outOfRange) narrator_->YearsRewritten(seYears->text());
  if (seYears->Value() < seYears->MinValue())
    seYears->SetValue(seYears->MinValue());
  else if (seYears->Value() > seYears->MaxValue())
    seYears->SetValue(seYears->MaxValue());
  TB->SetMax(seYears->Value() - 1);
  Recalculate();
}

void TFMain::TBChange() {
  ShowStartLater();
  narrator_->StartLaterMoved(*TB);
  Recalculate();
}

void TFMain::ShowStartLater() {
  // "1 years" alike: the caption has no singular.
  lStartLater->SetCaption(QStringLiteral("%1 years").arg(TB->Position()));
}

void TFMain::LinkLabelLinkClick(const QString& link) {
  narrator_->LinkFollowed(LinkLabel->ShownText());
  QDesktopServices::openUrl(QUrl(link));
}

}  // namespace penmarrow::ui
