#include "shell/OpenFile.h"

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
#include "shell/InfoMain.h"
#include "shell/MainCommands.h"
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

OpenFile*& current() {
    static OpenFile* form = nullptr;
    return form;
}

QFont chooserFont(double pt = 12) {
    return platform::designedFont(QStringLiteral("Al Ruvo Cool"), pt);
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

OpenFile::OpenFile() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("OpenFile"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("اسم الملف"));
    childOfMainForm(this);
    build();
}

void OpenFile::build() {
    setFixedSize(twips(kWidthTw), twips(kHeightTw));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::vbColor(kBackground));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(chooserFont());

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(twipsRect(105, 540, 3165, 420));
    Drive1->setFont(platform::designedFont(QStringLiteral("MS Sans Serif"), 12));
    Drive1->setLayoutDirection(Qt::LeftToRight);

    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(twipsRect(90, 1050, 3165, 3915));
    Dir1->setLayoutDirection(Qt::LeftToRight);
    Dir1->setTextElideMode(Qt::ElideLeft);
    Dir1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(twipsRect(3375, 1005, 4470, 3990));

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
    Label1 = shortcut(QStringLiteral("سطح المكتب"), "Label1", 6390, 1440);
    Label2 = shortcut(QStringLiteral("المستندات"), "Label2", 4875, 1500);
    Label3 = shortcut(QStringLiteral("التنزيلات"), "Label3", 3390, 1455);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    // Narrower than the file list above it, leaving its caption a clear gap.
    Text1->setGeometry(twipsRect(3390, 5055, 3465, 465));

    Label16 = new QLabel(QStringLiteral("اسم الملف:"), this);
    Label16->setObjectName(QStringLiteral("Label16"));
    Label16->setGeometry(twipsRect(6915, 5130, 1140, 330));
    Label16->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    Label16->setFont(chooserFont(11.25));

    ClearData = new QPushButton(QStringLiteral("موافق"), this);
    ClearData->setObjectName(QStringLiteral("ClearData"));
    ClearData->setGeometry(twipsRect(885, 5040, 2415, 495));

    Command4 = new QPushButton(QStringLiteral("إغلاق"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setGeometry(twipsRect(90, 5040, 810, 495));

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipsRect(135, 60, 360, 360));
    Image2->setPixmap(glyph(Image2->size(), true));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);

    SaveImage = new QLabel(this);
    SaveImage->setObjectName(QStringLiteral("SaveImage"));
    SaveImage->setGeometry(twipsRect(6480, 0, 1260, kStripTw));
    SaveImage->setPixmap(glyph(SaveImage->size(), false));

    connect(Drive1, &QComboBox::activated, this, [this] { OpenFile_Drive1_Change(); });
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(Qt::UserRole).toString();
        if (!target.isEmpty())
            setFolder(target);
    });
    connect(File1, &QListWidget::itemClicked, this, [this] { OpenFile_File1_Click(); });
    connect(ClearData, &QPushButton::clicked, this, [this] { OpenFile_ClearData_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { OpenFile_Command4_Click(); });

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(this);
}

void OpenFile::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    p.fillRect(QRect(0, 0, width(), twips(kStripTw)), QColor(0x3C, 0x52, 0x49));
}

bool OpenFile::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label1)
            OpenFile_Label1_Click();
        else if (watched == Label2)
            OpenFile_Label2_Click();
        else if (watched == Label3)
            OpenFile_Label3_Click();
        else if (watched == Image2)
            OpenFile_Command4_Click();
        else
            return QWidget::eventFilter(watched, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void OpenFile::closeEvent(QCloseEvent* event) {
    // The chooser is hidden, never unloaded.
    event->ignore();
    OpenFile_Command4_Click();
}

QString OpenFile::mode() const {
    return ClearData->text();
}

void OpenFile::setPattern(const QString& pattern) {
    pattern_ = pattern;
    fillFiles();
}

bool OpenFile::setFolder(const QString& path) {
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    folder_ = QDir::cleanPath(dir.absolutePath());
    fillPlaces();
    fillFolders();
    fillFiles();
    return true;
}

void OpenFile::fillPlaces() {
    // The box shows the folder the lists show: the place itself when the
    // folder is one, else the folder above the places. A long path keeps its
    // end, the folder's own name, in view.
    const int room = Drive1->width() - Drive1->height() - 8;
    Drive1->clear();
    auto add = [this, room](const QString& path) {
        Drive1->addItem(Drive1->fontMetrics().elidedText(shownPath(path), Qt::ElideLeft, room),
                        path);
        Drive1->setItemData(Drive1->count() - 1, path, Qt::ToolTipRole);
    };
    if (!places_.contains(folder_))
        add(folder_);
    for (const QString& place : places_)
        add(place);
    Drive1->setCurrentIndex(Drive1->findData(folder_));
}

void OpenFile::fillFolders() {
    Dir1->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    auto* here =
        new QListWidgetItem(style()->standardIcon(QStyle::SP_DirOpenIcon), shownPath(folder_));
    here->setToolTip(folder_);
    QFont bold = Dir1->font();
    bold.setBold(true);
    here->setFont(bold);
    Dir1->addItem(here);
    const QString up = parentFolder(folder_);
    if (up != folder_) {
        auto* item = new QListWidgetItem(icon, QStringLiteral(".."));
        item->setData(Qt::UserRole, up);
        Dir1->addItem(item);
    }
    const QDir dir(folder_);
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        QListWidgetItem* item = nameItem(icon, name);
        item->setData(Qt::UserRole, dir.filePath(name));
        Dir1->addItem(item);
    }
}

void OpenFile::fillFiles() {
    File1->clear();
    if (folder_.isEmpty())
        return;
    // Name patterns match regardless of letter case, as on the original system.
    const QStringList files =
        QDir(folder_).entryList(pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts), QDir::Files,
                                QDir::Name | QDir::IgnoreCase);
    for (const QString& name : files)
        File1->addItem(nameItem(QIcon(), name));
}

void OpenFile::formLoad() {
    loaded_ = true;
    platform::SetTopMost(this);

    // Centred on the profile window, 2000 twips to its right; on the screen
    // when the profile window is not loaded.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    InfoMain* info = loadedInfoMain();
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

void OpenFile::showChooser() {
    if (!loaded_)
        formLoad();
    platform::fileChooserPresenter().present(*this);
}

void OpenFile::OpenFile_Drive1_Change() {
    // A place that cannot be opened leaves the lists where they were.
    setFolder(Drive1->currentData().toString());
}

void OpenFile::OpenFile_File1_Click() {
    if (QListWidgetItem* item = File1->currentItem())
        Text1->setText(item->data(kNameRole).toString());
}

void OpenFile::OpenFile_Label1_Click() {
    setFolder(platform::chooserPlaces().desktop);
}

void OpenFile::OpenFile_Label2_Click() {
    setFolder(platform::chooserPlaces().documents);
}

void OpenFile::OpenFile_Label3_Click() {
    setFolder(platform::chooserPlaces().downloads);
}

void OpenFile::OpenFile_ClearData_Click() {
    if (Text1->text().isEmpty())
        return;
    const QString path = QDir(folder_).filePath(Text1->text());
    hide();
    runChooserMode(mode(), path);
    // The profile is read once the window the file was chosen for is on view:
    // found unfinished, it comes on view above that window, to be completed.
    InfoMain* info = infoMain();
    info->LoadFile->setText(path);
    info->setEnabled(true);
}

void OpenFile::OpenFile_Command4_Click() {
    hide();
    platform::ChildWindow::of(this)->giveMainWindowBack();
}

void OpenFile::chooseFile(const QString& path) {
    const QFileInfo file(path);
    if (!setFolder(file.absolutePath()))
        return;
    Text1->setText(file.fileName());
    ClearData->click();
}

OpenFile* openFile() {
    if (!current())
        current() = new OpenFile;
    return current();
}

OpenFile* loadedOpenFile() {
    return current();
}

void unloadOpenFile() {
    delete current();
    current() = nullptr;
}

} // namespace sijill::shell
