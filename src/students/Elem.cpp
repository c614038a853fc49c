#include "students/Elem.h"

#include "platform/Fonts.h"
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

QPointer<Elem>& elemInstance() {
    static QPointer<Elem> p;
    return p;
}
QPointer<Elem_skils>& skilsInstance() {
    static QPointer<Elem_skils> p;
    return p;
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

Elem::Elem()
    : ImportWindow(QStringLiteral("Elem"), QStringLiteral("استيراد بيانات الطلاب من نور"), 600) {
    GetExsl->setText(texts::kStartCaption);
    GetExsl->setGeometry(twipsRect(2610, 2070, 1170, 495));
    GetExsl->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 12));

    Image6 = new QLabel(PicExsl);
    Image6->setObjectName(QStringLiteral("Image6"));
    Image6->setGeometry(twipsRect(2010, 1110, 2370, 870));
    Image6->setPixmap(drawnWorkbook(Image6->size()));

    RunExcel = new QPushButton(this);
    RunExcel->setObjectName(QStringLiteral("RunExcel"));
    RunExcel->hide();

    connect(GetExsl, &QPushButton::clicked, this, [this] { Elem_GetExsl_Click(); });
    connect(RunExcel, &QPushButton::clicked, this, [this] { Elem_RunExcel_Click(); });
}

void Elem::setChooserOpener(std::function<void(const QString&)> opener) {
    chooserOpener() = std::move(opener);
}

void Elem::setEmptyPathAction(std::function<void()> action) {
    emptyPathAction() = std::move(action);
}

void Elem::Elem_RunExcel_Click() {
    if (chooserOpener())
        chooserOpener()(QStringLiteral("*.xls"));
    PicExsl->show();
}

void Elem::Elem_GetExsl_Click() {
    if (busy())
        return;
    const QString file = path();
    if (file.isEmpty()) {
        platform::ClearTopMost(this);
        platform::showSystemMessage({texts::kNoFileTitle, texts::kNoFileText, QMessageBox::Ok,
                                     QMessageBox::Critical, platform::YesDoes::NoQuestion});
        if (emptyPathAction())
            emptyPathAction()();
        close();
        return;
    }
    beginImport();
    ImportHooks hooks;
    hooks.status = [this](const QString& s) {
        Status->setText(s);
        QApplication::processEvents();
    };
    hooks.rowRead = [this](int count, const QString& name) {
        Status->setText(texts::kStatusStudent + name + QStringLiteral("  ") +
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

Elem_skils::Elem_skils()
    : ImportWindow(QStringLiteral("Elem_skils"), QStringLiteral("استيراد مهارات المقررات"), 195) {
    GetExsl->setText(texts::kKindText);
    GetExsl->setGeometry(twipsRect(2760, 2070, 990, 360));

    Text1 = new QLineEdit(texts::kSkillsGradeDefault, PicExsl);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(2280, 1560, 1845, 435));
    Text1->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 12));
    Text1->setAlignment(Qt::AlignCenter);

    connect(GetExsl, &QPushButton::clicked, this, [this] { Elem_skils_GetExsl_Click(); });
}

void Elem_skils::Elem_skils_GetExsl_Click() {
    if (busy())
        return;
    const QString file = path();
    if (file.isEmpty()) {
        platform::ClearTopMost(this);
        platform::showSystemMessage({texts::kNoFileTitle, texts::kNoFileText, QMessageBox::Ok,
                                     QMessageBox::Critical, platform::YesDoes::NoQuestion});
        platform::SetTopMost(this);
        return;
    }
    Status->setText(texts::kStatusLinking);
    QApplication::processEvents();
    // Window events run while the reader works: no second start, no close.
    setBusy(true);
    const SkillsOutcome outcome = importSkillsWorkbook(file, Text1->text());
    setBusy(false);
    Status->setText(texts::kStatusExtracting);
    if (!outcome.ok)
        tellRefusal(outcome.message);
}

Elem* elemForm() {
    if (!elemInstance()) {
        auto* w = new Elem;
        w->setAttribute(Qt::WA_DeleteOnClose);
        elemInstance() = w;
    }
    return elemInstance();
}

Elem_skils* elemSkilsForm() {
    if (!skilsInstance()) {
        auto* w = new Elem_skils;
        w->setAttribute(Qt::WA_DeleteOnClose);
        skilsInstance() = w;
    }
    return skilsInstance();
}

Elem* loadedElem() {
    return elemInstance();
}

Elem_skils* loadedElemSkils() {
    return skilsInstance();
}

} // namespace sijill::students
