#include "students/StudentsImportWindow.h"

#include "platform/Fonts.h"
#include "platform/OneWindow.h"
#include "platform/Presenters.h"
#include "platform/ProgramExit.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "shell/Ask.h"
#include "students/NoorImport.h"
#include "students/SkillsImport.h"
#include "students/Texts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace sijill::students {

using platform::twipsRect;

namespace {

std::function<void(const QString&)>& chooserOpener() {
    static std::function<void(const QString&)> f;
    return f;
}
std::function<void()>& emptyPathAction() {
    static std::function<void()> f;
    return f;
}

// No workbook was chosen: told in Qt's box, which the window, kept on top,
// must not hide.
void tellNoFileChosen(QWidget* window) {
    platform::ClearTopMost(window);
    platform::showSystemMessage({texts::kNoFileTitle, texts::kNoFileText, QMessageBox::Ok,
                                 QMessageBox::Critical, platform::YesDoes::NoQuestion});
}

QPixmap drawnWorkbook(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect sheet(size.width() / 2 - size.height() / 2, 4, size.height() - 8,
                      size.height() - 8);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x1D, 0x6F, 0x42), 2));
    p.drawRoundedRect(sheet, 4, 4);
    p.setPen(QPen(QColor(0x1D, 0x6F, 0x42, 120), 1));
    for (int i = 1; i < 4; ++i) {
        const int y = sheet.top() + sheet.height() * i / 4;
        p.drawLine(sheet.left() + 4, y, sheet.right() - 4, y);
        const int x = sheet.left() + sheet.width() * i / 4;
        p.drawLine(x, sheet.top() + 4, x, sheet.bottom() - 4);
    }
    const QRect badge(sheet.left() - sheet.width() / 3, sheet.center().y() - sheet.height() / 4,
                      sheet.width() * 2 / 3, sheet.height() / 2);
    p.setBrush(QColor(0x1D, 0x6F, 0x42));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(badge, 3, 3);
    p.setPen(Qt::white);
    p.setFont(platform::designedFont(QStringLiteral("Tahoma"), 10, 700));
    p.drawText(badge, Qt::AlignCenter, QStringLiteral("XLS"));
    return pm;
}

void tellRefusal(const QString& message) {
    shell::tell(message, shell::Tone::Alarm);
}

} // namespace

StudentsImportWindow::StudentsImportWindow()
    : ImportWindow(QStringLiteral("StudentsImportWindow"),
                   QStringLiteral("استيراد بيانات الطلاب من نور"), 600) {
    startImportButton->setText(texts::kStartCaption);
    startImportButton->setGeometry(twipsRect(2610, 2070, 1170, 495));
    startImportButton->setFont(platform::windowFont(12));

    workbookPicture = new QLabel(importPanel);
    workbookPicture->setObjectName(QStringLiteral("workbookPicture"));
    workbookPicture->setGeometry(twipsRect(2010, 1110, 2370, 870));
    workbookPicture->setPixmap(drawnWorkbook(workbookPicture->size()));

    chooseWorkbookButton = new QPushButton(this);
    chooseWorkbookButton->setObjectName(QStringLiteral("chooseWorkbookButton"));
    chooseWorkbookButton->hide();

    connect(startImportButton, &QPushButton::clicked, this, [this] { onStartImportClicked(); });
    connect(chooseWorkbookButton, &QPushButton::clicked, this,
            [this] { onChooseWorkbookClicked(); });
}

void StudentsImportWindow::setChooserOpener(std::function<void(const QString&)> opener) {
    chooserOpener() = std::move(opener);
}

void StudentsImportWindow::setEmptyPathAction(std::function<void()> action) {
    emptyPathAction() = std::move(action);
}

void StudentsImportWindow::onChooseWorkbookClicked() {
    if (chooserOpener())
        chooserOpener()(QStringLiteral("*.xls"));
    importPanel->show();
}

void StudentsImportWindow::onStartImportClicked() {
    if (busy())
        return;
    const QString file = path();
    if (file.isEmpty()) {
        tellNoFileChosen(this);
        if (emptyPathAction())
            emptyPathAction()();
        close();
        return;
    }
    beginImport();
    ImportHooks hooks;
    hooks.status = [this](const QString& s) {
        statusLabel->setText(s);
        QApplication::processEvents();
    };
    hooks.rowRead = [this](int count, const QString& name) {
        statusLabel->setText(texts::kStatusStudent + name + QStringLiteral("  ") +
                             QString::number(count));
        QApplication::processEvents();
    };
    hooks.goOnWithoutMark = [] {
        return shell::ask({texts::kNoMarkQuestion, shell::Buttons::OkCancel,
                           shell::YesEffect::Destroys}) == shell::Answer::Ok;
    };
    const ImportOutcome outcome = importStudentsWorkbook(file, hooks);
    switch (outcome.result) {
    case ImportOutcome::Result::Imported:
        // Both tables are written: only now is the user told, and the
        // program ends so that the next start reads the new classes.
        platform::ClearTopMost(this);
        platform::showSystemMessage({programTitle(), texts::kImportDone, QMessageBox::Ok,
                                     QMessageBox::Information, platform::YesDoes::NoQuestion});
        endImport();
        platform::exitProgram(0);
        return;
    case ImportOutcome::Result::Cancelled:
        endImport();
        return;
    case ImportOutcome::Result::Refused:
        endImport();
        tellRefusal(outcome.message);
        return;
    }
}

SkillsImportWindow::SkillsImportWindow()
    : ImportWindow(QStringLiteral("SkillsImportWindow"), QStringLiteral("استيراد مهارات المقررات"),
                   195) {
    startImportButton->setText(texts::kKindText);
    startImportButton->setGeometry(twipsRect(2760, 2070, 990, 360));

    gradeBox = new QLineEdit(texts::kSkillsGradeDefault, importPanel);
    gradeBox->setObjectName(QStringLiteral("gradeBox"));
    gradeBox->setGeometry(twipsRect(2280, 1560, 1845, 435));
    gradeBox->setFont(platform::windowFont(12));
    gradeBox->setAlignment(Qt::AlignCenter);

    connect(startImportButton, &QPushButton::clicked, this, [this] { onStartImportClicked(); });
}

void SkillsImportWindow::onStartImportClicked() {
    if (busy())
        return;
    const QString file = path();
    if (file.isEmpty()) {
        tellNoFileChosen(this);
        platform::SetTopMost(this);
        return;
    }
    statusLabel->setText(texts::kStatusLinking);
    QApplication::processEvents();
    // Window events run while the reader works: no second start, no close.
    setBusy(true);
    const SkillsOutcome outcome = importSkillsWorkbook(file, gradeBox->text());
    setBusy(false);
    statusLabel->setText(texts::kStatusExtracting);
    if (!outcome.ok)
        tellRefusal(outcome.message);
}

StudentsImportWindow* studentsImportWindow() {
    return platform::openOnce<StudentsImportWindow>([] {
        auto* w = new StudentsImportWindow;
        w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    });
}

SkillsImportWindow* skillsImportWindow() {
    return platform::openOnce<SkillsImportWindow>([] {
        auto* w = new SkillsImportWindow;
        w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    });
}

StudentsImportWindow* loadedStudentsImportWindow() {
    return platform::openWindow<StudentsImportWindow>().data();
}

SkillsImportWindow* loadedSkillsImportWindow() {
    return platform::openWindow<SkillsImportWindow>().data();
}

} // namespace sijill::students
