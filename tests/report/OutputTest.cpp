#include "report/JobFollower.h"
#include "report/PreviewWindow.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "report/ReportPainter.h"
#include "report/TestLayouts.h"
#include "support/EnvScope.h"
#include "support/PrivateSpooler.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

#include <gtest/gtest.h>
#include <optional>

using namespace sijill;
using sijill::test::EnvScope;

namespace {

bool isPdf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}

report::ReportLayout filledLayout(int rows) {
    report::ReportLayout layout = test::bandedLayout();
    layout.setDataSource(test::numberedRows(rows));
    return layout;
}

} // namespace

TEST(PrintOutput, EachJobBecomesANumberedPdfInThePrintFolder) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("jobs"); // made on the first job
    EnvScope env("SIJILL_PRINT_TO", folder.toUtf8());
    const report::PrintOutcome first = report::printReport(filledLayout(20), QString());
    const report::PrintOutcome second = report::printReport(filledLayout(1), QString());
    EXPECT_EQ(first.destination, report::PrintOutcome::Destination::PrintFolder);
    EXPECT_FALSE(first.tellUser);
    EXPECT_EQ(QFileInfo(first.file).fileName(), "0001-Banded.pdf");
    EXPECT_EQ(QFileInfo(second.file).fileName(), "0002-Banded.pdf");
    EXPECT_TRUE(isPdf(first.file));
    EXPECT_TRUE(isPdf(second.file));
    // Two pages make a bigger file than one.
    EXPECT_GT(QFileInfo(first.file).size(), QFileInfo(second.file).size());
}

// Kept files are named like their jobs, by sheet and class, and never
// replace a file.
TEST(PrintOutput, WithoutAnyPrinterJobsGoToDocumentsAndTheUserIsToldOnce) {
    QTemporaryDir home;
    EnvScope noFolder("SIJILL_PRINT_TO", QByteArray());
    EnvScope homeEnv("HOME", home.path().toUtf8());
    EnvScope docs("XDG_DOCUMENTS_DIR", home.filePath("Documents").toUtf8());
    const QString title = QStringLiteral("كشف: الأسماء");
    const report::PrintOutcome first = report::printReport(filledLayout(2), title, "ثالث-1");
    const report::PrintOutcome second = report::printReport(filledLayout(1), title, "ثالث-1");
    const report::PrintOutcome untitled = report::printReport(filledLayout(1), QString());
    EXPECT_EQ(first.destination, report::PrintOutcome::Destination::DocumentsFolder);
    EXPECT_EQ(first.file,
              home.filePath(QStringLiteral("Documents/Sijill/كشف_ الأسماء - ثالث-1.pdf")));
    EXPECT_EQ(QFileInfo(second.file).fileName(), QStringLiteral("كشف_ الأسماء - ثالث-1-2.pdf"));
    EXPECT_EQ(QFileInfo(untitled.file).fileName(), QStringLiteral("Banded.pdf"));
    EXPECT_TRUE(isPdf(first.file));
    EXPECT_GT(QFileInfo(first.file).size(), QFileInfo(second.file).size());
    EXPECT_TRUE(first.tellUser);
    EXPECT_FALSE(second.tellUser);
}

// A print job or a preview tells which texts it printed shortened: at once on
// its own, once at the end of a run, and never for a report printed whole.
TEST(PrintOutput, ShortenedTextsAreToldOnceARun) {
    QTemporaryDir dir;
    EnvScope env("SIJILL_PRINT_TO", dir.path().toUtf8());
    QStringList told;
    const auto previous =
        report::setShortenedTextsNotice([&](const QString& notice) { told << notice; });
    const QString longText = QStringLiteral("مدرسة الأمير سلطان بن عبدالعزيز آل سعود الابتدائية "
                                            "الأولى لتحفيظ القرآن الكريم بحي الملز شرقي الرياض");
    const auto shortening = [&](int rows) {
        report::ReportLayout layout = filledLayout(rows);
        report::ReportControl& box = layout.control(QStringLiteral("class"));
        box.caption = longText;
        box.width = 900;
        return layout;
    };
    report::printReport(filledLayout(2), QString());
    EXPECT_TRUE(told.isEmpty());
    report::printReport(shortening(2), QString());
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(longText)) << told[0].toStdString();
    told.clear();
    {
        const report::ShortenedTextsRun run;
        report::printReport(shortening(2), QString());
        report::printReport(shortening(3), QString());
        EXPECT_TRUE(told.isEmpty());
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0].count(longText), 1) << told[0].toStdString();
    // What was told is not told again: a later job, alone or in a run, names
    // only its own sheet and texts.
    const QString otherText = QStringLiteral("الإدارة العامة للتعليم بمنطقة الرياض مكتب التعليم "
                                             "بشمال الرياض إدارة الشؤون التعليمية للبنات");
    const auto otherSheet = [&] {
        report::ReportLayout layout = shortening(2);
        layout.control(QStringLiteral("class")).caption = otherText;
        report::printReport(layout, QStringLiteral("كشف آخر"));
    };
    for (const bool inARun : {false, true}) {
        told.clear();
        {
            std::optional<report::ShortenedTextsRun> run;
            if (inARun)
                run.emplace();
            otherSheet();
        }
        ASSERT_EQ(told.size(), 1) << inARun;
        EXPECT_TRUE(told[0].contains(otherText)) << told[0].toStdString();
        EXPECT_FALSE(told[0].contains(longText)) << told[0].toStdString();
        EXPECT_EQ(told[0].count(QStringLiteral("كشف آخر")), 1) << told[0].toStdString();
    }
    report::setShortenedTextsNotice(previous);
}

TEST(PrintOutput, UnwritablePdfIsAnError) {
    const report::LaidOutReport r = report::layOut(filledLayout(1));
    EXPECT_THROW(report::writePdf(r, "/nonexistent-folder/x/report.pdf"), report::ReportError);
}

TEST(PrintOutput, NumberedNamesFollowTheHighestNumber) {
    QTemporaryDir dir;
    for (const char* name : {"0003-A.pdf", "0010-B.pdf", "notes.pdf"}) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
    }
    EXPECT_EQ(QFileInfo(report::numberedPdfPath(dir.path(), "C")).fileName(), "0011-C.pdf");
}

TEST(PreviewWindow, PagesThroughAndZooms) {
    report::PreviewWindow w(report::layOut(filledLayout(40)));
    EXPECT_EQ(w.pageCount(), 3);
    EXPECT_EQ(w.pageNumberLabel->text(), "1 / 3");
    EXPECT_FALSE(w.previousPageButton->isEnabled());
    w.nextPageButton->click();
    w.nextPageButton->click();
    EXPECT_EQ(w.currentPage(), 2);
    EXPECT_EQ(w.pageNumberLabel->text(), "3 / 3");
    EXPECT_FALSE(w.nextPageButton->isEnabled());
    w.firstPageButton->click();
    EXPECT_EQ(w.currentPage(), 0);
    w.showPage(99);
    EXPECT_EQ(w.currentPage(), 2);
    w.setZoom(2.0);
    EXPECT_DOUBLE_EQ(w.zoom(), 2.0);
    EXPECT_EQ(w.zoomPicker->currentText(), "200%");
    // The page paints without error at the new zoom.
    EXPECT_FALSE(w.grab().isNull());
}

TEST(PreviewWindow, OpensModelessWithThePreviewWidth) {
    auto previous = report::setPreviewSink(nullptr);
    report::installPreviewWindow();
    report::ReportLayout layout = filledLayout(3);
    layout.setPreviewWidth(16700);
    { report::showPreview(layout, QStringLiteral("كشف أسماء الطلاب"), QStringLiteral("ثالث-2")); }
    report::PreviewWindow* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* p = qobject_cast<report::PreviewWindow*>(w); p && p->isVisible())
            shown = p;
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->isModal());
    // The preview width where the screen has room, and never past the screen.
    const QRect area = shown->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(shown->frameGeometry()));
    if (area.width() > 16700 / 15 + 20) {
        EXPECT_EQ(shown->width(), 16700 / 15);
    } else {
        EXPECT_GE(shown->width(), area.width() * 9 / 10);
    }
    EXPECT_EQ(shown->pageCount(), 1);
    EXPECT_EQ(report::jobTitle(shown->report()), QStringLiteral("كشف أسماء الطلاب - ثالث-2"));
    // Titled in Arabic after the item that opened it.
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("كشف أسماء الطلاب - سجل"));
    // Escape closes it as its close button does, and it deletes itself.
    const QPointer<report::PreviewWindow> alive(shown);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(shown->printButton, &escape);
    EXPECT_FALSE(shown->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    report::setPreviewSink(previous);
}

// The print dialog opens on the default printer (the printer carries no output
// file, which would make Qt start on file output) and proposes a PDF named
// after the preview in the folder jobs go to without a printer, never the
// data folder the program runs in.
TEST(PreviewWindow, ThePrintDialogProposesThePreviewsTitleUnderDocuments) {
    QTemporaryDir home;
    EnvScope homeEnv("HOME", home.path().toUtf8());
    EnvScope config("XDG_CONFIG_HOME", home.filePath(".config").toUtf8());
    const QString defaultPrinter = QPrinterInfo::defaultPrinter().printerName();
    const std::pair<QString, QString> titles[] = {
        {QStringLiteral("كشف أسماء الطلاب"), QStringLiteral("كشف أسماء الطلاب.pdf")},
        {QStringLiteral("جدول 1/2: الصف"), QStringLiteral("جدول 1-2- الصف.pdf")},
        {QString(), QStringLiteral("سجل.pdf")},
    };
    for (const auto& [caption, file] : titles) {
        SCOPED_TRACE(caption.toStdString());
        test::ScriptedScope scope;
        QString proposed, printerFile, printerChosen;
        scope.dialogs().custom = [&](QDialog& d) {
            auto* dialog = qobject_cast<QPrintDialog*>(&d);
            if (!dialog)
                return false;
            printerFile = dialog->printer()->outputFileName();
            d.show();
            if (auto* box = d.findChild<QLineEdit*>(QStringLiteral("filename")))
                proposed = box->text();
            if (auto* printers = d.findChild<QComboBox*>(QStringLiteral("printers")))
                printerChosen = printers->currentText();
            d.reject();
            return true;
        };
        report::LaidOutReport opened = report::layOut(filledLayout(2));
        opened.title = caption;
        report::PreviewWindow preview(std::move(opened));
        preview.printButton->click();
        EXPECT_EQ(proposed, home.filePath(QStringLiteral("Documents/Sijill/") + file));
        EXPECT_TRUE(printerFile.isEmpty());
        if (!defaultPrinter.isEmpty()) {
            EXPECT_EQ(printerChosen, defaultPrinter);
        }
        EXPECT_TRUE(scope.systemShown.empty());
    }
}

namespace {

// A private spooler, a temporary home whose Documents folder catches what
// does not print, and no print folder: jobs go where the program sends them.
struct SpoolerDesk {
    test::PrivateSpooler spooler;
    QTemporaryDir home;
    EnvScope noFolder{"SIJILL_PRINT_TO", QByteArray()};
    EnvScope homeEnv{"HOME", home.path().toUtf8()};
    EnvScope docs{"XDG_DOCUMENTS_DIR", home.filePath("Documents").toUtf8()};
    EnvScope noChoice{"PRINTER", QByteArray()};
    EnvScope noDest{"LPDEST", QByteArray()};
    // Jobs sent to this spooler are not followed past the test.
    ~SpoolerDesk() { report::stopFollowingJobs(); }

    QStringList kept() const {
        return QDir(home.filePath("Documents/Sijill")).entryList({"*.pdf"}, QDir::Files);
    }
};

#define REQUIRE_SPOOLER(desk)                                                                      \
    if (!(desk).spooler.running())                                                                 \
    GTEST_SKIP() << "no private cupsd: " << (desk).spooler.why().toStdString()

} // namespace

// A job goes to the default printer through the spooler, titled by its sheet
// and class, and what the printer received is the whole PDF.
TEST(Spooler, AnAcceptingPrinterPrintsTheJobUnderItsTitleAndClass) {
    SpoolerDesk desk;
    REQUIRE_SPOOLER(desk);
    ASSERT_TRUE(desk.spooler.addPrinter("Office"));
    ASSERT_TRUE(desk.spooler.setDefault("Office"));
    const report::PrintOutcome outcome =
        report::printReport(filledLayout(2), QStringLiteral("كشف الأسماء"), "أول-1");
    EXPECT_EQ(outcome.destination, report::PrintOutcome::Destination::Printer);
    const QStringList jobs = desk.spooler.jobFiles();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_TRUE(isPdf(jobs[0]));
    EXPECT_TRUE(report::endsAsPdf(jobs[0]));
    EXPECT_TRUE(desk.kept().isEmpty());
    EXPECT_TRUE(desk.spooler.client("lpstat", {"-W", "completed", "-o", "Office"}));
    EXPECT_EQ(desk.spooler.jobTitles(), QStringList{QStringLiteral("كشف الأسماء - أول-1")});
}

// A printer that rejects jobs, one that is stopped, and a spooler that is gone
// or stopped by a signal: the job is not printed, the user learns why, and the
// pages are kept in the Documents folder; a silent spooler holds no one long.
TEST(Spooler, AJobThatCannotPrintIsKeptAndTold) {
    enum class Fault { Rejects, Disabled, Gone, Frozen };
    for (const Fault fault : {Fault::Rejects, Fault::Disabled, Fault::Gone, Fault::Frozen}) {
        SCOPED_TRACE(int(fault));
        SpoolerDesk desk;
        REQUIRE_SPOOLER(desk);
        ASSERT_TRUE(desk.spooler.addPrinter("Office"));
        ASSERT_TRUE(desk.spooler.setDefault("Office"));
        if (fault == Fault::Rejects) {
            ASSERT_TRUE(desk.spooler.client("cupsreject", {"Office"}));
        }
        if (fault == Fault::Disabled) {
            ASSERT_TRUE(desk.spooler.client("cupsdisable", {"Office"}));
        }
        if (fault == Fault::Gone)
            desk.spooler.kill();
        if (fault == Fault::Frozen)
            desk.spooler.freeze();
        const report::ShortenedTextsRun run;
        if (fault == Fault::Rejects || fault == Fault::Disabled) {
            try {
                report::printReport(filledLayout(2), QStringLiteral("كشف الأسماء"), "أول-1");
                ADD_FAILURE() << "a refused job counted as printed";
            } catch (const report::PrintJobError& e) {
                EXPECT_TRUE(e.message().contains("Office")) << e.message().toStdString();
                EXPECT_TRUE(e.message().contains(desk.home.filePath("Documents/Sijill")));
            }
        } else {
            const report::PrintOutcome first = report::printReport(filledLayout(2), "A", "1");
            const report::PrintOutcome second = report::printReport(filledLayout(2), "A", "2");
            // A spooler gone is no printer; one that holds its socket silent
            // is told as not answering.
            EXPECT_EQ(first.fallback, fault == Fault::Gone
                                          ? report::PrintOutcome::Fallback::NoPrinter
                                          : report::PrintOutcome::Fallback::NoAnswer);
            EXPECT_TRUE(first.tellUser);
            EXPECT_FALSE(second.tellUser);
        }
        EXPECT_FALSE(desk.kept().isEmpty());
        if (fault != Fault::Gone && fault != Fault::Frozen) {
            EXPECT_TRUE(desk.spooler.jobFiles(0).isEmpty());
        }
    }
}

// Printers but none set as the default: one printer is printed on; among
// several the pages are kept and the reason is not "no printer".
TEST(Spooler, WithoutADefaultTheOnlyPrinterPrintsAndSeveralAreNamedAsSuch) {
    SpoolerDesk desk;
    REQUIRE_SPOOLER(desk);
    ASSERT_TRUE(desk.spooler.addPrinter("Office"));
    EXPECT_EQ(report::printReport(filledLayout(1), "A").destination,
              report::PrintOutcome::Destination::Printer);
    EXPECT_EQ(desk.spooler.jobFiles().size(), 1);
    ASSERT_TRUE(desk.spooler.addPrinter("Library"));
    const report::PrintOutcome outcome = report::printReport(filledLayout(1), "A");
    EXPECT_EQ(outcome.destination, report::PrintOutcome::Destination::DocumentsFolder);
    EXPECT_EQ(outcome.fallback, report::PrintOutcome::Fallback::NoDefault);
    EXPECT_EQ(desk.kept().size(), 1);
}

// The preview's Print button: a silent spooler is told at once, with no
// dialog that would wait on it; a job the chosen printer refuses is told.
// Either way the pages are kept in the Documents folder.
TEST(Spooler, ThePreviewsPrintTellsWhatDidNotPrint) {
    for (const bool frozen : {true, false}) {
        SCOPED_TRACE(frozen);
        SpoolerDesk desk;
        REQUIRE_SPOOLER(desk);
        ASSERT_TRUE(desk.spooler.addPrinter("Office"));
        ASSERT_TRUE(desk.spooler.setDefault("Office"));
        if (frozen)
            desk.spooler.freeze();
        else {
            ASSERT_TRUE(desk.spooler.client("cupsreject", {"Office"}));
        }
        test::ScriptedScope scope;
        bool dialogShown = false;
        scope.dialogs().custom = [&](QDialog& d) {
            auto* dialog = qobject_cast<QPrintDialog*>(&d);
            if (!dialog)
                return false;
            dialogShown = true;
            dialog->printer()->setPrinterName("Office");
            dialog->printer()->setOutputFileName(QString());
            d.accept();
            return true;
        };
        report::LaidOutReport opened = report::layOut(filledLayout(2));
        opened.title = QStringLiteral("كشف الأسماء");
        opened.className = QStringLiteral("أول-1");
        report::PreviewWindow preview(std::move(opened));
        preview.printButton->click();
        EXPECT_EQ(dialogShown, !frozen);
        ASSERT_EQ(scope.systemShown.size(), 1u);
        EXPECT_TRUE(scope.systemShown[0].text.contains(desk.home.filePath("Documents/Sijill")))
            << scope.systemShown[0].text.toStdString();
        EXPECT_EQ(desk.kept(), QStringList{QStringLiteral("كشف الأسماء - أول-1.pdf")});
    }
}

// A job whose spooler says nothing of it ends as unknown once the silence has
// lasted, handed over on the thread that follows it.
TEST(Spooler, AFollowedJobWhoseSpoolerIsSilentEndsUnknown) {
    std::vector<std::pair<int, report::JobEnd>> ends;
    report::JobFollower follower(
        [&](int ticket, report::JobEnd end) { ends.emplace_back(ticket, end); }, 50, 300);
    const int ticket = follower.follow("/nonexistent/sijill-tests/cups.sock", 7);
    QElapsedTimer clock;
    clock.start();
    while (ends.empty() && clock.elapsed() < 10000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].first, ticket);
    EXPECT_EQ(ends[0].second, report::JobEnd::Unknown);
}
