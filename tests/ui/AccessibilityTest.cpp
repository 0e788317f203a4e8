// What a screen reader hears, read through Qt's accessibility interfaces of the real window: the
// fields' captions, the spoken totals, and the chart as a table of every shown year, each row
// headed by its year and each figure naming itself.

#include <QAccessible>
#include <QAccessibleTableInterface>

#include "tests/ui/WindowFixture.h"
#include "ui/ChartCursor.h"
#include "ui/FiguresTable.h"
#include "ui/YearFigures.h"
#include "ui/accessibility/DevicePixels.h"

namespace penmarrow::ui {
namespace {

class Accessibility : public WindowFixture {
 protected:
  static QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
  }
  static QString NameOf(QAccessibleInterface* accessible) {
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
  }
  // The name, and the value's text where Qt hands object attributes on (from Qt 6.8), as a reader
  // says them one after the other.
  static QString HeardAs(QAccessibleInterface* accessible) {
    QString heard = NameOf(accessible);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (QAccessibleAttributesInterface* attributes = accessible->attributesInterface()) {
      const auto custom = attributes->attributeValue(QAccessible::Attribute::Custom);
      heard += QStringLiteral(": ") + custom.value<QHash<QString, QString>>().value("valuetext");
    }
#endif
    return heard;
  }
  QAccessibleTableInterface* Table() { return Of(window.Chart)->tableInterface(); }
  QString Cell(int row, int column) { return NameOf(Table()->cellAt(row, column)); }
  QStringList Row(int row) {
    QStringList cells;
    for (int column = 0; column < Table()->columnCount(); ++column) cells << Cell(row, column);
    return cells;
  }
  QStringList Headings() {
    QStringList headings;
    for (int column = 0; column < Table()->columnCount(); ++column)
      headings << Table()->columnDescription(column);
    return headings;
  }
};

TEST_F(Accessibility, EveryInputIsLabelledByItsCaption) {
  const std::pair<QWidget*, QString> fields[] = {
      {window.TIntDep, "Initial deposit:"},
      {window.TRegDep, "Regular deposit:"},
      {window.TIntRate, "Interest Rate, in percent:"},
      {window.seYears, "Number of years (max 50):"},
      {window.TAltdep, "Alternative strategy, change regular deposit:"}};
  for (const auto& [field, caption] : fields) {
    const auto labels = Of(field)->relations(QAccessible::Label);
    ASSERT_FALSE(labels.empty()) << caption.toStdString();
    EXPECT_EQ(NameOf(labels.front().first), caption);
    EXPECT_EQ(NameOf(Of(field)), caption);
  }
  // The "%" beside the rate labels it too.
  EXPECT_EQ(Of(window.TIntRate)->relations(QAccessible::Label).size(), 2);
  // A list box and the slider say their caption and
  // what they show, with no label to speak instead.
  const std::pair<QWidget*, QString> choices[] = {
      {window.CDefFreq, "Deposit frequency: Annually, 1 of 5"},
      {window.CcompFreq, "Compound frequency: Annually, 1 of 6"},
      {window.CAltFreq, "Alternative strategy, change compound frequency: Annually, 1 of 5"},
      {window.TB, "Start later: 0 years"}};
  for (const auto& [control, heard] : choices) {
    EXPECT_EQ(HeardAs(Of(control)), heard);
    EXPECT_TRUE(Of(control)->relations(QAccessible::Label).empty()) << heard.toStdString();
  }
  Pick(window.CDefFreq, "Weekly");
  EXPECT_EQ(Of(window.CDefFreq)->text(QAccessible::Value), "Weekly");
  EXPECT_EQ(HeardAs(Of(window.CDefFreq)), "Deposit frequency: Weekly, 4 of 5");
  ClickAlternative();
  window.TB->setValue(1);
  EXPECT_EQ(HeardAs(Of(window.TB)), "Start later: 1 year");
  // Reviewing the screen reads the slider's years, not a number.
  EXPECT_EQ(Of(window.TB)->textInterface()->text(0, -1), "1 year");
}

TEST_F(Accessibility, TotalsReadAsStrategyCaptionAndAmount) {
  EXPECT_EQ(NameOf(Of(window.Totals1.totalVal)), "Your strategy, total savings, $2,887");
  EXPECT_EQ(NameOf(Of(window.Totals1.initialDepVal)), "Your strategy, initial deposit, $1,000");
  ClickAlternative();
  EXPECT_EQ(NameOf(Of(window.Totals2.regularDepVal)),
            "Alternative strategy, regular deposits, $750");
  EXPECT_EQ(NameOf(Of(window.Totals2.totalIntVal)), "Alternative strategy, total interest, $822");
  TypeInto(window.TIntDep, "2000");
  EXPECT_EQ(NameOf(Of(window.Totals1.initialDepVal)), "Your strategy, initial deposit, $2,000");
  // Each value says its caption, and the slider the label beside it: readers pass over those.
  for (const TotalsPanel* totals : {&window.Totals1, &window.Totals2})
    for (const auto& [caption, value] : totals->Rows())
      EXPECT_TRUE(Of(caption)->state().invisible) << caption->text().toStdString();
  EXPECT_TRUE(Of(window.lStartLater)->state().invisible);
  EXPECT_FALSE(Of(window.Label3)->state().invisible);
}

TEST_F(Accessibility, ChartReadsAsATableOfTheShownYears) {
  QAccessibleInterface* chart = Of(window.Chart);
  EXPECT_EQ(chart->role(), QAccessible::Table);
  EXPECT_EQ(NameOf(chart), "Savings by year");
  ASSERT_NE(Table(), nullptr);
  EXPECT_EQ(Table()->rowCount(), 10);
  EXPECT_EQ(
      Headings(),
      (QStringList{"Year", "Your strategy, initial deposit", "Your strategy, regular deposits",
                   "Your strategy, total interest", "Your strategy, total savings"}));
  EXPECT_EQ(Row(0), (QStringList{"Year 1", "initial deposit $1,000", "regular deposits $100",
                                 "total interest $50", "total savings $1,150"}));
  // The last row holds the totals the panel shows.
  EXPECT_EQ(Row(9), (QStringList{"Year 10", "initial deposit $1,000", "regular deposits $1,000",
                                 "total interest $887", "total savings $2,887"}));
  EXPECT_EQ(Table()->cellAt(10, 0), nullptr);
  EXPECT_EQ(Table()->cellAt(0, 5), nullptr);

  ClickAlternative();
  window.TB->setValue(3);
  EXPECT_EQ(Table()->columnCount(), 9);
  EXPECT_EQ(Headings().mid(5),
            (QStringList{
                "Alternative strategy, initial deposit", "Alternative strategy, regular deposits",
                "Alternative strategy, total interest", "Alternative strategy, total savings"}));
  EXPECT_EQ(Row(2).mid(5),
            (QStringList{"alternative initial deposit $0", "alternative regular deposits $0",
                         "alternative total interest $0", "alternative total savings $0"}));
  EXPECT_EQ(Row(3).mid(5),
            (QStringList{"alternative initial deposit $1,000", "alternative regular deposits $75",
                         "alternative total interest $50", "alternative total savings $1,125"}));

  TypeYears("3");
  EXPECT_EQ(Table()->rowCount(), 3);
  ClickAlternative();
  EXPECT_EQ(Table()->columnCount(), 5);
}

TEST_F(Accessibility, CellsAreReachableAsChildrenAndNameTheirHeadings) {
  QAccessibleInterface* chart = Of(window.Chart);
  QAccessibleInterface* cell = Table()->cellAt(9, 4);
  const int index = chart->indexOfChild(cell);
  EXPECT_EQ(index, 9 * 5 + 4);
  EXPECT_EQ(chart->child(index), cell);
  EXPECT_EQ(cell->parent(), chart);
  // The cells come first, row by row, then the headings, then the marks switch inside the chart.
  EXPECT_EQ(chart->child(0)->tableCellInterface()->rowIndex(), 0);
  EXPECT_EQ(chart->child(0)->tableCellInterface()->columnIndex(), 0);
  EXPECT_EQ(NameOf(chart->child(50)), "Year");
  EXPECT_EQ(chart->indexOfChild(Of(window.chMarks)), 55);
  EXPECT_EQ(chart->childCount(), 56);

  QAccessibleTableCellInterface* place = cell->tableCellInterface();
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->rowIndex(), 9);
  EXPECT_EQ(place->columnIndex(), 4);
  EXPECT_EQ(NameOf(place->columnHeaderCells().value(0)), "Your strategy, total savings");
  // The year heads its row, for itself too: a reader asks the row's first cell.
  EXPECT_EQ(place->rowHeaderCells().value(0), Table()->cellAt(9, 0));
  EXPECT_EQ(Table()->cellAt(9, 0)->tableCellInterface()->rowHeaderCells().value(0),
            Table()->cellAt(9, 0));
  EXPECT_EQ(Table()->rowDescription(9), "Year 10");
  // On screen the table shows one row, the last before the first arrow key, then the cursor's: its
  // cells lie one after the other along the chart's last pixel row, below every input, so that
  // reviewing the screen line by line reads that year as one line. The headings and the other
  // rows lie off the screen. Places are in the screen's own pixels.
  const auto onScreen = [](QWidget* widget) {
    return DevicePixels(*widget, QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
  };
  const QRect chartArea = onScreen(window.Chart);
  const int inputsBottom = onScreen(window.seYears).bottom();
  const auto expectOnlyRowShown = [&](int shown) {
    QRect previous;
    for (int row = -1; row < 10; ++row) {
      for (int column = 0; column < 5; ++column) {
        const QRect place =
            (row < 0 ? chart->child(50 + column) : Table()->cellAt(row, column))->rect();
        if (row != shown) {
          EXPECT_TRUE(place.right() < 0 && place.bottom() < 0) << row << ", " << column;
          continue;
        }
        EXPECT_TRUE(chartArea.contains(place)) << row << ", " << column;
        EXPECT_EQ(place.bottom(), chartArea.bottom()) << row << ", " << column;
        EXPECT_GT(place.top(), inputsBottom);
        EXPECT_TRUE(previous.isNull() || previous.right() < place.left()) << column;
        previous = place;
      }
    }
  };
  expectOnlyRowShown(9);
  window.Chart->setFocus();
  QTest::keyClick(window.Chart, Qt::Key_Down);
  expectOnlyRowShown(0);
  window.TIntDep->setFocus();

  // A cell of a year no longer shown goes invalid rather than reading a point that is gone.
  TypeYears("5");
  EXPECT_FALSE(cell->isValid());
  EXPECT_EQ(NameOf(cell), "");
  EXPECT_EQ(chart->indexOfChild(cell), -1);
  // Once the chart is drawn anew, new figures come in new cells, so that a reader that keeps what
  // it read of a cell never repeats old figures.
  const QAccessible::Id id = QAccessible::uniqueId(Table()->cellAt(4, 4));
  TypeYears("6");
  QTest::qWait(1);
  EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
  EXPECT_EQ(Cell(4, 4), "total savings $1,829");
}

// The arrow keys move the current cell while the chart has the focus; it holds the focus for
// screen readers and stays inside the table.
TEST_F(Accessibility, KeysMoveTheFocusThroughTheCells) {
  QAccessibleInterface* chart = Of(window.Chart);
  window.Chart->setFocus();
  EXPECT_EQ(chart->focusChild(), nullptr);
  const struct {
    Qt::Key key;
    int row;
    int column;
  } moves[] = {{Qt::Key_Down, 0, 0},     {Qt::Key_Up, 0, 0},    {Qt::Key_Right, 0, 1},
               {Qt::Key_End, 0, 4},      {Qt::Key_Right, 0, 4}, {Qt::Key_Down, 1, 4},
               {Qt::Key_PageDown, 9, 4}, {Qt::Key_Down, 9, 4},  {Qt::Key_Home, 9, 0},
               {Qt::Key_Left, 9, 0},     {Qt::Key_PageUp, 0, 0}};
  for (const auto& move : moves) {
    QTest::keyClick(window.Chart, move.key);
    QAccessibleInterface* focused = chart->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused, Table()->cellAt(move.row, move.column)) << move.key;
    EXPECT_TRUE(focused->state().focused);
  }
  EXPECT_FALSE(Table()->cellAt(1, 0)->state().focused);
  // Fewer years pull the current cell into the table.
  QTest::keyClick(window.Chart, Qt::Key_PageDown);
  TypeYears("3");
  window.Chart->setFocus();
  EXPECT_EQ(chart->focusChild(), Table()->cellAt(2, 0));
  window.TIntDep->setFocus();
  EXPECT_EQ(chart->focusChild(), nullptr);
}

// After an overflow the two strategies' series may hold different numbers of years, or none. The
// table, the keyboard cursor, the year hint, the copy and the spoken totals keep to the years the
// chart shows, and the overflow box is the only error the saver sees.
TEST_F(Accessibility, AfterAnOverflowEveryReaderKeepsToTheYearsTheChartShows) {
  const auto expectReadersKeepToTheShownYears = [this](const char* state) {
    SCOPED_TRACE(state);
    EXPECT_FALSE(errors.empty());
    for (const QString& error : std::exchange(errors, {}))
      EXPECT_EQ(error, QStringLiteral("Invalid floating point operation."));
    window.Chart->setFocus(Qt::TabFocusReason);
    const int rows = ShownYears(*window.Chart);
    ASSERT_GT(rows, 0);
    EXPECT_EQ(Table()->rowCount(), rows);
    EXPECT_EQ(Table()->columnCount(), 1 + 4 * ShownStrategies(*window.Chart));
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End}) {
      QTest::keyClick(window.Chart, key);
      const int year = ChartCursor::Of(*window.Chart).Current()->y() + 1;
      EXPECT_EQ(hint->isVisible(), EveryStrategyHolds(*window.Chart, year)) << year;
    }
    EXPECT_EQ(Of(window.Chart)->focusChild(),
              Table()->cellAt(rows - 1, Table()->columnCount() - 1));
    EXPECT_EQ(FiguresTableOf(*window.Chart).rows.size(), static_cast<std::size_t>(rows));
    QTest::keyClick(window.Chart, Qt::Key_T, Qt::ControlModifier);
    const std::string spoken = Narration().LastMessage().toStdString();
    EXPECT_NE(spoken.find("Totals from before the error"), std::string::npos) << spoken;
    EXPECT_EQ(spoken.find("higher"), std::string::npos) << spoken;  // never two inputs compared
    EXPECT_EQ(errors, std::vector<QString>{});
  };
  const auto write = [](TEdit* field, const char* text) {
    ErrorDisplay::GuardHoldingKeys([&] { field->SetTextAndNotify(QString::fromLatin1(text)); });
  };
  ClickAlternative();
  window.Chart->setFocus();
  QTest::keyClick(window.Chart, Qt::Key_PageDown);
  OverflowEveryRecalculation();
  write(window.TRegDep, "$200");
  expectReadersKeepToTheShownYears("the cursor on year 10, the alternative shown");
  ClickAlternative();
  ClickAlternative();
  expectReadersKeepToTheShownYears("the alternative switched on during the overflow");
  write(window.TIntDep, "$1,000");
  Pick(window.CAltFreq, QStringLiteral("Daily"));
  expectReadersKeepToTheShownYears("the alternative alone overflowing");
  Pick(window.CAltFreq, QStringLiteral("Annually"));
  TypeYears(QStringLiteral("40"));
  write(window.TIntDep, "$999,999");
  ASSERT_EQ(errors, std::vector<QString>{});
  TypeYears(QStringLiteral("50"));
  expectReadersKeepToTheShownYears("50 years after a good 40-year run");
}

}  // namespace
}  // namespace penmarrow::ui
