#include "platform/FileChooser.h"

#include <QDir>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QWidget>

namespace sijill::platform {

namespace {

class ShowPresenter : public FileChooserPresenter {
public:
    void present(FileChooserWindow& chooser) override {
        QWidget* w = chooser.chooserWidget();
        w->show();
        w->raise();
        w->activateWindow();
    }
};

std::shared_ptr<FileChooserPresenter>& current() {
    static std::shared_ptr<FileChooserPresenter> p = std::make_shared<ShowPresenter>();
    return p;
}

QString location(QStandardPaths::StandardLocation where) {
    return QDir::cleanPath(QStandardPaths::writableLocation(where));
}

bool isUserVolume(const QString& root) {
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/mnt/")) ||
           root.startsWith(QLatin1String("/run/media/"));
}

} // namespace

FileChooserPresenter& fileChooserPresenter() {
    return *current();
}

std::shared_ptr<FileChooserPresenter>
setFileChooserPresenter(std::shared_ptr<FileChooserPresenter> presenter) {
    auto previous = current();
    current() = presenter ? std::move(presenter) : std::make_shared<ShowPresenter>();
    return previous;
}

ChooserPlaces chooserPlaces() {
    ChooserPlaces places;
    for (const QFileInfo& drive : QDir::drives())
        places.roots << QDir::cleanPath(drive.absoluteFilePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        if (volume.isValid() && volume.isReady() && isUserVolume(root) &&
            !places.roots.contains(root))
            places.roots << root;
    }
    places.home = QDir::cleanPath(QDir::homePath());
    places.desktop = location(QStandardPaths::DesktopLocation);
    places.documents = location(QStandardPaths::DocumentsLocation);
    places.downloads = location(QStandardPaths::DownloadLocation);
    return places;
}

} // namespace sijill::platform
