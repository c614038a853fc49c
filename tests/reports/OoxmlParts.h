#pragma once

#include "reports/OoxmlPackage.h"

#include <QString>
#include <pugixml.hpp>

namespace sijill::test {

// One part of a written workbook or document, parsed.
inline pugi::xml_document xmlPart(const QString& file, const QString& part) {
    pugi::xml_document doc;
    reports::parseXml(doc, reports::OoxmlPackage::read(file).part(part), part);
    return doc;
}

} // namespace sijill::test
