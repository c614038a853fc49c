#pragma once

#include "reports/PrintRun.h"

#include <QObject>
#include <vector>

class QLabel;

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

// The mark-sheet menu of the main window's print area and its header fill. It
// lives as long as the main window; the class load is the name-list menu's.
class MarkSheetMenu : public QObject {
    Q_OBJECT
public:
    explicit MarkSheetMenu(shell::MainForm& form);

    std::vector<QLabel*> items; // the items 0..12; 4, 5 and 6 are nullptr

    // Why the last header fill failed; empty when it succeeded.
    const QString& fillError() const { return fillError_; }
    // What the last print run of this menu did.
    const PrintRunResult& lastRun() const { return lastRun_; }

    // Fills the mark-sheet headers for the chosen class; fillError() says why not.
    void fillHeaders();
    void onItemClicked(int index);
    void highlightItem(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();

    shell::MainForm& form_;
    QString fillError_;
    PrintRunResult lastRun_;
};

// Builds the mark-sheet and the Quran-school menus into the main window's
// print area (with the name-list menu, whose class load they use). Run once,
// after the main window exists.
void installMarkSheetMenus(shell::MainForm& form);

// The menu installed on that window, or nullptr.
MarkSheetMenu* markSheetMenu(shell::MainForm& form);
} // namespace sijill::reports
