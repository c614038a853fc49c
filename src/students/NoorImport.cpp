#include "students/NoorImport.h"

#include "data/DataError.h"
#include "platform/BidiText.h"
#include "platform/Digits.h"
#include "students/StudentsStore.h"
#include "students/Texts.h"
#include "students/WorkbookReader.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace sijill::students {

namespace {

const QString kSheet1 = QStringLiteral("Sheet1");
const QString kSheet2 = QStringLiteral("Sheet2");
const QString kMark = QStringLiteral("School Info");
constexpr int kFirstStudentRow = 5;
const QString kNothingChanged = QStringLiteral("لم يتغير شيء من البيانات.");
// A sound workbook that holds no student list of Noor's shape.
const QString kNotANoorList = QStringLiteral("فهو ليس ملف الطلاب المصدر من نظام نور.");

QString refusal(const QString& why) {
    return why + QLatin1Char('\n') + kNothingChanged;
}

// Where a refused cell stands: "الخانة C من السطر 7 في الورقة Sheet2".
QString cellPlace(char column, int row) {
    return QStringLiteral("الخانة %1 من السطر %2 في الورقة %3")
        .arg(QLatin1Char(column))
        .arg(row)
        .arg(platform::isolate(kSheet2));
}

bool isWholeNumber(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// Why a student row cannot be imported, or "" when it can. Checked for every
// row before anything is written.
QString rowProblem(const WorkbookStudent& s) {
    if (!gradeNumberOfCode(cleanClassCode(s.classCode)))
        return QStringLiteral("رمز الصف \"%1\" في %2 لا يبدأ برقم صف من 00 إلى 06.")
            .arg(platform::isolate(s.classCode), cellPlace('D', s.row));
    if (s.cls.isEmpty())
        return QStringLiteral("الفصل فارغ في %1.").arg(cellPlace('C', s.row));
    if (!isWholeNumber(s.cls))
        return QStringLiteral("الفصل \"%1\" في %2 ليس رقمًا صحيحًا.")
            .arg(platform::isolate(s.cls), cellPlace('C', s.row));
    if (s.name.trimmed().isEmpty())
        return QStringLiteral("اسم الطالب فارغ في %1.").arg(cellPlace('E', s.row));
    return {};
}

} // namespace

QString gradeWord(int grade) {
    static const QString words[] = {QString(),      texts::kGrade1, texts::kGrade2, texts::kGrade3,
                                    texts::kGrade4, texts::kGrade5, texts::kGrade6};
    return grade >= 0 && grade <= 6 ? words[grade] : QString();
}

std::optional<int> gradeOrder(const QString& word) {
    for (int g = 1; g <= 6; ++g)
        if (word == gradeWord(g))
            return g;
    return std::nullopt;
}

int classOrder(const QString& word) {
    return gradeOrder(word).value_or(0);
}

std::optional<int> gradeNumberOfCode(const QString& classCode) {
    const QString head = classCode.left(2).trimmed();
    if (head.isEmpty())
        return std::nullopt;
    for (const QChar c : head)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int n = head.toInt();
    if (n < 0 || n > 6)
        return std::nullopt;
    return n;
}

QString cleanClassCode(QString code) {
    for (int i = 0; i < 6; ++i)
        code.replace(QStringLiteral("  "), QStringLiteral(" "));
    return code;
}

QString plainAlef(QString name) {
    name.replace(QChar(0x0622), QChar(0x0627));
    name.replace(QChar(0x0623), QChar(0x0627));
    name.replace(QChar(0x0625), QChar(0x0627));
    return name;
}

QString storedName(const QString& name) {
    QString n = name.trimmed();
    n.replace(QLatin1Char('0'), QChar(0x0622));
    n.replace(QLatin1Char('1'), QChar(0x0627));
    n.replace(QLatin1Char('2'), QChar(0x0623));
    n.replace(QLatin1Char('3'), QChar(0x0625));
    return n;
}

QString examFlag(const QString& stored) {
    bool ok = false;
    const double v = stored.left(2).trimmed().toDouble(&ok);
    return ok && v < 3 ? QStringLiteral("0") : QStringLiteral("1");
}

QString twoDigits(int n) {
    const QString s = QString::number(n);
    return s.size() < 2 ? QLatin1Char('0') + s : s;
}

std::vector<ImportedStudent> numberStudents(const std::vector<WorkbookStudent>& rows) {
    // The working list: one line per row, in locale-aware Arabic order with
    // letter case ignored. The fields are kept apart, so a "|" inside a cell
    // cannot shift them.
    QCollator collator{QLocale(QLocale::Arabic, QLocale::SaudiArabia)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const QChar bar = QLatin1Char('|');
    std::vector<QCollatorSortKey> keys;
    keys.reserve(rows.size());
    for (const WorkbookStudent& r : rows)
        keys.push_back(collator.sortKey(cleanClassCode(r.classCode) + bar + r.cls + bar + r.name +
                                        bar + r.civil + bar + r.spare));
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });

    std::vector<ImportedStudent> out;
    out.reserve(rows.size());
    QString previousKey;
    int number = 0;
    for (size_t i : order) {
        const WorkbookStudent& r = rows[i];
        const QString code = cleanClassCode(r.classCode);
        const QString key = code + QLatin1Char('-') + r.cls;
        if (key != previousKey)
            number = 0;
        ++number;
        previousKey = key;
        ImportedStudent s;
        s.d0 = twoDigits(number);
        s.d1 = storedName(r.name);
        s.d2 = QStringLiteral("0");
        s.d3 = r.civil;
        s.d4 = examFlag(s.d1);
        s.d5 = texts::kStageText;
        s.d6 = gradeWord(gradeNumberOfCode(code).value_or(0));
        s.d7 = r.cls;
        s.d8 = QStringLiteral("0");
        out.push_back(std::move(s));
    }
    return out;
}

QString missingSheetError(const Workbook& book) {
    for (const QString& name : {kSheet1, kSheet2})
        if (!book.sheet(name))
            return refusal(QStringLiteral("الملف لا يحوي الورقة %1، ").arg(quotedSheetName(name)) +
                           kNotANoorList);
    return {};
}

bool hasSchoolInfoMark(const Workbook& book) {
    const Sheet* info = book.sheet(kSheet1);
    return info && info->text(3, col('B')) == kMark;
}

StudentRows readStudentRows(const Workbook& book,
                            const std::function<void(int, const QString&)>& rowRead) {
    StudentRows out;
    const Sheet* list = book.sheet(kSheet2);
    if (!list) {
        out.error = missingSheetError(book);
        return out;
    }
    for (int row = kFirstStudentRow;; ++row) {
        const QString code = list->text(row, col('D'));
        if (code.isEmpty())
            break;
        WorkbookStudent s;
        s.row = row;
        // Arabic-Indic digits are the same digits; names keep theirs.
        s.classCode = platform::latinDigits(code);
        s.cls = platform::latinDigits(list->text(row, col('C'))).trimmed();
        s.name = list->text(row, col('E'));
        s.civil = platform::latinDigits(list->text(row, col('F')));
        s.spare = list->text(row, col('B'));
        if (rowRead)
            rowRead(static_cast<int>(out.rows.size()) + 1, s.name);
        // An error value where a student's data belongs; column B is unused.
        QString problem;
        for (const char column : {'C', 'D', 'E', 'F'})
            if (problem.isEmpty())
                problem = errorCellProblem(*list, row, col(column));
        if (problem.isEmpty())
            problem = rowProblem(s);
        if (!problem.isEmpty()) {
            out.error = refusal(problem);
            out.rows.clear();
            return out;
        }
        s.name = plainAlef(s.name);
        out.rows.push_back(std::move(s));
    }
    if (out.rows.empty())
        out.error = refusal(QStringLiteral("لا يحوي الملف أسماء طلاب: الخانة D من السطر %1 في "
                                           "الورقة \"%2\" فارغة، ")
                                .arg(QString::number(kFirstStudentRow), kSheet2) +
                            kNotANoorList);
    return out;
}

void replaceStudentsAndClasses(const std::vector<ImportedStudent>& students) {
    std::vector<StudentRecord> records;
    records.reserve(students.size());
    for (const ImportedStudent& s : students)
        records.push_back({0, s.d0, s.d1, s.d2, s.d3, s.d4, s.d5, s.d6, s.d7, s.d8});
    storeStudentsAndClasses(records, [](const QString& grade, const QString& cls) {
        return ClassRecord{texts::kKindText, grade, cls, classOrder(grade)};
    });
}

ImportOutcome importStudentsWorkbook(const QString& path, const ImportHooks& hooks) {
    ImportOutcome outcome;
    auto status = [&](const QString& s) {
        if (hooks.status)
            hooks.status(s);
    };
    status(texts::kStatusLinking);
    const WorkbookRead read =
        readWorkbook(path, {QStringLiteral("Sheet1"), QStringLiteral("Sheet2")});
    if (!read.ok) {
        outcome.message = read.error;
        return outcome;
    }
    status(texts::kStatusExtracting);
    if (const QString missing = missingSheetError(read.book); !missing.isEmpty()) {
        outcome.message = missing;
        return outcome;
    }
    // The question comes before the rows are judged and before any change;
    // a box closed without an answer is no consent.
    if (!hasSchoolInfoMark(read.book) && !(hooks.goOnWithoutMark && hooks.goOnWithoutMark())) {
        outcome.result = ImportOutcome::Result::Cancelled;
        return outcome;
    }
    const StudentRows rows = readStudentRows(read.book, hooks.rowRead);
    if (!rows.error.isEmpty()) {
        outcome.message = rows.error;
        return outcome;
    }
    const std::vector<ImportedStudent> students = numberStudents(rows.rows);
    try {
        replaceStudentsAndClasses(students);
    } catch (const data::DataError& e) {
        outcome.message = e.userMessage() + QLatin1Char('\n') + kNothingChanged;
        return outcome;
    }
    status(texts::kStatusNamesDone);
    status(texts::kStatusSavingClasses);
    outcome.result = ImportOutcome::Result::Imported;
    outcome.students = static_cast<int>(students.size());
    return outcome;
}

} // namespace sijill::students
