#include "labels/CustomLabelsWindow.h"

#include "data/DataError.h"
#include "labels/CustomLabelPrint.h"
#include "labels/Texts.h"
#include "platform/Background.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/KeyboardLayout.h"
#include "platform/OneWindow.h"
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

using platform::windowFont;

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

CustomLabelsWindow* customLabelsWindow() {
    return platform::openWindow<CustomLabelsWindow>().data();
}

void openCustomLabels(QWidget* returnTo) {
    platform::holdMainWindow(shell::mainForm());
    CustomLabelsWindow* open = customLabelsWindow();
    if (open && returnTo)
        open->setReturnTo(returnTo);
    CustomLabelsWindow* w = platform::openOnce<CustomLabelsWindow>(
        [returnTo] { return new CustomLabelsWindow(returnTo); });
    platform::ChildWindow::of(w)->open(returnTo);
}

CustomLabelsWindow::CustomLabelsWindow(QWidget* returnTo) : QWidget(nullptr), returnTo_(returnTo) {
    setObjectName(QStringLiteral("CustomLabelsWindow"));
    setWindowTitle(texts::kWindowCaption);
    shell::childOfMainForm(this, this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    // Closing the window unloads it; the next opening loads it afresh.
    setAttribute(Qt::WA_DeleteOnClose);
    platform::fillBackground(this, kWindowBack);
    build();
    loadWindow();
}

bool CustomLabelsWindow::adding() const {
    return !storeNewPanel->isHidden();
}

void CustomLabelsWindow::build() {
    setFixedHeight(platform::twips(kWindowHeight));

    titleLabel = new QLabel(texts::kWindowCaption, this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setFont(windowFont(12, 700));
    titleLabel->setStyleSheet(QStringLiteral("color: white;"));
    titleLabel->setGeometry(twipsRect(0, 0, kWindowWidth, 435));
    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(titleLabel);

    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setGeometry(twipsRect(105, 480, kWindowWidth - 210, 4850));
    platform::fillBackground(panel, kFrameBack);

    classPicker = new QComboBox(panel);
    classPicker->setObjectName(QStringLiteral("classPicker"));
    classPicker->setEditable(false);
    classPicker->setFont(windowFont(12));
    classPicker->setGeometry(twipsRect(660, 360, 4065, 450));
    connect(classPicker, &QComboBox::activated, this, [this] { onClassPicked(); });

    closeButton = spot(panel, QStringLiteral("closeButton"), QStringLiteral("✕"),
                       twipsRect(135, 390, 390, 375));
    closeButton->setAlignment(Qt::AlignCenter);
    closeButton->setFont(windowFont(12, 700));
    closeButton->setStyleSheet(QStringLiteral("color: #B03030;"));
    closeButton->installEventFilter(this);

    buildBoxes();
    buildToolbar();

    // The actions' buttons lie beyond the window's width; the toolbar presses them.
    const QString captions[] = {texts::kBack, texts::kForward, texts::kAdd, texts::kRemove,
                                texts::kSave};
    const char* names[] = {"backButton", "forwardButton", "addButton", "removeButton",
                           "saveButton"};
    QPushButton** buttons[] = {&backButton, &forwardButton, &addButton, &removeButton, &saveButton};
    for (int i = 0; i < 5; ++i) {
        *buttons[i] = new QPushButton(captions[i], panel);
        (*buttons[i])->setObjectName(QString::fromLatin1(names[i]));
        (*buttons[i])->setGeometry(twipsRect(7305, 360 + i * 600, 1200, 495));
    }
    connect(backButton, &QPushButton::clicked, this, [this] { onBackClicked(); });
    connect(forwardButton, &QPushButton::clicked, this, [this] { onForwardClicked(); });
    connect(addButton, &QPushButton::clicked, this, [this] { onAddClicked(); });
    connect(removeButton, &QPushButton::clicked, this, [this] { onRemoveClicked(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { onSaveClicked(); });
}

void CustomLabelsWindow::buildBoxes() {
    struct Caption {
        const QString& text;
        double top;
    };
    // captionLabels[0] number, captionLabels[1] committee, captionLabels[2] the hidden year,
    // captionLabels[3] class, captionLabels[4] name.
    const Caption captions[] = {{texts::kNumberCaption, 2115},
                                {texts::kCommitteeCaption, 2670},
                                {texts::kYearCaption, 360},
                                {texts::kClassCaption, 1020},
                                {texts::kNameCaption, 1545}};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(captions[i].text, panel);
        label->setObjectName(QStringLiteral("caption%1").arg(i));
        label->setFont(windowFont(12, 700));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(twipsRect(4740, captions[i].top, 1140, 510));
        captionLabels.push_back(label);
    }
    captionLabels[2]->hide();

    struct Box {
        double left, top, width;
    };
    const Box boxes[] = {
        {660, 1020, 4035}, {660, 1545, 4035}, {3270, 2115, 1425}, {690, 2670, 4005}};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QLineEdit(panel);
        box->setObjectName(QStringLiteral("fieldBox%1").arg(i));
        box->setFont(windowFont(12));
        // Physical right, as every other field: a logical AlignRight would be
        // mirrored to the left edge in this right-to-left window.
        box->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        box->setGeometry(twipsRect(boxes[i].left, boxes[i].top, boxes[i].width, 510));
        box->installEventFilter(this);
        fieldBoxes.push_back(box);
    }
}

void CustomLabelsWindow::buildToolbar() {
    toolbar = new QFrame(panel);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setGeometry(twipsRect(120, 3435, 6165, 1335));
    toolbar->setFrameShape(QFrame::StyledPanel);
    platform::fillBackground(toolbar, kToolbarBack);

    struct Spot {
        double left, width;
        QString drawing;
    };
    // Index order of toolbarSpots: previous, next, add, delete, save, first, last.
    // Arrows point the way of the row order, which runs from right to left.
    const Spot spots[] = {
        {4815, 465, QStringLiteral("▶")},  {4275, 450, QStringLiteral("◀")},
        {2145, 900, texts::kAdd},          {105, 885, texts::kRemove},
        {1050, 960, texts::kSave},         {5325, 510, QStringLiteral("▶▶")},
        {3720, 480, QStringLiteral("◀◀")},
    };
    for (int i = 0; i < 7; ++i) {
        QLabel* s = spot(toolbar, QStringLiteral("toolbarSpot%1").arg(i), spots[i].drawing,
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
        toolbarSpots.push_back(s);
    }

    spotMarker = new QFrame(toolbar);
    spotMarker->setObjectName(QStringLiteral("spotMarker"));
    spotMarker->setGeometry(twipsRect(5325 + 510 - 210, 90 + 60, 165, 255));
    spotMarker->setStyleSheet(
        QStringLiteral("background: %1; border: none; border-radius: 5px;").arg(kMarker.name()));
    spotMarker->setAttribute(Qt::WA_TransparentForMouseEvents);

    printButton = new QLabel(toolbar);
    printButton->setObjectName(QStringLiteral("printButton"));
    printButton->setGeometry(twipsRect(2790, 585, 675, 420));
    printButton->setPixmap(printerPicture(printButton->size()));
    printButton->setCursor(Qt::PointingHandCursor);
    printButton->installEventFilter(this);

    storeNewPanel = new QFrame(toolbar);
    storeNewPanel->setObjectName(QStringLiteral("storeNewPanel"));
    storeNewPanel->setFrameShape(QFrame::Box);
    storeNewPanel->setCursor(Qt::PointingHandCursor);
    platform::fillBackground(storeNewPanel, kPanelBack);
    storeNewPanel->installEventFilter(this);
    auto* store = new QLabel(texts::kSave, storeNewPanel);
    store->setObjectName(QStringLiteral("storeNewCaption"));
    store->setFont(windowFont(11, 700));
    store->setAlignment(Qt::AlignCenter);
    store->setGeometry(twipsRect(345, 0, 2025 - 345, 420));
    cancelAddButton = spot(storeNewPanel, QStringLiteral("cancelAddButton"), QStringLiteral("✕"),
                           twipsRect(0, 0, 345, 435));
    cancelAddButton->setAlignment(Qt::AlignCenter);
    cancelAddButton->setStyleSheet(QStringLiteral("color: #B03030;"));
    cancelAddButton->installEventFilter(this);
    // Wholly over the add and save spots it stands for while a row is added.
    storeNewPanel->setGeometry(twipsRect(1050, 50, 2025, 435));
    storeNewPanel->hide();
    storeNewPanel->raise();
    spotMarker->raise();
}

void CustomLabelsWindow::loadWindow() {
    setFixedWidth(platform::twips(kWindowWidth));
    // The class picker lists the main window's classes as "grade class"; the
    // main list is moved through every item, so it ends on its last class.
    if (shell::MainForm* main = shell::mainForm()) {
        for (int i = 0; i < main->classPicker->count(); ++i) {
            main->classPicker->setCurrentIndex(i);
            const QString key = main->classPicker->currentText();
            const shell::ClassKey k =
                shell::ClassKey::parts(key).value_or(shell::ClassKey{key, QString()});
            classPicker->addItem(k.grade + QLatin1Char(' ') + k.cls);
        }
    }
    // With no class there is nothing to pick and the class box stays empty.
    if (classPicker->count() > 0)
        platform::select(classPicker, 0, [this] { onClassPicked(); });

    try {
        reopenView();
    } catch (const data::DataError& e) {
        rows_.clear();
        onAddClicked();
        tell(e.userMessage(), QString());
        return;
    }
    if (!rows_.empty()) {
        pos_ = 0;
        rowLoad();
        return;
    }
    onAddClicked();
    tell(texts::kNoData, QString());
}

void CustomLabelsWindow::reopenView() {
    rows_ = readCustomLabels();
    pos_ = rows_.empty() ? -1 : 0;
}

void CustomLabelsWindow::rowLoad() {
    const CustomLabel& row = rows_.at(pos_);
    // Showing a stored row ends an add: the shown row is the current one.
    storeNewPanel->hide();
    currentId_ = row.id;
    // A Null column shows empty, never the text of the row shown before.
    for (int f = 0; f < kLabelFields; ++f)
        fieldBoxes[f]->setText(row.text(f));
}

void CustomLabelsWindow::showEmptyTable() {
    currentId_ = 0;
    pos_ = -1;
    for (QLineEdit* box : fieldBoxes)
        box->setText(QStringLiteral("-"));
}

LabelTexts CustomLabelsWindow::boxTexts() const {
    LabelTexts t;
    for (int f = 0; f < kLabelFields; ++f)
        t[f] = fieldBoxes[f]->text();
    return t;
}

const CustomLabel* CustomLabelsWindow::currentRow() const {
    if (currentId_ == 0)
        return nullptr;
    for (const CustomLabel& row : rows_)
        if (row.id == currentId_)
            return &row;
    return nullptr;
}

CustomLabel* CustomLabelsWindow::currentRow() {
    return const_cast<CustomLabel*>(std::as_const(*this).currentRow());
}

void CustomLabelsWindow::onClassPicked() {
    fieldBoxes[0]->setText(classPicker->currentText());
    panel->resize(panel->width(), platform::twips(kFrameHeight));
}

void CustomLabelsWindow::onBackClicked() {
    if (pos_ <= 0)
        return;
    --pos_;
    rowLoad();
}

void CustomLabelsWindow::onForwardClicked() {
    if (pos_ < 0 || pos_ + 1 >= static_cast<int>(rows_.size()))
        return;
    ++pos_;
    rowLoad();
}

void CustomLabelsWindow::onToolbarSpotClicked(int index) {
    switch (index) {
    case 0:
        backButton->click();
        break;
    case 1:
        forwardButton->click();
        break;
    case 2:
        addButton->click();
        break;
    case 3:
        removeButton->click();
        break;
    case 4:
        saveButton->click();
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

void CustomLabelsWindow::onAddClicked() {
    // The new record is the current one until it is stored or cancelled:
    // nothing stored is current meanwhile, so no save or delete reaches one.
    if (!adding())
        posBeforeAdd_ = pos_;
    currentId_ = 0;
    for (QLineEdit* box : fieldBoxes)
        box->clear();
    storeNewPanel->show();
}

void CustomLabelsWindow::endAdd() {
    storeNewPanel->hide();
    pos_ =
        posBeforeAdd_ >= 0 && posBeforeAdd_ < static_cast<int>(rows_.size()) ? posBeforeAdd_ : -1;
    posBeforeAdd_ = -1;
    if (pos_ >= 0) {
        rowLoad();
        return;
    }
    currentId_ = 0;
    for (QLineEdit* box : fieldBoxes)
        box->clear();
}

void CustomLabelsWindow::onStoreNewClicked() {
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
    storeNewPanel->hide();
}

void CustomLabelsWindow::onCancelAddClicked() {
    endAdd();
}

void CustomLabelsWindow::onSaveClicked() {
    saveShownRow(true);
}

bool CustomLabelsWindow::saveShownRow(bool confirm) {
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

QString CustomLabelsWindow::typedEditsQuestion() const {
    return texts::kAskSaveOnClose;
}

bool CustomLabelsWindow::hasTypedEdits() const {
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

bool CustomLabelsWindow::saveTypedEdits() {
    if (!adding())
        return saveShownRow(false);
    onStoreNewClicked();
    return !adding();
}

void CustomLabelsWindow::onRemoveClicked() {
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

void CustomLabelsWindow::onPrintClicked() {
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
        report::showPreview(fillCustomLabelLayout(labels), texts::kWindowCaption);
    } catch (const report::ReportError& e) {
        tell(e.message(), programTitle());
    }
}

void CustomLabelsWindow::onCloseClicked() {
    close();
}

void CustomLabelsWindow::closeEvent(QCloseEvent* event) {
    // The exam window that opened the labels shows again, unless it has
    // gone; the main window comes back only when nothing else stays open.
    if (returnTo_) {
        returnTo_->show();
        returnTo_->raise();
        returnTo_->activateWindow();
    }
    event->accept();
}

bool CustomLabelsWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        for (QLineEdit* box : fieldBoxes)
            if (watched == box)
                platform::activateKeyboardLayout(kArabicKeyboard);
        return false;
    }
    for (int i = 0; i < static_cast<int>(toolbarSpots.size()); ++i) {
        if (watched != toolbarSpots[i])
            continue;
        if (type == QEvent::Enter || type == QEvent::MouseMove) {
            const QRect r = toolbarSpots[i]->geometry();
            spotMarker->move(r.x() + r.width() - platform::twips(210), spotMarker->y());
        } else if (type == QEvent::MouseButtonPress) {
            onToolbarSpotClicked(i);
            return true;
        }
        return false;
    }
    if (type != QEvent::MouseButtonPress)
        return false;
    if (watched == cancelAddButton)
        onCancelAddClicked();
    else if (watched == storeNewPanel)
        onStoreNewClicked();
    else if (watched == printButton)
        onPrintClicked();
    else if (watched == closeButton)
        onCloseClicked();
    else
        return false;
    return true;
}

void CustomLabelsWindow::tell(const QString& text, const QString& title) const {
    platform::showSystemMessage(
        {title, text, QMessageBox::Ok, QMessageBox::Information, platform::YesDoes::NoQuestion});
}

QString CustomLabelsWindow::programTitle() const {
    if (shell::MainForm* main = shell::mainForm())
        return main->windowTitle();
    return QApplication::applicationDisplayName();
}

} // namespace sijill::labels
