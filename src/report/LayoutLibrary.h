#pragma once

#include "report/ReportModel.h"

#include <QHash>
#include <QString>
#include <memory>

namespace sijill::report {

// One instance of each layout per process, read from "layouts/NAME.json" of
// the program folder at its first use; it keeps what code sets on it.
class LayoutLibrary {
public:
    // The layout of that name (letter case ignored); ReportError when there
    // is no such file or the file is faulty.
    ReportLayout& layout(const QString& name);
    // Forgets every loaded layout (tests, and a changed program folder).
    void clear() { layouts_.clear(); }

    // The folder the layouts are read from.
    static QString folder();
    // The file of a layout, found without regard to letter case; empty when absent.
    static QString fileOf(const QString& name);

private:
    QHash<QString, std::shared_ptr<ReportLayout>> layouts_;
};

LayoutLibrary& layoutLibrary();

// Shorthand for layoutLibrary().layout(name).
inline ReportLayout& layout(const QString& name) {
    return layoutLibrary().layout(name);
}

} // namespace sijill::report
