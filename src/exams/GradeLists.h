#pragma once

#include <QStringList>

namespace sijill::exams {

// The exam-control grade list from the main window's class keys, in order:
// the grade part of each key with every "ابتدائي", "-" and double blank
// removed; classes of grades whose part holds "أول" or "ثاني" left out; a
// name added only when it differs from the one added before it. A grade's
// position in the list (from 1, after the prompt) is its D0.
QStringList examGradeNames(const QStringList& classKeys);

// The labels panel's class keys: every key without "اختر", "أول" or "ثاني".
QStringList labelClassKeys(const QStringList& classKeys);

} // namespace sijill::exams
