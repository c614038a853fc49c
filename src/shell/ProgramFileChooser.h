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
// goes into the profile window's chosenPathBox, then the mode's registered action
// (ChooserModes.h) runs. Loaded once and kept, so later uses open where the
// last one left off.
class ProgramFileChooser : public QWidget, public platform::FileChooserWindow {
    Q_OBJECT
public:
    ProgramFileChooser();

    QComboBox* placePicker = nullptr;    // the folder listed, the roots and the home folder
    QListWidget* folderList = nullptr;   // the current folder and its subfolders
    QListWidget* fileList = nullptr;     // files of the current folder by the pattern
    QLabel* desktopShortcut = nullptr;   // desktop
    QLabel* documentsShortcut = nullptr; // documents
    QLabel* downloadsShortcut = nullptr; // downloads
    QLineEdit* fileNameBox = nullptr;    // the file name
    QLabel* fileNameCaption = nullptr;   // caption of the name box
    QPushButton* actionButton = nullptr; // the action button; its caption is the mode
    QPushButton* closeButton = nullptr;  // close
    QLabel* closePicture = nullptr;      // close picture
    QLabel* titlePicture = nullptr;      // title picture

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

    void onPlaceChosen();
    void onFileClicked();
    void onDesktopClicked();
    void onDocumentsClicked();
    void onDownloadsClicked();
    void onActionClicked();
    void onCloseClicked();

    // platform::FileChooserWindow
    QWidget* chooserWidget() override { return this; }
    void chooseFile(const QString& path) override;
    void closeChooser() override { onCloseClicked(); }

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
ProgramFileChooser* fileChooser();
// The chooser when it exists, else nullptr.
ProgramFileChooser* loadedFileChooser();
void unloadFileChooser();

} // namespace sijill::shell
