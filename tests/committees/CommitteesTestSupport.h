#pragma once

#include "report/ReportPages.h"
#include "support/TestHome.h"

#include <QString>
#include <QStringList>

namespace sijill::test {

// A student row of MyDatabase's T1; flag "1" marks a student to seat. The
// civil-registry number is the name unless given.
inline void addStudent(const TestHome& home, const QString& grade, const QString& cls,
                       const QString& number, const QString& name, const QString& flag = "1",
                       const QString& stage = QStringLiteral("الابتدائي"),
                       const QString& order = QStringLiteral("0"), const QString& civil = {}) {
    auto q = [](QString s) { return "'" + s.replace("'", "''") + "'"; };
    home.exec("MyDatabase.db",
              "INSERT INTO T1 (d0, d1, d2, d3, d4, d5, d6, d7, d8) VALUES (" + q(number) + ", " +
                  q(name) + ", '0', " + q(civil.isEmpty() ? name : civil) + ", " + q(flag) + ", " +
                  q(stage) + ", " + q(grade) + ", " + q(cls) + ", " + q(order) + ")");
}

// `count` students of a grade in one class, numbered from 01.
inline void addStudents(const TestHome& home, const QString& grade, const QString& cls, int count,
                        const QString& order = QStringLiteral("0")) {
    for (int i = 1; i <= count; ++i)
        addStudent(home, grade, cls, QString("%1").arg(i, 2, 10, QChar('0')),
                   QString("%1 %2 %3").arg(grade, cls).arg(i), "1", QStringLiteral("الابتدائي"),
                   order);
}

// An exam of the schedule.
inline void addExam(const TestHome& home, const QString& grade, const QString& date,
                    const QString& period, const QString& subject) {
    home.exec("Schedual.db", "INSERT INTO T1 (D2, D3, D4, D8) VALUES ('" + date + "', '" + grade +
                                 "', '" + subject + "', '" + period + "')");
}

// Every text a laid-out report drew for one control, page after page.
inline QStringList drawnTexts(const report::LaidOutReport& r, const QString& control) {
    QStringList out;
    for (const report::ReportPage& page : r.pages)
        for (const report::DrawnItem& item : page.items)
            if (item.kind == report::DrawnItem::Kind::Text &&
                item.control.compare(control, Qt::CaseInsensitive) == 0)
                out << item.text;
    return out;
}

} // namespace sijill::test
