#pragma once

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace sijill::students {

// The layout the two import windows share: a title picture, the import panel
// importPanel (start button, close picture) in front of the frame statusFrame whose
// status line statusLabel shows below the panel, and the wait panel waitPanel.
// Top-level, kept above other windows; closing it gives the main window back.
class ImportWindow : public QWidget {
    Q_OBJECT
public:
    ImportWindow(const QString& objectName, const QString& caption, int waitTopTw);

    QLabel* titleLabel = nullptr;
    QWidget* importPanel = nullptr;
    QPushButton* startImportButton = nullptr;
    QLabel* closePicture = nullptr; // close
    QFrame* statusFrame = nullptr;
    QLabel* statusLabel = nullptr;
    QWidget* waitPanel = nullptr;
    QLabel* waitPicture = nullptr; // the wait picture

    void setPath(const QString& path);
    QString path() const;
    // The source every new import window starts with; the program sets it
    // once to read the chooser's result.
    static void setDefaultPathSource(std::function<QString()> source);

    bool busy() const { return busy_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Back to the usable state: wait panel hidden, status cleared.
    void endImport();
    void beginImport();
    // Busy without the wait panel: the start button and closing do nothing.
    void setBusy(bool busy) { busy_ = busy; }
    QString programTitle() const;

private:
    std::function<QString()> pathSource_;
    bool busy_ = false;
};

} // namespace sijill::students
