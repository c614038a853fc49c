#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace sijill::platform {

// A file chooser window as its presenter sees it: shown modeless, it reports
// by itself (accept with a file, or close).
class FileChooserWindow {
public:
    virtual ~FileChooserWindow() = default;
    virtual QWidget* chooserWidget() = 0;
    // Picks `path` as a person would: its folder, its name in the name box,
    // then the action button.
    virtual void chooseFile(const QString& path) = 0;
    // Closes the chooser without a choice.
    virtual void closeChooser() = 0;
};

// How the chooser is put in front of the user. The real one shows the window;
// tests install one that answers with a file path instead of a person.
class FileChooserPresenter {
public:
    virtual ~FileChooserPresenter() = default;
    virtual void present(FileChooserWindow& chooser) = 0;
};

FileChooserPresenter& fileChooserPresenter();
// Installs a presenter (nullptr restores the real one); returns the previous.
std::shared_ptr<FileChooserPresenter>
setFileChooserPresenter(std::shared_ptr<FileChooserPresenter> presenter);

// The places a chooser offers: the file-system roots (with the mounted
// volumes under /media, /mnt and /run/media) and the user's folders.
struct ChooserPlaces {
    QStringList roots;
    QString home;
    QString desktop;
    QString documents;
    QString downloads;
};

ChooserPlaces chooserPlaces();

} // namespace sijill::platform
