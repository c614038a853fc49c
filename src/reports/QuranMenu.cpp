#include "reports/QuranMenu.h"

#include "data/DataError.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "reports/ClassLoad.h"
#include "reports/MainWindowRunHost.h"
#include "reports/MarkSheetHeaders.h"
#include "reports/NameListMenu.h"
#include "reports/PrintMenuItem.h"
#include "reports/QuranItems.h"
#include "reports/QuranRun.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"

#include "platform/Background.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>

namespace sijill::reports {

namespace {

constexpr int kQuranPanel = 4;
const QString kNoSheet1 = QStringLiteral("لا يوجد نموذج طباعة خاص بـ \"");
const QString kNoSheet2 = QStringLiteral("\"، فلا يطبع شيء");

} // namespace

QuranMenu::QuranMenu(shell::MainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("QuranMenu"));
    items.assign(kQuranItemCount, nullptr);
    for (const QuranItem& item : quranItems())
        items[item.index] = menu::item(QStringLiteral("quranItem%1").arg(item.index), item.caption,
                                       item.top, form_.printTabPanels.at(kQuranPanel), this);
}

bool QuranMenu::eventFilter(QObject* watched, QEvent* event) {
    return menu::handleItemEvent(
               items, watched, event, [this](int i) { highlightItem(i); },
               [this](int i) { onItemClicked(i); }) ||
           QObject::eventFilter(watched, event);
}

void QuranMenu::highlightItem(int index) {
    for (QLabel* label : items)
        if (label)
            platform::fillBackground(label, menu::back());
    if (index >= 0 && index < kQuranItemCount && items[index])
        platform::fillBackground(items[index], menu::hover());
}

void QuranMenu::loadClassWithHeader() {
    fillError_.clear();
    ClassData& data = menu::classData(form_);
    form_.commands().run(shell::MainCommand::LoadChosenClass);
    if (!data.loadError().isEmpty()) {
        fillError_ = data.loadError();
        return;
    }
    const std::optional<ClassLine> line = quranClassLineOf(form_.classPicker->currentText());
    if (!line) {
        fillError_ = kBadClassNames;
        return;
    }
    data.HeaderGradeText = line->gradeText;
    data.HeaderClassText = line->classText;
    try {
        fillReadingsHeader(menu::schoolHeader(form_), *line, data.ClassRecordset);
    } catch (const report::ReportError& e) {
        fillError_ = reportFailure(e.message());
    } catch (const data::DataError& e) {
        fillError_ = e.userMessage();
    }
}

bool QuranMenu::fillItem(int index, QString* error) {
    const QuranItem* item = quranItem(index);
    ClassData& data = menu::classData(form_);
    try {
        fillQuranItem(*item, menu::schoolHeader(form_),
                      ClassLine{data.HeaderGradeText, data.HeaderClassText, {}},
                      data.ClassRecordset);
        return true;
    } catch (const report::ReportError& e) {
        *error = reportFailure(e.message());
    } catch (const data::DataError& e) {
        *error = e.userMessage();
    }
    return false;
}

void QuranMenu::onItemClicked(int index) {
    // While a run prints, a click starts no second run and changes nothing.
    if (printRunActive())
        return;
    const QuranItem* item = quranItem(index);
    if (!item)
        return;
    // The two summaries have no sheet of their own: the user is told so.
    if (item->layout.isEmpty()) {
        shell::tell(kNoSheet1 + item->caption + kNoSheet2);
        return;
    }
    auto load = [this](QString* error) {
        loadClassWithHeader();
        *error = fillError_;
        return error->isEmpty();
    };
    auto fill = [this, index](QString* error) { return fillItem(index, error); };
    MainWindowRunHost host(form_, load, fill, item->layout, item->caption, {});
    RunInputLock lock(form_);
    lastRun_ = runQuranPrint(host);
}

QuranMenu* installQuranMenu(shell::MainForm& form) {
    if (QuranMenu* existing = quranMenu(form))
        return existing;
    return new QuranMenu(form);
}

QuranMenu* quranMenu(shell::MainForm& form) {
    return form.findChild<QuranMenu*>(QStringLiteral("QuranMenu"), Qt::FindDirectChildrenOnly);
}

} // namespace sijill::reports
