#include "report/DrawnPage.h"

namespace sijill::report {

const DrawnItem* ReportPage::findText(const QString& text) const {
    for (const DrawnItem& i : items) {
        if (i.kind == DrawnItem::Kind::Text && i.text == text)
            return &i;
    }
    return nullptr;
}

const DrawnItem* ReportPage::findControl(const QString& name, int row) const {
    for (const DrawnItem& i : items) {
        if (i.control.compare(name, Qt::CaseInsensitive) == 0 && (row < 0 || i.row == row))
            return &i;
    }
    return nullptr;
}

QStringList ReportPage::texts() const {
    QStringList out;
    for (const DrawnItem& i : items) {
        if (i.kind == DrawnItem::Kind::Text)
            out << i.text;
    }
    return out;
}

} // namespace sijill::report
