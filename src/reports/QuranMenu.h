#pragma once

#include "reports/PrintRun.h"

#include <QObject>
#include <vector>

class QLabel;

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

// The Quran-school menu of the main window's print area and its class load
// and header fill. It lives as long as the main window.
class QuranMenu : public QObject {
    Q_OBJECT
public:
    explicit QuranMenu(shell::MainForm& form);

    std::vector<QLabel*> items; // the items 0..8; 3 is nullptr

    // Why the last class load or header fill failed; empty when it succeeded.
    const QString& fillError() const { return fillError_; }
    // What the last print run of this menu did.
    const PrintRunResult& lastRun() const { return lastRun_; }

    // Loads the chosen class and fills the readings header for it.
    void loadClassWithHeader();
    void onItemClicked(int index);
    void highlightItem(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool fillItem(int index, QString* error);

    shell::MainForm& form_;
    QString fillError_;
    PrintRunResult lastRun_;
};

// Builds the Quran-school menu into the print area's panel 4;
// installMarkSheetMenus calls it.
QuranMenu* installQuranMenu(shell::MainForm& form);

// The menu installed on that window, or nullptr.
QuranMenu* quranMenu(shell::MainForm& form);

} // namespace sijill::reports
