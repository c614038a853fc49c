#pragma once

#include "reports/PrintRun.h"

#include <QObject>
#include <vector>

class QLabel;

namespace sijill::shell {
class MainForm;
}

namespace sijill::reports {

// The Quran-school menu of the main window's print area, and the action of
// the main window's hidden button Command21 (the Quran-school class filler).
// It lives as long as the main window.
class QuranMenu : public QObject {
    Q_OBJECT
public:
    explicit QuranMenu(shell::MainForm& form);

    std::vector<QLabel*> TF; // the items 0..8; 3 is nullptr

    // Why the last class load or fill of Command21 failed; empty when it succeeded.
    const QString& fillError() const { return fillError_; }
    // What the last print run of this menu did.
    const PrintRunResult& lastRun() const { return lastRun_; }

    void MainForm_Command21_Click();
    void TF_Click(int index);
    void TF_MouseMove(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool fillItem(int index, QString* error);

    shell::MainForm& form_;
    QString fillError_;
    PrintRunResult lastRun_;
};

// Builds the Quran-school menu into the print area's panel 4 and connects the
// hidden button Command21; installMarkSheetMenus calls it.
QuranMenu* installQuranMenu(shell::MainForm& form);

// The menu installed on that window, or nullptr.
QuranMenu* quranMenu(shell::MainForm& form);

} // namespace sijill::reports
