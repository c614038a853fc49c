#include "platform/DocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace sijill::platform {

namespace {
std::function<bool(const QString&)>& handler() {
    static std::function<bool(const QString&)> h;
    return h;
}
} // namespace

bool openDocument(const QString& path) {
    if (handler())
        return handler()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::function<bool(const QString&)> setDocumentOpener(std::function<bool(const QString&)> opener) {
    std::function<bool(const QString&)> previous = std::move(handler());
    handler() = std::move(opener);
    return previous;
}

} // namespace sijill::platform
