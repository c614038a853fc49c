#include "shell/ProgramMessageBox.h"

#include "platform/Fonts.h"
#include "platform/Presenters.h"
#include "platform/TopMost.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"
#include "platform/WindowDrag.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>
#include <QTimer>

namespace sijill::shell {

using platform::twips;

namespace {

constexpr std::uint32_t kRedTitle = 0x4E47F1;
constexpr std::uint32_t kHighlight = 0x8000000D;
constexpr int kDesignWidthTw = 6825;
constexpr int kSideMarginTw = 240;

QFont boxFont() {
    return platform::windowFreeFont(12, 500);
}

// A line with no right-to-left letter (a folder path, a file name) reads left
// to right; in the box's right-to-left paragraph "/home/x" would show as
// "home/x/". Such a line is isolated as left-to-right text.
QString shownLine(const QString& line) {
    for (const QChar c : line) {
        const QChar::Direction d = c.direction();
        if (d == QChar::DirR || d == QChar::DirAL)
            return line;
    }
    if (line.trimmed().isEmpty())
        return line;
    return QChar(0x2066) + line + QChar(0x2069);
}

// Breaks each line to the width, between words where it can and inside a
// word longer than the width (a long class name) where it must.
QStringList wrappedLines(const QStringList& lines, const QFont& font, int width) {
    QStringList out;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTextDirection(Qt::RightToLeft);
    for (const QString& line : lines) {
        QTextLayout layout(line, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(width);
            out << line.mid(l.textStart(), l.textLength()).trimmed();
        }
        layout.endLayout();
        if (line.isEmpty())
            out << QString();
    }
    return out;
}

void paintBackground(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRect availableScreen() {
    if (QScreen* s = QGuiApplication::primaryScreen())
        return s->availableGeometry();
    return QRect(0, 0, 1024, 768);
}

} // namespace

ProgramMessageBox::ProgramMessageBox() {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    setModal(true);
    setFont(boxFont());

    titleStrip = new QWidget(this);
    titleStrip->setObjectName(QStringLiteral("titleStrip"));
    titleStrip->setGeometry(0, 0, twips(6840), twips(345));
    paintBackground(titleStrip, platform::vbColor(kHighlight));

    titleText = new QLabel(QStringLiteral("عنوان التنبيه"), titleStrip);
    titleText->setObjectName(QStringLiteral("titleText"));
    titleText->setGeometry(twips(60), twips(15), twips(6725), twips(300));
    titleText->setAlignment(Qt::AlignCenter);
    titleText->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    messageText = new QLabel(QStringLiteral("--"), this);
    messageText->setObjectName(QStringLiteral("messageText"));
    messageText->setAlignment(Qt::AlignCenter);
    messageText->setTextFormat(Qt::PlainText);

    okRow = makeRow("okRow", 1695, 390, {{"okButton", {QStringLiteral("موافق"), 75}}});
    okCancelRow = makeRow("okCancelRow", 1695, 420,
                          {{"okCancelCancelButton", {QStringLiteral("إلغاء"), 30}},
                           {"okCancelOkButton", {QStringLiteral("موافق"), 870}}});
    yesNoCancelRow = makeRow("yesNoCancelRow", 2355, 555,
                             {{"yesNoCancelCancelButton", {QStringLiteral("إلغاء"), 0}},
                              {"yesNoCancelNoButton", {QStringLiteral("لا"), 780}},
                              {"yesNoCancelYesButton", {QStringLiteral("نعم"), 1560}}});
    yesNoRow = makeRow("yesNoRow", 1635, 555,
                       {{"yesNoNoButton", {QStringLiteral("لا"), 30}},
                        {"yesNoYesButton", {QStringLiteral("نعم"), 825}}});
    buttonNamed(QStringLiteral("okButton"))->setGeometry(twips(75), 0, twips(1575), twips(375));
    // Two buttons share their row: each as wide as "موافق" needs with a margin.
    for (QPushButton* b : okCancelRow->findChildren<QPushButton*>())
        b->resize(twips(795), b->height());

    // Each button gives its answer; Yes and No of mode 5 answer as those of mode 3.
    const std::pair<const char*, Answer> answers[] = {{"okButton", Answer::Ok},
                                                      {"okCancelOkButton", Answer::Ok},
                                                      {"okCancelCancelButton", Answer::Cancel},
                                                      {"yesNoCancelCancelButton", Answer::Cancel},
                                                      {"yesNoCancelYesButton", Answer::Yes},
                                                      {"yesNoYesButton", Answer::Yes},
                                                      {"yesNoCancelNoButton", Answer::No},
                                                      {"yesNoNoButton", Answer::No}};
    for (const auto& button : answers) {
        const Answer answer = button.second;
        connect(buttonNamed(QString::fromLatin1(button.first)), &QPushButton::clicked, this,
                [this, answer] { answerWith(answer); });
    }

    autoCloseTimer = new QTimer(this);
    autoCloseTimer->setObjectName(QStringLiteral("autoCloseTimer"));
    autoCloseTimer->setSingleShot(true);
    connect(autoCloseTimer, &QTimer::timeout, this, [this] { done(QDialog::Rejected); });

    auto* drag = new platform::WindowDrag(this);
    drag->addSurface(titleStrip);
    drag->addSurface(titleText);

    // Loading the box: keep it on top, hide the mode-5 row.
    platform::SetTopMost(this);
    yesNoRow->hide();
}

QWidget* ProgramMessageBox::makeRow(
    const char* name, int widthTw, int heightTw,
    std::initializer_list<std::pair<const char*, std::pair<QString, int>>> buttons) {
    auto* row = new QWidget(this);
    row->setObjectName(QString::fromLatin1(name));
    row->resize(twips(widthTw), twips(heightTw));
    // Buttons stand at the designed places, left to right, whatever the
    // layout direction.
    row->setLayoutDirection(Qt::LeftToRight);
    for (const auto& [buttonName, captionLeft] : buttons) {
        auto* b = new QPushButton(captionLeft.first, row);
        b->setObjectName(QString::fromLatin1(buttonName));
        // Designed 795 wide at steps of 780: a little narrower, so that
        // neighbouring buttons stand apart instead of overlapping.
        b->setGeometry(twips(captionLeft.second), 0, twips(735), twips(375));
        b->setLayoutDirection(Qt::RightToLeft);
        b->setAutoDefault(false);
    }
    return row;
}

QPushButton* ProgramMessageBox::buttonNamed(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void ProgramMessageBox::setTitle(const QString& title) {
    titleText->setText(title);
    setWindowTitle(title);
}

void ProgramMessageBox::setMessage(const QString& text) {
    // Lines may end with a carriage return; the label breaks on line feeds.
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = t.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = shownLine(line);
    shownLines_ = lines;
    messageText->setText(lines.join(QLatin1Char('\n')));
    setProperty("sijillText", text);
}

void ProgramMessageBox::setMode(int mode) {
    mode_ = mode;
    setProperty("sijillMode", mode);
}

void ProgramMessageBox::setStyle(int style) {
    style_ = style;
    paintBackground(titleStrip, platform::vbColor(style == 1 ? kRedTitle : kHighlight));
    markEnterButton();
    setProperty("sijillStyle", style);
}

QString ProgramMessageBox::title() const {
    return titleText->text();
}
QString ProgramMessageBox::message() const {
    return property("sijillText").toString();
}

QStringList ProgramMessageBox::visibleButtons() const {
    QStringList out;
    for (QWidget* row : {okRow, okCancelRow, yesNoCancelRow, yesNoRow}) {
        if (row->isHidden())
            continue;
        QList<QPushButton*> bs = row->findChildren<QPushButton*>();
        std::sort(bs.begin(), bs.end(),
                  [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
        for (QPushButton* b : bs)
            out << b->text();
    }
    return out;
}

void ProgramMessageBox::layoutForMode() {
    const QRect screen = availableScreen();
    // The message never gets cut: the box widens up to the screen, and only a
    // line longer than that wraps, inside a long word where it must.
    const QFontMetrics fm(messageText->font());
    const QStringList lines = shownLines_;
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, fm.horizontalAdvance(line));
    const int margin = twips(kSideMarginTw);
    const int maxWidth = std::max(twips(kDesignWidthTw), screen.width() * 9 / 10);
    const int width = std::clamp(textWidth + 2 * margin, twips(kDesignWidthTw), maxWidth);
    const bool wrap = textWidth + 2 * margin > width;
    const int msgWidth = wrap ? width - 2 * margin : textWidth + 2;
    const QStringList shown = wrap ? wrappedLines(lines, messageText->font(), msgWidth) : lines;
    messageText->setWordWrap(false);
    messageText->setText(shown.join(QLatin1Char('\n')));
    const int msgHeight = fm.lineSpacing() * static_cast<int>(shown.size());
    messageText->setGeometry(width / 2 - msgWidth / 2, twips(420), msgWidth, msgHeight);

    titleStrip->setGeometry(0, 0, width + twips(15), twips(345));
    titleText->setGeometry(twips(60), twips(15), width - twips(100), twips(300));

    const int height = msgHeight + twips(345) + twips(390) + twips(630);
    setFixedSize(width, height);
    move(screen.x() + screen.width() / 2 - width / 2,
         screen.y() + screen.height() / 2 - height / 2);

    okRow->hide();
    okCancelRow->hide();
    yesNoCancelRow->hide();
    for (QWidget* row : {okRow, okCancelRow, yesNoCancelRow, yesNoRow})
        row->move(width / 2 - row->width() / 2, msgHeight + twips(315) + twips(345) + twips(200));

    switch (mode_) {
    case 1:
        okRow->show();
        break;
    case 2:
        okCancelRow->show();
        break;
    case 3:
        yesNoCancelRow->show();
        break;
    case 4:
        autoCloseTimer->start(700);
        break;
    case 5:
        yesNoRow->show();
        break;
    default:
        break;
    }
    markEnterButton();
    setProperty("sijillButtons", visibleButtons());
}

// The button Enter presses is drawn as the default one and holds the focus,
// so that the space bar presses it too.
void ProgramMessageBox::markEnterButton() {
    if (QPushButton* b = enterButton()) {
        b->setDefault(true);
        b->setFocus();
    }
}

void ProgramMessageBox::setYesDoes(platform::YesDoes yes) {
    yes_ = yes;
    markEnterButton();
}

platform::KeyAnswers ProgramMessageBox::keyAnswers() const {
    // Modes 1 and 4 ask nothing, whatever their caller declared.
    const bool question = mode_ == 2 || mode_ == 3 || mode_ == 5;
    platform::KeyAnswers keys =
        platform::keyAnswers(question ? yes_ : platform::YesDoes::NoQuestion,
                             mode_ == 3 || mode_ == 5, mode_ == 2 || mode_ == 3);
    // The No/Yes box has always taken Enter as No; where No drops nothing the
    // user typed, it still does.
    if (mode_ == 5 && yes_ == platform::YesDoes::Keeps)
        keys.enter = platform::BoxAnswer::No;
    return keys;
}

QPushButton* ProgramMessageBox::buttonFor(platform::BoxAnswer answer) const {
    using platform::BoxAnswer;
    const char* name = nullptr;
    switch (answer) {
    case BoxAnswer::Yes:
        name = mode_ == 1   ? "okButton"
               : mode_ == 2 ? "okCancelOkButton"
               : mode_ == 3 ? "yesNoCancelYesButton"
                            : "yesNoYesButton";
        break;
    case BoxAnswer::No:
        name = mode_ == 3 ? "yesNoCancelNoButton" : "yesNoNoButton";
        break;
    case BoxAnswer::Cancel:
        name = mode_ == 2 ? "okCancelCancelButton" : "yesNoCancelCancelButton";
        break;
    case BoxAnswer::None:
        break;
    }
    if (!name || mode_ == 4 || mode_ < 1 || mode_ > 5)
        return nullptr;
    return buttonNamed(QString::fromLatin1(name));
}

QPushButton* ProgramMessageBox::enterButton() const {
    return buttonFor(keyAnswers().enter);
}

QPushButton* ProgramMessageBox::escapeButton() const {
    return buttonFor(keyAnswers().escape);
}

void ProgramMessageBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    if (mode_ == 4)
        return; // closes by itself
    if (QPushButton* b = enter ? enterButton() : escapeButton())
        b->click();
    else if (!enter)
        reject(); // mode 5: closed without an answer
}

void ProgramMessageBox::answerWith(Answer answer) {
    answer_ = answer;
    done(QDialog::Accepted);
}

void ProgramMessageBox::closeEvent(QCloseEvent* event) {
    // Closed without a button: no answer.
    autoCloseTimer->stop();
    event->accept();
}

void ProgramMessageBox::reject() {
    // Escape, or a close by the window system: no answer.
    autoCloseTimer->stop();
    QDialog::reject();
}

} // namespace sijill::shell
