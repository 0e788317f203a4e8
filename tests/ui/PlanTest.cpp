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

const QString Overflow = QStringLiteral("Invalid floating point operation.");

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
  // The commands as the saver chooses them, the dialogs answered with `path`.
  void SaveAs(const QString& path) {
    chosen = path;
    ErrorDisplay::Guard([&] { window.Plans().Save(); });
  }
  void Open(const QString& path) {
    chosen = path;
    ErrorDisplay::Guard([&] { window.Plans().Open(); });
  }

  // What the window shows: each input as it counts, the choices and switches, every point.
  QStringList Shown() const {
    const auto amount = [](const TEdit* f) {
      return QString::number(MoneyToInt64(View(f->text()), 0));
    };
    char rate[64];
    *std::to_chars(rate, rate + 63, RateToFloat(View(window.TIntRate->text()), 0),
                   std::chars_format::hex)
         .ptr = 0;
    QStringList shown{
        amount(window.TIntDep),
        amount(window.TRegDep),
        amount(window.TAltdep),
        QString::fromLatin1(rate),
        QString::number(window.seYears->Value()),
        window.CDefFreq->currentText(),
        window.CcompFreq->currentText(),
        window.CAltFreq->currentText(),
        QStringLiteral("%1 of %2").arg(window.TB->Position()).arg(window.TB->maximum()),
        QString::number(window.chAlternative->Checked()),
        QString::number(window.chMarks->Checked())};
    for (int s = 0; s < TChart::SeriesCount; ++s)
      for (int i = 0; i < window.Chart->Series(s).Count(); ++i)
        shown << QStringLiteral("%1:%2").arg(window.Chart->Series(s).Label(i)).arg(Values(s)[i]);
    return shown;
  }
  QStringList Totals() {
    QStringList totals = Captions(window.Totals1);
    if (window.chAlternative->Checked()) totals << Captions(window.Totals2);
    return totals;
  }
  // Continuous compounding mode, in which the deposit field and the deposit frequency are off.
  QList<bool> Enabled() const {
    return {window.TRegDep->isEnabled(), window.CDefFreq->isEnabled(), window.APanel->isEnabled()};
  }
  // Every text exactly as it stands, and the compound frequency list.
  QStringList Texts() const {
    QStringList texts{window.TIntDep->text(),           window.TRegDep->text(),
                      window.TAltdep->text(),           window.TIntRate->text(),
                      window.seYears->Editor()->text(), window.lStartLater->text(),
                      window.CcompFreq->currentText()};
    for (int i = 0; i < window.CcompFreq->count(); ++i) texts << window.CcompFreq->itemText(i);
    return texts;
  }

  // A saver's few inputs, chosen by `random`: typed amounts, rates and years, picked frequencies,
  // the alternative switched, its start moved, the marks clicked, a field left.
  void TypeAtRandom(std::mt19937& random) {
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto keys = [&](const char* alphabet, int most) {
      QString typed;
      for (int i = below(most) + 1; i > 0; --i)
        typed += QChar(alphabet[below(static_cast<int>(std::strlen(alphabet)))]);
      return typed;
    };
    const auto pick = [&](TComboBox* box) {
      if (box->isEnabled()) Pick(box, box->itemText(below(box->count())));
    };
    for (int step = below(8) + 2; step > 0; --step) {
      switch (below(11)) {
        case 0: TypeInto(window.TIntDep, keys("0123456789", 6)); break;
        case 1:
          if (window.TRegDep->isEnabled()) TypeInto(window.TRegDep, keys("0123456789", 5));
          break;
        case 2:
          if (window.APanel->isEnabled()) TypeInto(window.TAltdep, keys("0123456789", 5));
          break;
        case 3: TypeInto(window.TIntRate, keys("0123456789.", 5)); break;
        case 4:
          window.seYears->setFocus();
          TypeYears(QString::number(below(50) + 1));
          break;
        case 5: pick(window.CDefFreq); break;
        case 6: pick(window.CcompFreq); break;
        case 7: pick(window.CAltFreq); break;
        case 8: ClickAlternative(); break;
        case 9:
          if (window.APanel->isEnabled()) window.TB->setValue(below(window.TB->maximum() + 1));
          break;
        default: window.chMarks->click();
      }
    }
    window.chAlternative->setFocus();  // leaves the field last typed in
  }

  QTemporaryDir folder;
  QString chosen;
};

TEST_F(Plans, ASavedPlanOpensAsTheWindowItWasSavedFrom) {
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  for (int plan = 0; plan < 300; ++plan) {
    const std::string trace = "seed " + std::to_string(seed) + ", plan " + std::to_string(plan);
    TypeAtRandom(random);
    const QStringList shown = Shown();
    const QStringList totals = Totals();
    const QList<bool> enabled = Enabled();
    errors.clear();
    SaveAs(Path(QStringLiteral("saved.penmarrow")));
    TypeAtRandom(random);
    errors.clear();
    ASSERT_EQ(CountRecalculations([&] { Open(Path(QStringLiteral("saved.penmarrow"))); }), 1)
        << trace;
    ASSERT_LE(errors.size(), 1u) << trace;
    // A plan that overflows shows its one box, and the figures it reached are those of the box.
    const bool overflowed = !errors.empty();
    if (overflowed) {
      ASSERT_EQ(errors.front(), Overflow) << trace;
    }
    ASSERT_EQ(Shown().mid(0, overflowed ? 11 : -1), shown.mid(0, overflowed ? 11 : -1)) << trace;
    if (!overflowed) {
      ASSERT_EQ(Totals(), totals) << trace;
    }
    // A deposit of 0 under continuous compounding opens as the mode without deposits.
    const bool noDeposits = window.TRegDep->text() == QStringLiteral("$0") &&
                            window.CcompFreq->currentText() == QStringLiteral("Continuous");
    if (!noDeposits) {
      ASSERT_EQ(Enabled(), enabled) << trace;
    }
    SaveAs(Path(QStringLiteral("again.penmarrow")));
    ASSERT_EQ(Read(Path(QStringLiteral("again.penmarrow"))),
              Read(Path(QStringLiteral("saved.penmarrow"))))
        << trace;
  }
}

TEST_F(Plans, EveryBadFileIsRefusedWithOneMessageAndChangesNothing) {
  SaveAs(Path(QStringLiteral("good.penmarrow")));
  const QByteArray good = Read(Path(QStringLiteral("good.penmarrow")));
  // The saved plan with one value written in place of the one saved.
  const auto with = [](const QByteArray& plan, const char* key, const char* value) {
    return QString::fromUtf8(plan)
        .replace(QRegularExpression(QStringLiteral("(\"%1\": )(\"[^\"]*\"|[^,\n]*)").arg(key)),
                 QStringLiteral("\\1") + QString::fromUtf8(value))
        .toUtf8();
  };
  QFile huge(Path(QStringLiteral("huge.penmarrow")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100 << 20));
  ASSERT_EQ(mkfifo(Path(QStringLiteral("pipe.penmarrow")).toLocal8Bit().constData(), 0600), 0);
  const struct {
    QString file;
    QString message;
  } cases[] = {
      {Write("empty", {}), "\"empty\" was not opened. It is empty."},
      {Write("truncated", good.left(good.size() / 2)),
       "\"truncated\" was not opened. It is damaged, or not a plan: unterminated string near "
       "byte N."},
      {Write("binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
       "\"binary\" was not opened. It is damaged, or not a plan: illegal value near byte N."},
      {huge.fileName(),
       "\"huge.penmarrow\" was not opened. It is 100.0 MB, far more than a plan holds."},
      {Write("nested", QByteArray(60000, '[')),
       "\"nested\" was not opened. It is damaged, or not a plan: too deeply nested document near "
       "byte N."},
      {Write("rate", with(good, "rate", "\"120\"")),
       "\"rate\" was not opened. Rate 120 is above 99.99."},
      {Write("years", with(good, "years", "0")), "\"years\" was not opened. Years 0 is below 1."},
      {Write("letters", with(good, "initial deposit", "\"12abc\"")),
       "\"letters\" was not opened. Initial deposit \"12abc\" is not an amount from $0 to "
       "$999,999."},
      {Write("control", with(good, "regular deposit", "\"1\\u0000\\u202e2\"")),
       "\"control\" was not opened. Regular deposit \"1\uFFFD\uFFFD2\" is not an amount from $0 "
       "to $999,999."},
      {Write("digits", with(good, "years", QByteArray(1000, '9').constData())),
       "\"digits\" was not opened. It is damaged, or not a plan: illegal number near byte N."},
      {Write("amount",
             with(good, "initial deposit", ('"' + QByteArray(1000, '9') + '"').constData())),
       "\"amount\" was not opened. Initial deposit \"999999999999999999999999\u2026\" is above "
       "$999,999."},
      {Write("start", with(good, "alternative start later", "10")),
       "\"start\" was not opened. Alternative start later 10 is above 9."},
      {Write("compounding", with(with(good, "compound frequency", "\"Daily\""), "deposit frequency",
                                 "\"Monthly\"")),
       "\"compounding\" was not opened. Compound frequency Daily is more frequent than the "
       "deposit frequency Monthly."},
      {Write("missing", QByteArray(good).replace("\"rate\"", "\"rat\"")),
       "\"missing\" was not opened. Rate is missing."},
      {Write("later", with(good, "version", "2")),
       "\"later\" was not opened. It was saved by a later Penmarrow, as plan version 2; this one "
       "reads version 1."},
      {Write("other", "{\"format\": \"Other\"}"),
       "\"other\" was not opened. It is not a Penmarrow plan."},
      {folder.path(), QStringLiteral("\"%1\" was not opened. It is not a file.")
                          .arg(QFileInfo(folder.path()).fileName())},
      {Path(QStringLiteral("pipe.penmarrow")),
       "\"pipe.penmarrow\" was not opened. It is not a file."},
      {Path(QStringLiteral("gone.penmarrow")),
       "\"gone.penmarrow\" was not opened. There is no such file."},
  };
  TypeInto(window.TIntDep, QStringLiteral("12345"));  // a text not yet rewritten as currency
  const QStringList texts = Texts();
  const QStringList shown = Shown();
  for (const auto& c : cases) {
    errors.clear();
    EXPECT_EQ(CountRecalculations([&] { Open(c.file); }), 0) << c.message.toStdString();
    ASSERT_EQ(errors.size(), 1u) << c.message.toStdString();
    // Where the parser stopped is Qt's to say.
    EXPECT_EQ(
        errors[0].replace(QRegularExpression(QStringLiteral("byte \\d+")), "byte N").toStdString(),
        c.message.toStdString());
    EXPECT_EQ(Texts(), texts) << c.message.toStdString();
    EXPECT_EQ(Shown(), shown) << c.message.toStdString();
  }
}

TEST_F(Plans, AFailedSaveSaysWhyAndLeavesTheOldFileWhole) {
  const QString old = Write(QStringLiteral("old.penmarrow"), "the saver's old plan");
  // A disk that fills up: the process may write no file beyond a few bytes.
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit small{16, limit.rlim_max};
  const auto full = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  SaveAs(old);
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, full);
  SaveAs(Path(QStringLiteral("gone/plan.penmarrow")));
  SaveAs(QStringLiteral("/proc/plan.penmarrow"));  // a folder that takes no new files
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0].toStdString(),
            "The plan was not saved as \"old.penmarrow\". It could not be written in full: the "
            "disk may be full.");
  EXPECT_TRUE(errors[1].startsWith("The plan was not saved as \"plan.penmarrow\". "))
      << errors[1].toStdString();
  EXPECT_TRUE(errors[2].startsWith("The plan was not saved as \"plan.penmarrow\". "))
      << errors[2].toStdString();
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
  const QString opened = Told();  // the command runs from the event loop
  EXPECT_EQ(opened.toStdString(),
            QStringLiteral("Plan opened: 10 years, $250 monthly. Your strategy: regular "
                           "deposits %1, total interest %2, total savings %3.")
                .arg(window.Totals1.regularDepVal->text(), window.Totals1.totalIntVal->text(),
                     window.Totals1.totalVal->text())
                .toStdString());
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(Path(QStringLiteral("thirty.penmarrow")))});
  const QPoint at = window.TIntDep->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window.TIntDep, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window.TIntDep, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_TRUE(Told().startsWith("Plan opened: 30 years, $250 monthly."));
  EXPECT_EQ(window.TIntDep->text(), QStringLiteral("$1,000"));
  // The menu shows each command's keys.
  EXPECT_EQ(window.ChartMenu->actions().at(3)->shortcut(), QKeySequence(QKeySequence::Save));
  EXPECT_TRUE(errors.empty());
}

// Printed to a PDF file: every figure of the table is text there, and the chart has no picture.
TEST_F(Plans, ThePrintedPlanHoldsEveryFigureAsTextAndTheChartAsVectors) {
  ClickAlternative();
  TypeYears(QStringLiteral("30"));
  const FiguresTable table = FiguresTableOf(*window.Chart, true);
  for (const QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
    const QString pdf = Path(QStringLiteral("plan-%1.pdf").arg(size));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(size));
    ASSERT_TRUE(PrintPlan(printer, {{}, window.CurrentPlan(), table, *window.Chart}));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished()) << "pdftotext (poppler-utils) did not run";
    const QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split(u'\n');
    for (const FiguresTable::Row& row : table.rows) {
      QStringList figures{QString::number(row.year)};
      for (const auto& strategy : row.strategies)
        for (const Extended value : strategy->Shown()) figures << ToQString(FormatMoney(value));
      // One line of the table, its cells apart by spaces.
      const QRegularExpression line(
          QStringLiteral("^ *%1 *$")
              .arg(QRegularExpression::escape(figures.join(u' '))
                       .replace(QStringLiteral("\\ "), QStringLiteral(" +"))));
      EXPECT_GE(lines.indexOf(line), 0) << "year " << row.year << " on " << size;
    }
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(images.waitForFinished());
    EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).count(u'\n'), 2)
        << "only the list's two heading lines";
  }
}

}  // namespace
}  // namespace penmarrow::ui
