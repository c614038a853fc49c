#pragma once

#include "report/ReportPages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace sijill::test {

class TestHome;

// What every layout is filled with: long texts as schools type them.
struct FillTexts {
    QString administration; // up to 80 characters
    QString school;         // up to 100 characters
    QString year, semester, principal, preparer1, preparer2, jobTitle;
    QString grade, cls; // the printed class
    QString committee;
    QStringList names;    // the class, its longest names among them
    QStringList subjects; // exam subjects, in schedule order
    QStringList staff;    // correctors and reviewers
    // Seats are the grade's prefix and a running number: five digits.
    QString seatPrefix = QStringLiteral("1");
    int firstSeat = 2000; // the running number before the first seat
    QString seat(int i) const { return seatPrefix + QString::number(firstSeat + i + 1); }
};

// The two fills every layout is printed with: names and titles as long as
// most schools type them (a 60-character school, five-part names of 45), and
// the longest a sheet must still print whole (a 100-character school, an
// 80-character administration, 60-character names and committees).
enum class Fill { Long, Longest };
FillTexts fillTexts(Fill fill);
// "Layout" for the first fill, "Layout-longest" for the second: the name of
// its stored pictures and of its cases.
QString fillCase(const QString& layout, Fill fill);
constexpr Fill kFills[] = {Fill::Long, Fill::Longest};

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
