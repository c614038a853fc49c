#pragma once

#include <QString>
#include <functional>

namespace sijill::platform {

// Opens a finished document (a names export) in the desktop's default program
// for its type, so the user finds it open. Returns false when nothing could
// open it. Tests install a handler that records the request instead.
bool openDocument(const QString& path);
// Installs a handler; an empty one restores the desktop's. Returns the previous.
std::function<bool(const QString&)> setDocumentOpener(std::function<bool(const QString&)> opener);

} // namespace sijill::platform
