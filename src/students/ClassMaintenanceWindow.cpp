#include "students/ClassMaintenanceWindow.h"

#include "data/DataError.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/OneWindow.h"
#include "platform/Presenters.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/Wait.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/MainForm.h"
#include "students/Artwork.h"
#include "students/ClassChanges.h"
#include "students/StudentLineDelegate.h"
#include "students/StudentsStore.h"
#include "students/Texts.h"
#include "students/TypedEntries.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace sijill::students {

using platform::twips;
using platform::twipsRect;

namespace {

const QColor kPanelGreen(0x1B, 0x6E, 0x3C);
constexpr std::uint32_t kPanelColour = 0xC8D0D4;

QFont arabicFont() {
    return platform::windowFont(12);
}
QFont boxFont() {
    return platform::designedFont(QStringLiteral("Tahoma"), 9.75);
}

void fill(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// The toolbar: a row of student buttons and a row of class buttons, drawn
// where the click areas lie.
QPixmap drawnToolbar() {
    QPixmap pm(twips(6435), twips(1170));
    pm.fill(platform::vbColor(kPanelColour));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(platform::windowFont(10, 700));
    struct Button {
        int left, top;
        QString caption;
    };
    const Button buttons[] = {
        {3645, 210, QStringLiteral("إضافة")},     {2640, 210, QStringLiteral("حذف")},
        {1635, 210, QStringLiteral("تعديل")},     {645, 210, QStringLiteral("نقل")},
        {3645, 645, QStringLiteral("إضافة فصل")}, {2640, 660, QStringLiteral("حذف فصل")},
    };
    for (const Button& b : buttons) {
        p.setFont(platform::windowFont(b.top > 400 ? 8 : 10, 700));
        const QRectF r = QRectF(twipsRect(b.left, b.top, 960, 360)).adjusted(1, 1, -1, -1);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x3A, 0x9D, 0x63));
        g.setColorAt(1, kPanelGreen);
        p.setBrush(g);
        p.setPen(QPen(kPanelGreen.darker(130), 1));
        p.drawRoundedRect(r, 5, 5);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, b.caption);
    }
    p.setFont(platform::windowFont(10, 700));
    p.setPen(kPanelGreen.darker(120));
    p.drawText(twipsRect(4700, 210, 1600, 360), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("الطلاب"));
    p.drawText(twipsRect(4700, 650, 1600, 360), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("الفصول"));
    return pm;
}

QLineEdit* makeBox(QWidget* parent, const char* name, int left, int top, int width, int height,
                   const QFont& font) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twipsRect(left, top, width, height));
    box->setFont(font);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left,
                        int top, int width, int height) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsRect(left, top, width, height));
    b->setFont(arabicFont());
    b->setAutoDefault(false);
    return b;
}

void systemMessage(const QString& text, const QString& title = {},
                   QMessageBox::Icon icon = QMessageBox::Information) {
    platform::showSystemMessage(
        {title, text, QMessageBox::Ok, icon, platform::YesDoes::NoQuestion});
}

void tellFailure(const data::DataError& e) {
    shell::tell(e.userMessage(), shell::Tone::Alarm);
}

// A class item shows its joined text and keeps its fields beside it, so a
// class is read back by its fields whatever its name holds.
void addClassItem(QComboBox* box, const ClassItem& cls) {
    box->addItem(cls.text(), QStringList{cls.kind, cls.grade, cls.cls});
}

ClassItem classItemAt(const QComboBox* box, int index) {
    const QStringList f = box->itemData(index).toStringList();
    if (f.size() == 3)
        return {f[0], f[1], f[2]};
    return ClassItem::parse(box->itemText(index));
}

// ClassCounts must agree with the students as they are: collected again after
// every change of students.
void recountClasses() {
    if (shell::MainForm* m = shell::mainForm())
        m->refreshClassCounts();
}

} // namespace

ClassMaintenanceWindow::ClassMaintenanceWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("ClassMaintenanceWindow"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(texts::kReorderCaption);
    shell::childOfMainForm(this, this);
    setFont(arabicFont());
    build();
}

QLabel* ClassMaintenanceWindow::makeCaption(QWidget* parent, const QString& text, int left,
                                            int top) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("panelCaption%1").arg(panelCaptions.size()));
    l->setFont(arabicFont());
    l->adjustSize();
    // The substitute fonts are wider than the designed ones: keep the caption
    // inside its panel.
    const int x = std::min(twips(left), parent->width() - l->width() - 4);
    l->move(std::max(0, x), twips(top));
    l->installEventFilter(this);
    panelCaptions.push_back(l);
    return l;
}

QWidget* ClassMaintenanceWindow::makePanel(const char* name, const QString& title, int heightTw,
                                           QLabel** closer) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Box);
    panel->resize(twips(6600), twips(heightTw));
    fill(panel, platform::vbColor(kPanelColour));
    auto* band = new QLabel(panel);
    band->setObjectName(QString::fromLatin1(name) + QStringLiteral("Title"));
    band->setGeometry(0, 0, twips(6600), twips(420));
    band->setPixmap(drawnTitleBand(band->size(), title, 11));
    *closer = new QLabel(band);
    (*closer)->setGeometry(twips(60), twips(45), twips(330), twips(330));
    (*closer)->setPixmap(drawnCloseButton(twips(330)));
    (*closer)->setCursor(Qt::PointingHandCursor);
    (*closer)->installEventFilter(this);
    panel->hide();
    return panel;
}

void ClassMaintenanceWindow::build() {
    fill(this, platform::vbColor(kPanelColour));
    auto* band = new QLabel(this);
    band->setObjectName(QStringLiteral("TitleBand"));
    band->setGeometry(0, 0, twips(6810), twips(435));
    band->setPixmap(drawnTitleBand(band->size(), texts::kReorderCaption, 11));

    closePicture = new QLabel(this);
    closePicture->setObjectName(QStringLiteral("closePicture"));
    closePicture->setGeometry(twipsRect(75, 45, 390, 375));
    closePicture->setPixmap(drawnCloseButton(twips(345)));
    closePicture->setCursor(Qt::PointingHandCursor);
    closePicture->installEventFilter(this);

    windowBorder = new QFrame(this);
    windowBorder->setObjectName(QStringLiteral("windowBorder"));
    windowBorder->setFrameShape(QFrame::Box);
    windowBorder->setAttribute(Qt::WA_TransparentForMouseEvents);

    listPanel = new QWidget(this);
    listPanel->setObjectName(QStringLiteral("listPanel"));
    listPanel->setGeometry(twipsRect(90, 435, 6510, 10000));

    // panelCaptions(0) and (1): the captions of the class selector.
    makeCaption(listPanel, QStringLiteral("عرض حسب"), 5130, 540);
    makeCaption(listPanel, texts::kClassCaption, 5070, 75);

    classPicker = new QComboBox(listPanel);
    classPicker->setObjectName(QStringLiteral("classPicker"));
    classPicker->setGeometry(twipsRect(90, 30, 4635, 420));
    classPicker->setFont(arabicFont());
    connect(classPicker, &QComboBox::activated, this, [this] { onClassChosen(); });

    studentList = new QListWidget(listPanel);
    studentList->setObjectName(QStringLiteral("studentList"));
    studentList->setGeometry(twipsRect(165, 1005, 6315, 7725));
    // Designed at 12 pt; the substitute font at that size cuts the phone
    // number off the end of a line.
    studentList->setFont(platform::windowFreeFont(10, 500));
    // A click picks one line; Ctrl and Shift pick more.
    studentList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    studentList->setItemDelegate(new StudentLineDelegate(studentList));
    connect(studentList, &QListWidget::itemClicked, this, [this] { onListClicked(); });

    toolbarPicture = new QLabel(listPanel);
    toolbarPicture->setObjectName(QStringLiteral("toolbarPicture"));
    toolbarPicture->setGeometry(twipsRect(0, 8775, 6435, 1170));
    toolbarPicture->setPixmap(drawnToolbar());
    const int areas[6][2] = {{3645, 210}, {2640, 210}, {1635, 210},
                             {3645, 645}, {2640, 660}, {645, 210}};
    for (int i = 0; i < 6; ++i) {
        auto* area = new QLabel(toolbarPicture);
        area->setObjectName(QStringLiteral("toolbarButton%1").arg(i));
        area->setGeometry(twipsRect(areas[i][0], areas[i][1], 960, 360));
        area->setCursor(Qt::PointingHandCursor);
        area->installEventFilter(this);
        toolbarButtons.push_back(area);
    }

    busyCheck = new QCheckBox(this);
    busyCheck->setObjectName(QStringLiteral("busyCheck"));
    busyCheck->hide();
    saveClassListButton = new QPushButton(QStringLiteral("Save it"), this);
    saveClassListButton->setObjectName(QStringLiteral("saveClassListButton"));
    saveClassListButton->hide();
    connect(saveClassListButton, &QPushButton::clicked, this, [this] { onSaveClassListClicked(); });

    // Add student.
    addStudentPanel =
        makePanel("addStudentPanel", QStringLiteral("إضافة بيانات طالب"), 2310, &addStudentCloser);
    addStudentFields.push_back(
        makeBox(addStudentPanel, "addStudentField0", 75, 495, 5085, 495, arabicFont()));
    addStudentFields.push_back(
        makeBox(addStudentPanel, "addStudentField1", 3750, 1080, 1260, 375, boxFont()));
    addStudentFields.push_back(
        makeBox(addStudentPanel, "addStudentField2", 4425, 1635, 750, 375, boxFont()));
    addStudentFields.push_back(
        makeBox(addStudentPanel, "addStudentField3", 1875, 1770, 990, 375, boxFont()));
    addStudentFields[3]->setText(QStringLiteral("123"));
    addFilled_ = addBoxes();
    makeCaption(addStudentPanel, texts::kNameCaption, 5250, 540);
    makeCaption(addStudentPanel, texts::kCivilCaption, 5250, 1080);
    makeCaption(addStudentPanel, texts::kNumberCaption, 5250, 1650);
    makeCaption(addStudentPanel, texts::kGradeCaption, 2940, 1080);
    makeCaption(addStudentPanel, texts::kPhoneCaption, 2940, 1785);
    addStudentClassPicker = new QComboBox(addStudentPanel);
    addStudentClassPicker->setObjectName(QStringLiteral("addStudentClassPicker"));
    addStudentClassPicker->setGeometry(twipsRect(90, 1050, 2805, 480));
    addStudentClassPicker->setFont(arabicFont());
    connect(addStudentClassPicker, &QComboBox::activated, this,
            [this] { onAddStudentClassChosen(); });
    addStudentButton =
        makeButton(addStudentPanel, "addStudentButton", texts::kAddCaption, 135, 1695, 1665, 495);
    connect(addStudentButton, &QPushButton::clicked, this, [this] { onAddStudentClicked(); });

    // Edit name and order.
    editPanel = makePanel("editPanel", QStringLiteral("تعديل الاسم والترتيب"), 2310, &editCloser);
    editFields.resize(7, nullptr);
    editFields[4] = makeBox(editPanel, "editField4", 105, 615, 4185, 495, arabicFont());
    editFields[3] = makeBox(editPanel, "editField3", 5100, 660, 750, 375, boxFont());
    editFields[5] = makeBox(editPanel, "editField5", 2745, 1245, 1545, 375, boxFont());
    editFields[6] = makeBox(editPanel, "editField6", 2745, 1695, 1545, 375, boxFont());
    makeCaption(editPanel, texts::kNameCaption, 4350, 660);
    makeCaption(editPanel, texts::kNumberCaption, 5900, 660);
    makeCaption(editPanel, texts::kCivilCaption, 4350, 1245);
    makeCaption(editPanel, texts::kPhoneCaption, 4350, 1695);
    saveEditButton =
        makeButton(editPanel, "saveEditButton", texts::kEditCaption, 105, 1200, 2295, 465);
    renumberButton =
        makeButton(editPanel, "renumberButton", texts::kRenumberCaption, 120, 1755, 2295, 465);
    // Designed at 12 pt; the substitute font needs 11 pt to keep the caption
    // inside the button.
    renumberButton->setFont(platform::windowFreeFont(11, 500));
    connect(saveEditButton, &QPushButton::clicked, this, [this] { onSaveEditClicked(); });
    connect(renumberButton, &QPushButton::clicked, this, [this] { onRenumberClicked(); });

    // Add class.
    addClassPanel = makePanel("addClassPanel", QStringLiteral("إضافة فصل"), 2310, &addClassCloser);
    editFields[0] = makeBox(addClassPanel, "editField0", 3420, 720, 2055, 495, arabicFont());
    editFields[2] = makeBox(addClassPanel, "editField2", 3420, 1245, 2055, 495, arabicFont());
    editFields[1] = makeBox(addClassPanel, "editField1", 1875, 1275, 555, 495, arabicFont());
    makeCaption(addClassPanel, texts::kKindCaption, 5550, 765);
    makeCaption(addClassPanel, texts::kGradeCaption, 5550, 1290);
    makeCaption(addClassPanel, texts::kClassBoxCaption, 2500, 1320);
    addClassButton =
        makeButton(addClassPanel, "addClassButton", texts::kAddCaption, 165, 1320, 900, 495);
    connect(addClassButton, &QPushButton::clicked, this, [this] { onAddClassClicked(); });

    // Delete student.
    deletePanel = makePanel("deletePanel", QStringLiteral("حذف بيانات طالب"), 1245, &deleteCloser);
    {
        QLabel* name = makeCaption(deletePanel, texts::kNumberCaption, 1395, 630);
        name->setGeometry(twipsRect(1395, 630, 4995, 360));
        name->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        std::swap(panelCaptions[2], panelCaptions.back()); // the name label is panelCaptions(2)
    }
    deleteStudentButton =
        makeButton(deletePanel, "deleteStudentButton", texts::kDeleteCaption, 165, 615, 1065, 480);
    connect(deleteStudentButton, &QPushButton::clicked, this, [this] { onDeleteStudentClicked(); });

    // Move students, or remove a class.
    movePanel = makePanel("movePanel", QString(), 2310, &moveCloser);
    targetClassPicker = new QComboBox(movePanel);
    targetClassPicker->setObjectName(QStringLiteral("targetClassPicker"));
    targetClassPicker->setGeometry(twipsRect(1815, 1080, 2715, 480));
    targetClassPicker->setFont(arabicFont());
    moveCaption = new QLabel(QStringLiteral("Label1"), movePanel);
    moveCaption->setObjectName(QStringLiteral("moveCaption"));
    moveCaption->setGeometry(twipsRect(1050, 645, 4170, 285));
    moveCaption->setAlignment(Qt::AlignCenter);
    moveButton = makeButton(movePanel, "moveButton", texts::kMoveCaption, 4620, 1095, 1725, 495);
    removeClassButton =
        makeButton(movePanel, "removeClassButton", texts::kDeleteCaption, 495, 1065, 1260, 495);
    connect(moveButton, &QPushButton::clicked, this, [this] { onMoveClicked(); });
    connect(removeClassButton, &QPushButton::clicked, this, [this] { onRemoveClassClicked(); });
}

void ClassMaintenanceWindow::formLoad() {
    QStringList keys;
    if (shell::MainForm* m = shell::mainForm()) {
        // The main window's list is left on its last class, as reading it
        // item by item leaves it.
        for (int i = 0; i < m->classPicker->count(); ++i) {
            m->classPicker->setCurrentIndex(i);
            keys << m->classPicker->currentText();
        }
    }
    formLoad(keys);
}

void ClassMaintenanceWindow::formLoad(const QStringList& classKeys) {
    if (shell::MainForm* m = shell::mainForm()) {
        const QRect g = m->geometry();
        setGeometry(g.x() + twips(1800), g.y(), twips(6810), g.height());
    } else {
        resize(twips(6810), twips(10520));
    }
    windowBorder->setGeometry(0, 0, width(), height());
    listPanel->setGeometry(twipsRect(90, 435, 6510, 10000));
    deletePanel->move(twips(45), twips(9150));
    for (QWidget* p : {movePanel, addStudentPanel, editPanel, addClassPanel})
        p->move(twips(45), twips(8085));
    for (QWidget* p : {deletePanel, movePanel, addStudentPanel, editPanel, addClassPanel})
        p->raise();
    windowBorder->raise();
    fillClassSelectors(classKeys);
    platform::select(classPicker, 0, [this] { onClassChosen(); });
    platform::select(targetClassPicker, 0);
}

void ClassMaintenanceWindow::fillClassSelectors(const QStringList& classKeys) {
    classPicker->clear();
    targetClassPicker->clear();
    classPicker->addItem(texts::kAllStudents);
    for (const QString& key : classKeys) {
        const ClassItem item = ClassItem::fromClassKey(key);
        addClassItem(classPicker, item);
        addClassItem(targetClassPicker, item);
    }
}

void ClassMaintenanceWindow::showPanel(QWidget* panel) {
    // Panels share one place; the one opened last lies on top.
    panel->show();
    panel->raise();
}

void ClassMaintenanceWindow::relist() {
    onClassChosen();
}

void ClassMaintenanceWindow::onClassChosen() {
    if (busyCheck->isChecked())
        return;
    std::optional<ClassItem> cls;
    if (classPicker->currentIndex() > 0 && classPicker->currentText() != texts::kAllStudents)
        cls = classItemAt(classPicker, classPicker->currentIndex());
    studentList->clear();
    lines_.clear();
    try {
        lines_ = listStudents(cls);
    } catch (const data::DataError& e) {
        tellFailure(e);
        return;
    }
    for (const StudentLine& l : lines_) {
        auto* item = new QListWidgetItem(l.text());
        item->setData(StudentLineDelegate::kNumberRole, l.number);
        item->setData(StudentLineDelegate::kRestRole, StudentLineDelegate::restOf(l));
        studentList->addItem(item);
    }
    studentList->selectionModel()->clear();
}

const StudentLine* ClassMaintenanceWindow::currentLine() const {
    const int row = studentList->currentRow();
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return nullptr;
    return &lines_[row];
}

std::vector<StudentLine> ClassMaintenanceWindow::selectedLines() const {
    std::vector<StudentLine> out;
    for (int row = 0; row < studentList->count() && row < static_cast<int>(lines_.size()); ++row)
        if (studentList->item(row)->isSelected())
            out.push_back(lines_[row]);
    return out;
}

void ClassMaintenanceWindow::onAddStudentClassChosen() {
    platform::select(classPicker, addStudentClassPicker->currentIndex() + 1,
                     [this] { onClassChosen(); });
}

void ClassMaintenanceWindow::onListClicked() {
    editPanel->hide();
}

void ClassMaintenanceWindow::onCaptionClicked(int) {
    showPanel(addClassPanel);
}

void ClassMaintenanceWindow::onToolbarClicked(int index) {
    const StudentLine* line = currentLine();
    switch (index) {
    case 0: // add a student
        showPanel(addStudentPanel);
        addStudentClassPicker->clear();
        for (int i = 0; i < targetClassPicker->count(); ++i)
            addClassItem(addStudentClassPicker, classItemAt(targetClassPicker, i));
        if (targetClassPicker->count() > 0)
            targetClassPicker->setCurrentIndex(targetClassPicker->count() - 1);
        platform::select(addStudentClassPicker, 0, [this] { onAddStudentClassChosen(); });
        break;
    case 1: // delete a student
        if (!line)
            return;
        studentList->setEnabled(false);
        panelCaptions[2]->setText(QLatin1Char(' ') + line->name + QLatin1Char(' '));
        platform::select(targetClassPicker, 0);
        showPanel(deletePanel);
        break;
    case 2: // edit
        if (!line)
            return; // nothing to edit without a current line
        editId_ = line->id;
        editFields[3]->setText(line->number.trimmed());
        editFields[4]->setText(line->name.trimmed());
        editFields[5]->setText(line->civil.trimmed());
        editFields[6]->setText(line->phone.trimmed());
        editFilled_ = editTexts();
        showPanel(editPanel);
        break;
    case 3: // add a class
        showPanel(addClassPanel);
        if (classPicker->count() > 1)
            platform::select(classPicker, 1, [this] { onClassChosen(); });
        addStudentFields[2]->setText(
            classItemAt(targetClassPicker, targetClassPicker->currentIndex()).kind);
        addFilled_.number = addBoxes().number;
        break;
    case 4: // remove a class
        movePanel->findChild<QLabel*>(QStringLiteral("movePanelTitle"))
            ->setPixmap(drawnTitleBand(QSize(twips(6600), twips(420)),
                                       QStringLiteral("حذف بيانات فصل"), 11));
        removeClassButton->show();
        moveCaption->hide();
        moveButton->hide();
        studentList->setEnabled(false);
        showPanel(movePanel);
        break;
    case 5: // move students
        if (!line || selectedLines().empty())
            return;
        movePanel->findChild<QLabel*>(QStringLiteral("movePanelTitle"))
            ->setPixmap(
                drawnTitleBand(QSize(twips(6600), twips(420)), QStringLiteral("نقل الطلاب"), 11));
        removeClassButton->hide();
        moveCaption->show();
        moveButton->show();
        studentList->setEnabled(false);
        moveCaption->setText(studentsNamed(selectedLines()));
        platform::select(targetClassPicker, 0);
        showPanel(movePanel);
        break;
    default:
        break;
    }
}

void ClassMaintenanceWindow::onRenumberClicked() {
    if (classPicker->currentIndex() <= 0) {
        systemMessage(texts::kNoSchoolRenumber);
        activateWindow();
        return;
    }
    editPanel->hide();
    std::vector<qint64> ids;
    for (const StudentLine& l : lines_)
        ids.push_back(l.id);
    try {
        renumberStudents(ids);
    } catch (const data::DataError& e) {
        tellFailure(e);
        return;
    }
    recountClasses();
    relist();
    systemMessage(texts::kRenumbered);
}

void ClassMaintenanceWindow::onAddStudentClicked() {
    if (addStudentClassPicker->currentIndex() < 0)
        return;
    const NewStudent typed = addBoxes();
    if (!mayStore(typed, addFilled_))
        return;
    const ClassItem target =
        classItemAt(addStudentClassPicker, addStudentClassPicker->currentIndex());
    try {
        addStudent(typed, target);
    } catch (const data::DataError& e) {
        tellFailure(e);
        return;
    }
    recountClasses();
    systemMessage(texts::kAdded);
    platform::Wait(0.5);
    relist();
    renumberButton->click();
}

void ClassMaintenanceWindow::onSaveEditClicked() {
    saveEdit();
}

QStringList ClassMaintenanceWindow::editTexts() const {
    return {editFields[3]->text(), editFields[4]->text(), editFields[5]->text(),
            editFields[6]->text()};
}

NewStudent ClassMaintenanceWindow::addBoxes() const {
    return typedStudent({addStudentFields[0]->text(), addStudentFields[1]->text(),
                         addStudentFields[2]->text(), addStudentFields[3]->text()});
}

NewStudent ClassMaintenanceWindow::editBoxes(const QStringList& texts) {
    return typedStudent({texts[1], texts[2], texts[0], texts[3]});
}

bool ClassMaintenanceWindow::mayStore(const NewStudent& typed, const NewStudent& filled) {
    if (const QString problem = studentEntryProblem(typed, filled); !problem.isEmpty()) {
        shell::tell(problem, shell::Tone::Alarm);
        return false;
    }
    if (const QString question = civilNumberQuestion(typed, filled); !question.isEmpty()) {
        // Only yes stores: No, or the box closed without an answer, leaves
        // the typed number in its box to correct.
        return shell::ask({question, shell::Buttons::YesNo, shell::YesEffect::Keeps}) ==
               shell::Answer::Yes;
    }
    return true;
}

bool ClassMaintenanceWindow::hasTypedEdits() const {
    return !editPanel->isHidden() && editId_ != 0 && editTexts() != editFilled_;
}

bool ClassMaintenanceWindow::saveTypedEdits() {
    return saveEdit();
}

QString ClassMaintenanceWindow::typedEditsQuestion() const {
    return texts::kAskSaveEditOnClose;
}

bool ClassMaintenanceWindow::saveEdit() {
    if (editId_ == 0)
        return false;
    const NewStudent typed = editBoxes(editTexts());
    if (!mayStore(typed, editBoxes(editFilled_)))
        return false;
    try {
        editStudent(editId_, typed.number, typed.name, typed.civil, typed.phone);
    } catch (const data::DataError& e) {
        tellFailure(e);
        return false;
    }
    // The boxes show what was stored: a number of one digit with its "0".
    editFields[3]->setText(paddedNumber(typed.number));
    editFields[4]->setText(typed.name);
    editFields[5]->setText(typed.civil);
    editFields[6]->setText(typed.phone);
    editFilled_ = editTexts();
    recountClasses();
    const int chosen = classPicker->currentIndex();
    studentList->hide();
    platform::select(classPicker, 0, [this] { onClassChosen(); });
    platform::Wait(0.5);
    platform::select(classPicker, chosen, [this] { onClassChosen(); });
    studentList->show();
    shell::tell(texts::kEdited);
    return true;
}

void ClassMaintenanceWindow::onDeleteStudentClicked() {
    const StudentLine* line = currentLine();
    if (studentList->count() == 0 || !line)
        return;
    const QString name = QLatin1Char(' ') + line->name + QLatin1Char(' ');
    const qint64 id = line->id;
    if (shell::ask({texts::kDeleteQuestion + name, shell::Buttons::YesNo,
                    shell::YesEffect::Destroys,
                    shell::QtBox{programTitle(), QMessageBox::Question}}) != shell::Answer::Yes)
        return;
    try {
        deleteStudent(id);
    } catch (const data::DataError& e) {
        tellFailure(e);
        return;
    }
    recountClasses();
    // The edit panel must not outlive its row: a new row may take its id.
    if (id == editId_) {
        editPanel->hide();
        editId_ = 0;
    }
    relist();
    systemMessage(texts::kDeleted + name);
}

void ClassMaintenanceWindow::onMoveClicked() {
    const std::vector<StudentLine> chosen = selectedLines();
    if (chosen.empty() || targetClassPicker->currentIndex() < 0)
        return;
    const ClassItem target = classItemAt(targetClassPicker, targetClassPicker->currentIndex());
    if (const std::vector<StudentLine> own = alreadyInClass(chosen, target); !own.empty()) {
        shell::tell(QStringLiteral("لا يمكن نقل الطالب أو نسخه إلى فصله نفسه:\r\n%1")
                        .arg(studentsNamed(own)),
                    shell::Tone::Alarm);
        return;
    }
    const QString question = studentsNamed(chosen) + QStringLiteral("\r\n") +
                             texts::kCopyQuestion1 + QStringLiteral("\r\n \r\n") +
                             texts::kCopyQuestion3a + texts::kCopyQuestion3b +
                             QStringLiteral("\r\n") + texts::kCopyQuestion4;
    const shell::Answer answer = shell::ask(
        {question, shell::Buttons::YesNoCancel, shell::YesEffect::Keeps, shell::Tone::Alarm});
    if (answer == shell::Answer::Cancel) {
        movePanel->hide();
        studentList->setEnabled(true);
        return;
    }
    if (answer != shell::Answer::Yes && answer != shell::Answer::No)
        return; // closed without an answer: nothing moves
    const bool copy = answer == shell::Answer::Yes;
    try {
        if (copy) {
            copyStudents(chosen, target);
        } else {
            std::vector<qint64> ids;
            for (const StudentLine& l : chosen)
                ids.push_back(l.id);
            moveStudents(ids, target);
        }
    } catch (const data::DataError& e) {
        tellFailure(e);
        return;
    }
    recountClasses();
    relist();
    systemMessage(texts::kMoved);
}

void ClassMaintenanceWindow::onAddClassClicked() {
    const int chosen = classPicker->currentIndex();
    const ClassItem cls =
        typedClass(editFields[0]->text(), editFields[2]->text(), editFields[1]->text());
    if (const QString problem = classEntryProblem(cls); !problem.isEmpty()) {
        shell::tell(problem, shell::Tone::Alarm);
        return;
    }
    AddClassResult result;
    try {
        result = addClass(cls);
    } catch (const data::DataError& e) {
        tellFailure(e);
        return;
    }
    if (result == AddClassResult::AlreadyThere) {
        shell::tell(QStringLiteral("هذا الفصل موجود في قائمة الفصول: ") + cls.grade +
                        QStringLiteral(" - ") + cls.cls,
                    shell::Tone::Alarm);
        return;
    }
    if (result != AddClassResult::Added)
        return;
    addClassItem(classPicker, cls);
    addClassItem(targetClassPicker, cls);
    systemMessage(texts::kAdded);
    platform::select(classPicker, chosen, [this] { onClassChosen(); });
}

void ClassMaintenanceWindow::onRemoveClassClicked() {
    if (targetClassPicker->count() < 2) {
        shell::tell(texts::kLastClass);
        return;
    }
    const int index = targetClassPicker->currentIndex();
    if (index < 0)
        return;
    const QString item = targetClassPicker->currentText();
    const ClassItem cls = classItemAt(targetClassPicker, index);
    if (cls.cls == QStringLiteral("*")) {
        shell::tell(texts::kAllNamesGroup);
        return;
    }
    if (shell::ask({texts::kRemoveClassQuestion + item, shell::Buttons::OkCancel,
                    shell::YesEffect::Destroys}) != shell::Answer::Ok)
        return; // Cancel, or closed without an answer
    // The class-list file is written with the removal, not after it, so a
    // file that cannot be written stops the removal before it deletes.
    QStringList remaining;
    for (int i = 1; i < classPicker->count(); ++i)
        if (i != index + 1)
            remaining << classPicker->itemText(i);
    const ClassRemoval removal = removeClassAndSaveList(cls, remaining);
    if (!removal.deleted) {
        shell::tell(removal.message, shell::Tone::Alarm);
        return;
    }
    recountClasses();
    classPicker->removeItem(index + 1);
    targetClassPicker->removeItem(index);
    platform::select(targetClassPicker, 0);
    platform::select(classPicker, 0, [this] { onClassChosen(); });
    if (!removal.message.isEmpty())
        shell::tell(removal.message, shell::Tone::Alarm);
    reloadMainClassList();
}

void ClassMaintenanceWindow::onSaveClassListClicked() {
    busyCheck->setChecked(true);
    QStringList items;
    for (int i = 1; i < classPicker->count(); ++i)
        items << classPicker->itemText(i);
    const std::optional<QString> failure = saveClassListFile(items);
    busyCheck->setChecked(false);
    if (failure)
        shell::tell(*failure, shell::Tone::Alarm);
    reloadMainClassList();
}

void ClassMaintenanceWindow::reloadMainClassList() {
    try {
        // A failure of the reload comes back here.
        shell::runMainCommand(shell::MainCommand::ReloadClassList);
    } catch (const data::DataError& e) {
        tellFailure(e);
    }
}

QString ClassMaintenanceWindow::programTitle() const {
    if (shell::MainForm* m = shell::mainForm())
        return m->windowTitle();
    return QString();
}

bool ClassMaintenanceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    if (watched == closePicture) {
        close();
        return true;
    }
    if (watched == addStudentCloser) {
        addStudentPanel->hide();
        return true;
    }
    if (watched == editCloser) {
        editPanel->hide();
        return true;
    }
    if (watched == addClassCloser) {
        addClassPanel->hide();
        return true;
    }
    if (watched == deleteCloser) {
        studentList->setEnabled(true);
        deletePanel->hide();
        return true;
    }
    if (watched == moveCloser) {
        studentList->setEnabled(true);
        movePanel->hide();
        return true;
    }
    for (size_t i = 0; i < toolbarButtons.size(); ++i) {
        if (watched == toolbarButtons[i]) {
            onToolbarClicked(static_cast<int>(i));
            return true;
        }
    }
    for (size_t i = 0; i < panelCaptions.size(); ++i) {
        if (watched == panelCaptions[i]) {
            onCaptionClicked(static_cast<int>(i));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ClassMaintenanceWindow::closeEvent(QCloseEvent* event) {
    // A class added here must be in the main window's list for every print.
    reloadMainClassList();
    event->accept();
}

ClassMaintenanceWindow* openClassMaintenance() {
    shell::MainForm* m = shell::mainForm();
    platform::holdMainWindow(m);
    QPointer<ClassMaintenanceWindow>& open = platform::openWindow<ClassMaintenanceWindow>();
    if (!open) {
        open = new ClassMaintenanceWindow;
        open->setAttribute(Qt::WA_DeleteOnClose);
        open->formLoad();
    }
    ClassMaintenanceWindow* w = open;
    platform::ChildWindow::of(w)->open(m);
    if (!m || m->classPicker->count() == 0) {
        shell::tell(texts::kNoClasses);
        w->close();
        return nullptr;
    }
    return w;
}

ClassMaintenanceWindow* loadedClassMaintenance() {
    return platform::openWindow<ClassMaintenanceWindow>().data();
}

} // namespace sijill::students
