#pragma once
// The year hint: a borderless, translucent window that shows one year's figures beside the
// pointer. It knows nothing of the chart: it is handed plain amounts and shows them.

#include <QLabel>
#include <QWidget>
#include <array>
#include <cstdint>

namespace penmarrow::ui {

class TFHint : public QWidget {
 public:
  explicit TFHint(QWidget* owner);

  // -1 as the alternative's initial deposit leaves the alternative column out.
  void SetParams(std::int64_t AYears, std::int64_t AInitialDeposit, std::int64_t ARegularDeposits,
                 std::int64_t ATotalInterest, std::int64_t AAltInitialDeposit,
                 std::int64_t AAltRegularDeposits, std::int64_t AAltTotalInterest);
  // Shows the window without taking the activation or the focus from the main window.
  void Show();

  static constexpr int RowCount = 5;
  static constexpr int ClientHeight = 94;

  QLabel* lAfter;
  QLabel* lYourStrategy;
  QLabel* lAlternative;
  QLabel* lInit1;
  QLabel* lRegular1;
  QLabel* lTotalInt1;
  QLabel* lTotal1;
  QLabel* lInit2;
  QLabel* lRegular2;
  QLabel* lTotalInt2;
  QLabel* lTotal2;
  std::array<double, 3> ColumnWidths{100, 150, 150};

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  using Column = std::array<QLabel*, RowCount>;
  static double WidestText(const Column& column);
  void FillColumn(const Column& column, std::int64_t initial, std::int64_t regular,
                  std::int64_t interest);
  void Arrange();

  Column captions_;
  Column yours_;
  Column alternative_;
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  QPoint shownAt_;
#endif
};

}  // namespace penmarrow::ui
