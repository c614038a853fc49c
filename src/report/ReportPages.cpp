#include "report/ReportPages.h"

#include "platform/Fonts.h"
#include "report/CellRules.h"
#include "report/PrintablePicture.h"
#include "report/ReportError.h"
#include "report/ReportPainter.h"
#include "report/TextFit.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace sijill::report {

bool textFits(const DrawnItem& item) {
    if (item.kind != DrawnItem::Kind::Text || item.text.isEmpty())
        return true;
    // The glyphs as drawn, not their advance: an upright text, a mark above a
    // letter or a tall first letter may reach past a box that the advance fits.
    const DrawnText drawn = drawnText(item);
    return drawn.whole && (drawn.ink.isNull() ||
                           item.textArea().adjusted(-0.5, -0.5, 0.5, 0.5).contains(drawn.ink));
}

QSizeF paperSizeFor(Orientation orientation) {
    const QSizeF a4(11906, 16838); // 210 by 297 mm
    return orientation == Orientation::Portrait ? a4 : a4.transposed();
}

namespace {

// Below 1 when the layout is wider than the paper.
double scaleToPaper(const ReportLayout& layout) {
    const PageMargins& m = layout.margins();
    const double printable = paperSizeFor(layout.orientation()).width() - m.left - m.right;
    return layout.reportWidth() > printable ? printable / layout.reportWidth() : 1.0;
}

// The height between the margins, in layout twips.
double pageHeight(const ReportLayout& layout, double scale) {
    const PageMargins& m = layout.margins();
    return (paperSizeFor(layout.orientation()).height() - m.top - m.bottom) / scale;
}

int alignmentFlags(const ReportControl& c) {
    int flags = Qt::AlignAbsolute;
    switch (c.alignment) {
    case TextAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case TextAlign::Right:
        flags |= Qt::AlignRight;
        break;
    case TextAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    flags |= c.verticalAlignment == VerticalAlign::Top ? Qt::AlignTop : Qt::AlignVCenter;
    if (c.wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

// What the placement of one control needs, worked out once per layout.
struct PreparedControl {
    const ReportControl* control;
    QFont font;
    int flags = 0;
    int column = -1; // bound field of a text box
};

struct PreparedSection {
    const ReportSection* section;
    std::vector<PreparedControl> controls;
    bool prints() const { return section->visible && section->height > 0; }
};

class Paginator {
public:
    Paginator(const ReportLayout& layout, LaidOutReport& out) : layout_(layout), out_(out) {}

    void run() {
        out_.layoutName = layout_.name();
        out_.orientation = layout_.orientation();
        out_.paperSize = paperSizeFor(layout_.orientation());
        out_.previewWidth = layout_.previewWidth();
        out_.scale = scaleToPaper(layout_);
        bottom_ = pageHeight(layout_, out_.scale);
        padding_ = widestRule() * out_.scale;
        prepare();

        const PreparedSection& reportHeader = sections_[0];
        const PreparedSection& detail = sections_[2];
        const PreparedSection& pageFooter = sections_[3];
        const PreparedSection& reportFooter = sections_[4];
        if (pageFooter.prints())
            bottom_ -= pageFooter.section->height;

        startPage();
        if (reportHeader.prints())
            place(reportHeader, -1);
        placePageHeader();
        const int rows = data_ ? data_->rowCount() : 0;
        if (detail.prints()) {
            for (int r = 0; r < rows; ++r) {
                if ((!fits(detail) || (r == rows - 1 && footerTakesLastRow())) && rowsOnPage_ > 0)
                    newPage();
                place(detail, r);
                ++rowsOnPage_;
            }
        }
        if (reportFooter.prints()) {
            if (!fits(reportFooter) && y_ > headerBottom_)
                newPage();
            place(reportFooter, rows > 0 ? rows - 1 : -1);
        }
        finishPage();
    }

private:
    void prepare() {
        data_ = layout_.dataSource();
        for (int s = 0; s < kSectionCount; ++s) {
            const ReportSection& section = layout_.section(static_cast<SectionRole>(s));
            PreparedSection ps{&section, {}};
            for (const ReportControl& c : section.controls) {
                PreparedControl pc{&c, {}, 0, -1};
                if (c.kind == ControlKind::TextBox)
                    pc.column = bind(c);
                if (c.kind == ControlKind::Label || c.kind == ControlKind::TextBox) {
                    pc.font = fontOf(c.font);
                    pc.flags = alignmentFlags(c);
                }
                ps.controls.push_back(std::move(pc));
            }
            sections_.push_back(std::move(ps));
        }
    }

    // Texts keep clear of the cells' borders: the widest rule the layout draws.
    double widestRule() const {
        double widest = 0;
        for (int s = 0; s < kSectionCount; ++s) {
            for (const ReportControl& c : layout_.section(static_cast<SectionRole>(s)).controls) {
                if (c.visible &&
                    (c.kind == ControlKind::Line || (c.kind == ControlKind::Shape && c.bordered)))
                    widest = std::max(widest, c.borderWidth);
            }
        }
        return widest;
    }

    int bind(const ReportControl& c) const {
        const int column = data_ ? data_->fieldIndex(c.dataField) : -1;
        if (column < 0)
            throw ReportError(
                QStringLiteral("layout %1: text box %2 binds the field \"%3\", which %4")
                    .arg(layout_.name(), c.name, c.dataField,
                         data_ ? QStringLiteral("the data source lacks")
                               : QStringLiteral("cannot be found: the layout has no data source")));
        return column;
    }

    QFont fontOf(const FontSpec& spec) const {
        QFont f = platform::designedFont(spec.family, spec.size, spec.weight);
        // Sizes are kept in twips so that every device draws them alike.
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(spec.size * 20 * out_.scale))));
        f.setHintingPreference(QFont::PreferNoHinting);
        return f;
    }

    bool fits(const PreparedSection& ps, double below = 0) const {
        return y_ + below + ps.section->height <= bottom_ + 0.5;
    }

    // A report footer never stands on a page with headings alone: where the
    // last row fits but the footer after it does not, the row goes over with
    // it, as long as a fresh page holds both.
    bool footerTakesLastRow() const {
        const PreparedSection& detail = sections_[2];
        const PreparedSection& footer = sections_[4];
        if (!footer.prints() || !fits(detail) || fits(footer, detail.section->height))
            return false;
        const double freshTop = sections_[1].prints() ? sections_[1].section->height : 0;
        return freshTop + detail.section->height + footer.section->height <= bottom_ + 0.5;
    }

    void startPage() {
        out_.pages.emplace_back();
        bandStart_ = 0;
        y_ = 0;
        rowsOnPage_ = 0;
    }

    void placePageHeader() {
        if (sections_[1].prints())
            place(sections_[1], -1);
        headerBottom_ = y_;
    }

    void newPage() {
        finishPage();
        startPage();
        placePageHeader();
    }

    void finishPage() {
        const PreparedSection& footer = sections_[3];
        if (footer.prints()) {
            y_ = bottom_;
            place(footer, -1);
        }
    }

    QRectF toPage(double left, double top, double width, double height) const {
        const PageMargins& m = layout_.margins();
        const double s = out_.scale;
        return QRectF(m.left + left * s, m.top + (y_ + top) * s, width * s, height * s);
    }

    void place(const PreparedSection& ps, int row) {
        ReportPage& page = out_.pages.back();
        const std::size_t first = page.items.size();
        for (const PreparedControl& pc : ps.controls) {
            const ReportControl& c = *pc.control;
            if (!c.visible)
                continue;
            DrawnItem item;
            item.section = ps.section->name;
            item.control = c.name;
            item.row = ps.section == sections_[2].section ? row : -1;
            item.rect = toPage(c.left, c.top, c.width, c.height);
            switch (c.kind) {
            case ControlKind::Label:
            case ControlKind::TextBox:
                item.kind = DrawnItem::Kind::Text;
                item.text = c.kind == ControlKind::Label
                                ? c.caption
                                : (row >= 0 ? data_->text(row, pc.column) : QString());
                item.font = pc.font;
                item.flags = pc.flags;
                item.color = c.foreColor;
                item.filled = c.filled;
                item.fill = c.backColor;
                item.vertical = c.vertical;
                break;
            case ControlKind::Shape:
                item.kind = c.shape == ShapeKind::RoundedRectangle ? DrawnItem::Kind::RoundedRect
                                                                   : DrawnItem::Kind::Rect;
                item.filled = c.filled;
                item.fill = c.backColor;
                item.bordered = c.bordered;
                item.border = c.borderColor;
                item.borderWidth = c.borderWidth * out_.scale;
                break;
            case ControlKind::Line:
                item.kind = DrawnItem::Kind::Line;
                item.color = c.borderColor;
                item.borderWidth = c.borderWidth * out_.scale;
                break;
            case ControlKind::Image:
                if (c.picture.isNull())
                    continue;
                item.kind = DrawnItem::Kind::Picture;
                item.picture = printablePicture(c.picture, item.rect.size());
                break;
            }
            page.items.push_back(std::move(item));
        }
        fitTexts(page, first);
        bandStart_ = first;
        y_ += ps.section->height;
    }

    // Fits the texts of the band that starts at `first` into their boxes, each
    // kept clear of the rules around it (its band's and the band's above,
    // whose bottom rule may close its cells), then puts the texts side by side
    // on one baseline.
    void fitTexts(ReportPage& page, std::size_t first) {
        const std::size_t above = std::min(bandStart_, first);
        const std::vector<Rule> rules =
            rulesOf({page.items.begin() + static_cast<std::ptrdiff_t>(above), page.items.end()});
        std::vector<std::pair<DrawnItem*, TextFitter::Placed>> band;
        for (std::size_t i = first; i < page.items.size(); ++i) {
            DrawnItem& item = page.items[i];
            if (item.kind != DrawnItem::Kind::Text)
                continue;
            const QMarginsF clear = cellClearance(item.rect, rules);
            item.padding =
                QMarginsF(std::max(padding_, clear.left()), std::max(padding_, clear.top()),
                          std::max(padding_, clear.right()), std::max(padding_, clear.bottom()));
            TextFitter::Placed placed;
            const QString typed = item.text;
            if (!fitter_.fit(item, &placed))
                out_.cutTexts.push_back({static_cast<int>(out_.pages.size()) - 1, item.section,
                                         item.control, item.row, typed});
            band.emplace_back(&item, placed);
        }
        shareBaselines(band);
    }

    const ReportLayout& layout_;
    LaidOutReport& out_;
    const ReportDataSource* data_ = nullptr;
    std::vector<PreparedSection> sections_;
    TextFitter fitter_;
    double padding_ = 0;        // inside every text's box
    std::size_t bandStart_ = 0; // the first item of the last band placed on the page
    double bottom_ = 0;         // lowest y a band may reach, in layout twips
    double y_ = 0;              // top of the next band on the current page
    double headerBottom_ = 0;   // where the page header ended on the current page
    int rowsOnPage_ = 0;
};

} // namespace

bool fitRowsToOnePage(ReportLayout& layout, int rows) {
    ReportSection& detail = layout.section(SectionRole::Detail);
    if (rows <= 0 || !detail.visible || detail.height <= 0)
        return false;
    double room = pageHeight(layout, scaleToPaper(layout));
    for (SectionRole role : {SectionRole::ReportHeader, SectionRole::PageHeader,
                             SectionRole::PageFooter, SectionRole::ReportFooter}) {
        const ReportSection& s = layout.section(role);
        if (s.visible)
            room -= std::max(0.0, s.height);
    }
    const double share = room / (rows * detail.height);
    if (share >= 1 || share < kMinTextScale)
        return false;
    const ReportSection asDesigned = detail;
    // Texts shortened, or shrunk past the floor: rows closed up must not add any.
    const auto pastTheFloor = [](const LaidOutReport& laid) {
        std::size_t n = laid.cutTexts.size();
        for (const ReportPage& page : laid.pages) {
            n += std::count_if(page.items.begin(), page.items.end(), [](const DrawnItem& i) {
                return i.kind == DrawnItem::Kind::Text && !i.cut && i.scale < kMinTextScale - 1e-6;
            });
        }
        return n;
    };
    const std::size_t cutAsDesigned = pastTheFloor(layOut(layout));
    detail.height *= share;
    for (ReportControl& c : detail.controls) {
        c.top *= share;
        c.height *= share;
    }
    // Rows whose texts would no longer stand whole and clear of their rules
    // keep their height and go on to another page instead.
    if (pastTheFloor(layOut(layout)) > cutAsDesigned) {
        detail = asDesigned;
        return false;
    }
    return true;
}

LaidOutReport layOut(const ReportLayout& layout) {
    LaidOutReport out;
    Paginator(layout, out).run();
    return out;
}

} // namespace sijill::report
