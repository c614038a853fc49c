#include "platform/Fonts.h"

#include <QHash>

namespace sijill::platform {

namespace {
// Noto Sans Arabic keeps its Arabic copyable and searchable in the PDF files
// Qt writes, so it stands in for the body and the heading fonts alike.
const QString kBody = QStringLiteral("Noto Sans Arabic");
const QString kHeading = kBody;

const QHash<QString, QString>& table() {
    static const QHash<QString, QString> t = {
        {QStringLiteral("al ruvo cool"), kBody},
        {QStringLiteral("al ruvo cool-free"), kBody},
        {QStringLiteral("al onwan"), kHeading},
        {QStringLiteral("al onwan far"), kHeading},
        {QStringLiteral("arial"), kBody},
        {QStringLiteral("tahoma"), kBody},
        {QStringLiteral("ms sans serif"), kBody},
        {QStringLiteral("times new roman"), kBody},
        {QStringLiteral("traditional arabic"), kBody},
        {QStringLiteral("simplified arabic"), kBody},
    };
    return t;
}
} // namespace

QString fontFamilyFor(const QString& designedFamily) {
    const QString key = designedFamily.trimmed().toLower();
    if (key.isEmpty())
        return kBody;
    return table().value(key, designedFamily);
}

QFont designedFont(const QString& family, double pointSize, int weight) {
    QFont f(fontFamilyFor(family));
    f.setPointSizeF(pointSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    // Latin letters and digits not in the Arabic font come from DejaVu Sans.
    f.setFamilies({fontFamilyFor(family), QStringLiteral("DejaVu Sans")});
    return f;
}

QString windowFamily() {
    return QStringLiteral("Al Ruvo Cool");
}

QString windowFreeFamily() {
    return QStringLiteral("Al Ruvo Cool-Free");
}

QFont windowFont(double pointSize, int weight) {
    return designedFont(windowFamily(), pointSize, weight);
}

QFont windowFreeFont(double pointSize, int weight) {
    return designedFont(windowFreeFamily(), pointSize, weight);
}

} // namespace sijill::platform
