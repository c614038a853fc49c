#include "report/PrintablePicture.h"

#include <QtMath>
#include <list>

namespace sijill::report {

namespace {

struct Scaled {
    qint64 source;
    QSize size;
    QImage image;
};

// A handful of pictures are in use at once (the logo, a stamp): a short list
// searched from the front, the oldest dropped.
std::list<Scaled>& recent() {
    static std::list<Scaled> list;
    return list;
}

constexpr size_t kKept = 8;

} // namespace

QImage printablePicture(const QImage& picture, const QSizeF& boxTwips) {
    if (picture.isNull() || boxTwips.isEmpty())
        return picture;
    const QSizeF most = boxTwips / 1440.0 * kPictureDotsPerInch;
    const QSize fitted = picture.size().scaled(QSize(qCeil(most.width()), qCeil(most.height())),
                                               Qt::KeepAspectRatio);
    if (fitted.width() >= picture.width() || fitted.isEmpty())
        return picture;
    auto& list = recent();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->source == picture.cacheKey() && it->size == fitted) {
            list.splice(list.begin(), list, it);
            return list.front().image;
        }
    }
    list.push_front({picture.cacheKey(), fitted,
                     picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)});
    if (list.size() > kKept)
        list.pop_back();
    return list.front().image;
}

} // namespace sijill::report
