#include "platform/QtArabic.h"
#include "platform/ProgramFolder.h"
#include "support/EnvScope.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool hasArabic(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x0600 && c.unicode() <= 0x06FF)
            return true;
    return false;
}

} // namespace

// The tests' main sets the desktop up as the program does, whatever the locale.
TEST(QtArabic, SystemMessageBoxesSpeakArabicRightToLeft) {
    EXPECT_TRUE(sijill::platform::loadQtArabic()); // a second call keeps the first
    QMessageBox box(QMessageBox::Question, QStringLiteral("تنبيه"), QStringLiteral("سؤال"),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    const QMessageBox::StandardButton buttons[] = {QMessageBox::Ok, QMessageBox::Cancel,
                                                   QMessageBox::Yes, QMessageBox::No};
    QStringList texts;
    for (QMessageBox::StandardButton b : buttons) {
        const QString text = box.button(b)->text().remove(QLatin1Char('&'));
        EXPECT_TRUE(hasArabic(text)) << text.toStdString();
        texts << text;
    }
    texts.removeDuplicates();
    EXPECT_EQ(texts.size(), 4);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("إلغاء"));
    EXPECT_EQ(box.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(QApplication::layoutDirection(), Qt::RightToLeft);

    QDialogButtonBox bar(QDialogButtonBox::Close | QDialogButtonBox::Save);
    for (QAbstractButton* b : bar.buttons())
        EXPECT_TRUE(hasArabic(b->text())) << b->text().toStdString();
}

// Titles show the Arabic name; the folders keep the name the schools' data
// already lives under.
TEST(QtArabic, TheNameShownIsArabicAndTheDataFolderKeepsItsName) {
    const QString previous = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Sijill"));
    QTemporaryDir dir;
    const sijill::test::EnvScope home("SIJILL_HOME", {});
    const sijill::test::EnvScope data("XDG_DATA_HOME", dir.path().toUtf8());
    sijill::platform::setUpArabicDesktop();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("سجل"));
    EXPECT_EQ(sijill::platform::dataFolder(), dir.filePath(QStringLiteral("Sijill")));
    QCoreApplication::setApplicationName(previous);
}
