#pragma once

#include "platform/Presenters.h"
#include "shell/Question.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace sijill::shell {

// The program's own modal message box. It is built anew for every message,
// so each call starts from the design state.
class ProgramMessageBox : public QDialog {
    Q_OBJECT
public:
    ProgramMessageBox();

    void setTitle(const QString& title);
    void setMessage(const QString& text);
    // 1 OK; 2 Cancel, OK; 3 Cancel, No, Yes; 4 no buttons, closes itself
    // after 700 ms; 5 No, Yes.
    void setMode(int mode);
    // 1: red title bar; otherwise the highlight colour.
    void setStyle(int style);
    // What the question's yes does: it decides the buttons Enter and Escape press.
    void setYesDoes(platform::YesDoes yes);
    // Lays the box out for its mode.
    void layoutForMode();

    int mode() const { return mode_; }
    // The button pressed; None while none has been, or when the box closed
    // without one.
    Answer answer() const { return answer_; }
    int style() const { return style_; }
    QString title() const;
    QString message() const;
    // Captions of the buttons on view, left to right.
    QStringList visibleButtons() const;

    QWidget* titleBar() const { return titleStrip; }
    QLabel* messageLabel() const { return messageText; }
    QPushButton* buttonNamed(const QString& objectName) const;
    // The buttons that Enter and Escape press in the current mode and effect
    // (none: Enter does nothing, Escape closes without an answer).
    QPushButton* enterButton() const;
    QPushButton* escapeButton() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void answerWith(Answer answer);
    platform::KeyAnswers keyAnswers() const;
    QPushButton* buttonFor(platform::BoxAnswer answer) const;
    void markEnterButton();
    QWidget*
    makeRow(const char* name, int widthTw, int heightTw,
            std::initializer_list<std::pair<const char*, std::pair<QString, int>>> buttons);

    QWidget* titleStrip = nullptr;
    QLabel* titleText = nullptr;
    QLabel* messageText = nullptr;
    QWidget* okRow = nullptr;
    QWidget* okCancelRow = nullptr;
    QWidget* yesNoCancelRow = nullptr;
    QWidget* yesNoRow = nullptr;
    QTimer* autoCloseTimer = nullptr;
    QStringList shownLines_{QStringLiteral("--")};
    int mode_ = 0;
    int style_ = 0;
    platform::YesDoes yes_ = platform::YesDoes::Destroys;
    Answer answer_ = Answer::None;
};

} // namespace sijill::shell
