#pragma once

#include "labels/CustomLabels.h"
#include "platform/ChildWindow.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sijill::labels {

// The custom-labels window "ملصقات مخصصة": a free list of desk labels (class,
// name, number, committee) browsed one row at a time, added, edited, deleted
// and printed two to a row. Rows are written and deleted by their id.
class CustomLabelsWindow : public QWidget, public platform::TypedEdits {
    Q_OBJECT
public:
    // Builds the window and runs its load. `returnTo` is the window shown
    // again when this one closes; without one the main window is enabled and
    // shown instead.
    explicit CustomLabelsWindow(QWidget* returnTo = nullptr);

    void setReturnTo(QWidget* window) { returnTo_ = window; }

    QLabel* titleLabel = nullptr;
    QFrame* panel = nullptr;
    QComboBox* classPicker = nullptr;   // class picker: "grade class"
    std::vector<QLabel*> captionLabels; // captions; captionLabels[2] is hidden
    std::vector<QLineEdit*> fieldBoxes; // d0 class, d1 name, d2 number, d3 committee
    QLabel* closeButton = nullptr;      // close
    QFrame* toolbar = nullptr;          // toolbar
    std::vector<QLabel*> toolbarSpots;  // toolbar hot spots
    QFrame* spotMarker = nullptr;       // marker over the hot spot under the mouse
    QLabel* printButton = nullptr;      // print
    QFrame* storeNewPanel = nullptr;    // add panel: a click stores the new row
    QLabel* cancelAddButton = nullptr;  // add panel's cancel
    QPushButton* backButton = nullptr;
    QPushButton* forwardButton = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* saveButton = nullptr;

    void onClassPicked();
    void onBackClicked();
    void onForwardClicked();
    void onAddClicked();
    void onSaveClicked();
    void onRemoveClicked();
    void onToolbarSpotClicked(int index);
    void onStoreNewClicked();
    void onCancelAddClicked();
    void onPrintClicked();
    void onCloseClicked();

    // The id of the row the boxes show, 0 when none.
    qint64 currentId() const { return currentId_; }
    // The rows as last read from the table, with the window's adds and edits.
    const std::vector<CustomLabel>& rows() const { return rows_; }
    bool adding() const;
    // A shown label changed and not saved, or a new one typed and not stored.
    bool hasTypedEdits() const override;
    QString typedEditsQuestion() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildBoxes();
    void buildToolbar();
    void loadWindow();
    void reopenView();
    void rowLoad();
    void showEmptyTable();
    LabelTexts boxTexts() const;
    CustomLabel* currentRow();
    const CustomLabel* currentRow() const;
    // Writes the boxes over the shown row, after the user's OK when `confirm`.
    bool saveShownRow(bool confirm);
    // Saves the shown row or stores the new one; false leaves the edits.
    bool saveTypedEdits() override;
    void tell(const QString& text, const QString& title) const;
    QString programTitle() const;

    QPointer<QWidget> returnTo_;
    std::vector<CustomLabel> rows_;
    int pos_ = -1;
    qint64 currentId_ = 0;
    // The record current when an add began, shown again when it is cancelled.
    int posBeforeAdd_ = -1;
    void endAdd();
};

// The loaded window, nullptr when it is not loaded.
CustomLabelsWindow* customLabelsWindow();

// The labels panel's row "ملصقات مخصص": the main window disabled and the
// custom-labels window shown (loaded first when it is not loaded). `returnTo`
// is the window to show again when it closes (the exam-control window).
void openCustomLabels(QWidget* returnTo = nullptr);

} // namespace sijill::labels
