#include "reports/MarkSheetMenu.h"

#include "data/DataError.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "reports/MainWindowRunHost.h"
#include "reports/MarkSheetHeaders.h"
#include "reports/MarkSheetItems.h"
#include "reports/NameListMenu.h"
#include "reports/PrintMenuItem.h"
#include "reports/QuranMenu.h"
#include "shell/MainForm.h"

#include "platform/Background.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>

namespace sijill::reports {

namespace {

// The mark sheets print a whole grade of the courses system like any other.
class MarkSheetRunHost : public MainWindowRunHost {
public:
    using MainWindowRunHost::MainWindowRunHost;
    bool refusesCoursesWholeGrade() const override { return false; }
};

} // namespace

MarkSheetMenu::MarkSheetMenu(shell::MainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("MarkSheetMenu"));
    build();
}

void MarkSheetMenu::build() {
    items.assign(kMarkSheetItemCount, nullptr);
    for (const MarkSheetItem& item : markSheetItems())
        items[item.index] =
            menu::item(QStringLiteral("markSheetItem%1").arg(item.index), item.caption, item.top,
                       form_.printTabPanels.at(item.panel), this);
}

bool MarkSheetMenu::eventFilter(QObject* watched, QEvent* event) {
    return menu::handleItemEvent(
               items, watched, event, [this](int i) { highlightItem(i); },
               [this](int i) { onItemClicked(i); }) ||
           QObject::eventFilter(watched, event);
}

void MarkSheetMenu::highlightItem(int index) {
    // The name-list items share the highlight, as far as this menu's indexes go.
    for (int j = 0; j < kMarkSheetItemCount; ++j) {
        if (items[j])
            platform::fillBackground(items[j], menu::back());
        if (auto* other = form_.findChild<QLabel*>(QStringLiteral("nameListItem%1").arg(j)))
            platform::fillBackground(other, menu::back());
    }
    if (index >= 0 && index < kMarkSheetItemCount && items[index])
        platform::fillBackground(items[index], menu::hover());
}

void MarkSheetMenu::onItemClicked(int index) {
    // While a run prints, a click starts no second run and changes nothing.
    if (printRunActive())
        return;
    const MarkSheetItem* item = markSheetItem(index);
    if (!item)
        return;
    ClassData& data = menu::classData(form_);
    auto load = [this, &data](QString* error) {
        form_.commands().run(shell::MainCommand::LoadChosenClass);
        *error = data.loadError();
        return error->isEmpty();
    };
    auto fill = [this](QString* error) {
        fillHeaders();
        *error = fillError_;
        return error->isEmpty();
    };
    MarkSheetRunHost host(form_, load, fill, item->layout, item->caption, {});
    RunInputLock lock(form_);
    lastRun_ = runPrint(host);
}

void MarkSheetMenu::fillHeaders() {
    fillError_.clear();
    const std::optional<ClassLine> line = markClassLineOf(form_.classPicker->currentText());
    if (!line) {
        fillError_ = kBadClassNames;
        return;
    }
    ClassData& data = menu::classData(form_);
    data.HeaderGradeText = line->gradeText;
    data.HeaderClassText = line->classText;
    try {
        fillMarkSheetHeaders(menu::schoolHeader(form_), *line, data.ClassRecordset);
    } catch (const report::ReportError& e) {
        fillError_ = reportFailure(e.message());
    } catch (const data::DataError& e) {
        fillError_ = e.userMessage();
    }
}

void installMarkSheetMenus(shell::MainForm& form) {
    installNameListMenu(form);
    if (!markSheetMenu(form))
        new MarkSheetMenu(form);
    installQuranMenu(form);
}

MarkSheetMenu* markSheetMenu(shell::MainForm& form) {
    return form.findChild<MarkSheetMenu*>(QStringLiteral("MarkSheetMenu"),
                                          Qt::FindDirectChildrenOnly);
}

} // namespace sijill::reports
