#include "students/StudentsReorder.h"

#include "data/DataError.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
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

QPointer<StudentsReorder>& instance() {
    static QPointer<StudentsReorder> p;
    return p;
}

QFont arabicFont() {
    return platform::designedFont(QStringLiteral("Al Ruvo Cool"), 12);
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
    p.setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 10, 700));
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
        p.setFont(
            platform::designedFont(QStringLiteral("Al Ruvo Cool"), b.top > 400 ? 8 : 10, 700));
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
    p.setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 10, 700));
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

StudentsReorder::StudentsReorder() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("StudentsReorder"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(texts::kReorderCaption);
    shell::childOfMainForm(this, this);
    setFont(arabicFont());
    build();
}

QLabel* StudentsReorder::makeCaption(QWidget* parent, const QString& text, int left, int top) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label4_%1").arg(Label4.size()));
    l->setFont(arabicFont());
    l->adjustSize();
    // The substitute fonts are wider than the designed ones: keep the caption
    // inside its panel.
    const int x = std::min(twips(left), parent->width() - l->width() - 4);
    l->move(std::max(0, x), twips(top));
    l->installEventFilter(this);
    Label4.push_back(l);
    return l;
}

QWidget* StudentsReorder::makePanel(const char* name, const QString& title, int heightTw,
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

void StudentsReorder::build() {
    fill(this, platform::vbColor(kPanelColour));
    auto* band = new QLabel(this);
    band->setObjectName(QStringLiteral("TitleBand"));
    band->setGeometry(0, 0, twips(6810), twips(435));
    band->setPixmap(drawnTitleBand(band->size(), texts::kReorderCaption, 11));

    ImNew = new QLabel(this);
    ImNew->setObjectName(QStringLiteral("ImNew"));
    ImNew->setGeometry(twipsRect(75, 45, 390, 375));
    ImNew->setPixmap(drawnCloseButton(twips(345)));
    ImNew->setCursor(Qt::PointingHandCursor);
    ImNew->installEventFilter(this);

    MyBorder = new QFrame(this);
    MyBorder->setObjectName(QStringLiteral("MyBorder"));
    MyBorder->setFrameShape(QFrame::Box);
    MyBorder->setAttribute(Qt::WA_TransparentForMouseEvents);

    PicNew = new QWidget(this);
    PicNew->setObjectName(QStringLiteral("PicNew"));
    PicNew->setGeometry(twipsRect(90, 435, 6510, 10000));

    // Label4(0) and (1): the captions of the class selector.
    makeCaption(PicNew, QStringLiteral("عرض حسب"), 5130, 540);
    makeCaption(PicNew, texts::kClassCaption, 5070, 75);

    Combo4 = new QComboBox(PicNew);
    Combo4->setObjectName(QStringLiteral("Combo4"));
    Combo4->setGeometry(twipsRect(90, 30, 4635, 420));
    Combo4->setFont(arabicFont());
    connect(Combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });

    SelectList = new QListWidget(PicNew);
    SelectList->setObjectName(QStringLiteral("SelectList"));
    SelectList->setGeometry(twipsRect(165, 1005, 6315, 7725));
    // Designed at 12 pt; the substitute font at that size cuts the phone
    // number off the end of a line.
    SelectList->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool-Free"), 10, 500));
    // A click picks one line; Ctrl and Shift pick more.
    SelectList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SelectList->setItemDelegate(new StudentLineDelegate(SelectList));
    connect(SelectList, &QListWidget::itemClicked, this, [this] { SelectList_Click(); });

    Picture2 = new QLabel(PicNew);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twipsRect(0, 8775, 6435, 1170));
    Picture2->setPixmap(drawnToolbar());
    const int areas[6][2] = {{3645, 210}, {2640, 210}, {1635, 210},
                             {3645, 645}, {2640, 660}, {645, 210}};
    for (int i = 0; i < 6; ++i) {
        auto* area = new QLabel(Picture2);
        area->setObjectName(QStringLiteral("Image5_%1").arg(i));
        area->setGeometry(twipsRect(areas[i][0], areas[i][1], 960, 360));
        area->setCursor(Qt::PointingHandCursor);
        area->installEventFilter(this);
        Image5.push_back(area);
    }

    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->hide();
    SaveIt = new QPushButton(QStringLiteral("Save it"), this);
    SaveIt->setObjectName(QStringLiteral("SaveIt"));
    SaveIt->hide();
    connect(SaveIt, &QPushButton::clicked, this, [this] { SaveIt_Click(); });

    // Add student.
    PicAddStudent = makePanel("PicAddStudent", QStringLiteral("إضافة بيانات طالب"), 2310, &Image2);
    txAddNewName.push_back(
        makeBox(PicAddStudent, "txAddNewName0", 75, 495, 5085, 495, arabicFont()));
    txAddNewName.push_back(
        makeBox(PicAddStudent, "txAddNewName1", 3750, 1080, 1260, 375, boxFont()));
    txAddNewName.push_back(
        makeBox(PicAddStudent, "txAddNewName2", 4425, 1635, 750, 375, boxFont()));
    txAddNewName.push_back(
        makeBox(PicAddStudent, "txAddNewName3", 1875, 1770, 990, 375, boxFont()));
    txAddNewName[3]->setText(QStringLiteral("123"));
    addFilled_ = addBoxes();
    makeCaption(PicAddStudent, texts::kNameCaption, 5250, 540);
    makeCaption(PicAddStudent, texts::kCivilCaption, 5250, 1080);
    makeCaption(PicAddStudent, texts::kNumberCaption, 5250, 1650);
    makeCaption(PicAddStudent, texts::kGradeCaption, 2940, 1080);
    makeCaption(PicAddStudent, texts::kPhoneCaption, 2940, 1785);
    ComboAddNewName = new QComboBox(PicAddStudent);
    ComboAddNewName->setObjectName(QStringLiteral("ComboAddNewName"));
    ComboAddNewName->setGeometry(twipsRect(90, 1050, 2805, 480));
    ComboAddNewName->setFont(arabicFont());
    connect(ComboAddNewName, &QComboBox::activated, this, [this] { ComboAddNewName_Click(); });
    Command4 = makeButton(PicAddStudent, "Command4", texts::kAddCaption, 135, 1695, 1665, 495);
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // Edit name and order.
    PicRearrange = makePanel("PicRearrange", QStringLiteral("تعديل الاسم والترتيب"), 2310, &Image3);
    Text7.resize(7, nullptr);
    Text7[4] = makeBox(PicRearrange, "Text7_4", 105, 615, 4185, 495, arabicFont());
    Text7[3] = makeBox(PicRearrange, "Text7_3", 5100, 660, 750, 375, boxFont());
    Text7[5] = makeBox(PicRearrange, "Text7_5", 2745, 1245, 1545, 375, boxFont());
    Text7[6] = makeBox(PicRearrange, "Text7_6", 2745, 1695, 1545, 375, boxFont());
    makeCaption(PicRearrange, texts::kNameCaption, 4350, 660);
    makeCaption(PicRearrange, texts::kNumberCaption, 5900, 660);
    makeCaption(PicRearrange, texts::kCivilCaption, 4350, 1245);
    makeCaption(PicRearrange, texts::kPhoneCaption, 4350, 1695);
    Command6 = makeButton(PicRearrange, "Command6", texts::kEditCaption, 105, 1200, 2295, 465);
    Command10 =
        makeButton(PicRearrange, "Command10", texts::kRenumberCaption, 120, 1755, 2295, 465);
    // Designed at 12 pt; the substitute font needs 11 pt to keep the caption
    // inside the button.
    Command10->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool-Free"), 11, 500));
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });

    // Add class.
    PicAddClass = makePanel("PicAddClass", QStringLiteral("إضافة فصل"), 2310, &Image1);
    Text7[0] = makeBox(PicAddClass, "Text7_0", 3420, 720, 2055, 495, arabicFont());
    Text7[2] = makeBox(PicAddClass, "Text7_2", 3420, 1245, 2055, 495, arabicFont());
    Text7[1] = makeBox(PicAddClass, "Text7_1", 1875, 1275, 555, 495, arabicFont());
    makeCaption(PicAddClass, texts::kKindCaption, 5550, 765);
    makeCaption(PicAddClass, texts::kGradeCaption, 5550, 1290);
    makeCaption(PicAddClass, texts::kClassBoxCaption, 2500, 1320);
    Command9 = makeButton(PicAddClass, "Command9", texts::kAddCaption, 165, 1320, 900, 495);
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });

    // Delete student.
    Picture3 = makePanel("Picture3", QStringLiteral("حذف بيانات طالب"), 1245, &Image6);
    {
        QLabel* name = makeCaption(Picture3, texts::kNumberCaption, 1395, 630);
        name->setGeometry(twipsRect(1395, 630, 4995, 360));
        name->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        std::swap(Label4[2], Label4.back()); // the name label is Label4(2)
    }
    StuDelete = makeButton(Picture3, "StuDelete", texts::kDeleteCaption, 165, 615, 1065, 480);
    connect(StuDelete, &QPushButton::clicked, this, [this] { StuDelete_Click(); });

    // Move students, or remove a class.
    Picture1 = makePanel("Picture1", QString(), 2310, &Image4);
    Combo1 = new QComboBox(Picture1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(1815, 1080, 2715, 480));
    Combo1->setFont(arabicFont());
    Label1 = new QLabel(QStringLiteral("Label1"), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(1050, 645, 4170, 285));
    Label1->setAlignment(Qt::AlignCenter);
    Command1 = makeButton(Picture1, "Command1", texts::kMoveCaption, 4620, 1095, 1725, 495);
    Command2 = makeButton(Picture1, "Command2", texts::kDeleteCaption, 495, 1065, 1260, 495);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void StudentsReorder::formLoad() {
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

void StudentsReorder::formLoad(const QStringList& classKeys) {
    if (shell::MainForm* m = shell::mainForm()) {
        const QRect g = m->geometry();
        setGeometry(g.x() + twips(1800), g.y(), twips(6810), g.height());
    } else {
        resize(twips(6810), twips(10520));
    }
    MyBorder->setGeometry(0, 0, width(), height());
    PicNew->setGeometry(twipsRect(90, 435, 6510, 10000));
    Picture3->move(twips(45), twips(9150));
    for (QWidget* p : {Picture1, PicAddStudent, PicRearrange, PicAddClass})
        p->move(twips(45), twips(8085));
    for (QWidget* p : {Picture3, Picture1, PicAddStudent, PicRearrange, PicAddClass})
        p->raise();
    MyBorder->raise();
    fillClassSelectors(classKeys);
    platform::select(Combo4, 0, [this] { Combo4_Click(); });
    platform::select(Combo1, 0);
}

void StudentsReorder::fillClassSelectors(const QStringList& classKeys) {
    Combo4->clear();
    Combo1->clear();
    Combo4->addItem(texts::kAllStudents);
    for (const QString& key : classKeys) {
        const ClassItem item = ClassItem::fromClassKey(key);
        addClassItem(Combo4, item);
        addClassItem(Combo1, item);
    }
}

void StudentsReorder::showPanel(QWidget* panel) {
    // Panels share one place; the one opened last lies on top.
    panel->show();
    panel->raise();
}

void StudentsReorder::relist() {
    Combo4_Click();
}

void StudentsReorder::Combo4_Click() {
    if (Check1->isChecked())
        return;
    std::optional<ClassItem> cls;
    if (Combo4->currentIndex() > 0 && Combo4->currentText() != texts::kAllStudents)
        cls = classItemAt(Combo4, Combo4->currentIndex());
    SelectList->clear();
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
        SelectList->addItem(item);
    }
    SelectList->selectionModel()->clear();
}

const StudentLine* StudentsReorder::currentLine() const {
    const int row = SelectList->currentRow();
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return nullptr;
    return &lines_[row];
}

std::vector<StudentLine> StudentsReorder::selectedLines() const {
    std::vector<StudentLine> out;
    for (int row = 0; row < SelectList->count() && row < static_cast<int>(lines_.size()); ++row)
        if (SelectList->item(row)->isSelected())
            out.push_back(lines_[row]);
    return out;
}

void StudentsReorder::ComboAddNewName_Click() {
    platform::select(Combo4, ComboAddNewName->currentIndex() + 1, [this] { Combo4_Click(); });
}

void StudentsReorder::SelectList_Click() {
    PicRearrange->hide();
}

void StudentsReorder::Label4_Click(int) {
    showPanel(PicAddClass);
}

void StudentsReorder::Image5_Click(int index) {
    const StudentLine* line = currentLine();
    switch (index) {
    case 0: // add a student
        showPanel(PicAddStudent);
        ComboAddNewName->clear();
        for (int i = 0; i < Combo1->count(); ++i)
            addClassItem(ComboAddNewName, classItemAt(Combo1, i));
        if (Combo1->count() > 0)
            Combo1->setCurrentIndex(Combo1->count() - 1);
        platform::select(ComboAddNewName, 0, [this] { ComboAddNewName_Click(); });
        break;
    case 1: // delete a student
        if (!line)
            return;
        SelectList->setEnabled(false);
        Label4[2]->setText(QLatin1Char(' ') + line->name + QLatin1Char(' '));
        platform::select(Combo1, 0);
        showPanel(Picture3);
        break;
    case 2: // edit
        if (!line)
            return; // nothing to edit without a current line
        editId_ = line->id;
        Text7[3]->setText(line->number.trimmed());
        Text7[4]->setText(line->name.trimmed());
        Text7[5]->setText(line->civil.trimmed());
        Text7[6]->setText(line->phone.trimmed());
        editFilled_ = editTexts();
        showPanel(PicRearrange);
        break;
    case 3: // add a class
        showPanel(PicAddClass);
        if (Combo4->count() > 1)
            platform::select(Combo4, 1, [this] { Combo4_Click(); });
        txAddNewName[2]->setText(classItemAt(Combo1, Combo1->currentIndex()).kind);
        addFilled_.number = addBoxes().number;
        break;
    case 4: // remove a class
        Picture1->findChild<QLabel*>(QStringLiteral("Picture1Title"))
            ->setPixmap(drawnTitleBand(QSize(twips(6600), twips(420)),
                                       QStringLiteral("حذف بيانات فصل"), 11));
        Command2->show();
        Label1->hide();
        Command1->hide();
        SelectList->setEnabled(false);
        showPanel(Picture1);
        break;
    case 5: // move students
        if (!line || selectedLines().empty())
            return;
        Picture1->findChild<QLabel*>(QStringLiteral("Picture1Title"))
            ->setPixmap(
                drawnTitleBand(QSize(twips(6600), twips(420)), QStringLiteral("نقل الطلاب"), 11));
        Command2->hide();
        Label1->show();
        Command1->show();
        SelectList->setEnabled(false);
        Label1->setText(studentsNamed(selectedLines()));
        platform::select(Combo1, 0);
        showPanel(Picture1);
        break;
    default:
        break;
    }
}

void StudentsReorder::Command10_Click() {
    if (Combo4->currentIndex() <= 0) {
        systemMessage(texts::kNoSchoolRenumber);
        activateWindow();
        return;
    }
    PicRearrange->hide();
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

void StudentsReorder::Command4_Click() {
    if (ComboAddNewName->currentIndex() < 0)
        return;
    const NewStudent typed = addBoxes();
    if (!mayStore(typed, addFilled_))
        return;
    const ClassItem target = classItemAt(ComboAddNewName, ComboAddNewName->currentIndex());
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
    Command10->click();
}

void StudentsReorder::Command6_Click() {
    saveEdit();
}

QStringList StudentsReorder::editTexts() const {
    return {Text7[3]->text(), Text7[4]->text(), Text7[5]->text(), Text7[6]->text()};
}

NewStudent StudentsReorder::addBoxes() const {
    return typedStudent({txAddNewName[0]->text(), txAddNewName[1]->text(), txAddNewName[2]->text(),
                         txAddNewName[3]->text()});
}

NewStudent StudentsReorder::editBoxes(const QStringList& texts) {
    return typedStudent({texts[1], texts[2], texts[0], texts[3]});
}

bool StudentsReorder::mayStore(const NewStudent& typed, const NewStudent& filled) {
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

bool StudentsReorder::hasTypedEdits() const {
    return !PicRearrange->isHidden() && editId_ != 0 && editTexts() != editFilled_;
}

bool StudentsReorder::saveTypedEdits() {
    return saveEdit();
}

QString StudentsReorder::typedEditsQuestion() const {
    return texts::kAskSaveEditOnClose;
}

bool StudentsReorder::saveEdit() {
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
    Text7[3]->setText(paddedNumber(typed.number));
    Text7[4]->setText(typed.name);
    Text7[5]->setText(typed.civil);
    Text7[6]->setText(typed.phone);
    editFilled_ = editTexts();
    recountClasses();
    const int chosen = Combo4->currentIndex();
    SelectList->hide();
    platform::select(Combo4, 0, [this] { Combo4_Click(); });
    platform::Wait(0.5);
    platform::select(Combo4, chosen, [this] { Combo4_Click(); });
    SelectList->show();
    shell::tell(texts::kEdited);
    return true;
}

void StudentsReorder::StuDelete_Click() {
    const StudentLine* line = currentLine();
    if (SelectList->count() == 0 || !line)
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
        PicRearrange->hide();
        editId_ = 0;
    }
    relist();
    systemMessage(texts::kDeleted + name);
}

void StudentsReorder::Command1_Click() {
    const std::vector<StudentLine> chosen = selectedLines();
    if (chosen.empty() || Combo1->currentIndex() < 0)
        return;
    const ClassItem target = classItemAt(Combo1, Combo1->currentIndex());
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
        Picture1->hide();
        SelectList->setEnabled(true);
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

void StudentsReorder::Command9_Click() {
    const int chosen = Combo4->currentIndex();
    const ClassItem cls = typedClass(Text7[0]->text(), Text7[2]->text(), Text7[1]->text());
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
    addClassItem(Combo4, cls);
    addClassItem(Combo1, cls);
    systemMessage(texts::kAdded);
    platform::select(Combo4, chosen, [this] { Combo4_Click(); });
}

void StudentsReorder::Command2_Click() {
    if (Combo1->count() < 2) {
        shell::tell(texts::kLastClass);
        return;
    }
    const int index = Combo1->currentIndex();
    if (index < 0)
        return;
    const QString item = Combo1->currentText();
    const ClassItem cls = classItemAt(Combo1, index);
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
    for (int i = 1; i < Combo4->count(); ++i)
        if (i != index + 1)
            remaining << Combo4->itemText(i);
    const ClassRemoval removal = removeClassAndSaveList(cls, remaining);
    if (!removal.deleted) {
        shell::tell(removal.message, shell::Tone::Alarm);
        return;
    }
    recountClasses();
    Combo4->removeItem(index + 1);
    Combo1->removeItem(index);
    platform::select(Combo1, 0);
    platform::select(Combo4, 0, [this] { Combo4_Click(); });
    if (!removal.message.isEmpty())
        shell::tell(removal.message, shell::Tone::Alarm);
    reloadMainClassList();
}

void StudentsReorder::SaveIt_Click() {
    Check1->setChecked(true);
    QStringList items;
    for (int i = 1; i < Combo4->count(); ++i)
        items << Combo4->itemText(i);
    const std::optional<QString> failure = saveClassListFile(items);
    Check1->setChecked(false);
    if (failure)
        shell::tell(*failure, shell::Tone::Alarm);
    reloadMainClassList();
}

void StudentsReorder::reloadMainClassList() {
    try {
        // A failure of the reload comes back here.
        shell::runMainCommand(shell::MainCommand::ReloadClassList);
    } catch (const data::DataError& e) {
        tellFailure(e);
    }
}

QString StudentsReorder::programTitle() const {
    if (shell::MainForm* m = shell::mainForm())
        return m->windowTitle();
    return QString();
}

bool StudentsReorder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    if (watched == ImNew) {
        close();
        return true;
    }
    if (watched == Image2) {
        PicAddStudent->hide();
        return true;
    }
    if (watched == Image3) {
        PicRearrange->hide();
        return true;
    }
    if (watched == Image1) {
        PicAddClass->hide();
        return true;
    }
    if (watched == Image6) {
        SelectList->setEnabled(true);
        Picture3->hide();
        return true;
    }
    if (watched == Image4) {
        SelectList->setEnabled(true);
        Picture1->hide();
        return true;
    }
    for (size_t i = 0; i < Image5.size(); ++i) {
        if (watched == Image5[i]) {
            Image5_Click(static_cast<int>(i));
            return true;
        }
    }
    for (size_t i = 0; i < Label4.size(); ++i) {
        if (watched == Label4[i]) {
            Label4_Click(static_cast<int>(i));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void StudentsReorder::closeEvent(QCloseEvent* event) {
    // A class added here must be in the main window's list for every print.
    reloadMainClassList();
    event->accept();
}

StudentsReorder* openStudentsReorder() {
    shell::MainForm* m = shell::mainForm();
    platform::holdMainWindow(m);
    if (!instance()) {
        auto* w = new StudentsReorder;
        w->setAttribute(Qt::WA_DeleteOnClose);
        instance() = w;
        w->formLoad();
    }
    StudentsReorder* w = instance();
    platform::ChildWindow::of(w)->open(m);
    if (!m || m->classPicker->count() == 0) {
        shell::tell(texts::kNoClasses);
        w->close();
        return nullptr;
    }
    return w;
}

StudentsReorder* loadedStudentsReorder() {
    return instance();
}

} // namespace sijill::students
