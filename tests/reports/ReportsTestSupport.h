#pragma once

#include "report/ReportOutput.h"
#include "reports/NameListMenu.h"
#include "shell/MainForm.h"
#include "support/EnvScope.h"
#include "support/PrivateSpooler.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace sijill::test {

// The captions of the message box's OK and Cancel buttons.
inline const QString kOk = QStringLiteral("موافق");
inline const QString kCancel = QStringLiteral("إلغاء");

// The background colour a menu label shows.
inline QColor backOf(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

struct Pupil {
    QString grade, cls, number, name, phone, civil;
};

// Test set-up on the databases of a TestHome.
void addClass(const TestHome& home, const QString& grade, const QString& cls, int order = 1);
void addPupil(const TestHome& home, const Pupil& p);

// A small school: أول-1 (three students, their numbers not in name order),
// أول-2 (two), ثاني-1 (one), and a profile filled in.
void seedSchool(const TestHome& home);

// The program as a user finds it: the main window started, the name-list menu
// installed, the print area open; message boxes answered from a script,
// printed jobs going to PDF files in a folder of the test, previews recorded,
// waits returning at once.
class PrintDesk {
public:
    explicit PrintDesk(const TestHome& home);
    ~PrintDesk();

    // Makes a class key current, as a user picking it would.
    void pick(const QString& classKey);
    // A user's left click on a menu item.
    void click(int item);

    // The PDF files printed so far, in the order they were printed.
    QStringList jobs() const;
    QString printFolder() const { return printDir_.path(); }

    ScriptedDialogs& dialogs() { return scope_.dialogs(); }
    const std::vector<report::LaidOutReport>& previews() const { return previews_->shown; }

    ScriptedScope scope_;
    shell::MainForm form;
    reports::NameListMenu* menu = nullptr;

private:
    QTemporaryDir printDir_;
    EnvScope printTo_;
    std::shared_ptr<report::RecordingPreviewSink> previews_;
    std::shared_ptr<report::PreviewSink> previousSink_;
    double previousWaitScale_ = 1;
};

// A user whose jobs are not turned into files by SIJILL_PRINT_TO: pages that
// do not reach a printer are kept under their own Documents folder.
struct DocumentsUser {
    QTemporaryDir user;
    EnvScope noFolder{"SIJILL_PRINT_TO", QByteArray()};
    EnvScope homeEnv{"HOME", user.path().toUtf8()};
    EnvScope docs{"XDG_DOCUMENTS_DIR", user.filePath("Documents").toUtf8()};
    QString filePath(const QString& name) const { return user.filePath(name); }
};

// Makes `printer` the spooler's default printer, one that rejects every job.
inline bool addRejectingDefault(PrivateSpooler& spooler, const QString& printer) {
    return spooler.addPrinter(printer) && spooler.setDefault(printer) &&
           spooler.client(QStringLiteral("cupsreject"), {printer});
}

// Every text a laid-out report shows for one control, page after page, in
// drawing order (detail rows in row order).
QStringList controlTexts(const report::LaidOutReport& r, const QString& control);
// The first text of a control on the first page; empty when absent.
QString firstText(const report::LaidOutReport& r, const QString& control);

// The text of a PDF file as pdftotext reads it; empty when the tool is absent.
QString pdfText(const QString& file);
bool havePdfText();

} // namespace sijill::test
