#include "support/OddNamesSchool.h"

namespace sijill::test {

namespace {

struct Pupil {
    const char* number;
    const char* name;
    const char* civil;
    const char* grade;
    const char* cls;
};

// In id order; the phone is "05" followed by the civil-registry number.
const Pupil kPupils[] = {
    {"01", "سعد-1 الحربي", "1001", "أول", "1"},
    {"02", "خالد:الأول", "1002", "أول", "1"},
    {"01", "علي|حسن", "1003", "أول", "1-أ"},
    {"02", "O'Neil عمر", "1004", "أول", "1-أ"},
    {"01", "فهد \"الصغير\"", "1005", "أول", "1:ب"},
    {"02", "ماجد %1 %", "1006", "أول", "1:ب"},
    {"01", "زياد & <نور>", "1007", "أول", "%1 & <ج>"},
    {"02", " ناصر ١٢ ", "1008", "أول", "%1 & <ج>"},
    {"01", "بدر 12", "1009", "ثاني", " 2|\"د\" "},
};

const char* const kClasses[][2] = {
    {"أول", "1"}, {"أول", "1-أ"}, {"أول", "1:ب"}, {"أول", "%1 & <ج>"}, {"ثاني", " 2|\"د\" "},
};

QString quoted(const QString& text) {
    QString t = text;
    return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QString rowOf(const Pupil& p) {
    return QStringList{QString::fromUtf8(p.number),
                       QString::fromUtf8(p.name),
                       QStringLiteral("05") + QString::fromUtf8(p.civil),
                       QString::fromUtf8(p.civil),
                       QStringLiteral("1"),
                       QStringLiteral("الابتدائي"),
                       QString::fromUtf8(p.grade),
                       QString::fromUtf8(p.cls)}
        .join(QLatin1Char('|'));
}

} // namespace

void seedOddNamesSchool(const TestHome& home) {
    QStringList classes;
    for (const auto& c : kClasses)
        classes << QStringLiteral("('ابتدائي', %1, %2, %3)")
                       .arg(quoted(QString::fromUtf8(c[0])), quoted(QString::fromUtf8(c[1])),
                            QString::fromUtf8(c[0]) == QStringLiteral("أول") ? QStringLiteral("1")
                                                                             : QStringLiteral("2"));
    home.exec(QStringLiteral("Schedual.db"),
              QStringLiteral("INSERT INTO grades (kind, grade, class, order_it) VALUES ") +
                  classes.join(QStringLiteral(", ")));
    QStringList pupils;
    for (const Pupil& p : kPupils)
        pupils << QStringLiteral("(%1, %2, %3, %4, '1', 'الابتدائي', %5, %6, '0')")
                      .arg(quoted(QString::fromUtf8(p.number)), quoted(QString::fromUtf8(p.name)),
                           quoted(QStringLiteral("05") + QString::fromUtf8(p.civil)),
                           quoted(QString::fromUtf8(p.civil)), quoted(QString::fromUtf8(p.grade)),
                           quoted(QString::fromUtf8(p.cls)));
    home.exec(QStringLiteral("MyDatabase.db"),
              QStringLiteral("INSERT INTO T1 (d0, d1, d2, d3, d4, d5, d6, d7, d8) VALUES ") +
                  pupils.join(QStringLiteral(", ")));
}

QStringList oddNamesStudents() {
    QStringList rows;
    for (const Pupil& p : kPupils)
        rows << rowOf(p);
    return rows;
}

QStringList oddNamesStudentsOf(const QString& cls) {
    QStringList rows;
    for (const Pupil& p : kPupils)
        if (QString::fromUtf8(p.cls) == cls)
            rows << rowOf(p);
    return rows;
}

QStringList oddNamesClasses() {
    QStringList rows;
    for (const auto& c : kClasses)
        rows << QStringLiteral("ابتدائي|%1|%2|%3")
                    .arg(QString::fromUtf8(c[0]), QString::fromUtf8(c[1]),
                         QString::fromUtf8(c[0]) == QStringLiteral("أول") ? QStringLiteral("1")
                                                                          : QStringLiteral("2"));
    return rows;
}

} // namespace sijill::test
