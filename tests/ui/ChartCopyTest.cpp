// The chart's context menu on the real window: "Copy figures" and "Copy chart" picked from the
// menu as the user opens it, with the mouse or the Menu key, and read back from the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>

#include "core/MoneyText.h"
#include "tests/ui/WindowFixture.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

enum class Opening { RightClick, MenuKey, ShiftF10 };
enum class Picking { Keys, Click, Mnemonic };
using Table = std::vector<QStringList>;

class ChartCopy : public WindowFixture {
 protected:
  // Window coordinates of the pointer just above the zero line at the year's stacks.
  QPoint OverYear(int year) const {
    window.Chart->replot();
    const QPoint inChart(static_cast<int>(window.Chart->xAxis->coordToPixel(year - 1)),
                         static_cast<int>(window.Chart->yAxis->coordToPixel(0)) - 2);
    return window.Chart->mapTo(&window, inChart);
  }

  // Opens the chart's menu as the user does, with the year hint showing, and picks `command`.
  void RunCommand(const QString& command, Opening opening, Picking picking) {
    bool picked = false;
    QTimer picker;
    picker.setSingleShot(true);
    QObject::connect(&picker, &QTimer::timeout, [&] { picked = Pick(command, opening, picking); });
    QTest::mouseMove(window.windowHandle(),
                     QPoint(1, 1));  // a move to where the pointer is would be dropped
    QTest::mouseMove(window.windowHandle(), OverYear(1));
    ASSERT_TRUE(hint->isVisible());
    picker.start(0);
    if (opening == Opening::RightClick) {
      QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, OverYear(1));
    } else {
      window.seYears->setFocus();
      QTest::keyClick(window.seYears, Qt::Key_Tab);
      ASSERT_EQ(QApplication::focusWidget(), window.Chart);
      if (opening == Opening::ShiftF10) {
        QTest::keyClick(window.Chart, Qt::Key_F10, Qt::ShiftModifier);
      } else {
        // What the windowing system hands the window for
        // the Menu key; offscreen makes none of its own.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(window.windowHandle(), &menuKey);
      }
      EXPECT_EQ(QApplication::focusWidget(), window.Chart);
    }
    EXPECT_TRUE(picked) << "the chart's menu did not open";
  }

  // Runs while the menu is open.
  bool Pick(const QString& command, Opening opening, Picking picking) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return false;
    // Only a menu opened from the keyboard stands on its first command, as Qt's and GTK's do.
    EXPECT_EQ(menu->activeAction(),
              opening == Opening::RightClick ? nullptr : menu->actions().front());
    EXPECT_FALSE(hint->isVisible()) << "the hint stands over the menu";
    // A move over the bars beside the menu reaches the menu, not the chart.
    const QPoint beside = OverYear(window.Chart->Series(0).Count());
    EXPECT_FALSE(menu->geometry().contains(window.mapToGlobal(beside)));
    QTest::mouseMove(window.windowHandle(), beside);
    EXPECT_FALSE(hint->isVisible()) << "a move over the bars brought the hint over the menu";
    QStringList commands;
    for (const QAction* action : menu->actions()) commands << action->text();
    EXPECT_EQ(commands, (QStringList{"Copy &figures", "Copy &chart", "", "&Save plan...",
                                     "&Open plan...", "&Print..."}));
    QAction* wanted = ActionNamed(*menu, command);
    if (!wanted) {
      QTest::keyClick(menu, Qt::Key_Escape);  // an unknown command leaves no menu open
      return false;
    }
    if (picking == Picking::Mnemonic) {
      const QString text = wanted->text();
      QTest::keyClick(menu, text.at(text.indexOf(u'&') + 1).toLatin1());
    } else if (picking == Picking::Click) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(wanted).center());
    } else {
      PickWithKeys(*menu, *wanted);
    }
    return true;
  }

  static Table Copied(Qt::TextFormat format) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return format == Qt::PlainText ? TabSeparatedCells(data->text()) : HtmlCells(data->html());
  }
  static Table TabSeparatedCells(const QString& text) {
    EXPECT_TRUE(text.endsWith(u'\n'));
    Table cells;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts))
      cells.push_back(line.split(u'\t'));
    return cells;
  }
  // Read the way a word processor reads it: one table, a heading spanning each strategy's figures.
  static Table HtmlCells(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    const QList<QTextFrame*> frames = document.rootFrame()->childFrames();
    EXPECT_EQ(frames.size(), 1);
    const auto* table = frames.isEmpty() ? nullptr : qobject_cast<QTextTable*>(frames.front());
    if (!table) return {};
    Table cells;
    for (int row = 0; row < table->rows(); ++row) {
      cells.emplace_back();
      for (int column = 0; column < table->columns();
           column += table->cellAt(row, column).columnSpan()) {
        QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
        cursor.setPosition(table->cellAt(row, column).lastPosition(), QTextCursor::KeepAnchor);
        cells.back() << cursor.selectedText();
      }
    }
    return cells;
  }

  // A year's four figures straight from the series: the three values and their sum.
  std::array<long double, 4> SeriesFigures(int firstSeries, int index) const {
    std::array<long double, 4> figures{};
    for (int i = 0; i < 3; ++i) {
      figures[static_cast<std::size_t>(i)] = window.Chart->Series(firstSeries + i).YValue(index);
      figures[3] += figures[static_cast<std::size_t>(i)];
    }
    return figures;
  }

  // Both forms, cell by cell against the series.
  void ExpectFiguresOfSeries(int years, bool alternative) {
    const QStringList names{"Initial deposit", "Regular deposits", "Total interest",
                            "Total savings"};
    const Table plain = Copied(Qt::PlainText);
    const Table html = Copied(Qt::RichText);
    ASSERT_EQ(plain.size(), static_cast<std::size_t>(years) + 2);
    ASSERT_EQ(html.size(), plain.size());
    EXPECT_EQ(plain[0], alternative ? (QStringList{"", "Your strategy", "", "", "",
                                                   "Alternative strategy", "", "", ""})
                                    : (QStringList{"", "Your strategy", "", "", ""}));
    EXPECT_EQ(html[0], alternative ? (QStringList{"", "Your strategy", "Alternative strategy"})
                                   : (QStringList{"", "Your strategy"}));
    const QStringList headings =
        QStringList{"Year"} + names + (alternative ? names : QStringList());
    EXPECT_EQ(plain[1], headings);
    EXPECT_EQ(html[1], headings);
    for (int index = 0; index < years; ++index) {
      const QStringList& text = plain[static_cast<std::size_t>(index) + 2];
      const QStringList& shown = html[static_cast<std::size_t>(index) + 2];
      ASSERT_EQ(text.size(), headings.size()) << "year " << index + 1;
      ASSERT_EQ(shown.size(), headings.size()) << "year " << index + 1;
      EXPECT_EQ(text[0], QString::number(index + 1));
      EXPECT_EQ(shown[0], QString::number(index + 1));
      for (int cell = 1; cell < headings.size(); ++cell) {
        const int strategy = (cell - 1) / 4;
        if (index >= window.Chart->Series(strategy * 3).Count()) {  // a year its series do not hold
          EXPECT_EQ(text[cell], QString()) << "year " << index + 1 << " cell " << cell;
          EXPECT_EQ(shown[cell], QString()) << "year " << index + 1 << " cell " << cell;
          continue;
        }
        const long double value =
            SeriesFigures(strategy * 3, index)[static_cast<std::size_t>((cell - 1) % 4)];
        const std::string digits = text[cell].toStdString();
        EXPECT_TRUE(!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos)
            << "year " << index + 1 << " cell " << cell << ": " << digits;
        EXPECT_EQ(std::strtold(digits.c_str(), nullptr), value)
            << "year " << index + 1 << " cell " << cell;
        EXPECT_EQ(shown[cell], ToQString(FormatMoney(value)))
            << "year " << index + 1 << " cell " << cell;
      }
    }
  }
};

enum class Inputs {
  Default,
  AlternativeThreeYearsLater,
  FiftyYears,
  Overflow,
  OverflowBesideTheAlternative
};

struct FiguresCase {
  const char* name;
  Inputs inputs;
  int years;
  bool alternative;
  Opening opening;
  Picking picking;
};
void PrintTo(const FiguresCase& c, std::ostream* out) { *out << c.name; }

class CopyFigures : public ChartCopy, public ::testing::WithParamInterface<FiguresCase> {
 protected:
  void Enter(Inputs inputs) {
    switch (inputs) {
      case Inputs::Default: return;
      case Inputs::AlternativeThreeYearsLater:
        ClickAlternative();
        window.TB->setValue(3);
        return;
      case Inputs::FiftyYears: return TypeYears(QStringLiteral("50"));
      case Inputs::Overflow:
        window.TRegDep->SetTextAndNotify(QStringLiteral("$0"));
        window.TIntRate->SetTextAndNotify(QStringLiteral("99.99"));
        window.TIntDep->SetTextAndNotify(QStringLiteral("$999,999"));
        TypeYears(QStringLiteral("5"));
        QTest::keyClicks(window.seYears, QStringLiteral("0"));  // 50 years overflow after 43
        break;
      case Inputs::OverflowBesideTheAlternative:
        // Your strategy stops after 43 years; the alternative keeps the 50 years of the run before.
        ClickAlternative();
        window.TRegDep->SetTextAndNotify(QStringLiteral("$0"));
        window.TIntRate->SetTextAndNotify(QStringLiteral("99.99"));
        TypeYears(QStringLiteral("50"));
        TypeInto(window.TIntDep, QStringLiteral("999999"));
        ASSERT_EQ(window.Chart->Series(AlternativeSeries).Count(), 50);
        ASSERT_LT(window.Chart->Series(0).Count(), 50);
        break;
    }
    ASSERT_FALSE(errors.empty()) << "no overflow";
    errors.clear();
  }
};

TEST_P(CopyFigures, PutsEveryYearTheSeriesHoldOnTheClipboardInBothForms) {
  const FiguresCase& c = GetParam();
  Enter(c.inputs);
  ASSERT_EQ(
      std::max(window.Chart->Series(0).Count(), window.Chart->Series(AlternativeSeries).Count()),
      c.years);
  QGuiApplication::clipboard()->clear();
  EXPECT_EQ(CountRecalculations(
                [&] { RunCommand(QStringLiteral("Copy figures"), c.opening, c.picking); }),
            0);
  ExpectFiguresOfSeries(c.years, c.alternative);
  EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    ChartMenu, CopyFigures,
    ::testing::Values(
        FiguresCase{"Default", Inputs::Default, 10, false, Opening::RightClick, Picking::Keys},
        FiguresCase{"AlternativeThreeYearsLater", Inputs::AlternativeThreeYearsLater, 10, true,
                    Opening::MenuKey, Picking::Click},
        FiguresCase{"FiftyYears", Inputs::FiftyYears, 50, false, Opening::ShiftF10, Picking::Click},
        FiguresCase{"Overflow", Inputs::Overflow, 43, false, Opening::MenuKey, Picking::Mnemonic},
        FiguresCase{"OverflowBesideTheAlternative", Inputs::OverflowBesideTheAlternative, 50, true,
                    Opening::RightClick, Picking::Click}),
    [](const ::testing::TestParamInfo<FiguresCase>& info) { return std::string(info.param.name); });

TEST_F(ChartCopy, FiguresReadAsTheWindowShowsThem) {
  ClickAlternative();
  window.TB->setValue(3);
  RunCommand(QStringLiteral("Copy figures"), Opening::RightClick, Picking::Keys);
  const Table plain = Copied(Qt::PlainText);
  const Table html = Copied(Qt::RichText);
  ASSERT_EQ(plain.size(), 12u);
  ASSERT_EQ(html.size(), 12u);
  EXPECT_EQ(plain[2], (QStringList{"1", "1000", "100", "50", "1150", "0", "0", "0", "0"}));
  EXPECT_EQ(html[2], (QStringList{"1", "$1,000", "$100", "$50", "$1,150", "$0", "$0", "$0", "$0"}));
  EXPECT_EQ(html[11].mid(1, 4), Captions(window.Totals1));
  EXPECT_EQ(html[11].mid(5, 4), Captions(window.Totals2));
  EXPECT_EQ(plain[11].mid(1, 4), (QStringList{"1000", "1000", "887", "2887"}));
}

TEST_F(ChartCopy, CopyChartPutsTheChartAsDrawnAtTheScreensPixelRatio) {
  for (const Opening opening : {Opening::RightClick, Opening::MenuKey, Opening::ShiftF10}) {
    const Picking picking = opening == Opening::ShiftF10 ? Picking::Mnemonic : Picking::Keys;
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(
        CountRecalculations([&] { RunCommand(QStringLiteral("Copy chart"), opening, picking); }),
        0);
    const qreal ratio = window.Chart->devicePixelRatioF();
    const QImage copied =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(copied.size(), window.Chart->size() * ratio);
    // Above the "Show marks" box the copy is what the screen shows: legend, bars, marks and axes;
    // the keyboard's focus frame is no part of the chart.
    window.TIntDep->setFocus();
    const QImage onScreen = window.Chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(onScreen.size(), copied.size());
    const QRect aboveTheBox(0, 0, copied.width(), static_cast<int>(window.chMarks->y() * ratio));
    EXPECT_EQ(copied.copy(aboveTheBox), onScreen.copy(aboveTheBox));
    EXPECT_TRUE(copied.copy(aboveTheBox).allGray() == false);
    bool interestBar = false;
    for (int y = 0; y < copied.height() && !interestBar; ++y)
      for (int x = 0; x < copied.width() && !interestBar; ++x)
        interestBar = copied.pixelColor(x, y) == QColor(128, 0, 0);
    EXPECT_TRUE(interestBar) << "no interest bar in the copied chart";
  }
}

TEST_F(ChartCopy, ClosingTheMenuWithEscapeCopiesNothing) {
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  bool closed = false;
  QTimer::singleShot(0, [&] {
    QWidget* menu = QApplication::activePopupWidget();
    if (!menu) return;
    QTest::keyClick(menu, Qt::Key_Escape);
    closed = true;
  });
  QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, OverYear(3));
  EXPECT_TRUE(closed);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

}  // namespace
}  // namespace penmarrow::ui
