#pragma once

#include <functional>

class QComboBox;
class QListWidget;

namespace sijill::platform {

// Sets a list's selection from code and runs its click action at once, even
// when the index does not change (Qt emits nothing then).
void select(QComboBox* box, int index, const std::function<void()>& clickAction = {});
void select(QListWidget* list, int index, const std::function<void()>& clickAction = {});

} // namespace sijill::platform
