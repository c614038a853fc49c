#include "labels/DataBaseSave.h"

#include "data/DataError.h"
#include "labels/CustomLabelPrint.h"
#include "labels/Texts.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/KeyboardLayout.h"
#include "platform/Presenters.h"
#include "platform/Select.h"
#include "platform/Twips.h"
#include "platform/Wait.h"
#include "platform/WindowDrag.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/ClassList.h"
#include "shell/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <utility>

namespace sijill::labels {

using platform::twipsRect;

namespace {

const QColor kWindowBack(0x3F, 0x4A, 0x43);
const QColor kFrameBack(0xEE, 0xF3, 0xF0);
const QColor kToolbarBack(0xD6, 0xE2, 0xDA);
const QColor kSpotBack(0xFF, 0xFF, 0xFF);
const QColor kPanelBack(0xAF, 0xD4, 0xF0);
const QColor kMarker(0x2E, 0x7D, 0x32);

constexpr double kWindowWidth = 6735;
constexpr double kWindowHeight = 5400;
constexpr double kFrameHeight = 8445;
// The Arabic keyboard, activated whenever a box takes the focus.
const QString kArabicKeyboard = QStringLiteral("00000401");

QPointer<DataBaseSave>& loaded() {
    static QPointer<DataBaseSave> window;
    return window;
}

QFont windowFont(double points, int weight = 400) {
    return platform::designedFont(QStringLiteral("Al Ruvo Cool"), points, weight);
}

void fillBack(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLabel* spot(QWidget* parent, const QString& name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

// A small printer drawn for the print spot.
QPixmap printerPicture(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const double bodyW = h * 1.3, left = (w - bodyW) / 2;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(left + bodyW * 0.22, 2, bodyW * 0.56, h * 0.4)); // paper in
    p.setBrush(QColor(0x60, 0x6A, 0x70));
    p.drawRoundedRect(QRectF(left, h * 0.3, bodyW, h * 0.42), 3, 3); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(left + bodyW * 0.22, h * 0.55, bodyW * 0.56, h * 0.4)); // paper out
    return pm;
}

} // namespace

DataBaseSave* dataBaseSave() {
    return loaded().data();
}

void openCustomLabels(QWidget* returnTo) {
    platform::holdMainWindow(shell::mainForm());
    if (!loaded())
        loaded() = new DataBaseSave(returnTo);
    else if (returnTo)
        loaded()->setReturnTo(returnTo);
    DataBaseSave* w = loaded().data();
    platform::ChildWindow::of(w)->open(returnTo);
}

DataBaseSave::DataBaseSave(QWidget* returnTo) : QWidget(nullptr), returnTo_(returnTo) {
    setObjectName(QStringLiteral("DataBaseSave"));
    setWindowTitle(texts::kWindowCaption);
    shell::childOfMainForm(this, this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    // Closing the window unloads it; the next opening loads it afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    fillBack(this, kWindowBack);
    build();
    Form_Load();
}

bool DataBaseSave::adding() const {
    return !SaveChanges->isHidden();
}

void DataBaseSave::build() {
    setFixedHeight(platform::twips(kWindowHeight));

    Title = new QLabel(texts::kWindowCaption, this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setAlignment(Qt::AlignCenter);
    Title->setFont(windowFont(12, 700));
    Title->setStyleSheet(QStringLiteral("color: white;"));
    Title->setGeometry(twipsRect(0, 0, kWindowWidth, 435));
    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(Title);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(105, 480, kWindowWidth - 210, 4850));
    fillBack(Frame1, kFrameBack);

    Combo4 = new QComboBox(Frame1);
    Combo4->setObjectName(QStringLiteral("Combo4"));
    Combo4->setEditable(false);
    Combo4->setFont(windowFont(12));
    Combo4->setGeometry(twipsRect(660, 360, 4065, 450));
    connect(Combo4, &QComboBox::activated, this, [this] { Combo4_Click(); });

    Image1 =
        spot(Frame1, QStringLiteral("Image1"), QStringLiteral("✕"), twipsRect(135, 390, 390, 375));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFont(windowFont(12, 700));
    Image1->setStyleSheet(QStringLiteral("color: #B03030;"));
    Image1->installEventFilter(this);

    buildBoxes();
    buildToolbar();

    // The actions' buttons lie beyond the window's width; the toolbar presses them.
    const QString captions[] = {texts::kBack, texts::kForward, texts::kAdd, texts::kRemove,
                                texts::kSave};
    const char* names[] = {"cmdBack", "cmdFoward", "cmdAdd", "cmdRemove", "cmdSave"};
    QPushButton** buttons[] = {&cmdBack, &cmdFoward, &cmdAdd, &cmdRemove, &cmdSave};
    for (int i = 0; i < 5; ++i) {
        *buttons[i] = new QPushButton(captions[i], Frame1);
        (*buttons[i])->setObjectName(QString::fromLatin1(names[i]));
        (*buttons[i])->setGeometry(twipsRect(7305, 360 + i * 600, 1200, 495));
    }
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
    connect(cmdFoward, &QPushButton::clicked, this, [this] { cmdFoward_Click(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
}

void DataBaseSave::buildBoxes() {
    struct Caption {
        const QString& text;
        double top;
    };
    // Item(0) number, Item(1) committee, Item(2) the hidden year, Item(3)
    // class, Item(4) name.
    const Caption captions[] = {{texts::kNumberCaption, 2115},
                                {texts::kCommitteeCaption, 2670},
                                {texts::kYearCaption, 360},
                                {texts::kClassCaption, 1020},
                                {texts::kNameCaption, 1545}};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(captions[i].text, Frame1);
        label->setObjectName(QStringLiteral("Item%1").arg(i));
        label->setFont(windowFont(12, 700));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(twipsRect(4740, captions[i].top, 1140, 510));
        Item.push_back(label);
    }
    Item[2]->hide();

    struct Box {
        double left, top, width;
    };
    const Box boxes[] = {
        {660, 1020, 4035}, {660, 1545, 4035}, {3270, 2115, 1425}, {690, 2670, 4005}};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(QStringLiteral("Dat%1").arg(i));
        box->setFont(windowFont(12));
        // Physical right, as every other field: a logical AlignRight would be
        // mirrored to the left edge in this right-to-left window.
        box->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        box->setGeometry(twipsRect(boxes[i].left, boxes[i].top, boxes[i].width, 510));
        box->installEventFilter(this);
        Dat.push_back(box);
    }
}

void DataBaseSave::buildToolbar() {
    Picture1 = new QFrame(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 3435, 6165, 1335));
    Picture1->setFrameShape(QFrame::StyledPanel);
    fillBack(Picture1, kToolbarBack);

    struct Spot {
        double left, width;
        QString drawing;
    };
    // Index order of DataRun: previous, next, add, delete, save, first, last.
    // Arrows point the way of the row order, which runs from right to left.
    const Spot spots[] = {
        {4815, 465, QStringLiteral("▶")},  {4275, 450, QStringLiteral("◀")},
        {2145, 900, texts::kAdd},          {105, 885, texts::kRemove},
        {1050, 960, texts::kSave},         {5325, 510, QStringLiteral("▶▶")},
        {3720, 480, QStringLiteral("◀◀")},
    };
    for (int i = 0; i < 7; ++i) {
        QLabel* s = spot(Picture1, QStringLiteral("DataRun%1").arg(i), spots[i].drawing,
                         twipsRect(spots[i].left, 60, spots[i].width, 420));
        const bool arrow = i < 2 || i > 4;
        // The marker covers a spot's right end: arrows keep to its left.
        s->setAlignment(arrow ? Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter
                              : Qt::AlignCenter);
        s->setIndent(arrow ? 3 : 0);
        // A caption is centred in the part the marker leaves free.
        if (!arrow)
            s->setContentsMargins(0, 0, platform::twips(210), 0);
        const bool doubleArrow = i > 4;
        s->setFont(arrow ? QFont(QStringLiteral("DejaVu Sans"), doubleArrow ? 6 : 8)
                         : windowFont(11, 700));
        s->setAutoFillBackground(true);
        QPalette p = s->palette();
        p.setColor(QPalette::Window, kSpotBack);
        s->setPalette(p);
        s->setMouseTracking(true);
        s->installEventFilter(this);
        DataRun.push_back(s);
    }

    Shape1 = new QFrame(Picture1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(5325 + 510 - 210, 90 + 60, 165, 255));
    Shape1->setStyleSheet(
        QStringLiteral("background: %1; border: none; border-radius: 5px;").arg(kMarker.name()));
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Image3 = new QLabel(Picture1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(twipsRect(2790, 585, 675, 420));
    Image3->setPixmap(printerPicture(Image3->size()));
    Image3->setCursor(Qt::PointingHandCursor);
    Image3->installEventFilter(this);

    SaveChanges = new QFrame(Picture1);
    SaveChanges->setObjectName(QStringLiteral("SaveChanges"));
    SaveChanges->setFrameShape(QFrame::Box);
    SaveChanges->setCursor(Qt::PointingHandCursor);
    fillBack(SaveChanges, kPanelBack);
    SaveChanges->installEventFilter(this);
    auto* store = new QLabel(texts::kSave, SaveChanges);
    store->setObjectName(QStringLiteral("SaveChangesCaption"));
    store->setFont(windowFont(11, 700));
    store->setAlignment(Qt::AlignCenter);
    store->setGeometry(twipsRect(345, 0, 2025 - 345, 420));
    Image5 =
        spot(SaveChanges, QStringLiteral("Image5"), QStringLiteral("✕"), twipsRect(0, 0, 345, 435));
    Image5->setAlignment(Qt::AlignCenter);
    Image5->setStyleSheet(QStringLiteral("color: #B03030;"));
    Image5->installEventFilter(this);
    // Wholly over the add and save spots it stands for while a row is added.
    SaveChanges->setGeometry(twipsRect(1050, 50, 2025, 435));
    SaveChanges->hide();
    SaveChanges->raise();
    Shape1->raise();
}

void DataBaseSave::Form_Load() {
    setFixedWidth(platform::twips(kWindowWidth));
    // The class picker lists the main window's classes as "grade class"; the
    // main list is moved through every item, so it ends on its last class.
    if (shell::MainForm* main = shell::mainForm()) {
        for (int i = 0; i < main->classPicker->count(); ++i) {
            main->classPicker->setCurrentIndex(i);
            const QString key = main->classPicker->currentText();
            const shell::ClassKey k =
                shell::ClassKey::parts(key).value_or(shell::ClassKey{key, QString()});
            Combo4->addItem(k.grade + QLatin1Char(' ') + k.cls);
        }
    }
    // With no class there is nothing to pick and the class box stays empty.
    if (Combo4->count() > 0)
        platform::select(Combo4, 0, [this] { Combo4_Click(); });

    try {
        reopenView();
    } catch (const data::DataError& e) {
        rows_.clear();
        cmdAdd_Click();
        tell(e.userMessage(), QString());
        return;
    }
    if (!rows_.empty()) {
        pos_ = 0;
        rowLoad();
        return;
    }
    cmdAdd_Click();
    tell(texts::kNoData, QString());
}

void DataBaseSave::reopenView() {
    rows_ = readCustomLabels();
    pos_ = rows_.empty() ? -1 : 0;
}

void DataBaseSave::rowLoad() {
    const CustomLabel& row = rows_.at(pos_);
    // Showing a stored row ends an add: the shown row is the current one.
    SaveChanges->hide();
    currentId_ = row.id;
    // A Null column shows empty, never the text of the row shown before.
    for (int f = 0; f < kLabelFields; ++f)
        Dat[f]->setText(row.text(f));
}

void DataBaseSave::showEmptyTable() {
    currentId_ = 0;
    pos_ = -1;
    for (QLineEdit* box : Dat)
        box->setText(QStringLiteral("-"));
}

LabelTexts DataBaseSave::boxTexts() const {
    LabelTexts t;
    for (int f = 0; f < kLabelFields; ++f)
        t[f] = Dat[f]->text();
    return t;
}

const CustomLabel* DataBaseSave::currentRow() const {
    if (currentId_ == 0)
        return nullptr;
    for (const CustomLabel& row : rows_)
        if (row.id == currentId_)
            return &row;
    return nullptr;
}

CustomLabel* DataBaseSave::currentRow() {
    return const_cast<CustomLabel*>(std::as_const(*this).currentRow());
}

void DataBaseSave::Combo4_Click() {
    Dat[0]->setText(Combo4->currentText());
    Frame1->resize(Frame1->width(), platform::twips(kFrameHeight));
}

void DataBaseSave::cmdBack_Click() {
    if (pos_ <= 0)
        return;
    --pos_;
    rowLoad();
}

void DataBaseSave::cmdFoward_Click() {
    if (pos_ < 0 || pos_ + 1 >= static_cast<int>(rows_.size()))
        return;
    ++pos_;
    rowLoad();
}

void DataBaseSave::DataRun_Click(int index) {
    switch (index) {
    case 0:
        cmdBack->click();
        break;
    case 1:
        cmdFoward->click();
        break;
    case 2:
        cmdAdd->click();
        break;
    case 3:
        cmdRemove->click();
        break;
    case 4:
        cmdSave->click();
        break;
    case 5:
        if (!rows_.empty()) {
            pos_ = 0;
            rowLoad();
        }
        break;
    case 6:
        if (!rows_.empty()) {
            pos_ = static_cast<int>(rows_.size()) - 1;
            rowLoad();
        }
        break;
    default:
        break;
    }
}

void DataBaseSave::cmdAdd_Click() {
    // The new record is the current one until it is stored or cancelled:
    // nothing stored is current meanwhile, so no save or delete reaches one.
    if (!adding())
        posBeforeAdd_ = pos_;
    currentId_ = 0;
    for (QLineEdit* box : Dat)
        box->clear();
    SaveChanges->show();
}

void DataBaseSave::endAdd() {
    SaveChanges->hide();
    pos_ =
        posBeforeAdd_ >= 0 && posBeforeAdd_ < static_cast<int>(rows_.size()) ? posBeforeAdd_ : -1;
    posBeforeAdd_ = -1;
    if (pos_ >= 0) {
        rowLoad();
        return;
    }
    currentId_ = 0;
    for (QLineEdit* box : Dat)
        box->clear();
}

void DataBaseSave::SaveChanges_Click() {
    const LabelTexts t = boxTexts();
    if (firstEmptyText(t) >= 0) {
        tell(texts::kIncomplete, QString());
        return;
    }
    qint64 id = 0;
    try {
        id = addCustomLabel(t);
    } catch (const data::DataError&) {
        tell(texts::kIncomplete, QString());
        return;
    }
    CustomLabel row;
    row.id = id;
    for (int f = 0; f < kLabelFields; ++f)
        row.fields[f] = t[f];
    rows_.push_back(row);
    // The stored row is the one shown, so a delete now removes it.
    pos_ = static_cast<int>(rows_.size()) - 1;
    currentId_ = id;
    posBeforeAdd_ = -1;
    tell(texts::kAdded, programTitle());
    SaveChanges->hide();
}

void DataBaseSave::Image5_Click() {
    endAdd();
}

void DataBaseSave::cmdSave_Click() {
    saveShownRow(true);
}

bool DataBaseSave::saveShownRow(bool confirm) {
    const LabelTexts t = boxTexts();
    if (firstEmptyText(t) >= 0) {
        tell(texts::kIncomplete, QString());
        return false;
    }
    if (confirm) {
        if (shell::ask({texts::kSaveQuestion, shell::Buttons::OkCancel, shell::YesEffect::Keeps,
                        shell::QtBox{texts::kSaveQuestionTitle, QMessageBox::Question}}) !=
            shell::Answer::Ok)
            return false;
    }
    CustomLabel* row = currentRow();
    bool written = false;
    try {
        written = row && updateCustomLabel(row->id, t);
    } catch (const data::DataError&) {
        written = false;
    }
    if (!written) {
        tell(texts::kIncomplete, QString());
        return false;
    }
    for (int f = 0; f < kLabelFields; ++f)
        row->fields[f] = t[f];
    tell(texts::kSaved, programTitle());
    return true;
}

QString DataBaseSave::typedEditsQuestion() const {
    return texts::kAskSaveOnClose;
}

bool DataBaseSave::hasTypedEdits() const {
    const LabelTexts t = boxTexts();
    if (adding())
        return std::any_of(t.begin(), t.end(), [](const QString& s) { return !s.isEmpty(); });
    const CustomLabel* row = currentRow();
    if (!row)
        return false;
    for (int f = 0; f < kLabelFields; ++f)
        if (t[f] != row->text(f))
            return true;
    return false;
}

bool DataBaseSave::saveTypedEdits() {
    if (!adding())
        return saveShownRow(false);
    SaveChanges_Click();
    return !adding();
}

void DataBaseSave::cmdRemove_Click() {
    // Deleting the new record not yet stored drops it, as a cancel does.
    if (adding() && currentId_ == 0) {
        endAdd();
        return;
    }
    if (const CustomLabel* row = currentRow()) {
        if (shell::ask({texts::kDeleteQuestion + QLatin1Char('\n') + row->text(1),
                        shell::Buttons::YesNo, shell::YesEffect::Destroys,
                        shell::QtBox{programTitle(), QMessageBox::Question}}) != shell::Answer::Yes)
            return;
        try {
            deleteCustomLabel(row->id);
        } catch (const data::DataError& e) {
            tell(e.userMessage(), programTitle());
            return;
        }
    }
    platform::Wait(0.2);
    try {
        reopenView();
    } catch (const data::DataError& e) {
        rows_.clear();
        showEmptyTable();
        tell(e.userMessage(), programTitle());
        return;
    }
    if (rows_.empty()) {
        showEmptyTable();
        return;
    }
    rowLoad();
}

void DataBaseSave::Image3_Click() {
    std::vector<CustomLabel> labels;
    try {
        labels = readCustomLabels();
    } catch (const data::DataError& e) {
        tell(e.userMessage(), programTitle());
        return;
    }
    if (labels.empty()) {
        shell::tell(texts::kSaveBeforePrint + QLatin1Char('\r'));
        return;
    }
    try {
        const report::PreviewCaption caption(texts::kWindowCaption);
        report::showPreview(fillCustomLabelLayout(labels));
    } catch (const report::ReportError& e) {
        tell(e.message(), programTitle());
    }
}

void DataBaseSave::Image1_Click() {
    close();
}

void DataBaseSave::closeEvent(QCloseEvent* event) {
    // The exam window that opened the labels shows again, unless it has
    // gone; the main window comes back only when nothing else stays open.
    if (returnTo_) {
        returnTo_->show();
        returnTo_->raise();
        returnTo_->activateWindow();
    }
    event->accept();
}

bool DataBaseSave::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        for (QLineEdit* box : Dat)
            if (watched == box)
                platform::activateKeyboardLayout(kArabicKeyboard);
        return false;
    }
    for (int i = 0; i < static_cast<int>(DataRun.size()); ++i) {
        if (watched != DataRun[i])
            continue;
        if (type == QEvent::Enter || type == QEvent::MouseMove) {
            const QRect r = DataRun[i]->geometry();
            Shape1->move(r.x() + r.width() - platform::twips(210), Shape1->y());
        } else if (type == QEvent::MouseButtonPress) {
            DataRun_Click(i);
            return true;
        }
        return false;
    }
    if (type != QEvent::MouseButtonPress)
        return false;
    if (watched == Image5)
        Image5_Click();
    else if (watched == SaveChanges)
        SaveChanges_Click();
    else if (watched == Image3)
        Image3_Click();
    else if (watched == Image1)
        Image1_Click();
    else
        return false;
    return true;
}

void DataBaseSave::tell(const QString& text, const QString& title) const {
    platform::showSystemMessage(
        {title, text, QMessageBox::Ok, QMessageBox::Information, platform::YesDoes::NoQuestion});
}

QString DataBaseSave::programTitle() const {
    if (shell::MainForm* main = shell::mainForm())
        return main->windowTitle();
    return QApplication::applicationDisplayName();
}

} // namespace sijill::labels
