#include "committees/CommitteesTestSupport.h"
#include "committees/ControlCom.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace sijill;

// The grade list stands clear of every committee row, the grade totals and
// the scroll strip, however many committees the window lists.
TEST(ControlComLayout, TheGradeListCoversNoCommitteeRow) {
    test::TestHome home;
    test::ScriptedScope scope;
    test::addStudents(home, "رابع", "1", 5, "1");
    for (int i = 1; i <= 20; ++i)
        home.exec("Schedual.db",
                  QString("INSERT INTO List (ID, Name, Num) VALUES (%1, 'c%1', '30')").arg(i));
    committees::ControlCom w;
    ASSERT_GE(w.rowCount(), 20);
    const QRect list = w.Combo2->geometry();
    std::vector<QWidget*> others(w.Tot.begin(), w.Tot.end());
    for (int r = 0; r < w.rowCount(); ++r) {
        others.push_back(w.ComName[r]);
        others.push_back(w.ComTotal[r]);
        others.push_back(w.ImView[r]);
        for (int g = 1; g <= 3; ++g)
            others.push_back(w.seatLabel(g, r));
    }
    for (QWidget* o : others)
        EXPECT_FALSE(list.intersects(o->geometry())) << o->objectName().toStdString();
    const QRect strip(w.Picture2->mapFrom(&w, w.Picture4->geometry().topLeft()),
                      w.Picture4->size());
    EXPECT_FALSE(list.intersects(strip));
}
