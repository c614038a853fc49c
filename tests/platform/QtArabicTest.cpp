#include "platform/QtArabic.h"
#include "platform/ProgramFolder.h"
#include "support/EnvScope.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

bool hasArabic(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x0600 && c.unicode() <= 0x06FF)
            return true;
    return false;
}

// No caption of Qt's carries a key mnemonic: its underline splits a joined
// Arabic word.
void expectNoMnemonic(QWidget* dialog) {
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        EXPECT_EQ(b->text(), sijill::platform::withoutMnemonic(b->text()))
            << b->text().toStdString();
    for (QLabel* l : dialog->findChildren<QLabel*>())
        EXPECT_EQ(l->text(), sijill::platform::withoutMnemonic(l->text()))
            << l->text().toStdString();
}

// The columns of `image` that hold a pixel `wanted` says yes to.
std::pair<int, int> columnsOf(const QImage& image, const std::function<bool(QColor)>& wanted) {
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (wanted(image.pixelColor(x, y))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

} // namespace

TEST(QtArabic, MnemonicsGoAndTheirLiteralsStay) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Yes", "Yes"},       {"Print &to File", "Print to File"}, {"A && B", "A && B"},
        {"&&&Save", "&&Save"}, {"&lt;b&gt;", "&lt;b&gt;"},          {"الا&سم:", "الاسم:"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(sijill::platform::withoutMnemonic(QString::fromUtf8(text)),
                  QString::fromUtf8(shown))
            << text;
}

// The caption sits beside its icon, the two centred, the icon first (right).
TEST(QtArabic, AnIconButtonReadsRightToLeft) {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QPushButton button(QIcon(red), QStringLiteral("اطبع"));
    button.setLayoutDirection(Qt::RightToLeft);
    button.resize(140, 30);
    const QImage shot = button.grab().toImage();
    const auto [iconLeft, iconRight] =
        columnsOf(shot, [](QColor c) { return c.red() > 200 && c.green() < 60; });
    const auto [textLeft, textRight] =
        columnsOf(shot, [](QColor c) { return c.lightness() < 80 && c.red() == c.green(); });
    ASSERT_GE(iconRight, 0);
    ASSERT_GE(textRight, 0);
    EXPECT_LT(textRight, iconLeft);
    EXPECT_NEAR(textLeft, shot.width() - 1 - iconRight, 6) << textLeft << " " << iconRight;
}

// The tests' main sets the desktop up as the program does, whatever the locale.
TEST(QtArabic, SystemMessageBoxesSpeakArabicRightToLeft) {
    EXPECT_TRUE(sijill::platform::loadQtArabic()); // a second call keeps the first
    QMessageBox box(QMessageBox::Question, QStringLiteral("تنبيه"), QStringLiteral("سؤال"),
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    const QMessageBox::StandardButton buttons[] = {QMessageBox::Ok, QMessageBox::Cancel,
                                                   QMessageBox::Yes, QMessageBox::No};
    QStringList texts;
    for (QMessageBox::StandardButton b : buttons) {
        const QString text = box.button(b)->text();
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
    expectNoMnemonic(&box);
    expectNoMnemonic(&bar);
    QPrinter printer;
    QPrintDialog print(&printer);
    expectNoMnemonic(&print);
    // The one button whose caption Qt changes as it is pressed.
    int pressed = 0;
    for (QPushButton* b : print.findChildren<QPushButton*>())
        if (b->text().contains(QStringLiteral(">>"))) {
            b->click();
            ++pressed;
        }
    EXPECT_EQ(pressed, 1);
    expectNoMnemonic(&print);
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

// Enter and the keypad's Enter press the button that holds the focus; where a
// box or an option holds it, the window's default button answers as before.
TEST(QtArabic, EnterPressesTheFocusedButton) {
    sijill::platform::setUpArabicDesktop();
    QDialog window;
    auto* fallback = new QPushButton(QStringLiteral("إلغاء"), &window);
    fallback->setDefault(true);
    auto* push = new QPushButton(QStringLiteral("حفظ البيانات"), &window);
    push->setAutoDefault(false);
    auto* tool = new QToolButton(&window);
    auto* box = new QLineEdit(&window);
    auto* option = new QCheckBox(&window);
    std::map<QWidget*, int> clicks;
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{fallback, push, tool, option})
        QObject::connect(b, &QAbstractButton::clicked, [&clicks, b] { ++clicks[b]; });
    window.show();
    const auto press = [](QWidget* w, int key, Qt::KeyboardModifiers modifiers, bool repeat) {
        w->setFocus();
        QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), repeat);
        QApplication::sendEvent(w, &event);
    };
    struct Row {
        QWidget* focus;
        QAbstractButton* pressed;
    };
    for (const Row& row :
         {Row{push, push}, Row{tool, tool}, Row{box, fallback}, Row{option, fallback}}) {
        for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                             std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
            SCOPED_TRACE(row.focus->metaObject()->className());
            clicks.clear();
            window.show();
            press(row.focus, key, modifiers, false);
            press(row.focus, key, modifiers, true); // held down: pressed once
            EXPECT_EQ(clicks[row.pressed], row.focus == row.pressed ? 1 : 2);
            EXPECT_EQ(clicks.size(), 1u);
            EXPECT_FALSE(option->isChecked());
        }
    }
    // With a modifier held, or on a disabled button, Enter presses nothing itself.
    clicks.clear();
    window.show();
    press(push, Qt::Key_Return, Qt::ControlModifier, false);
    EXPECT_EQ(clicks[push], 0);
    push->setEnabled(false);
    press(push, Qt::Key_Return, Qt::NoModifier, false);
    EXPECT_EQ(clicks[push], 0);
    window.hide();
}
