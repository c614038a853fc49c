#pragma once

#include <QString>
#include <functional>

namespace sijill::platform {

// `name` as a file name: every character a file name cannot hold here or on a
// Windows disk (the folder may be copied to one) becomes `replacement`, blanks
// at both ends go, and a long name is cut to what every file system takes. A
// name left empty, or one that would be hidden (a leading dot), starts with
// "Sijill".
QString safeFileName(const QString& name, QChar replacement = QLatin1Char('_'));

// Writes a new file in `folder` under the first name not yet taken:
// `base`.`ext`, then `base`-2.`ext`, `base`-3.`ext` ... (`base` is used as
// given: see safeFileName). The name is taken by creating the file
// exclusively, so no file is ever replaced, even one made meanwhile by another
// program; `write` then fills it. When `write` throws, the empty file is
// removed and the exception goes on. Returns the file.
QString writeNewFile(const QString& folder, const QString& base, const QString& ext,
                     const std::function<void(const QString& path)>& write);

} // namespace sijill::platform
