#include "platform/ProgramExit.h"
#include "shell/ChooserModes.h"
#include "shell/MainForm.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"
#include "support/TypedOrder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::ChooserScope;
using sijill::test::EnvScope;
using sijill::test::ScriptedScope;
using sijill::test::TestHome;

namespace {

const QString kImport = QStringLiteral("استيراد ابتدائي");

// A user's home with the usual folders, and the program started on it.
struct Fixture {
    TestHome home;
    QTemporaryDir user;
    EnvScope homeEnv{"HOME", user.path().toUtf8()};
    EnvScope xdg{"XDG_CONFIG_HOME", (user.path() + "/.config").toUtf8()};
    ScriptedScope scope;
    ChooserScope chooser;
    std::unique_ptr<MainForm> form;

    explicit Fixture(bool withDownloads = true) {
        for (const char* d : {"Desktop", "Documents"})
            QDir(user.path()).mkpath(d);
        if (withDownloads) {
            QDir(user.path()).mkpath("Downloads/sub");
            for (const char* f : {"b.xls", "A.XLS", "c.txt", "sub/d.xls"})
                QFile(user.filePath(QStringLiteral("Downloads/") + f)).open(QIODevice::WriteOnly);
        }
        sijill::test::finishProfile(home);
        platform::setExitHandler([](int) {});
        form = std::make_unique<MainForm>();
        form->formLoad();
    }
    ~Fixture() {
        form.reset();
        platform::setExitHandler({});
        unregisterChooserMode(kImport);
    }

    // What the import item and its window do before the chooser takes over.
    ProgramFileChooser* openForImport() {
        form->setEnabled(false);
        ProgramFileChooser* f = fileChooser();
        f->titlePicture->hide();
        f->actionButton->setText(kImport);
        f->setPattern("*.xls");
        f->showChooser();
        return f;
    }
};

// The names the list shows, without the marks that keep them in typed order.
QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << sijill::test::withoutBidiMarks(list->item(i)->text());
    return out;
}

} // namespace

TEST(ProgramFileChooser, OpensInDownloadsListsThePatternAndHandsThePathOver) {
    Fixture fx;
    QStringList arrived;
    // The mode's window gets the path itself: the profile is read after that
    // window is on view, so that an unfinished profile comes on view above it.
    registerChooserMode(kImport, [&](const QString& path) { arrived << path; });
    ProgramFileChooser* f = fx.openForImport();
    EXPECT_EQ(fx.chooser.chooser().presented, 1);
    EXPECT_EQ(f->folder(), QDir::cleanPath(fx.user.filePath("Downloads")));
    EXPECT_EQ(texts(f->fileList), QStringList({"A.XLS", "b.xls"}));
    EXPECT_TRUE(texts(f->folderList).contains("sub"));
    EXPECT_TRUE(f->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f->fileNameCaption->text(), QStringLiteral("اسم الملف:"));
    EXPECT_TRUE(fx.scope.dialogs().shown.empty());

    // Clicking a file names it; the action button, reached by Tab and pressed
    // with the keypad's Enter, hands the full path over.
    f->fileList->setCurrentRow(1);
    f->onFileClicked();
    EXPECT_EQ(f->fileNameBox->text(), QStringLiteral("b.xls"));
    f->actionButton->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::sendEvent(f->actionButton, &enter);
    const QString expected = fx.user.filePath("Downloads/b.xls");
    EXPECT_EQ(arrived, QStringList({expected}));
    EXPECT_EQ(schoolProfileWindow()->chosenPathBox->text(), expected);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(fx.form->isEnabled()); // the import window gives it back

    // A later use opens where the last one left off, and a script can choose.
    f->setFolder(fx.user.filePath("Downloads/sub"));
    fx.chooser.chooser().answer(fx.user.filePath("Documents/x.xls"));
    fx.openForImport();
    EXPECT_EQ(arrived.size(), 2);
    EXPECT_EQ(arrived.last(), fx.user.filePath("Documents/x.xls"));
    EXPECT_TRUE(fx.scope.dialogs().shown.empty());
}

// Names that begin with digits, or mix Arabic and digits, read as typed; the
// name box and the path handed over hold the real name, without marks.
TEST(ProgramFileChooser, NamesReadInTheOrderTheyWereTyped) {
    Fixture fx;
    const QStringList files{"14460.xls", "كشف 2.xls"};
    for (const QString& name : files)
        QFile(fx.user.filePath("Downloads/" + name)).open(QIODevice::WriteOnly);
    QDir(fx.user.path()).mkpath("Downloads/أول 1446");
    QStringList arrived;
    registerChooserMode(kImport, [&](const QString& path) { arrived << path; });
    ProgramFileChooser* f = fx.openForImport();
    ASSERT_EQ(texts(f->fileList), QStringList({"14460.xls", "A.XLS", "b.xls", "كشف 2.xls"}));
    sijill::test::expectTypedOrder(f->fileList->item(0)->text(), "14460.xls");
    sijill::test::expectTypedOrder(f->fileList->item(3)->text(), "كشف 2.xls");
    const int folder = static_cast<int>(texts(f->folderList).indexOf("أول 1446"));
    ASSERT_GE(folder, 0);
    sijill::test::expectTypedOrder(f->folderList->item(folder)->text(), "أول 1446");

    f->fileList->setCurrentRow(0);
    f->onFileClicked();
    EXPECT_EQ(f->fileNameBox->text(), "14460.xls");
    f->actionButton->click();
    EXPECT_EQ(arrived, QStringList({fx.user.filePath("Downloads/14460.xls")}));
}

TEST(ProgramFileChooser, AnEmptyNameOrCloseHandsNothingOver) {
    Fixture fx;
    int runs = 0;
    registerChooserMode(kImport, [&](const QString&) { ++runs; });
    schoolProfileWindow()->chosenPathBox->setText("old");
    ProgramFileChooser* f = fx.openForImport();
    f->actionButton->click();
    EXPECT_EQ(f->fileNameCaption->text(), QStringLiteral("اسم الملف:"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(schoolProfileWindow()->chosenPathBox->text(), "old");

    f->onCloseClicked();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(fx.form->isEnabled());
    EXPECT_EQ(schoolProfileWindow()->chosenPathBox->text(), "old");

    fx.chooser.chooser().answer(sijill::test::ScriptedChooser::kClose);
    fx.openForImport();
    EXPECT_TRUE(fx.form->isEnabled());
    EXPECT_EQ(runs, 0);
}

TEST(ProgramFileChooser, AModeNobodyRegisteredOnlyHandsThePathBack) {
    Fixture fx;
    fx.chooser.chooser().answer(fx.user.filePath("Downloads/b.xls"));
    ProgramFileChooser* f = fx.openForImport();
    EXPECT_EQ(schoolProfileWindow()->chosenPathBox->text(), fx.user.filePath("Downloads/b.xls"));
    EXPECT_FALSE(f->isVisible());
}

TEST(ProgramFileChooser, ShortcutsAndPlacesMoveTheLists) {
    Fixture fx;
    ProgramFileChooser* f = fx.openForImport();
    // The path box shows the folder the lists show, wherever they went.
    const std::pair<void (ProgramFileChooser::*)(), const char*> shortcuts[] = {
        {&ProgramFileChooser::onDesktopClicked, "Desktop"},
        {&ProgramFileChooser::onDocumentsClicked, "Documents"},
        {&ProgramFileChooser::onDownloadsClicked, "Downloads"}};
    for (const auto& [click, folder] : shortcuts) {
        (f->*click)();
        const QString path = QDir::cleanPath(fx.user.filePath(folder));
        EXPECT_EQ(f->folder(), path);
        EXPECT_EQ(f->placePicker->currentData().toString(), path);
        EXPECT_TRUE(f->placePicker->currentText().endsWith(QStringLiteral("/") + folder));
    }
    f->setFolder(fx.user.filePath("Downloads/sub"));
    EXPECT_TRUE(f->placePicker->currentText().endsWith("Downloads/sub"));

    // The drive list holds the roots and the home folder; choosing one goes there.
    const int root = f->placePicker->findData(QStringLiteral("/"));
    ASSERT_GE(root, 0);
    EXPECT_GE(f->placePicker->findData(QDir::cleanPath(fx.user.path())), 0);
    f->placePicker->setCurrentIndex(root);
    f->onPlaceChosen();
    EXPECT_EQ(f->folder(), QStringLiteral("/"));
    EXPECT_FALSE(texts(f->folderList).contains(".."));

    // A folder that is gone changes nothing.
    EXPECT_FALSE(f->setFolder(fx.user.filePath("nowhere")));
    EXPECT_EQ(f->folder(), QStringLiteral("/"));
}

TEST(ProgramFileChooser, WithoutADownloadsFolderItOpensHomeWithoutAMessage) {
    Fixture fx(false);
    ProgramFileChooser* f = fx.openForImport();
    EXPECT_TRUE(fx.scope.dialogs().shown.empty()) << "a first start without Downloads";
    EXPECT_EQ(f->folder(), QDir::cleanPath(fx.user.path()));
}

TEST(ProgramFileChooser, ADownloadsPlaceThatIsNoFolderIsToldAndHomeOpens) {
    Fixture fx(false);
    ASSERT_TRUE(QFile(fx.user.filePath("Downloads")).open(QIODevice::WriteOnly));
    fx.scope.dialogs().answer("موافق");
    ProgramFileChooser* f = fx.openForImport();
    ASSERT_EQ(fx.scope.dialogs().shown.size(), 1u);
    const QString text = fx.scope.dialogs().shown[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("عذرًا") + "\r" +
                                QStringLiteral("خلل في تحديد المسار!") + "\r"));
    EXPECT_TRUE(text.endsWith(QDir::cleanPath(fx.user.path())));
    EXPECT_EQ(f->folder(), QDir::cleanPath(fx.user.path()));
}
