#pragma once

#include "report/ReportData.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace sijill::report {

enum class ControlKind { Label, TextBox, Shape, Line, Image };
enum class ShapeKind { Rectangle, RoundedRectangle };
enum class Orientation { Portrait = 1, Landscape = 2 };
// Alignments are physical, as designed: right means the right edge of the
// cell whatever the text direction.
enum class TextAlign { Left = 0, Right = 1, Center = 2 };
enum class VerticalAlign { Top, Center };

// The five bands in their fixed order on the page and in storage.
enum class SectionRole { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };
constexpr int kSectionCount = 5;
// Section4, Section2, Section1, Section3, Section5.
QString sectionName(SectionRole role);

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double size = 8.25; // points
    int weight = 400;
};

// One control of a section. Geometry is in twips inside the section, x from
// the section's left edge. Members are set directly at run time.
struct ReportControl {
    QString name;
    ControlKind kind = ControlKind::Label;
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = true;

    // Labels and text boxes.
    QString caption;   // a label's text
    QString dataField; // a text box's field, matched without regard to case
    FontSpec font;
    TextAlign alignment = TextAlign::Right;
    VerticalAlign verticalAlignment = VerticalAlign::Center;
    bool wordWrap = true;
    // Turned a quarter left, reading upwards: headings of narrow columns.
    bool vertical = false;
    QColor foreColor = Qt::black;

    // Fill (labels, text boxes and shapes) and border (shapes); a line draws
    // in its border colour.
    bool filled = false;
    QColor backColor = Qt::white;
    bool bordered = false;
    QColor borderColor = Qt::black;
    double borderWidth = 15; // twips
    ShapeKind shape = ShapeKind::Rectangle;

    // Images.
    QImage picture;

    // Sets the alignment from its stored code: 0 left, 1 right, 2 centre.
    void setAlignmentCode(int code);
    // A back colour set at run time shows even where the design left the
    // control transparent.
    void setBackColor(const QColor& c) {
        backColor = c;
        filled = true;
    }
};

struct ReportSection {
    QString name;
    double height = 0; // twips
    bool visible = true;
    std::vector<ReportControl> controls;

    ReportControl* find(const QString& controlName);
    const ReportControl* find(const QString& controlName) const;
};

struct PageMargins {
    double left = 200, top = 200, right = 200, bottom = 200;
};

// Everything of a layout that its stored design fixes and code may change.
struct LayoutState {
    QString name;
    double reportWidth = 11280;
    PageMargins margins;
    Orientation orientation = Orientation::Portrait;
    double previewWidth = 0; // twips; 0 leaves the preview window its own width
    FontSpec defaultFont;
    std::array<ReportSection, kSectionCount> sections;
};

// One report layout: its stored design and its current, run-time state.
// Sections and controls are reached by name, without regard to letter case;
// a name the layout lacks is a ReportError, never a crash.
class ReportLayout {
public:
    ReportLayout() = default;
    ReportLayout(LayoutState design, QString sourceFile);

    const QString& name() const { return state_.name; }
    const QString& sourceFile() const { return sourceFile_; }

    ReportSection& section(const QString& sectionName);
    const ReportSection& section(const QString& sectionName) const;
    ReportSection& section(SectionRole role) { return state_.sections[static_cast<int>(role)]; }
    const ReportSection& section(SectionRole role) const {
        return state_.sections[static_cast<int>(role)];
    }
    // A control of one section, as the fillers reach them.
    ReportControl& control(const QString& sectionName, const QString& controlName);
    const ReportControl& control(const QString& sectionName, const QString& controlName) const;
    // A control of whichever section holds it (names are unique in a layout).
    ReportControl& control(const QString& controlName);
    const ReportControl& control(const QString& controlName) const;
    bool hasControl(const QString& controlName) const;

    Orientation orientation() const { return state_.orientation; }
    void setOrientation(Orientation o) { state_.orientation = o; }
    // The stored code: 1 portrait, 2 landscape.
    void setOrientationCode(int code);
    double previewWidth() const { return state_.previewWidth; }
    void setPreviewWidth(double twips) { state_.previewWidth = twips; }
    double reportWidth() const { return state_.reportWidth; }
    void setReportWidth(double twips) { state_.reportWidth = twips; }
    const PageMargins& margins() const { return state_.margins; }
    const FontSpec& defaultFont() const { return state_.defaultFont; }

    // The rows the detail band prints; a copy is taken, so later changes to
    // the caller's rows do not reach this layout.
    void setDataSource(const ReportRowset& rows);
    void setDataSource(std::shared_ptr<const ReportDataSource> rows) { data_ = std::move(rows); }
    const ReportDataSource* dataSource() const { return data_.get(); }

    // Back to the stored design: every caption, visibility, colour, size,
    // picture, orientation and width as stored, and no data source. A fill
    // begins with this, so nothing of an earlier print carries over.
    void resetToDesign();

    const LayoutState& state() const { return state_; }

private:
    [[noreturn]] void missing(const QString& what) const;

    LayoutState stored_;
    LayoutState state_;
    QString sourceFile_;
    std::shared_ptr<const ReportDataSource> data_;
};

} // namespace sijill::report
