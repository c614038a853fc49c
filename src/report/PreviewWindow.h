#pragma once

#include "report/ReportOutput.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

namespace sijill::report {

class PageView;

// The modeless preview of a laid-out report: page through, zoom, print. It
// keeps the pages it was opened with, whatever happens to the layout later.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(LaidOutReport report);

    int pageCount() const { return static_cast<int>(report_.pages.size()); }
    int currentPage() const { return page_; }
    void showPage(int index);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    const LaidOutReport& report() const { return report_; }

    QToolButton* firstPageButton = nullptr;
    QToolButton* previousPageButton = nullptr;
    QToolButton* nextPageButton = nullptr;
    QToolButton* lastPageButton = nullptr;
    QLabel* pageNumberLabel = nullptr;
    QComboBox* zoomPicker = nullptr;
    QToolButton* printButton = nullptr;

private:
    void print();
    void refresh();

    LaidOutReport report_;
    QString caption_; // the title without the program's name
    int page_ = 0;
    double zoom_ = 1.0;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
};

// Makes previews open in a PreviewWindow (the program calls this at start-up).
void installPreviewWindow();

} // namespace sijill::report
