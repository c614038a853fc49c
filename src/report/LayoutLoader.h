#pragma once

#include "report/ReportModel.h"

#include <QByteArray>
#include <QString>

namespace sijill::report {

// Reads a stored layout (one JSON file) and checks it: the five sections in
// their order, known kinds and keys, unique control names, pictures present.
// Any fault is a ReportError whose message names the file.
ReportLayout loadLayoutFile(const QString& path);

// The same from JSON text; `sourceName` names it in messages and `folder` is
// where its pictures are looked for.
ReportLayout loadLayoutJson(const QByteArray& json, const QString& sourceName,
                            const QString& folder);

} // namespace sijill::report
