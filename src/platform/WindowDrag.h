#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace sijill::platform {

// Moves a window without a caption bar when the user drags one of its
// surfaces with the left button. The surfaces of one window share one origin.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    explicit WindowDrag(QWidget* window);
    void addSurface(QWidget* surface);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QPoint origin_;
};

} // namespace sijill::platform
