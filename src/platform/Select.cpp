#include "platform/Select.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace sijill::platform {

void select(QComboBox* box, int index, const std::function<void()>& clickAction) {
    {
        const QSignalBlocker block(box);
        box->setCurrentIndex(index);
    }
    if (clickAction)
        clickAction();
}

void select(QListWidget* list, int index, const std::function<void()>& clickAction) {
    {
        const QSignalBlocker block(list);
        list->setCurrentRow(index);
    }
    if (clickAction)
        clickAction();
}

} // namespace sijill::platform
