#pragma once

#include "reports/ClassLoad.h"
#include "reports/PrintRun.h"

#include <QObject>
#include <vector>

class QFrame;
class QLabel;

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

// The name-list menu of the main window's print area, and the actions of the
// main window's hidden buttons Header (the class load) and Reports (the
// name-list header fill). It lives as long as the main window.
class NameListMenu : public QObject {
    Q_OBJECT
public:
    explicit NameListMenu(shell::MainForm& form);

    std::vector<QLabel*> PrNames; // the items 0..18, in the tab panels StuNames
    std::vector<QLabel*> Label3;  // the panels' headings 0..4
    QFrame* Shape2 = nullptr;     // the strip above the export items

    // The loaded class and the header texts; every print menu reads them.
    ClassData& classData() { return classData_; }
    // Why the last header fill failed; empty when it succeeded.
    const QString& fillError() const { return fillError_; }
    // What the last print run of this menu did.
    const PrintRunResult& lastRun() const { return lastRun_; }

    void MainForm_Header_Click();
    void MainForm_Reports_Click();
    void PrNames_Click(int index);
    void PrNames_MouseMove(int index);

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

// Builds the name-list menu into the main window's print area and connects its
// hidden buttons Header and Reports. Run once, after the main window exists.
NameListMenu* installNameListMenu(shell::MainForm& form);

// The menu installed on that window, or nullptr.
NameListMenu* nameListMenu(shell::MainForm& form);

} // namespace sijill::reports
