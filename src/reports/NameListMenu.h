#pragma once

#include "reports/ClassLoad.h"
#include "reports/NameListHeaders.h"
#include "reports/PrintRun.h"

#include <QObject>
#include <vector>

class QFrame;
class QLabel;

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

// The name-list menu of the main window's print area, with the class load
// every print menu uses (the main window's command LoadChosenClass) and the
// name-list header fill. It lives as long as the main window.
class NameListMenu : public QObject {
    Q_OBJECT
public:
    explicit NameListMenu(shell::MainForm& form);

    std::vector<QLabel*> items;    // the items 0..18, in the tab panels StuNames
    std::vector<QLabel*> headings; // the panels' headings 0..4
    QFrame* exportStrip = nullptr; // the strip above the export items

    // The loaded class and the header texts; every print menu reads them.
    ClassData& classData() { return classData_; }
    // Why the last header fill failed; empty when it succeeded.
    const QString& fillError() const { return fillError_; }
    // What the last print run of this menu did.
    const PrintRunResult& lastRun() const { return lastRun_; }

    // Loads the main window's chosen class, then makes an export armed for it.
    void loadChosenClass();
    // Fills the name-list headers for the chosen class; fillError() says why not.
    void fillHeaders();
    void onItemClicked(int index);
    void highlightItem(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void runItem(int index);
    void runArmedExport(const ExportRequest& request);

    shell::MainForm& form_;
    ClassData classData_;
    QString fillError_;
    PrintRunResult lastRun_;
};

// Builds the name-list menu into the main window's print area and defines the
// class load. Run once, after the main window exists.
NameListMenu* installNameListMenu(shell::MainForm& form);

// The menu installed on that window, or nullptr.
NameListMenu* nameListMenu(shell::MainForm& form);

// Shared by the print menus of this folder.
namespace menu {
// The main window's loaded class (this menu's class load).
ClassData& classData(shell::MainForm& form);
// The school header from the profile and the main window's logo.
SchoolHeader schoolHeader(shell::MainForm& form);
} // namespace menu

} // namespace sijill::reports
