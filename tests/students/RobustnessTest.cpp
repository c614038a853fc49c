#include "StudentsTestSupport.h"
#include "students/NoorImport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace sijill::students;
using sijill::test::classRows;
using sijill::test::studentRows;

// Damaged copies of a real workbook: some bytes changed, or the file cut
// short. Each is imported in turn; none may bring the program down, each is
// imported or refused with a message, and a refusal changes nothing.
TEST(ImportRobustness, MutatedAndTruncatedWorkbooks) {
    sijill::test::useBuiltReader();
    setReaderTimeLimitMs(5000);
    sijill::test::TestHome home;
    sijill::test::seedOldSchool(home);

    QFile source(sijill::test::fixture("students.xls"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray original = source.readAll();
    QTemporaryDir dir;
    std::mt19937 rng(20261209);

    int imported = 0, refused = 0;
    constexpr int kCopies = 300;
    for (int i = 0; i < kCopies; ++i) {
        QByteArray bytes = original;
        if (i % 5 == 4) {
            bytes.truncate(std::uniform_int_distribution<int>(0, bytes.size() - 1)(rng));
        } else {
            const int changes = std::uniform_int_distribution<int>(1, 24)(rng);
            for (int c = 0; c < changes; ++c) {
                const int at = std::uniform_int_distribution<int>(0, bytes.size() - 1)(rng);
                bytes[at] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
            }
        }
        const QString path = dir.filePath(QStringLiteral("copy%1.xls").arg(i));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();

        const QStringList before = studentRows(), beforeClasses = classRows();
        ImportHooks hooks;
        hooks.goOnWithoutMark = [] { return true; };
        const ImportOutcome out = importStudentsWorkbook(path, hooks);
        if (out.result == ImportOutcome::Result::Imported) {
            ++imported;
            EXPECT_EQ(studentRows().size(), out.students) << i;
        } else {
            ++refused;
            EXPECT_EQ(out.result, ImportOutcome::Result::Refused) << i;
            EXPECT_FALSE(out.message.isEmpty()) << i;
            EXPECT_EQ(studentRows(), before) << i;
            EXPECT_EQ(classRows(), beforeClasses) << i;
        }
    }
    EXPECT_EQ(imported + refused, kCopies);
    std::printf("robustness: %d imported, %d refused\n", imported, refused);
    sijill::test::useBuiltReader();
}
