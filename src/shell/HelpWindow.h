#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace sijill::shell {

// The help window: three topics; a topic shows its prepared picture over the
// menu, a click on the picture brings the menu back. Closing it restores the
// main window, which the help item minimised.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow();

    QWidget* titleStrip = nullptr;      // title strip
    std::vector<QLabel*> topicLabels;   // topics 0..2
    std::vector<QLabel*> topicPictures; // pictures 0..2

    void onTopicClicked(int index);
    void onPictureClicked(int index);
    void onTopicHovered(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void formLoad();
};

// The help window, loaded when it is not.
HelpWindow* helpWindow();
HelpWindow* loadedHelpWindow();
void unloadHelpWindow();

} // namespace sijill::shell
