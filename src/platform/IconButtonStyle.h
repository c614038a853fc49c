#pragma once

#include <QProxyStyle>

namespace sijill::platform {

// The application's style, drawing a right-to-left push button's icon and
// caption as Arabic reads them: the icon at the start (right), the caption
// beside it to its left, the two centred together. Qt's own drawing puts a
// right-to-left caption against the button's left border. A combo box that a
// layout sizes (in Qt's dialogs too) keeps a margin beside its longest item.
class IconButtonStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
};

// Makes IconButtonStyle the application's style, once.
void useIconButtonStyle();

} // namespace sijill::platform
