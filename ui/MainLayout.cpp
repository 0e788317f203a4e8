// The main window's controls, their places at the design size of 992 × 512 and how they follow
// the window's size.

#include <algorithm>

#include "core/FrequencyTable.h"
#include "core/KeyEdit.h"
#include "ui/platform/QtText.h"
#include "ui/platform/WindowFonts.h"

#include "ui/UMain.h"

namespace penmarrow::ui {
namespace {

constexpr int StatusBarHeight = 19;
constexpr int BottomPanelHeight = 150;
constexpr int InputPanelWidth = 185;
constexpr int TopBevel = 2;
constexpr int ChartMargin = 20;
constexpr int CaptionToField = 6;  // from the baseline of a caption down to the field it names
const QSize TotalsDesignSize(245, 104);

template <typename Control>
Control* Place(Control* control, int left, int top, int width, int height) {
  control->setGeometry(left, top, width, height);
  return control;
}

// A check box keeps its place but never gets less room than its box and text need.
TCheckBox* Fitted(TCheckBox* box) {
  box->resize(box->size().expandedTo(box->sizeHint()));
  return box;
}

TLabel* Caption(const QString& text, QWidget* parent, int left, int top) {
  auto* label = new TLabel(text, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

TEdit* Field(const QString& text, QWidget* parent, int left, int top, int width) {
  auto* field = Place(new TEdit(parent), left, top, width, 24);
  field->SetTextAndNotify(text);
  return field;
}

QFrame* RaisedPanel(QWidget* parent, const QString& name) {
  auto* panel = new TPanel(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  return panel;
}

TComboBox* FrequencyBox(std::size_t names, QWidget* parent, int left, int top, int width) {
  auto* box = Place(new TComboBox(parent), left, top, width, 24);
  for (std::size_t i = 0; i < names; ++i) box->addItem(ToQString(FrequencyTable[i].Name));
  box->setCurrentIndex(0);
  return box;
}

// The baseline of a text centred in a control's height, as the fields and lists draw theirs.
int CentredBaseline(const QWidget& control) {
  const QFontMetrics metrics(control.font());
  return control.y() + (control.height() - metrics.height() + 1) / 2 + metrics.ascent();
}

// Moves a caption's text down within its box, which keeps its place, until its baseline lies at
// `baseline` in the parent's coordinates.
void SetBaseline(QLabel* caption, int baseline) {
  const int above = std::max(0, baseline - caption->y() - caption->fontMetrics().ascent());
  caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  caption->setContentsMargins(0, above, 0, 0);
  caption->adjustSize();
}

// A caption above a field sits just over it, clear of the field above; a caption beside a control
// shares the line of its text, or its middle.
void AlignCaptions(const TFMain& w) {
  const std::pair<QLabel*, const QWidget*> above[] = {
      {w.Label3, w.TIntDep},      {w.Label4, w.TRegDep},  {w.Label6, w.CDefFreq},
      {w.lCompFreq, w.CcompFreq}, {w.Label7, w.TIntRate}, {w.Label1, w.seYears}};
  for (const auto& [caption, field] : above) SetBaseline(caption, field->y() - CaptionToField);
  const std::pair<QLabel*, const QWidget*> beside[] = {{w.Label20, w.TIntRate},
                                                       {w.Label8, w.TAltdep},
                                                       {w.Label9, w.CAltFreq},
                                                       {w.Label2, w.TB},
                                                       {w.lStartLater, w.TB}};
  for (const auto& [caption, control] : beside) SetBaseline(caption, CentredBaseline(*control));
}

}  // namespace

void TFMain::CreateControls() {
  setObjectName(QStringLiteral("FMain"));
  setWindowTitle(QStringLiteral("Compound interest calculator"));
  resize(DesignClientSize);

  pTop = Place(new TPanel(this), 0, 0, 992, 343);
  pTop->setObjectName(QStringLiteral("pTop"));
  Panel1 = Place(new TPanel(this), 0, 343, 992, BottomPanelHeight);
  StatusBar1 = Place(new QStatusBar(this), 0, 493, 992, StatusBarHeight);
  StatusBar1->setSizeGripEnabled(true);
  LinkLabel = Place(new TLinkLabel(QStringLiteral("LinkLabel"), this), 102, 495, 56, 20);
  windowAnchors_.Add(LinkLabel, akBottom, DesignClientSize);
  BalloonHint = new TBalloonHint(this);

  pInputValues = Place(new TPanel(pTop), 0, 0, InputPanelWidth, 341);
  Chart = Place(new TChart(pTop), 185, 20, 787, 321);
  chMarks = Place(new TCheckBox(QStringLiteral("Show marks"), Chart), 20, 287, 85, 25);
  chMarks->setObjectName(QStringLiteral("chMarks"));
  chMarks->setChecked(true);
  chMarks->setFont(WindowFont(11));
  chMarks->setFocusPolicy(Qt::ClickFocus);  // a click takes the focus, Tab never reaches it
  Fitted(chMarks);
  chartAnchors_.Add(chMarks, akLeft | akBottom, Chart->size());

  CreateInputs();
  CreateAlternative();
  AlignCaptions(*this);
  CreateTotals();
  SetTabOrder();
  NameControls();
}

void TFMain::SetTabOrder() {
  // The bottom panel comes first; the alternative's
  // controls are skipped while its panel is disabled.
  Chart->setFocusPolicy(Qt::TabFocus);
  QWidget* const order[] = {chAlternative, TAltdep,   CAltFreq, TB,      TIntDep, TRegDep,
                            CDefFreq,      CcompFreq, TIntRate, seYears, Chart};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  TIntDep->setFocus();
}

void TFMain::CreateInputs() {
  QWidget* p = pInputValues;
  Label3 = Caption(QStringLiteral("Initial deposit:"), p, 20, 20);
  TIntDep = Field(QStringLiteral("$1,000"), p, 20, 42, 94);
  Label4 = Caption(QStringLiteral("Regular deposit:"), p, 20, 72);
  TRegDep = Field(QStringLiteral("$100"), p, 20, 94, 94);
  Label6 = Caption(QStringLiteral("Deposit frequency:"), p, 20, 124);
  CDefFreq = FrequencyBox(DiscreteFrequencyCount, p, 20, 146, 94);
  lCompFreq = Caption(QStringLiteral("Compound frequency:"), p, 20, 176);
  CcompFreq = FrequencyBox(FrequencyTable.size(), p, 20, 198, 94);
  BalloonHint->AttachHover(CcompFreq);
  Label7 = Caption(QStringLiteral("Interest Rate:"), p, 20, 228);
  TIntRate = Field(QStringLiteral("5.00"), p, 20, 250, 94);
  Label20 = Caption(QStringLiteral("%"), p, 117, 253);
  Label1 = Caption(QStringLiteral("Number of years (max 50):"), p, 20, 280);
  seYears = Place(new TSpinEdit(1, 50, p), 20, 302, 94, 26);
  seYears->SetTextAndNotify(QStringLiteral("10"));
}

void TFMain::CreateAlternative() {
  chAlternative =
      Fitted(Place(new TCheckBox(QStringLiteral("Alternative strategy"), Panel1), 20, 11, 165, 17));
  APanel = Place(RaisedPanel(Panel1, QStringLiteral("APanel")), 10, 34, 441, 103);
  APanel->setEnabled(false);
  Label8 = Caption(QStringLiteral("Change regular deposit:"), APanel, 10, 10);
  TAltdep = Field(QStringLiteral("$75"), APanel, 193, 7, 96);
  Label9 = Caption(QStringLiteral("Change compound frequency:"), APanel, 10, 40);
  CAltFreq = FrequencyBox(DiscreteFrequencyCount, APanel, 193, 37, 96);
  Label2 = Caption(QStringLiteral("Start later:"), APanel, 10, 69);
  TB = Place(new TTrackBar(APanel), 185, 67, 189, 28);
  TB->setRange(0, 9);
  lStartLater = Caption(QStringLiteral("0 Years"), APanel, 380, 69);
}

void TFMain::CreateTotals() {
  gpStats = Place(new TGridPanel({50, 50}, {20.79, 79.21}, Panel1), 465, 7, 500, 131);
  panel1Anchors_.Add(gpStats, akLeft | akTop | akRight | akBottom, {992, BottomPanelHeight});
  lStats1 = new TLabel(QStringLiteral("Your strategy:"), gpStats);
  lStats2 = new TLabel(QStringLiteral("Alternative strategy:"), gpStats);
  for (TLabel* heading : {lStats1, lStats2}) {
    heading->setFont(WindowFont(13, true));
    heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  CreateTotalsPanel(Totals1, 1);
  CreateTotalsPanel(Totals2, 2);
  Totals1.heading = lStats1;
  Totals2.heading = lStats2;
  using P = TGridPanel::Placement;
  gpStats->AddCell(lStats1, 0, 0, {5, 3, 3, 3}, P::Fill);
  gpStats->AddCell(lStats2, 1, 0, {10, 3, 3, 3}, P::LeftEdge);
  gpStats->AddCell(Totals1.panel, 0, 1, {0, 0, 5, 0}, P::Fill);
  gpStats->AddCell(Totals2.panel, 1, 1, {5, 0, 0, 0}, P::Fill);
  lStats2->setVisible(false);
  Totals2.panel->setVisible(false);
}

void TFMain::CreateTotalsPanel(TotalsPanel& t, int strategy) {
  t.panel = RaisedPanel(gpStats, QStringLiteral("pTotals%1").arg(strategy));
  t.panel->resize(TotalsDesignSize);
  const auto value = [&](int top) {
    auto* label = new TLabel(QStringLiteral("XXX"), t.panel);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(205, top, 24, 16);
    label->adjustSize();
    label->move(229 - label->width(), top);
    t.anchors.Add(label, akTop | akRight, TotalsDesignSize);
    label->Anchoring = &t.anchors;
    return label;
  };
  t.initialDep = Caption(QStringLiteral("Initial deposit:"), t.panel, 5, 5);
  t.regularDep = Caption(QStringLiteral("Regular deposits:"), t.panel, 5, 30);
  t.totalInt = Caption(QStringLiteral("Total interest:"), t.panel, 5, 55);
  t.total = Caption(QStringLiteral("Total savings:"), t.panel, 5, 80);
  t.initialDepVal = value(5);
  t.regularDepVal = value(30);
  t.totalIntVal = value(55);
  t.totalVal = value(80);
}

void TFMain::ArrangeControls() {
  const int w = width();
  const int h = height();
  StatusBar1->setGeometry(0, h - StatusBarHeight, w, StatusBarHeight);
  Panel1->setGeometry(0, h - StatusBarHeight - BottomPanelHeight, w, BottomPanelHeight);
  pTop->setGeometry(0, 0, w, h - StatusBarHeight - BottomPanelHeight);
  pInputValues->setGeometry(0, 0, InputPanelWidth, pTop->height() - TopBevel);
  Chart->setGeometry(InputPanelWidth, ChartMargin, std::max(0, w - InputPanelWidth - ChartMargin),
                     std::max(0, pTop->height() - TopBevel - ChartMargin));
  chartAnchors_.Apply(Chart->size());
  panel1Anchors_.Apply(Panel1->size());
  gpStats->Arrange();
  Totals1.anchors.Apply(Totals1.panel->size());
  Totals2.anchors.Apply(Totals2.panel->size());
  windowAnchors_.Apply(size());
  LinkLabel->raise();
}

}  // namespace penmarrow::ui
