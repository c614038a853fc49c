#pragma once

#include "platform/ChildWindow.h"
#include "shell/SchoolProfile.h"

#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sijill::shell {

// The school-profile window. Its boxes, not the table, are what reports and
// exports read; its hidden LoadFile carries the path the file chooser picked.
class InfoMain : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    InfoMain();

    // The window's loading: loads the profile and, when the administration
    // is still unset, disables the main window, warns in red and shows itself
    // on top. A load that fails is told (into `problem` when given, else in a
    // message box).
    void formLoad(QString* problem = nullptr);

    QLineEdit* kl1 = nullptr;              // semester
    QLineEdit* kl2 = nullptr;              // school year
    QLineEdit* kl3 = nullptr;              // administration
    QLineEdit* kl4 = nullptr;              // school
    QLineEdit* kl6 = nullptr;              // job title
    QLineEdit* kl7 = nullptr;              // principal
    QLineEdit* kl8 = nullptr;              // first preparer
    QLineEdit* kl9 = nullptr;              // second preparer
    std::vector<QRadioButton*> Opt_Gender; // 1 boys, 2 girls; 0 unused
    QLineEdit* LoadFile = nullptr;         // the path chosen in the file chooser
    QPushButton* OpenIt1 = nullptr;        // loads the profile into the boxes
    QPushButton* ComUpdate = nullptr;      // saves
    QLabel* Image8 = nullptr;              // close
    QLabel* Lab_title = nullptr;
    QWidget* LoadDataPic = nullptr;
    QWidget* Pic_Gender = nullptr;

    void InfoMain_OpenIt1_Click();
    void InfoMain_ComUpdate_Click();
    void InfoMain_Image8_Click();

    // The boxes as they stand now (unsaved edits included).
    SchoolProfile profile() const;
    void showProfile(const SchoolProfile& p);
    // On view, the boxes differ from the profile last loaded or saved.
    bool hasTypedEdits() const override;
    bool saveTypedEdits() override;
    QString typedEditsQuestion() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    bool loadProfile(QString* error);
    // Saves the boxes; a failure is told and leaves them unsaved.
    bool saveBoxes();

    SchoolProfile shown_; // the profile as last loaded into the boxes or saved
    platform::ChildWindow* life_ = nullptr;
};

// The profile window, loaded (hidden, with its own loading) when it is not.
// Everything that reads the school's profile goes through here.
// A load that fails is told into `problem` when given.
InfoMain* infoMain(QString* problem = nullptr);
// The profile window when it is loaded, else nullptr; loads nothing.
InfoMain* loadedInfoMain();
// The profile's texts as the window holds them, loading it when it is closed.
SchoolProfile schoolProfile();
// Unloads the window at once (the main window's end, tests).
void unloadInfoMain();

} // namespace sijill::shell
