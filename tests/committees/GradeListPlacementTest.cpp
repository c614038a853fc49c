#include "committees/CommitteeWindow.h"
#include "committees/CommitteesTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace sijill;

// The grade list stands clear of every committee row, the grade totals and
// the scroll strip, however many committees the window lists.
TEST(CommitteeWindowLayout, TheGradeListCoversNoCommitteeRow) {
    test::TestHome home;
    test::ScriptedScope scope;
    test::addStudents(home, "رابع", "1", 5, "1");
    for (int i = 1; i <= 20; ++i)
        home.exec("Schedual.db",
                  QString("INSERT INTO List (ID, Name, Num) VALUES (%1, 'c%1', '30')").arg(i));
    committees::CommitteeWindow w;
    ASSERT_GE(w.rowCount(), 20);
    const QRect list = w.gradePicker->geometry();
    std::vector<QWidget*> others(w.gradeTotalLabels.begin(), w.gradeTotalLabels.end());
    for (int r = 0; r < w.rowCount(); ++r) {
        others.push_back(w.nameBoxes[r]);
        others.push_back(w.seatTotalLabels[r]);
        others.push_back(w.previewIcons[r]);
        for (int g = 1; g <= 3; ++g)
            others.push_back(w.seatLabel(g, r));
    }
    for (QWidget* o : others)
        EXPECT_FALSE(list.intersects(o->geometry())) << o->objectName().toStdString();
    const QRect strip(w.editorPanel->mapFrom(&w, w.scrollStrip->geometry().topLeft()),
                      w.scrollStrip->size());
    EXPECT_FALSE(list.intersects(strip));
}
