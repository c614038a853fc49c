#pragma once

#include "labels/LabelsStore.h"

namespace sijill::labels {

// The first of the four texts that is empty, -1 when all hold text.
int firstEmptyText(const LabelTexts& texts);

} // namespace sijill::labels
