#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace sijill::test {

// Which measures a walk checks: the width alone (cut captions, text into a
// border or past its panel's edge), or the font's whole line height too.
enum class Fit { Width, WidthAndLine };

// Why a control's text does not fit it (cut, clipped or running into its
// border); empty when it fits.
QString misfit(QWidget* w, Fit fit = Fit::WidthAndLine);

// Every control on view in `window` (the window itself included) whose text
// does not fit, as "name (class): why"; `checked` counts the controls seen.
QStringList misfitsIn(QWidget* window, Fit fit = Fit::WidthAndLine, int* checked = nullptr);

} // namespace sijill::test
