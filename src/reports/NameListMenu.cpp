#include "reports/NameListMenu.h"

#include "data/DataError.h"
#include "platform/Background.h"
#include "platform/BidiText.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "reports/MainWindowRunHost.h"
#include "reports/NameListHeaders.h"
#include "reports/NameListItems.h"
#include "reports/NamesExport.h"
#include "reports/PrintMenuItem.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfileWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace sijill::reports {

using platform::twipsRect;

namespace {

const QColor kStrip(0xC0, 0xC0, 0xC0); // #C0C0C0

constexpr int kAbsenceItem = 15;
constexpr int kExcelExportItem = 16;
constexpr int kWordPortraitItem = 17;
constexpr int kWordLandscapeItem = 18;
const QString kScopeNotForExport =
    QStringLiteral("صُدّر الفصل المختار وحده: خيارا \"جميع الصف\" و\"جميع المدرسة\" للطباعة فقط.");

bool isExportItem(int index) {
    return index == kExcelExportItem || index == kWordPortraitItem || index == kWordLandscapeItem;
}

constexpr int kItemLeft = 800;
constexpr int kItemWidth = 3800;

struct Heading {
    int panel;
    int index;
    QString caption;
};

} // namespace

NameListMenu::NameListMenu(shell::MainForm& form) : QObject(&form), form_(form) {
    setObjectName(QStringLiteral("NameListMenu"));
    build();
    form_.commands().define(shell::MainCommand::LoadChosenClass, this,
                            [this] { loadChosenClass(); });
}

void NameListMenu::build() {
    const Heading panelHeadings[] = {
        {0, 2, QStringLiteral("عام")},
        {1, 3, QStringLiteral("يومي")},
        {2, 1, QStringLiteral("فترة متعدد المواد")},
        {3, 4, QStringLiteral("فترة مواد معينة")},
        {4, 0, QStringLiteral("تحفيظ القرآن")},
    };
    headings.assign(5, nullptr);
    for (const Heading& h : panelHeadings) {
        auto* label = new QLabel(h.caption, form_.printTabPanels.at(h.panel));
        label->setObjectName(QStringLiteral("nameListHeading%1").arg(h.index));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(platform::windowFreeFont(14, 500));
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        label->setGeometry(twipsRect(kItemLeft, 120, kItemWidth, 480));
        headings[h.index] = label;
    }

    items.assign(kNameListItemCount, nullptr);
    for (const NameListItem& item : nameListItems())
        items[item.index] =
            menu::item(QStringLiteral("nameListItem%1").arg(item.index), item.caption, item.top,
                       form_.printTabPanels.at(item.panel), this);

    exportStrip = new QFrame(form_.printTabPanels.at(0));
    exportStrip->setObjectName(QStringLiteral("exportStrip"));
    exportStrip->setGeometry(twipsRect(kItemLeft, 3000, kItemWidth, 45));
    platform::fillBackground(exportStrip, kStrip);
}

bool NameListMenu::eventFilter(QObject* watched, QEvent* event) {
    return menu::handleItemEvent(
               items, watched, event, [this](int i) { highlightItem(i); },
               [this](int i) { onItemClicked(i); }) ||
           QObject::eventFilter(watched, event);
}

void NameListMenu::highlightItem(int index) {
    // The mark-sheet menu's items share the highlight; it has fewer items.
    for (int j = 0; j < kNameListItemCount; ++j) {
        platform::fillBackground(items[j], menu::back());
        if (auto* other = form_.findChild<QLabel*>(QStringLiteral("markSheetItem%1").arg(j)))
            platform::fillBackground(other, menu::back());
    }
    platform::fillBackground(items.at(index), menu::hover());
}

void NameListMenu::onItemClicked(int index) {
    // While a run prints, a click starts no second run and changes nothing.
    if (printRunActive())
        return;
    // The monthly absence sheet: the action the attendance follow-up installs.
    if (index == kAbsenceItem) {
        form_.commands().run(shell::MainCommand::OpenAbsenceMonth);
        return;
    }
    if (index < 0 || index >= kNameListItemCount)
        return;
    if (index == kExcelExportItem)
        classData_.exports.ExportExcelFlag = true;
    classData_.exports.NameListIndex = index;
    if (index == kWordPortraitItem || index == kWordLandscapeItem)
        classData_.exports.ExportWordFlag = true;
    runItem(index);
}

void NameListMenu::runItem(int index) {
    const NameListItem& item = nameListItem(index);
    auto load = [this](QString* error) {
        loadChosenClass();
        *error = classData_.loadError();
        return error->isEmpty();
    };
    auto fill = [this](QString* error) {
        fillHeaders();
        *error = fillError_;
        return error->isEmpty();
    };
    MainWindowRunHost host(form_, load, fill, item.layout, item.caption,
                           [index] { prepareNameListItem(index); });
    RunInputLock lock(form_);
    lastRun_ = isExportItem(index) ? runChosenClassOnly(host) : runPrint(host);
    // A request the run did not carry out (refused, or no class loaded) ends
    // with the run, so no later load exports unasked.
    classData_.takeExportRequest();
}

void NameListMenu::loadChosenClass() {
    // Taken before the load: a load that fails drops the request with it.
    const ExportRequest request = classData_.takeExportRequest();
    if (!classData_.load(form_.classPicker->currentText()))
        return;
    runArmedExport(request);
}

void NameListMenu::runArmedExport(const ExportRequest& request) {
    if (!request.ExportExcelFlag && !request.ExportWordFlag)
        return;
    shell::SchoolProfile profile;
    try {
        profile = shell::schoolProfile();
    } catch (const data::DataError& e) {
        shell::tell(e.userMessage(), shell::Tone::Alarm);
        return;
    }
    ExportMessage message;
    {
        // The main window takes no input while the document is made, and is
        // given back however the making ends.
        platform::MainWindowHeld held(form_, request.ExportWordFlag && !request.ExportExcelFlag);
        message = carryOutNamesExport(
            request, profile, form_.classPicker->currentText(), classData_.ClassRecordset,
            [](const QString& path) {
                return shell::ask(
                           {kReplaceQuestion.arg(platform::shownPath(QFileInfo(path).fileName())),
                            shell::Buttons::YesNo, shell::YesEffect::Destroys}) ==
                       shell::Answer::Yes;
            });
    }
    // The scope boxes mean nothing for an export; a ticked one is answered.
    if (form_.wholeSchoolCheck->isChecked() || form_.wholeGradeCheck->isChecked())
        message.text +=
            (message.text.isEmpty() ? QString() : QStringLiteral("\r")) + kScopeNotForExport;
    if (!message.text.isEmpty())
        shell::tell(message.text, message.tone);
}

void NameListMenu::fillHeaders() {
    fillError_.clear();
    const std::optional<ClassLine> line = classLineOf(form_.classPicker->currentText());
    if (!line) {
        fillError_ = kBadClassNames;
        return;
    }
    classData_.HeaderGradeText = line->gradeText;
    classData_.HeaderClassText = line->classText;
    try {
        const shell::SchoolProfile profile = shell::schoolProfile();
        SchoolHeader school{profile.Admin, profile.School, profile.ThisYear,
                            form_.reportLogo->pixmap().toImage()};
        fillNameListHeaders(school, *line, classData_.ClassRecordset);
    } catch (const report::ReportError& e) {
        fillError_ = reportFailure(e.message());
    } catch (const data::DataError& e) {
        fillError_ = e.userMessage();
    }
}

NameListMenu* installNameListMenu(shell::MainForm& form) {
    if (NameListMenu* existing = nameListMenu(form))
        return existing;
    return new NameListMenu(form);
}

NameListMenu* nameListMenu(shell::MainForm& form) {
    return form.findChild<NameListMenu*>(QStringLiteral("NameListMenu"),
                                         Qt::FindDirectChildrenOnly);
}

namespace menu {

ClassData& classData(shell::MainForm& form) {
    return installNameListMenu(form)->classData();
}

SchoolHeader schoolHeader(shell::MainForm& form) {
    const shell::SchoolProfile profile = shell::schoolProfile();
    return {profile.Admin, profile.School, profile.ThisYear, form.reportLogo->pixmap().toImage()};
}

} // namespace menu

} // namespace sijill::reports
