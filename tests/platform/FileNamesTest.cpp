#include "platform/FileNames.h"
#include "platform/SafeFileWriter.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace sijill::platform;

TEST(FileNames, CharactersAFileNameCannotHoldAreReplaced) {
    const std::pair<QString, QString> names[] = {
        {QStringLiteral("نموذج طولي - ثالث-1"), QStringLiteral("نموذج طولي - ثالث-1")},
        {QStringLiteral("جدول 1/2: \"الصف\"\t"), QStringLiteral("جدول 1_2_ _الصف__")},
        {QStringLiteral("a\\b*c?d<e>f|g"), QStringLiteral("a_b_c_d_e_f_g")},
        {QStringLiteral("  "), QStringLiteral("Sijill")},
        {QStringLiteral(".."), QStringLiteral("Sijill..")},
        {QString(150, QChar(0x0628)), QString(100, QChar(0x0628))},
    };
    for (const auto& [name, safe] : names)
        EXPECT_EQ(safeFileName(name), safe) << name.toStdString();
    EXPECT_EQ(safeFileName(QStringLiteral("1/2"), QLatin1Char('-')), QStringLiteral("1-2"));
}

// A taken name, even a link to nowhere, gets the next number; a failed write
// leaves no file behind and takes no name.
TEST(FileNames, ANewFileNeverReplacesOneAndAFailedOneLeavesNothing) {
    QTemporaryDir dir;
    const auto write = [](const QByteArray& bytes) {
        return [bytes](const QString& path) {
            if (const auto why = writeFileSafely(path, bytes))
                throw std::runtime_error(why->toStdString());
        };
    };
    ASSERT_TRUE(sijill::test::putFile(dir.filePath("كشف.pdf"), "old"));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("كشف-2.pdf")));
    const QString made = writeNewFile(dir.path(), "كشف", "pdf", write("new"));
    EXPECT_EQ(made, dir.filePath("كشف-3.pdf"));
    EXPECT_EQ(sijill::test::fileBytes(made), "new");
    EXPECT_EQ(sijill::test::fileBytes(dir.filePath("كشف.pdf")), "old");
    EXPECT_FALSE(QFile::exists(dir.filePath("nowhere")));

    EXPECT_THROW(writeNewFile(dir.path(), "كشف", "pdf",
                              [](const QString&) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_FALSE(QFile::exists(dir.filePath("كشف-4.pdf")));
    EXPECT_EQ(writeNewFile(dir.path(), "كشف", "pdf", write("again")), dir.filePath("كشف-4.pdf"));

    // A name holding "%1" keeps it when a number is added.
    ASSERT_TRUE(sijill::test::putFile(dir.filePath("أول-%1.pdf"), "old"));
    EXPECT_EQ(writeNewFile(dir.path(), "أول-%1", "pdf", write("new")),
              dir.filePath("أول-%1-2.pdf"));
}
