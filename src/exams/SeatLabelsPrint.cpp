#include "exams/SeatLabelsPrint.h"

#include "data/DataError.h"
#include "exams/ExamControlWindow.h"
#include "labels/SeatLabels.h"
#include "labels/SeatTexts.h"
#include "platform/AppState.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfileWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace sijill::exams {

namespace t = labels::seat_texts;
using labels::SeatSheet;

namespace {

QStringList classKeys(const shell::MainForm& main) {
    QStringList keys;
    for (int i = 0; i < main.classPicker->count(); ++i)
        keys << main.classPicker->itemText(i);
    return keys;
}

// The start number of the panel: a whole number from 1 on.
std::optional<int> startNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 1)
        return std::nullopt;
    return n;
}

SeatSheet sheetOf(int mode) {
    switch (mode) {
    case 1:
        return SeatSheet::Distribution;
    case 2:
        return SeatSheet::Signatures;
    default:
        return SeatSheet::ClassLabels;
    }
}

// A class's student count for the grade numbering where ClassCounts has none.
int countStudents(const QString& grade, const QString& cls) {
    try {
        return static_cast<int>(labels::loadSeatStudents(grade, cls).size());
    } catch (const data::DataError&) {
        return 0;
    }
}

} // namespace

SeatLabelsPrint::SeatLabelsPrint(shell::MainForm& main) : QObject(&main), main_(main) {
    setObjectName(QStringLiteral("SeatLabelsPrint"));
}

void SeatLabelsPrint::refuse(const QString& text) const {
    shell::tell(text, shell::Tone::Alarm);
}

void SeatLabelsPrint::printChosenClass(const QString& startNumberText) {
    ExamControlWindow* window = examControlWindow();
    if (!window)
        return;
    const QString chosen = window->labelsClassPicker->currentText();
    const QStringList keys = classKeys(main_);
    const std::optional<labels::ClassPlace> place = labels::findClass(chosen, keys);
    if (!place) {
        refuse(t::kNoSuchClass);
        return;
    }
    main_.classPicker->setCurrentIndex(place->position);

    int before = 0;
    if (window->allSeriesBox->isChecked()) {
        const std::optional<int> start = startNumber(startNumberText);
        if (!start) {
            refuse(t::kBadStart);
            return;
        }
        before = *start - 1;
    }
    std::vector<labels::SeatStudent> students;
    try {
        students = labels::loadSeatStudents(place->grade, place->cls);
    } catch (const data::DataError& e) {
        refuse(e.userMessage());
        return;
    }

    QString prefix;
    if (!students.empty() && window->classSeriesBox->isChecked()) {
        prefix = labels::seatPrefix(chosen);
        before = labels::gradeNumberingStart(keys, place->position, appState().ClassCounts,
                                             countStudents);
    }
    const SeatSheet sheet = sheetOf(CommitteePrintMode);
    const QString classText = main_.seatClassText->text();
    const QString committee = main_.seatCommitteeText->text();
    const labels::SeatRows rows =
        labels::buildSeatRows(sheet, students, prefix, before, classText, committee);
    if (!students.empty()) {
        main_.seatNumberPrefix->setText(prefix);
        main_.lastSeatNumber->setText(rows.lastNumberText);
    }

    try {
        switch (sheet) {
        case SeatSheet::ClassLabels: {
            report::showPreview(labels::fillClassLabels(rows.rows), t::kRowClassLabels, chosen);
            break;
        }
        case SeatSheet::Distribution: {
            report::showPreview(labels::fillDistributionList(rows.rows, classText, committee),
                                t::kRowDistribution, chosen);
            break;
        }
        case SeatSheet::Signatures: {
            const QString title(t::kRowSignatures);
            const shell::SchoolProfile profile = shell::schoolProfile();
            labels::SignatureHeader header{profile.Admin,    profile.School,
                                           profile.ThisYear, profile.ThisSemester,
                                           committee,        place->grade,
                                           place->cls,       main_.reportLogo->pixmap().toImage()};
            QStringList subjects;
            try {
                subjects = labels::gradeExamSubjects(chosen.section(QLatin1Char('-'), 0, 0));
            } catch (const data::DataError&) {
                // Without the schedule the sheet goes out with empty headings.
            }
            report::showPreview(labels::fillSignatureSheet(rows.rows, header, subjects), title,
                                chosen);
            break;
        }
        }
    } catch (const report::ReportError& e) {
        refuse(t::kShowFailed + QStringLiteral("\r\n") + e.message());
    }
}

SeatLabelsPrint* seatLabelsPrint(shell::MainForm& main) {
    return main.findChild<SeatLabelsPrint*>(QStringLiteral("SeatLabelsPrint"),
                                            Qt::FindDirectChildrenOnly);
}

SeatLabelsPrint* installSeatLabels(shell::MainForm& main) {
    if (SeatLabelsPrint* existing = seatLabelsPrint(main))
        return existing;
    return new SeatLabelsPrint(main);
}

} // namespace sijill::exams
