#pragma once

#include <QComboBox>
#include <QStringList>

namespace sijill::test {

// The texts of a combo box's items, in list order.
inline QStringList comboItems(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace sijill::test
