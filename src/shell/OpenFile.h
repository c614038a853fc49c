#pragma once

#include "platform/FileChooser.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sijill::shell {

// The program's own file chooser. Its caller sets the file pattern and the
// caption of the action button, which is the chooser's mode; the chosen path
// goes into the profile window's LoadFile, then the mode's registered action
// (ChooserModes.h) runs. Loaded once and kept, so later uses open where the
// last one left off.
class OpenFile : public QWidget, public platform::FileChooserWindow {
    Q_OBJECT
public:
    OpenFile();

    QComboBox* Drive1 = nullptr;      // the folder listed, the roots and the home folder
    QListWidget* Dir1 = nullptr;      // the current folder and its subfolders
    QListWidget* File1 = nullptr;     // files of the current folder by the pattern
    QLabel* Label1 = nullptr;         // desktop
    QLabel* Label2 = nullptr;         // documents
    QLabel* Label3 = nullptr;         // downloads
    QLineEdit* Text1 = nullptr;       // the file name
    QLabel* Label16 = nullptr;        // caption of the name box
    QPushButton* ClearData = nullptr; // the action button; its caption is the mode
    QPushButton* Command4 = nullptr;  // close
    QLabel* Image2 = nullptr;         // close picture
    QLabel* SaveImage = nullptr;      // title picture

    QString folder() const { return folder_; }
    // Moves the folder list (and the file list with it) to `path`; false and
    // no change when it is not a readable folder.
    bool setFolder(const QString& path);
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    QString mode() const;

    // Shows the chooser through the chooser presenter; the first show places
    // it and opens the downloads folder.
    void showChooser();

    void OpenFile_Drive1_Change();
    void OpenFile_File1_Click();
    void OpenFile_Label1_Click();
    void OpenFile_Label2_Click();
    void OpenFile_Label3_Click();
    void OpenFile_ClearData_Click();
    void OpenFile_Command4_Click();

    // platform::FileChooserWindow
    QWidget* chooserWidget() override { return this; }
    void chooseFile(const QString& path) override;
    void closeChooser() override { OpenFile_Command4_Click(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void formLoad();
    void fillPlaces();
    void fillFolders();
    void fillFiles();

    QString folder_;
    QStringList places_; // the roots and the home folder
    QString pattern_ = QStringLiteral("*.*");
    bool loaded_ = false;
};

// The chooser, created at its first use and kept.
OpenFile* openFile();
// The chooser when it exists, else nullptr.
OpenFile* loadedOpenFile();
void unloadOpenFile();

} // namespace sijill::shell
