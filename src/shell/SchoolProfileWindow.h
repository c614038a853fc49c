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
// exports read; its hidden chosenPathBox carries the path the file chooser picked.
class SchoolProfileWindow : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    SchoolProfileWindow();

    // The window's loading: loads the profile and, when the administration
    // is still unset, disables the main window, warns in red and shows itself
    // on top. A load that fails is told (into `problem` when given, else in a
    // message box).
    void formLoad(QString* problem = nullptr);

    QLineEdit* semesterBox = nullptr;
    QLineEdit* yearBox = nullptr;
    QLineEdit* administrationBox = nullptr;
    QLineEdit* schoolBox = nullptr;
    QLineEdit* jobTitleBox = nullptr;
    QLineEdit* principalBox = nullptr;
    QLineEdit* firstPreparerBox = nullptr;
    QLineEdit* secondPreparerBox = nullptr;
    std::vector<QRadioButton*> genderOptions; // 1 boys, 2 girls; 0 unused
    QLineEdit* chosenPathBox = nullptr;       // the path chosen in the file chooser
    QPushButton* loadButton = nullptr;        // loads the profile into the boxes
    QPushButton* saveButton = nullptr;
    QLabel* closeIcon = nullptr;
    QLabel* titleLabel = nullptr;
    QWidget* profilePanel = nullptr;
    QWidget* genderPanel = nullptr;

    void onLoadClicked();
    void onSaveClicked();
    void onCloseClicked();

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
SchoolProfileWindow* schoolProfileWindow(QString* problem = nullptr);
// The profile window when it is loaded, else nullptr; loads nothing.
SchoolProfileWindow* loadedSchoolProfileWindow();
// The profile's texts as the window holds them, loading it when it is closed.
SchoolProfile schoolProfile();
// Unloads the window at once (the main window's end, tests).
void unloadSchoolProfileWindow();

} // namespace sijill::shell
