#include "reports/ReportsTestSupport.h"

#include "platform/Wait.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "support/TitledPreviews.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace sijill::test {

void addClass(const TestHome& home, const QString& grade, const QString& cls, int order) {
    home.exec("Schedual.db", QStringLiteral("INSERT INTO grades (kind, grade, class, order_it) "
                                            "VALUES ('ابتدائي', '%1', '%2', %3)")
                                 .arg(grade, cls)
                                 .arg(order));
}

void addPupil(const TestHome& home, const Pupil& p) {
    home.exec("MyDatabase.db",
              QStringLiteral("INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) "
                             "VALUES ('%1','%2','%3','%4','1','ابتدائي','%5','%6','0')")
                  .arg(p.number, p.name, p.phone, p.civil, p.grade, p.cls));
}

void seedSchool(const TestHome& home) {
    finishProfile(home);
    home.exec("Schedual.db", "UPDATE MyInfo SET ThisYear = '1447' WHERE id = 1");
    addClass(home, "أول", "1");
    addClass(home, "أول", "2");
    addClass(home, "ثاني", "1", 2);
    addPupil(home, {"أول", "1", "02", "بدر سالم", "0550000002", "1100000002"});
    addPupil(home, {"أول", "1", "10", "أحمد علي", "0550000010", "1100000010"});
    addPupil(home, {"أول", "1", "01", "يوسف خالد", "0550000001", "1100000001"});
    addPupil(home, {"أول", "2", "01", "زياد فهد", "0550000201", "1100000201"});
    addPupil(home, {"أول", "2", "02", "سامي محمد", "0550000202", "1100000202"});
    addPupil(home, {"ثاني", "1", "01", "عمر حسن", "0550000301", "1100000301"});
}

PrintDesk::PrintDesk(const TestHome&)
    : printTo_("SIJILL_PRINT_TO", QDir(printDir_.path()).filePath("jobs").toUtf8()),
      previews_(std::make_shared<test::TitledPreviews>()) {
    previousSink_ = report::setPreviewSink(previews_);
    previousWaitScale_ = platform::waitScale();
    platform::setWaitScale(0);
    EXPECT_TRUE(form.formLoad());
    menu = reports::installNameListMenu(form);
    form.show();
    form.onBarItemClicked(2); // the print area
}

PrintDesk::~PrintDesk() {
    // Jobs sent to a test's spooler are not followed past the test.
    report::stopFollowingJobs();
    report::setPreviewSink(previousSink_);
    platform::setWaitScale(previousWaitScale_);
    form.wholeSchoolCheck->setChecked(false);
    form.wholeGradeCheck->setChecked(false);
}

void PrintDesk::pick(const QString& classKey) {
    const int i = form.classPicker->findText(classKey);
    ASSERT_GE(i, 0) << classKey.toStdString();
    form.classPicker->setCurrentIndex(i);
}

void PrintDesk::click(int item) {
    QLabel* label = menu->items.at(item);
    // The item's panel is shown first, as its tab would.
    if (auto* panel = label->parentWidget(); panel && !panel->isVisible()) {
        for (std::size_t p = 0; p < form.printTabPanels.size(); ++p)
            if (form.printTabPanels[p] == panel)
                form.onPrintTabClicked(static_cast<int>(p));
    }
    leftClick(label);
}

QStringList PrintDesk::jobs() const {
    const QDir dir(QDir(printDir_.path()).filePath("jobs"));
    QStringList files = dir.entryList({"*.pdf"}, QDir::Files, QDir::Name);
    for (QString& f : files)
        f = dir.filePath(f);
    return files;
}

QStringList controlTexts(const report::LaidOutReport& r, const QString& control) {
    QStringList out;
    for (const report::ReportPage& page : r.pages)
        for (const report::DrawnItem& item : page.items)
            if (item.kind == report::DrawnItem::Kind::Text &&
                item.control.compare(control, Qt::CaseInsensitive) == 0)
                out << item.text;
    return out;
}

QString firstText(const report::LaidOutReport& r, const QString& control) {
    if (r.pages.empty())
        return {};
    const report::DrawnItem* item = r.pages.front().findControl(control);
    return item ? item->text : QString();
}

bool havePdfText() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

QString pdfText(const QString& file) {
    if (!havePdfText())
        return {};
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    p.waitForFinished(30000);
    // The PDF keeps Arabic letters in their shaped forms, wrapped in direction
    // marks: back to plain letters, as the program wrote them.
    QString text =
        QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]")));
    return text;
}

} // namespace sijill::test
