#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <vector>

class QEvent;
class QLabel;
class QObject;
class QWidget;

namespace sijill::reports {

// The items of the print menus in the main window's print area: how they look
// and how their clicks are told apart.
namespace menu {
// A menu item label: centred caption, menu background, pointing cursor; a
// caption wider than the item widens it evenly within its panel.
QLabel* item(const QString& objectName, const QString& caption, int top, QWidget* panel,
             QObject* filter);
// Gives every menu item of `item`'s panel the width of the widest, each kept
// about its own centre and within the panel, so the column reads as one.
void evenColumn(QLabel* item);
const QColor& back();
const QColor& hover();
// The index of `o` in `labels`, or -1.
int indexOf(const std::vector<QLabel*>& labels, const QObject* o);
// True for a left-button release inside the label: its click.
bool isClick(const QLabel* label, QEvent* event);
// A menu's event filter for its items: the mouse over an item highlights it,
// a click on it chooses it. True when the event was one of those.
bool handleItemEvent(const std::vector<QLabel*>& items, const QObject* watched, QEvent* event,
                     const std::function<void(int index)>& highlight,
                     const std::function<void(int index)>& choose);
} // namespace menu

} // namespace sijill::reports
