#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace sijill::shell {

// The help window: three topics; a topic shows its prepared picture over the
// menu, a click on the picture brings the menu back. Closing it restores the
// main window, which the help item minimised.
class MyHelp : public QWidget {
    Q_OBJECT
public:
    MyHelp();

    QWidget* Picture1 = nullptr;     // title strip
    std::vector<QLabel*> MainSelect; // topics 0..2
    std::vector<QLabel*> HelpPic;    // pictures 0..2

    void MyHelp_MainSelect_Click(int index);
    void MyHelp_HelpPic_Click(int index);
    void MyHelp_MainSelect_MouseMove(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void formLoad();
};

// The help window, loaded when it is not.
MyHelp* myHelp();
MyHelp* loadedMyHelp();
void unloadMyHelp();

} // namespace sijill::shell
