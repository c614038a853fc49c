#include "platform/BidiText.h"
#include "platform/DocumentOpener.h"
#include "report/ReportError.h"
#include "report/ReportPainter.h"
#include "reports/NamesExport.h"
#include "reports/OoxmlPackage.h"
#include "reports/PrintRun.h"
#include "reports/ReportsTestSupport.h"
#include "support/ExitRecorder.h"
#include "support/FileBytes.h"
#include "support/WriteFaultScope.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::EnvScope;
using sijill::test::kOk;
using sijill::test::PrintDesk;
using sijill::test::TestHome;
using sijill::test::WriteFaultScope;
using At = platform::WriteFault::At;

namespace {

// A fault point and, for writes, which write fails.
struct Case {
    At at;
    int nth;
};

// Every XML part of a package, each parsed by a strict parser; the names of
// those that do not parse.
QStringList unparsableParts(const QString& file) {
    QStringList bad;
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &error);
    if (!z)
        return {"<not a package>"};
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, i, 0, &st);
        const QString name = QString::fromUtf8(st.name);
        if (!name.endsWith(".xml") && !name.endsWith(".rels"))
            continue;
        QByteArray bytes(static_cast<qsizetype>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(z, i, 0);
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        pugi::xml_document doc;
        if (!doc.load_buffer(bytes.constData(), bytes.size()))
            bad << name;
    }
    zip_close(z);
    return bad;
}

// The user's folders inside the test: home with a desktop, caches, runtime,
// and a temporary folder of its own.
struct User {
    User()
        : home("HOME", dir.path().toUtf8()), config("XDG_CONFIG_HOME", path("config")),
          cache("XDG_CACHE_HOME", path("cache")), runtime("XDG_RUNTIME_DIR", path("run")),
          tmp("TMPDIR", path("tmp")) {
        for (const char* f : {"Desktop", "run", "tmp"})
            QDir(dir.path()).mkpath(f);
        QFile::setPermissions(dir.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QByteArray path(const char* f) const { return dir.filePath(f).toUtf8(); }
    QString desktop() const { return dir.filePath("Desktop"); }
    QTemporaryDir dir;
    EnvScope home, config, cache, runtime, tmp;
};

// Records the documents the program opens, instead of opening them.
struct Opened {
    Opened() {
        previous = platform::setDocumentOpener([this](const QString& path) {
            paths << path;
            return true;
        });
    }
    ~Opened() { platform::setDocumentOpener(previous); }
    QStringList paths;
    std::function<bool(const QString&)> previous;
};

// The program over a small school, seeded before the main window starts.
struct Desk {
    TestHome home;
    bool seeded = (test::seedSchool(home), true);
    User user;
    PrintDesk desk{home};
};

} // namespace

TEST(ExportFile, AnExportOnTheDesktopIsReplacedOnlyWhenTheUserSaysYes) {
    Desk d;
    const QString file = QDir(d.user.desktop()).filePath("أول-1.xlsx");
    ASSERT_TRUE(test::putFile(file, "the export of last week"));
    d.desk.pick("أول-1");
    d.desk.dialogs().answer("لا");
    d.desk.click(16);
    const auto& shown = d.desk.dialogs().shown;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains(platform::shownPath("أول-1.xlsx")));
    EXPECT_EQ(shown[0].mode, 5);
    EXPECT_EQ(test::fileBytes(file), "the export of last week");
    EXPECT_EQ(test::folderEntries(d.user.desktop()), QStringList{"أول-1.xlsx"});

    d.desk.dialogs().answer("نعم");
    d.desk.dialogs().answer(kOk);
    d.desk.click(16);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, kExcelExported + "\r" + platform::shownPath("أول-1.xlsx"));
    EXPECT_TRUE(unparsableParts(file).isEmpty());
    EXPECT_EQ(test::folderEntries(d.user.desktop()), QStringList{"أول-1.xlsx"});
}

TEST(ExportFile, AWorkbookThatCannotBeWrittenIsToldAndTheOldOneStays) {
    Desk d;
    const QString file = QDir(d.user.desktop()).filePath("أول-1.xlsx");
    ASSERT_TRUE(test::putFile(file, "the export of last week"));
    d.desk.pick("أول-1");
    for (const Case c :
         {Case{At::Write, 1}, Case{At::Write, 2}, Case{At::Flush, 1}, Case{At::Rename, 1}}) {
        SCOPED_TRACE(int(c.at) * 10 + c.nth);
        WriteFaultScope fault(c.at, ".xlsx", c.nth);
        const size_t before = d.desk.dialogs().shown.size();
        d.desk.dialogs().answer("نعم");
        d.desk.dialogs().answer(kOk);
        d.desk.click(16);
        ASSERT_EQ(d.desk.dialogs().shown.size(), before + 2);
        const test::ShownBox& told = d.desk.dialogs().shown.back();
        EXPECT_TRUE(told.text.startsWith(kExcelFailed)) << told.text.toStdString();
        EXPECT_TRUE(told.text.contains(platform::shownPath(file)));
        EXPECT_EQ(told.style, 1);
        EXPECT_EQ(test::fileBytes(file), "the export of last week");
        EXPECT_EQ(test::folderEntries(d.user.desktop()), QStringList{"أول-1.xlsx"});
    }
}

TEST(ExportFile, ADocumentThatCannotBeWrittenLeavesNothingAndOpensNothing) {
    Desk d;
    Opened opened;
    d.desk.pick("أول-1");
    for (const At at : test::kFaultPoints) {
        WriteFaultScope fault(at, ".docx");
        const size_t before = d.desk.dialogs().shown.size();
        d.desk.dialogs().answer(kOk);
        d.desk.click(17);
        ASSERT_EQ(d.desk.dialogs().shown.size(), before + 1);
        const QString told = d.desk.dialogs().shown.back().text;
        EXPECT_TRUE(told.startsWith(kWordFailed));
        // The name as typed, the marks that keep it in order aside.
        EXPECT_TRUE(QString(told).remove(QChar(0x200E)).contains("أول-1.docx"));
        EXPECT_TRUE(opened.paths.isEmpty());
        EXPECT_TRUE(test::folderEntries(d.user.desktop()).isEmpty());
    }
}

TEST(ExportFile, DocumentsGoOnTheDesktopNumberedAndNoStartRemovesOne) {
    TestHome home;
    test::seedSchool(home);
    User user;
    // Two days old: a document the user completed on the desktop, and one
    // left where the documents once went.
    const QString completed = QDir(user.desktop()).filePath("أول-1.docx");
    const QString cached = user.dir.filePath("cache/Sijill/documents/أول-2.docx");
    QDir().mkpath(QFileInfo(cached).path());
    for (const QString& path : {completed, cached}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the user's own work");
        f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime);
    }
    Opened opened;
    test::ExitRecorder exit;
    {
        PrintDesk desk(home);
        desk.pick("أول-1");
        desk.click(17);
        desk.click(18);
        EXPECT_TRUE(desk.dialogs().shown.empty());
        const QDir desktop(user.desktop());
        EXPECT_EQ(opened.paths, QStringList({desktop.filePath("أول-1-2.docx"),
                                             desktop.filePath("أول-1-3.docx")}));
        for (const QString& p : opened.paths)
            EXPECT_TRUE(unparsableParts(p).isEmpty());
        // A second copy is refused and changes nothing.
        desk.dialogs().answer(kOk);
        shell::MainForm second;
        EXPECT_FALSE(second.formLoad());
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_EQ(test::folderEntries(user.desktop()),
              QStringList({"أول-1-2.docx", "أول-1-3.docx", "أول-1.docx"}));
    EXPECT_EQ(test::fileBytes(completed), "the user's own work");
    EXPECT_EQ(test::fileBytes(cached), "the user's own work");
}

TEST(ExportFile, NamesHoldingCharactersXmlForbidsStillMakeFilesThatOpen) {
    Desk d;
    Opened opened;
    d.home.exec("MyDatabase.db",
                QString("UPDATE T1 SET d1 = 'يوسف%1خالد%2%3' WHERE d1 = 'يوسف خالد'")
                    .arg(QChar(0xFFFE))
                    .arg(QChar(0xFFFF))
                    .arg(QChar(0x01)));
    d.desk.pick("أول-1");
    d.desk.dialogs().answer(kOk);
    d.desk.click(16);
    d.desk.click(17);
    const QString workbook = QDir(d.user.desktop()).filePath("أول-1.xlsx");
    ASSERT_TRUE(QFileInfo::exists(workbook));
    ASSERT_EQ(opened.paths.size(), 1);
    EXPECT_EQ(unparsableParts(workbook), QStringList());
    EXPECT_EQ(unparsableParts(opened.paths[0]), QStringList());
    EXPECT_TRUE(test::fileBytes(workbook).size() > 0);
    EXPECT_EQ(xmlAllowedText(QString("a%1b%2c\td").arg(QChar(0xFFFE)).arg(QChar(0xD800))),
              "abc\td");
    EXPECT_EQ(xmlAllowedText(QString::fromUcs4(U"\U0001F600\n"), false),
              QString::fromUcs4(U"\U0001F600"));
}

TEST(PdfFile, APrintThatCannotBeWrittenIsToldAndNotCountedAsPrinted) {
    Desk d;
    const QString jobs = QDir(d.desk.printFolder()).filePath("jobs");
    d.desk.form.wholeGradeCheck->click();
    for (const Case c :
         {Case{At::Write, 1}, Case{At::Write, 4}, Case{At::Flush, 1}, Case{At::Rename, 1}}) {
        SCOPED_TRACE(int(c.at) * 10 + c.nth);
        WriteFaultScope fault(c.at, ".pdf", c.nth);
        d.desk.pick("أول-1");
        d.desk.dialogs().answer(kOk);
        d.desk.dialogs().answer(kOk);
        d.desk.click(2);
        EXPECT_TRUE(d.desk.menu->lastRun().printed.isEmpty());
        EXPECT_FALSE(d.desk.menu->lastRun().failed.isEmpty());
        EXPECT_EQ(test::folderEntries(jobs), QStringList());
        bool named = false;
        for (const test::ShownBox& b : d.desk.dialogs().shown)
            named = named || b.text.contains("0001-StudentsNames.pdf");
        EXPECT_TRUE(named);
    }
    d.desk.pick("أول-1");
    d.desk.dialogs().answer(kOk);
    d.desk.click(2);
    EXPECT_EQ(d.desk.menu->lastRun().printed.size(), 2);
    EXPECT_EQ(d.desk.jobs().size(), 2);
}

TEST(PdfFile, AnEarlierFileStaysWholeAndACutOffFileIsNoPdf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("job.pdf");
    ASSERT_TRUE(test::putFile(path, "%PDF-1.4 an earlier job\n%%EOF\n"));
    EXPECT_TRUE(report::endsAsPdf(path));
    report::LaidOutReport r;
    r.layoutName = "Empty";
    r.pages.resize(1);
    for (const At at : test::kFaultPoints) {
        WriteFaultScope fault(at, "job.pdf");
        try {
            report::writePdf(r, path);
            ADD_FAILURE() << "no failure told";
        } catch (const report::ReportError& e) {
            EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(path)));
        }
        EXPECT_EQ(test::fileBytes(path), "%PDF-1.4 an earlier job\n%%EOF\n");
        EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"job.pdf"});
    }
    report::writePdf(r, path);
    EXPECT_TRUE(report::endsAsPdf(path));
    QByteArray whole = test::fileBytes(path);
    ASSERT_TRUE(test::putFile(path, whole.left(whole.size() - 30)));
    EXPECT_FALSE(report::endsAsPdf(path));
}
