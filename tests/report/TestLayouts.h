#pragma once

#include "report/LayoutLoader.h"

#include <QByteArray>
#include <QString>

namespace sijill::test {

// A small layout with every band, for pagination tests: report header 1000
// twips, page header 500, detail 1000 (D0 and D1), page footer 400, report
// footer 2000, on a portrait A4 page with margins of 200.
QByteArray bandedLayoutJson();

inline report::ReportLayout bandedLayout() {
    return report::loadLayoutJson(bandedLayoutJson(), QStringLiteral("Banded.json"), QString());
}

// Rows d0..d3 numbered 1..n, the name "name n" and the registry "reg n".
report::ReportRowset numberedRows(int n);

} // namespace sijill::test
