#include "shell/OpenFile.h"
#include "platform/ProgramExit.h"
#include "shell/ChooserModes.h"
#include "shell/InfoMain.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHome.h"
#include "support/TypedOrder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
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
    OpenFile* openForImport() {
        form->setEnabled(false);
        OpenFile* f = openFile();
        f->SaveImage->hide();
        f->ClearData->setText(kImport);
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

TEST(OpenFile, OpensInDownloadsListsThePatternAndHandsThePathOver) {
    Fixture fx;
    QStringList arrived;
    // The mode's window gets the path itself: the profile is read after that
    // window is on view, so that an unfinished profile comes on view above it.
    registerChooserMode(kImport, [&](const QString& path) { arrived << path; });
    OpenFile* f = fx.openForImport();
    EXPECT_EQ(fx.chooser.chooser().presented, 1);
    EXPECT_EQ(f->folder(), QDir::cleanPath(fx.user.filePath("Downloads")));
    EXPECT_EQ(texts(f->File1), QStringList({"A.XLS", "b.xls"}));
    EXPECT_TRUE(texts(f->Dir1).contains("sub"));
    EXPECT_TRUE(f->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f->Label16->text(), QStringLiteral("اسم الملف:"));
    EXPECT_TRUE(fx.scope.dialogs().shown.empty());

    // Clicking a file names it; the action button hands the full path over.
    f->File1->setCurrentRow(1);
    f->OpenFile_File1_Click();
    EXPECT_EQ(f->Text1->text(), QStringLiteral("b.xls"));
    f->ClearData->click();
    const QString expected = fx.user.filePath("Downloads/b.xls");
    EXPECT_EQ(arrived, QStringList({expected}));
    EXPECT_EQ(infoMain()->LoadFile->text(), expected);
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
TEST(OpenFile, NamesReadInTheOrderTheyWereTyped) {
    Fixture fx;
    const QStringList files{"14460.xls", "كشف 2.xls"};
    for (const QString& name : files)
        QFile(fx.user.filePath("Downloads/" + name)).open(QIODevice::WriteOnly);
    QDir(fx.user.path()).mkpath("Downloads/أول 1446");
    QStringList arrived;
    registerChooserMode(kImport, [&](const QString& path) { arrived << path; });
    OpenFile* f = fx.openForImport();
    ASSERT_EQ(texts(f->File1), QStringList({"14460.xls", "A.XLS", "b.xls", "كشف 2.xls"}));
    sijill::test::expectTypedOrder(f->File1->item(0)->text(), "14460.xls");
    sijill::test::expectTypedOrder(f->File1->item(3)->text(), "كشف 2.xls");
    const int folder = static_cast<int>(texts(f->Dir1).indexOf("أول 1446"));
    ASSERT_GE(folder, 0);
    sijill::test::expectTypedOrder(f->Dir1->item(folder)->text(), "أول 1446");

    f->File1->setCurrentRow(0);
    f->OpenFile_File1_Click();
    EXPECT_EQ(f->Text1->text(), "14460.xls");
    f->ClearData->click();
    EXPECT_EQ(arrived, QStringList({fx.user.filePath("Downloads/14460.xls")}));
}

TEST(OpenFile, AnEmptyNameOrCloseHandsNothingOver) {
    Fixture fx;
    int runs = 0;
    registerChooserMode(kImport, [&](const QString&) { ++runs; });
    infoMain()->LoadFile->setText("old");
    OpenFile* f = fx.openForImport();
    f->ClearData->click();
    EXPECT_EQ(f->Label16->text(), QStringLiteral("اسم الملف:"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(infoMain()->LoadFile->text(), "old");

    f->OpenFile_Command4_Click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(fx.form->isEnabled());
    EXPECT_EQ(infoMain()->LoadFile->text(), "old");

    fx.chooser.chooser().answer(sijill::test::ScriptedChooser::kClose);
    fx.openForImport();
    EXPECT_TRUE(fx.form->isEnabled());
    EXPECT_EQ(runs, 0);
}

TEST(OpenFile, AModeNobodyRegisteredOnlyHandsThePathBack) {
    Fixture fx;
    fx.chooser.chooser().answer(fx.user.filePath("Downloads/b.xls"));
    OpenFile* f = fx.openForImport();
    EXPECT_EQ(infoMain()->LoadFile->text(), fx.user.filePath("Downloads/b.xls"));
    EXPECT_FALSE(f->isVisible());
}

TEST(OpenFile, ShortcutsAndPlacesMoveTheLists) {
    Fixture fx;
    OpenFile* f = fx.openForImport();
    // The path box shows the folder the lists show, wherever they went.
    const std::pair<void (OpenFile::*)(), const char*> shortcuts[] = {
        {&OpenFile::OpenFile_Label1_Click, "Desktop"},
        {&OpenFile::OpenFile_Label2_Click, "Documents"},
        {&OpenFile::OpenFile_Label3_Click, "Downloads"}};
    for (const auto& [click, folder] : shortcuts) {
        (f->*click)();
        const QString path = QDir::cleanPath(fx.user.filePath(folder));
        EXPECT_EQ(f->folder(), path);
        EXPECT_EQ(f->Drive1->currentData().toString(), path);
        EXPECT_TRUE(f->Drive1->currentText().endsWith(QStringLiteral("/") + folder));
    }
    f->setFolder(fx.user.filePath("Downloads/sub"));
    EXPECT_TRUE(f->Drive1->currentText().endsWith("Downloads/sub"));

    // The drive list holds the roots and the home folder; choosing one goes there.
    const int root = f->Drive1->findData(QStringLiteral("/"));
    ASSERT_GE(root, 0);
    EXPECT_GE(f->Drive1->findData(QDir::cleanPath(fx.user.path())), 0);
    f->Drive1->setCurrentIndex(root);
    f->OpenFile_Drive1_Change();
    EXPECT_EQ(f->folder(), QStringLiteral("/"));
    EXPECT_FALSE(texts(f->Dir1).contains(".."));

    // A folder that is gone changes nothing.
    EXPECT_FALSE(f->setFolder(fx.user.filePath("nowhere")));
    EXPECT_EQ(f->folder(), QStringLiteral("/"));
}

TEST(OpenFile, WithoutADownloadsFolderItOpensHomeWithoutAMessage) {
    Fixture fx(false);
    OpenFile* f = fx.openForImport();
    EXPECT_TRUE(fx.scope.dialogs().shown.empty()) << "a first start without Downloads";
    EXPECT_EQ(f->folder(), QDir::cleanPath(fx.user.path()));
}

TEST(OpenFile, ADownloadsPlaceThatIsNoFolderIsToldAndHomeOpens) {
    Fixture fx(false);
    ASSERT_TRUE(QFile(fx.user.filePath("Downloads")).open(QIODevice::WriteOnly));
    fx.scope.dialogs().answer("موافق");
    OpenFile* f = fx.openForImport();
    ASSERT_EQ(fx.scope.dialogs().shown.size(), 1u);
    const QString text = fx.scope.dialogs().shown[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("عذرًا") + "\r" +
                                QStringLiteral("خلل في تحديد المسار!") + "\r"));
    EXPECT_TRUE(text.endsWith(QDir::cleanPath(fx.user.path())));
    EXPECT_EQ(f->folder(), QDir::cleanPath(fx.user.path()));
}
