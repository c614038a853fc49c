#include "students/ClassItem.h"

#include "shell/ClassList.h"

#include <QStringList>

namespace sijill::students {

ClassItem ClassItem::parse(const QString& text) {
    const QStringList f = text.split(QLatin1Char(':'));
    return {f.value(0).trimmed(), f.value(1).trimmed(), f.value(2).trimmed()};
}

ClassItem ClassItem::fromClassKey(const QString& key) {
    const shell::ClassKey k = shell::ClassKey::split(key);
    return {QString(), k.grade, k.cls};
}

} // namespace sijill::students
