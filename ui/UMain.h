#pragma once
// The main window. One keystroke flows: the field takes the key (TEdit) → its key rule
// (EntryKeys) → the field's text, whose change runs Recalculate → CalculateStrategy (core
// projection) → chart series, replotted from the event loop → totals read back from the series →
// back in the key rule, the caret; the narrator tells it once the window waits for input again.

#include <QFrame>
#include <QMenu>
#include <QStatusBar>
#include <QWidget>

#include "core/KeyEdit.h"
#include "core/Projection.h"
#include "ui/TotalsPanel.h"
#include "ui/platform/Anchors.h"
#include "ui/platform/BalloonHint.h"
#include "ui/platform/Controls.h"
#include "ui/platform/Edit.h"
#include "ui/platform/GridPanel.h"
#include "ui/platform/Label.h"
#include "ui/platform/LinkLabel.h"
#include "ui/platform/SavingsChart.h"
#include "ui/platform/SpinEdit.h"

namespace penmarrow {
struct Plan;
}

namespace penmarrow::ui {

class TFHint;
class ChartFocus;
class Narrator;
class PlanCommands;

class TFMain : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize DesignClientSize{992, 512};
  static constexpr QSize SmallestOuterSize{485, 540};  // frame and title bar included
  TFMain();
  ~TFMain() override;

  void SetHint(TFHint* hint) { FHint = hint; }
  static QString MakerAddress();

  // Every input as a plan; a plan written into the fields with their handlers held off, then one
  // Recalculate, which may raise as typing's does. Saving, opening and printing live in Plans().
  Plan CurrentPlan() const;
  void ApplyPlan(const Plan& plan);
  PlanCommands& Plans() { return *plans_; }

  // --- controls, named as the layout names them
  QWidget* pTop;
  QWidget* pInputValues;
  QWidget* Panel1;
  QStatusBar* StatusBar1;
  TLinkLabel* LinkLabel;
  TBalloonHint* BalloonHint;
  TLabel* Label3;
  TEdit* TIntDep;
  TLabel* Label4;
  TEdit* TRegDep;
  TLabel* Label6;
  TComboBox* CDefFreq;
  TLabel* lCompFreq;
  TComboBox* CcompFreq;
  TLabel* Label7;
  TEdit* TIntRate;
  TLabel* Label20;
  TLabel* Label1;
  TSpinEdit* seYears;
  TChart* Chart;
  TCheckBox* chMarks;
  QMenu* ChartMenu;
  QAction* miCopyFigures;
  QAction* miCopyChart;
  TCheckBox* chAlternative;
  QFrame* APanel;
  TLabel* Label8;
  TEdit* TAltdep;
  TLabel* Label9;
  TComboBox* CAltFreq;
  TLabel* Label2;
  TTrackBar* TB;
  TLabel* lStartLater;
  TGridPanel* gpStats;
  TLabel* lStats1;
  TLabel* lStats2;
  TotalsPanel Totals1;
  TotalsPanel Totals2;

  // --- state
  double PrevXVal = 0;  // the year the hint shows; 0 while it is hidden
  QString
      PrevRegularDep;  // the regular deposit kept while continuous compounding empties the field
  std::int64_t InitialDep = 0;
  std::int64_t RegularDep = 0;
  std::int64_t k = 0;          // deposits per year
  std::int64_t f = 0;          // your compounding periods per year
  std::int64_t fa = 0;         // the alternative's compounding periods per year
  ProjectionState projection;  // realInterest and realDep
  bool Month = false;          // your compounding is more often than yearly
  bool AMonth = false;         // the alternative's is

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // layout
  void CreateControls();
  void CreateInputs();
  void CreateAlternative();
  void CreateTotals();
  void CreateTotalsPanel(TotalsPanel& totals, int strategy);
  void SetTabOrder();
  void NameControls();  // for screen readers
  void WireEvents();
  void ArrangeControls();

  // window events
  void FormCreate();
  void FormShow();
  void FormResize();
  void FormMouseActivate();
  void WindowExposed();
  void chAlternativeClick();
  void SwitchAlternative();  // what the switch changes besides the figures
  void seYearsChange();
  void TBChange();  // the start-later slider
  void ShowStartLater();
  void LinkLabelLinkClick(const QString& link);

  // key rules of the entry fields
  void TIntDepKeyPress(TEdit& Sender,
                       char16_t& Key);           // the TIntDep* rules serve all three money fields:
  void TIntDepKeyDown(TEdit& Sender, int& Key);  // TIntDep, TRegDep and TAltdep
  void TIntDepExit(TEdit& Sender);
  void TIntRateKeyPress(TEdit& Sender,
                        char16_t& Key);  // the TIntRate* rules serve the rate field alone
  void TIntRateKeyDown(TEdit& Sender, int& Key);
  void TIntRateExit(TEdit& Sender);
  void ApplyMoneyEdit(TEdit& Sender, const TKeyEdit& E);
  void ApplyRateEdit(TEdit& Sender, const TKeyEdit& E, bool limitLength);
  void WireEntryFields();

  // frequencies
  void CDefFreqChange();
  void CcompFreqChange();
  void CAltFreqChange();
  void ReadCompoundFrequency();
  void ReadAltCompoundFrequency();
  void EnterContinuousMode();
  void LeaveContinuousMode();

  // projection and totals
  void Recalculate();
  void CalculateStrategy(bool AAlternative, bool ASubAnnual, std::int64_t APeriodsPerYear,
                         std::int64_t AStartLater, std::int64_t AInitialDeposit,
                         std::int64_t ARegularDeposit);
  void ShowTotals(const TotalsPanel& totals, int strategy);

  // chart
  void chMarksClick();
  void ChartMouseMove(int x, int y);
  void ChartMouseLeave();
  void ShowYearHint(int year);
  void ShowYearHintBelow(int year, QRect place);

  // the chart's context menu
  void CreateChartMenu();
  void ChartContextPopup(QPoint mousePos, bool fromKeyboard);
  void CopyFigures();
  void CopyChart();

  TFHint* FHint = nullptr;
  Narrator* narrator_ = nullptr;  // tells screen readers what the window decides
  PlanCommands* plans_ = nullptr;
  ChartFocus* chartFocus_ = nullptr;
  AnchorSet windowAnchors_;
  AnchorSet panel1Anchors_;
  AnchorSet chartAnchors_;
  bool hintFollowsCursor_ = false;  // the hint shows the keyboard cursor's year, not the pointer's
  bool shownOnce_ = false;
  bool placedOnce_ = false;
};

}  // namespace penmarrow::ui
