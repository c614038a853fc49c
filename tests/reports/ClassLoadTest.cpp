#include "reports/ClassLoad.h"
#include "reports/PrintRun.h"
#include "reports/ReportsTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::reports;
using sijill::test::addPupil;
using sijill::test::TestHome;

namespace {

QStringList column(const data::RecordSet& rs, const QString& field) {
    QStringList out;
    for (int i = 0; i < rs.recordCount(); ++i)
        out << rs.text(i, field);
    return out;
}

} // namespace

TEST(ClassLoad, StudentsComeInNumberOrderAndOnlyTheirOwnClass) {
    TestHome home;
    addPupil(home, {"أول", "1", "02", "أحمد", "", "2"});
    addPupil(home, {"أول", "1", "01", "يوسف", "", "1"});
    addPupil(home, {"أول", "1", "10", "بدر", "", "10"});
    addPupil(home, {"أول", "10", "01", "ضيف من العاشر", "", "x"});
    addPupil(home, {"أول", "11", "01", "ضيف من الحادي عشر", "", "y"});
    addPupil(home, {"الأول", "1", "01", "ضيف من صف أطول", "", "z"});
    addPupil(home, {" أول ", " 1 ", "03", "بين فراغات", "", "3"}); // stored with blanks

    ClassData data;
    ASSERT_TRUE(data.load(" أول - 1 ")); // blanks around the "-" are ignored
    EXPECT_EQ(column(data.ClassRecordset, "d0"), QStringList({"01", "02", "03", "10"}));
    EXPECT_EQ(column(data.ClassRecordset, "d3"), QStringList({"1", "2", "3", "10"}));
    EXPECT_EQ(data.ClassRecordset.position(), 0);
    EXPECT_GE(data.ClassRecordset.fieldIndex("D8"), 0); // every column of T1
    EXPECT_EQ(data.HeaderClassText, "أول");
    EXPECT_TRUE(data.loadError().isEmpty());

    ASSERT_TRUE(data.load("أول-7"));
    EXPECT_EQ(data.ClassRecordset.recordCount(), 0);
}

TEST(ClassLoad, AFailureLeavesNoRowsOfTheClassBefore) {
    TestHome home;
    addPupil(home, {"أول", "1", "01", "يوسف", "", "1"});
    ClassData data;
    ASSERT_TRUE(data.load("أول-1"));
    ASSERT_EQ(data.ClassRecordset.recordCount(), 1);

    EXPECT_FALSE(data.load("أول1"));
    EXPECT_EQ(data.loadError(), kBadClassNames);
    EXPECT_EQ(data.ClassRecordset.recordCount(), 0);

    ASSERT_TRUE(data.load("أول-1"));
    QFile::remove(home.database("MyDatabase.db"));
    EXPECT_FALSE(data.load("أول-1"));
    EXPECT_TRUE(data.loadError().contains("MyDatabase.db")) << data.loadError().toStdString();
    EXPECT_EQ(data.ClassRecordset.recordCount(), 0);
}

TEST(ClassLoad, AQuoteInAKeyIsOnlyText) {
    TestHome home;
    addPupil(home, {"أول", "1", "01", "يوسف", "", "1"});
    ClassData data;
    EXPECT_TRUE(data.load("أول' OR '1'='1-1"));
    EXPECT_EQ(data.ClassRecordset.recordCount(), 0);
}
