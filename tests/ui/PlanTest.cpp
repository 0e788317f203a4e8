// Plans on the real window: a saved plan opens as the window it was saved from, field for field and
// figure for figure, for hundreds of windows a saver typed; every bad file is refused with one
// message and changes nothing; a failed save leaves the old file whole; the keys work from any
// control; the printed page holds the figures as text and the chart as vectors.

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDropEvent>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <charconv>
#include <csignal>
#include <random>

#include "core/MoneyText.h"
#include "core/RateText.h"
#include "plan/Plan.h"
#include "tests/ui/WindowFixture.h"
#include "ui/FiguresTable.h"
#include "ui/PlanCommands.h"
#include "ui/PlanDialogs.h"
#include "ui/PrintedPlan.h"
#include "ui/platform/QtText.h"

namespace penmarrow::ui {
namespace {

class Plans : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ASSERT_TRUE(folder.isValid());
    const auto answer = [this](QWidget*, const QString&) { return chosen; };
    PlanDialogs::SetAnswers(answer, answer, nullptr);
  }
  void TearDown() override {
    PlanDialogs::SetAnswers(nullptr, nullptr, nullptr);
    WindowFixture::TearDown();
  }
  QString Path(const QString& name) const { return folder.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // The commands as the saver gives them, the dialogs answered with `path`.
  void SaveAs(const QString& path) {
    chosen = path;
    ErrorDisplay::GuardHoldingKeys([&] { window.Plans().Save(); });
  }
  void Open(const QString& path) {
    chosen = path;
    ErrorDisplay::GuardHoldingKeys([&] { window.Plans().Open(); });
  }

  // Every input exactly as it stands.
  QStringList Inputs() const {
    QStringList inputs{window.TIntDep->text(),
                       window.TRegDep->text(),
                       window.TAltdep->text(),
                       window.TIntRate->text(),
                       window.seYears->Editor()->text(),
                       window.lStartLater->text(),
                       window.CAltFreq->currentText(),
                       QStringLiteral("%1 %2 %3 %4")
                           .arg(window.TB->Position())
                           .arg(window.chAlternative->Checked())
                           .arg(window.chMarks->Checked())
                           .arg(window.CcompFreq->currentIndex())};
    for (int i = 0; i < window.CcompFreq->count(); ++i) inputs << window.CcompFreq->itemText(i);
    return inputs;
  }
  // Each input as the projection counts it, the rate to its last bit.
  QStringList Counted() const {
    char rate[64];
    *std::to_chars(rate, rate + 63, RateToFloat(View(window.TIntRate->text()), 0),
                   std::chars_format::hex)
         .ptr = 0;
    QStringList counted{QString::fromLatin1(rate), QString::number(window.seYears->Value()),
                        QString::number(window.TB->Position()),
                        QString::number(window.chAlternative->Checked()),
                        QString::number(window.chMarks->Checked())};
    for (const TEdit* field : {window.TIntDep, window.TRegDep, window.TAltdep})
      counted << QString::number(MoneyToInt64(View(field->text()), 0));
    for (const TComboBox* box : {window.CDefFreq, window.CcompFreq, window.CAltFreq})
      counted << box->currentText();
    return counted;
  }
  // Every point of the chart and the totals shown.
  QStringList Figures() {
    QStringList figures = Captions(window.Totals1);
    if (window.chAlternative->Checked()) figures << Captions(window.Totals2);
    for (int s = 0; s < TChart::SeriesCount; ++s)
      for (int i = 0; i < window.Chart->Series(s).Count(); ++i)
        figures << window.Chart->Series(s).Label(i) + u':' + QString::number(Values(s)[i]);
    return figures;
  }
  // Continuous compounding mode turns the first two off.
  QList<bool> Enabled() const {
    return {window.TRegDep->isEnabled(), window.CDefFreq->isEnabled(), window.APanel->isEnabled()};
  }

  // A saver's few inputs, chosen by `random`: typed amounts, rates and years, picked frequencies,
  // the alternative switched, its start moved, the marks clicked; the last field typed in keeps the
  // focus, and so the text typed.
  void TypeAtRandom(std::mt19937& random) {
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto keys = [&](const QString& alphabet, int most) {
      QString typed;
      for (int i = below(most) + 1; i > 0; --i) typed += alphabet[below(alphabet.size())];
      return typed;
    };
    const auto type = [&](TEdit* field, const QString& alphabet, int most) {
      if (field->isEnabled()) TypeInto(field, keys(alphabet, most));
    };
    const auto pick = [&](TComboBox* box) {
      if (box->isEnabled()) Pick(box, box->itemText(below(box->count())));
    };
    for (int step = below(8) + 2; step > 0; --step) {
      switch (below(11)) {
        case 0: type(window.TIntDep, QStringLiteral("0123456789"), 6); break;
        case 1: type(window.TRegDep, QStringLiteral("0123456789"), 5); break;
        case 2: type(window.TAltdep, QStringLiteral("0123456789"), 5); break;
        case 3: type(window.TIntRate, QStringLiteral("0123456789."), 5); break;
        case 4: TypeYears(QString::number(below(50) + 1)); break;
        case 5: pick(window.CDefFreq); break;
        case 6: pick(window.CcompFreq); break;
        case 7: pick(window.CAltFreq); break;
        case 8: ClickAlternative(); break;
        case 9:
          if (window.TB->isEnabled()) window.TB->setValue(below(window.TB->maximum() + 1));
          break;
        default: window.chMarks->click();
      }
    }
  }

  QTemporaryDir folder;
  QString chosen;
};

// PENMARROW_PLAN_ROUNDS plans (300 by default).
TEST_F(Plans, ASavedPlanOpensAsTheWindowItWasSavedFrom) {
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  const QString saved = Path(QStringLiteral("saved.penmarrow"));
  bool given = false;
  const int rounds = qEnvironmentVariableIntValue("PENMARROW_PLAN_ROUNDS", &given);
  for (int plan = 0; plan < (given ? rounds : 300); ++plan) {
    const std::string trace = "seed " + std::to_string(seed) + ", plan " + std::to_string(plan);
    TypeAtRandom(random);
    SaveAs(saved);
    const QStringList counted = Counted();
    const QStringList figures = Figures();
    const QList<bool> enabled = Enabled();
    TypeAtRandom(random);
    errors.clear();
    ASSERT_EQ(CountRecalculations([&] { Open(saved); }), 1) << trace;
    ASSERT_EQ(Counted(), counted) << trace;
    ASSERT_LE(errors.size(), 1u) << trace;
    const bool overflowed = !errors.empty();
    // A plan that overflows shows the one box typing it shows, and the figures it reaches.
    if (overflowed) {
      ASSERT_EQ(errors[0], QStringLiteral("Invalid floating point operation.")) << trace;
    } else {
      ASSERT_EQ(Figures(), figures) << trace;
    }
    // Saved again, it is the same file: every input counts as it did.
    SaveAs(Path(QStringLiteral("again.penmarrow")));
    ASSERT_EQ(Read(Path(QStringLiteral("again.penmarrow"))), Read(saved)) << trace;
    // Continuous compounding with no deposits opens as the mode without deposits.
    const bool noDeposits = window.TRegDep->text() == QStringLiteral("$0") &&
                            window.CcompFreq->currentText() == QStringLiteral("Continuous");
    if (!noDeposits) {
      ASSERT_EQ(Enabled(), enabled) << trace;
    }
  }
}

TEST_F(Plans, EveryBadFileIsRefusedWithOneMessageAndChangesNothing) {
  SaveAs(Path(QStringLiteral("good.penmarrow")));
  const QString good = QString::fromUtf8(Read(Path(QStringLiteral("good.penmarrow"))));
  // The saved plan with one value written in place of the one saved.
  const auto with = [&](const char* key, const QString& value) {
    return QString(good)
        .replace(QRegularExpression(QStringLiteral("(\"%1\": )(\"[^\"]*\"|[^,\n]*)").arg(key)),
                 QStringLiteral("\\1") + value)
        .toUtf8();
  };
  QFile huge(Path(QStringLiteral("huge")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100 << 20));
  ASSERT_EQ(mkfifo(Path(QStringLiteral("pipe")).toLocal8Bit().constData(), 0600), 0);
  const QString damaged = QStringLiteral("It is damaged, or not a plan: ");
  const std::pair<QString, QString> cases[] = {
      {Write("empty", {}), "It is empty."},
      {Write("truncated", good.left(good.size() / 2).toUtf8()),
       damaged + "unterminated string near byte N."},
      {Write("binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
       damaged + "illegal value near byte N."},
      {huge.fileName(), "It is 100.0 MB, far more than a plan holds."},
      {Write("nested", QByteArray(60000, '[')),
       damaged + "too deeply nested document near byte N."},
      {Write("digits", with("years", QString(1000, u'9'))),
       damaged + "illegal number near byte N."},
      {Write("control", with("regular deposit", "\"1\\u0000\\u202e2\"")),
       "Regular deposit \"1\uFFFD\uFFFD2\" is not an amount from $0 to $999,999."},
      {Write("letters", with("initial deposit", "\"12abc\"")),
       "Initial deposit \"12abc\" is not an amount from $0 to $999,999."},
      {Write("rate", with("rate", "\"120\"")), "Rate 120 is above 99.99."},
      {Write("years", with("years", "0")), "Years 0 is below 1."},
      {Write("start", with("alternative start later", "10")),
       "Alternative start later 10 is above 9."},
      {Write("later", with("version", "2")),
       "It was saved by a later Penmarrow, as plan version 2; this one reads version 1."},
      {folder.path(), "It is not a file."},
      {Path(QStringLiteral("pipe")), "It is not a file."},
      {Path(QStringLiteral("gone")), "There is no such file."},
  };
  TypeInto(window.TIntDep, QStringLiteral("12345"));  // a text not yet rewritten as currency
  const QStringList inputs = Inputs();
  const QStringList figures = Figures();
  for (const auto& [file, reason] : cases) {
    errors.clear();
    EXPECT_EQ(CountRecalculations([&, &file = file] { Open(file); }), 0) << reason.toStdString();
    ASSERT_EQ(errors.size(), 1u) << reason.toStdString();
    // Where the parser stopped is Qt's to say.
    EXPECT_EQ(errors[0].replace(QRegularExpression(QStringLiteral("byte \\d+")), "byte N"),
              u'"' + QFileInfo(file).fileName() + QStringLiteral("\" was not opened. ") + reason);
    EXPECT_EQ(Inputs(), inputs) << reason.toStdString();
    EXPECT_EQ(Figures(), figures) << reason.toStdString();
  }
}

TEST_F(Plans, AFailedSaveSaysWhyAndLeavesTheOldFileWhole) {
  const QString old = Write(QStringLiteral("old.penmarrow"), "the saver's old plan");
  // A disk that fills up: the process may write no file beyond a few bytes.
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit full{16, limit.rlim_max};
  const auto signalled = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &full);
  SaveAs(old);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, signalled);
  SaveAs(Path(QStringLiteral("gone/plan.penmarrow")));
  SaveAs(QStringLiteral("/proc/plan.penmarrow"));  // a folder that takes no new files
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0],
            "The plan was not saved as \"old.penmarrow\". It could not be written in "
            "full: the disk may be full.");
  for (const QString& error : {errors[1], errors[2]})
    EXPECT_TRUE(error.startsWith("The plan was not saved as \"plan.penmarrow\". "));
  EXPECT_EQ(Read(old), "the saver's old plan");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"old.penmarrow"});
}

// The window's keys reach the commands from every control; a dropped file opens; each step is told.
TEST_F(Plans, TheKeysFromAnyControlAndADropReachThePlanAndEachStepIsTold) {
  TypeInto(window.TRegDep, QStringLiteral("250"));
  Pick(window.CDefFreq, QStringLiteral("Monthly"));
  chosen = Path(QStringLiteral("retirement.penmarrow"));
  QTest::keyClick(window.TIntRate, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Told(), QStringLiteral("Plan saved as retirement.penmarrow."));
  TypeYears(QStringLiteral("30"));
  chosen = Path(QStringLiteral("thirty.penmarrow"));
  QTest::keyClick(window.seYears, Qt::Key_S, Qt::ControlModifier);
  Told();
  window.Chart->setFocus();
  chosen = Path(QStringLiteral("retirement.penmarrow"));
  QTest::keyClick(window.Chart, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Told(), QStringLiteral("Plan opened: 10 years, $250 monthly."));  // from the event loop
  Narration().InputPaused();  // the totals that changed follow once the input pauses
  EXPECT_EQ(
      Narration().LastMessage(),
      QStringLiteral("Your strategy: regular deposits %1, total interest %2, total savings %3.")
          .arg(window.Totals1.regularDepVal->text(), window.Totals1.totalIntVal->text(),
               window.Totals1.totalVal->text()));
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(Path(QStringLiteral("thirty.penmarrow")))});
  const QPoint at = window.TIntDep->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window.TIntDep, &enter);
  QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window.TIntDep, &drop);
  EXPECT_TRUE(enter.isAccepted() && drop.isAccepted());
  EXPECT_TRUE(Told().startsWith("Plan opened: 30 years, $250 monthly."));
  EXPECT_TRUE(errors.empty());
}

// Printed to a PDF file: every figure of the table is text there, and the chart has no picture.
TEST_F(Plans, ThePrintedPlanHoldsEveryFigureAsTextAndTheChartAsVectors) {
  ClickAlternative();
  TypeYears(QStringLiteral("30"));
  const FiguresTable table = FiguresTableOf(*window.Chart);
  const auto run = [](const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished()) << tool.toStdString() << " (poppler-utils) did not run";
    return QString::fromUtf8(process.readAllStandardOutput());
  };
  for (const QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
    const QString pdf = Path(QStringLiteral("plan-%1.pdf").arg(size));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(size));
    ASSERT_TRUE(PrintPlan(printer, {{}, window.CurrentPlan(), table, *window.Chart}));
    const QStringList lines = run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).split(u'\n');
    for (const FiguresTable::Row& row : table.rows) {
      QStringList cells{QString::number(row.year)};
      for (const auto& strategy : row.strategies)
        for (const Extended value : strategy->Shown()) cells << ToQString(FormatMoney(value));
      // One line of the table, its cells apart by spaces.
      const QRegularExpression line(QStringLiteral("^ *%1 *$")
                                        .arg(QRegularExpression::escape(cells.join(u' '))
                                                 .replace(QStringLiteral("\\ "), " +")));
      EXPECT_GE(lines.indexOf(line), 0) << "year " << row.year << " on " << size;
    }
    // Only the list's two heading lines: no picture.
    EXPECT_EQ(run(QStringLiteral("pdfimages"), {"-list", pdf}).count(u'\n'), 2);
  }
}

}  // namespace
}  // namespace penmarrow::ui
