#pragma once

#include "report/ReportPages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace sijill::test {

class TestHome;

// What every layout is filled with: the longest texts the data can hold.
struct FillTexts {
    QString administration; // 50 characters
    QString school;         // 60 characters
    QString year, semester, principal, preparer1, preparer2, jobTitle;
    QString grade, cls; // the printed class
    QString committee;
    QStringList names;    // the class, longest names (five parts, 45 characters) among them
    QStringList subjects; // exam subjects, in schedule order
    QStringList staff;    // correctors and reviewers
    // Seats are the grade's prefix and a running number: five digits.
    QString seatPrefix = QStringLiteral("1");
    int firstSeat = 2000; // the running number before the first seat
    QString seat(int i) const { return seatPrefix + QString::number(firstSeat + i + 1); }
};

FillTexts longestTexts();

// One layout as the program fills it.
struct LayoutFill {
    QString layout;
    std::function<report::LaidOutReport(const FillTexts&)> fill;
};

// Every layout the program prints, each with the filler that prints it. The
// fills read the school's data from `home`, which `seedHome` prepares.
const std::vector<LayoutFill>& layoutFills();
void seedHome(const TestHome& home, const FillTexts& texts);

} // namespace sijill::test
