#include "shell/ProgramFileChooser.h"

#include "platform/BidiText.h"
#include "platform/ChildWindow.h"
#include "platform/Fonts.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/WindowDrag.h"
#include "shell/Ask.h"
#include "shell/ChildOfMainForm.h"
#include "shell/ChooserModes.h"
#include "shell/MainCommands.h"
#include "shell/SchoolProfileWindow.h"
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace sijill::shell {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr std::uint32_t kBackground = 0xC8D0D4;
constexpr int kWidthTw = 8145;
constexpr int kHeightTw = 5595;
constexpr int kStripTw = 465;
// The real name of a listed file or folder, without the marks that order it.
constexpr int kNameRole = Qt::UserRole + 1;

ProgramFileChooser*& current() {
    static ProgramFileChooser* form = nullptr;
    return form;
}

QFont chooserFont(double pt = 12) {
    return platform::windowFont(pt);
}

QPixmap glyph(const QSize& size, bool closeMark) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    if (closeMark) {
        const QRect r = pm.rect().adjusted(7, 7, -7, -7);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    } else {
        // A folder.
        const int h = pm.height();
        p.setBrush(QColor(0xF2, 0xC1, 0x4E));
        p.setPen(QPen(QColor(0x8A, 0x6A, 0x1C), 1));
        p.drawRoundedRect(QRect(8, h / 4, h, h / 2 + 2), 2, 2);
    }
    return pm;
}

// A path shown in right-to-left surroundings keeps its left-to-right order.
QString shownPath(const QString& path) {
    return QChar(0x200E) + path;
}

// A file or folder name as the lists show it, in the order it was typed
// ("14460.xls", never "xls.14460"); the real name stays beside it.
QListWidgetItem* nameItem(const QIcon& icon, const QString& name) {
    auto* item = new QListWidgetItem(icon, platform::shownPath(name));
    item->setData(kNameRole, name);
    return item;
}

// The folder that holds `path`, or the path itself at the root.
QString parentFolder(const QString& path) {
    QDir d(path);
    return d.cdUp() ? d.absolutePath() : path;
}

} // namespace

ProgramFileChooser::ProgramFileChooser() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("ProgramFileChooser"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("اسم الملف"));
    childOfMainForm(this);
    build();
}

void ProgramFileChooser::build() {
    setFixedSize(twips(kWidthTw), twips(kHeightTw));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(kBackground));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(chooserFont());

    placePicker = new QComboBox(this);
    placePicker->setObjectName(QStringLiteral("placePicker"));
    placePicker->setGeometry(twipsRect(105, 540, 3165, 420));
    placePicker->setFont(platform::designedFont(QStringLiteral("MS Sans Serif"), 12));
    placePicker->setLayoutDirection(Qt::LeftToRight);

    folderList = new QListWidget(this);
    folderList->setObjectName(QStringLiteral("folderList"));
    folderList->setGeometry(twipsRect(90, 1050, 3165, 3915));
    folderList->setLayoutDirection(Qt::LeftToRight);
    folderList->setTextElideMode(Qt::ElideLeft);
    folderList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    fileList = new QListWidget(this);
    fileList->setObjectName(QStringLiteral("fileList"));
    fileList->setGeometry(twipsRect(3375, 1005, 4470, 3990));

    auto shortcut = [this](const QString& text, const char* name, int left, int width) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(twipsRect(left, 555, width, 390));
        label->setAlignment(Qt::AlignCenter);
        // As the name box's caption: at 12 pt the desktop's caption fills its
        // label to the border.
        label->setFont(chooserFont(11.25));
        label->setCursor(Qt::PointingHandCursor);
        label->setStyleSheet(QStringLiteral("background: #DEDEDE; border: 1px solid #9AA4A0;"));
        label->installEventFilter(this);
        return label;
    };
    desktopShortcut = shortcut(QStringLiteral("سطح المكتب"), "desktopShortcut", 6390, 1440);
    documentsShortcut = shortcut(QStringLiteral("المستندات"), "documentsShortcut", 4875, 1500);
    downloadsShortcut = shortcut(QStringLiteral("التنزيلات"), "downloadsShortcut", 3390, 1455);

    fileNameBox = new QLineEdit(this);
    fileNameBox->setObjectName(QStringLiteral("fileNameBox"));
    // Narrower than the file list above it, leaving its caption a clear gap.
    fileNameBox->setGeometry(twipsRect(3390, 5055, 3465, 465));

    fileNameCaption = new QLabel(QStringLiteral("اسم الملف:"), this);
    fileNameCaption->setObjectName(QStringLiteral("fileNameCaption"));
    fileNameCaption->setGeometry(twipsRect(6915, 5130, 1140, 330));
    fileNameCaption->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    fileNameCaption->setFont(chooserFont(11.25));

    actionButton = new QPushButton(QStringLiteral("موافق"), this);
    actionButton->setObjectName(QStringLiteral("actionButton"));
    actionButton->setGeometry(twipsRect(885, 5040, 2415, 495));

    closeButton = new QPushButton(QStringLiteral("إغلاق"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setGeometry(twipsRect(90, 5040, 810, 495));

    closePicture = new QLabel(this);
    closePicture->setObjectName(QStringLiteral("closePicture"));
    closePicture->setGeometry(twipsRect(135, 60, 360, 360));
    closePicture->setPixmap(glyph(closePicture->size(), true));
    closePicture->setCursor(Qt::PointingHandCursor);
    closePicture->installEventFilter(this);

    titlePicture = new QLabel(this);
    titlePicture->setObjectName(QStringLiteral("titlePicture"));
    titlePicture->setGeometry(twipsRect(6480, 0, 1260, kStripTw));
    titlePicture->setPixmap(glyph(titlePicture->size(), false));

    connect(placePicker, &QComboBox::activated, this, [this] { onPlaceChosen(); });
    connect(folderList, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(Qt::UserRole).toString();
        if (!target.isEmpty())
            setFolder(target);
    });
    connect(fileList, &QListWidget::itemClicked, this, [this] { onFileClicked(); });
    connect(actionButton, &QPushButton::clicked, this, [this] { onActionClicked(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { onCloseClicked(); });

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(this);
}

void ProgramFileChooser::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    p.fillRect(QRect(0, 0, width(), twips(kStripTw)), QColor(0x3C, 0x52, 0x49));
}

bool ProgramFileChooser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == desktopShortcut)
            onDesktopClicked();
        else if (watched == documentsShortcut)
            onDocumentsClicked();
        else if (watched == downloadsShortcut)
            onDownloadsClicked();
        else if (watched == closePicture)
            onCloseClicked();
        else
            return QWidget::eventFilter(watched, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ProgramFileChooser::closeEvent(QCloseEvent* event) {
    // The chooser is hidden, never unloaded.
    event->ignore();
    onCloseClicked();
}

QString ProgramFileChooser::mode() const {
    return actionButton->text();
}

void ProgramFileChooser::setPattern(const QString& pattern) {
    pattern_ = pattern;
    fillFiles();
}

bool ProgramFileChooser::setFolder(const QString& path) {
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    folder_ = QDir::cleanPath(dir.absolutePath());
    fillPlaces();
    fillFolders();
    fillFiles();
    return true;
}

void ProgramFileChooser::fillPlaces() {
    // The box shows the folder the lists show: the place itself when the
    // folder is one, else the folder above the places. A long path keeps its
    // end, the folder's own name, in view.
    const int room = placePicker->width() - placePicker->height() - 8;
    placePicker->clear();
    auto add = [this, room](const QString& path) {
        placePicker->addItem(
            placePicker->fontMetrics().elidedText(shownPath(path), Qt::ElideLeft, room), path);
        placePicker->setItemData(placePicker->count() - 1, path, Qt::ToolTipRole);
    };
    if (!places_.contains(folder_))
        add(folder_);
    for (const QString& place : places_)
        add(place);
    placePicker->setCurrentIndex(placePicker->findData(folder_));
}

void ProgramFileChooser::fillFolders() {
    folderList->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    auto* here =
        new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon), shownPath(folder_));
    here->setToolTip(folder_);
    QFont bold = folderList->font();
    bold.setBold(true);
    here->setFont(bold);
    folderList->addItem(here);
    const QString up = parentFolder(folder_);
    if (up != folder_) {
        auto* item = new QListWidgetItem(icon, QStringLiteral(".."));
        item->setData(Qt::UserRole, up);
        folderList->addItem(item);
    }
    const QDir dir(folder_);
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        QListWidgetItem* item = nameItem(icon, name);
        item->setData(Qt::UserRole, dir.filePath(name));
        folderList->addItem(item);
    }
}

void ProgramFileChooser::fillFiles() {
    fileList->clear();
    if (folder_.isEmpty())
        return;
    // Name patterns match regardless of letter case, as on the original system.
    const QStringList files =
        QDir(folder_).entryList(pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts), QDir::Files,
                                QDir::Name | QDir::IgnoreCase);
    for (const QString& name : files)
        fileList->addItem(nameItem(QIcon(), name));
}

void ProgramFileChooser::formLoad() {
    loaded_ = true;
    platform::SetTopMost(this);

    // Centred on the profile window, 2000 twips to its right; on the screen
    // when the profile window is not loaded.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    SchoolProfileWindow* info = loadedSchoolProfileWindow();
    const QRect around = info ? info->frameGeometry() : available;
    if (around.isValid()) {
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(around.center() + QPoint(twips(2000), 0));
        // Never out of sight: the profile window may stand near an edge.
        if (available.isValid()) {
            placed.moveRight(std::min(placed.right(), available.right()));
            placed.moveBottom(std::min(placed.bottom(), available.bottom()));
            placed.moveLeft(std::max(placed.left(), available.left()));
            placed.moveTop(std::max(placed.top(), available.top()));
        }
        move(placed.topLeft());
    }

    const platform::ChooserPlaces places = platform::chooserPlaces();
    places_ = places.roots;
    if (!places.home.isEmpty() && !places_.contains(places.home))
        places_ << places.home;

    if (setFolder(places.downloads))
        return;
    // Without a downloads folder, common on Linux, the chooser quietly opens
    // its parent (the home folder); any other failure is told.
    const QString fallback =
        places.downloads.isEmpty() ? places.home : parentFolder(places.downloads);
    const QFileInfo downloads(places.downloads);
    if (!places.downloads.isEmpty() && !downloads.exists() && !downloads.isSymLink() &&
        setFolder(fallback))
        return;
    tell(QStringLiteral("عذرًا") + QLatin1Char('\r') + QStringLiteral("خلل في تحديد المسار!") +
         QLatin1Char('\r') + fallback);
    if (!setFolder(fallback))
        setFolder(QDir::rootPath());
}

void ProgramFileChooser::showChooser() {
    if (!loaded_)
        formLoad();
    platform::fileChooserPresenter().present(*this);
}

void ProgramFileChooser::onPlaceChosen() {
    // A place that cannot be opened leaves the lists where they were.
    setFolder(placePicker->currentData().toString());
}

void ProgramFileChooser::onFileClicked() {
    if (QListWidgetItem* item = fileList->currentItem())
        fileNameBox->setText(item->data(kNameRole).toString());
}

void ProgramFileChooser::onDesktopClicked() {
    setFolder(platform::chooserPlaces().desktop);
}

void ProgramFileChooser::onDocumentsClicked() {
    setFolder(platform::chooserPlaces().documents);
}

void ProgramFileChooser::onDownloadsClicked() {
    setFolder(platform::chooserPlaces().downloads);
}

void ProgramFileChooser::onActionClicked() {
    if (fileNameBox->text().isEmpty())
        return;
    const QString path = QDir(folder_).filePath(fileNameBox->text());
    hide();
    runChooserMode(mode(), path);
    // The profile is read once the window the file was chosen for is on view:
    // found unfinished, it comes on view above that window, to be completed.
    SchoolProfileWindow* info = schoolProfileWindow();
    info->chosenPathBox->setText(path);
    info->setEnabled(true);
}

void ProgramFileChooser::onCloseClicked() {
    hide();
    platform::ChildWindow::of(this)->giveMainWindowBack();
}

void ProgramFileChooser::chooseFile(const QString& path) {
    const QFileInfo file(path);
    if (!setFolder(file.absolutePath()))
        return;
    fileNameBox->setText(file.fileName());
    actionButton->click();
}

ProgramFileChooser* fileChooser() {
    if (!current())
        current() = new ProgramFileChooser;
    return current();
}

ProgramFileChooser* loadedFileChooser() {
    return current();
}

void unloadFileChooser() {
    delete current();
    current() = nullptr;
}

} // namespace sijill::shell
