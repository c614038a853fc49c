#include "exams/PickLists.h"

#include "exams/Texts.h"
#include "platform/Wait.h"

#include <algorithm>

namespace sijill::exams {

QString storedTitle(const QString& text) {
    return text.section(QLatin1Char(','), 0, 0);
}

bool isDuplicate(const std::vector<PickItem>& items, const QString& text) {
    const QString title = storedTitle(text);
    for (const PickItem& item : items)
        if (item.title == title)
            return true;
    return false;
}

QString duplicateMessage(PickList list, const QString& text) {
    switch (list) {
    case PickList::Subjects:
        return texts::kSubjectExists1 + text + texts::kSubjectExists2;
    case PickList::Teachers:
        return texts::kTeacherExists1 + text + texts::kTeacherExists2;
    case PickList::Times:
        break;
    }
    return texts::kTimeExists1 + text + texts::kTimeExists2;
}

qint64 addPickItem(PickList list, const QString& text) {
    if (isBlankTitle(text))
        return 0;
    const qint64 id = insertPickItem(list, storedTitle(text));
    platform::Wait(0.5);
    return id;
}

} // namespace sijill::exams

namespace sijill::exams {

bool isBlankTitle(const QString& text) {
    return storedTitle(text).trimmed().isEmpty();
}

int pickColumns(PickList list) {
    return list == PickList::Times ? 1 : 3;
}

PickSlot pickItemSlot(PickList list, int j) {
    const int columns = pickColumns(list);
    return {j / columns, j % columns};
}

} // namespace sijill::exams
