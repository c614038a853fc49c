#include "students/ClassItem.h"

#include "shell/ClassList.h"

#include <QStringList>

namespace sijill::students {

ClassItem ClassItem::parse(const QString& text) {
    // Kind and grade hold no ":" (the class add refuses one); the class is the
    // rest of the text, whatever it holds.
    const QStringList f = text.split(QLatin1Char(':'));
    const QString cls = f.size() > 2 ? QStringList(f.mid(2)).join(QLatin1Char(':')) : QString();
    return {f.value(0).trimmed(), f.value(1).trimmed(), cls.trimmed()};
}

ClassItem ClassItem::fromClassKey(const QString& key) {
    const shell::ClassKey k = shell::ClassKey::split(key);
    return {QString(), k.grade, k.cls};
}

} // namespace sijill::students
