#pragma once

#include "reports/NameListHeaders.h"
#include "reports/PrintRun.h"

#include <QObject>
#include <vector>

class QLabel;
class QWidget;

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

class ClassData;

// The mark-sheet menu of the main window's print area, and the action of the
// main window's hidden button ReportsMarks (the mark-sheet header fill). It
// lives as long as the main window; the class load is the name-list menu's.
class MarkSheetMenu : public QObject {
    Q_OBJECT
public:
    explicit MarkSheetMenu(shell::MainForm& form);

    std::vector<QLabel*> ToSave; // the items 0..12; 4, 5 and 6 are nullptr

    // Why the last header fill failed; empty when it succeeded.
    const QString& fillError() const { return fillError_; }
    // What the last print run of this menu did.
    const PrintRunResult& lastRun() const { return lastRun_; }

    void MainForm_ReportsMarks_Click();
    void ToSave_Click(int index);
    void ToSave_MouseMove(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();

    shell::MainForm& form_;
    QString fillError_;
    PrintRunResult lastRun_;
};

// Builds the mark-sheet and the Quran-school menus into the main window's
// print area (with the name-list menu, whose class load they use) and
// connects the hidden buttons ReportsMarks and Command21. Run once, after the
// main window exists.
void installMarkSheetMenus(shell::MainForm& form);

// The menu installed on that window, or nullptr.
MarkSheetMenu* markSheetMenu(shell::MainForm& form);

// Shared by the print menus of this folder.
namespace menu {
// The main window's loaded class (the name-list menu's class load).
ClassData& classData(shell::MainForm& form);
// The school header from the profile and the main window's logo.
SchoolHeader schoolHeader(shell::MainForm& form);
// A menu item label: centred caption, menu background, pointing cursor; a
// caption wider than the item widens it evenly within its panel.
QLabel* item(const QString& objectName, const QString& caption, int top, QWidget* panel,
             QObject* filter);
// Gives every menu item of `item`'s panel the width of the widest, each kept
// about its own centre and within the panel, so the column reads as one.
void evenColumn(QLabel* item);
void setBack(QWidget* w, const QColor& colour);
const QColor& back();
const QColor& hover();
// The index of `o` in `labels`, or -1.
int indexOf(const std::vector<QLabel*>& labels, const QObject* o);
// True for a left-button release inside the label: its click.
bool isClick(const QLabel* label, QEvent* event);
} // namespace menu

} // namespace sijill::reports
