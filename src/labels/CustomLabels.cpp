#include "labels/CustomLabels.h"

namespace sijill::labels {

int firstEmptyText(const LabelTexts& texts) {
    for (int f = 0; f < kLabelFields; ++f)
        if (texts[f].isEmpty())
            return f;
    return -1;
}

} // namespace sijill::labels
