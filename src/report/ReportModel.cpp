#include "report/ReportModel.h"

#include "report/ReportError.h"

namespace sijill::report {

QString sectionName(SectionRole role) {
    static const char* const names[kSectionCount] = {"Section4", "Section2", "Section1", "Section3",
                                                     "Section5"};
    return QString::fromLatin1(names[static_cast<int>(role)]);
}

void ReportControl::setAlignmentCode(int code) {
    alignment = code == 0 ? TextAlign::Left : code == 2 ? TextAlign::Center : TextAlign::Right;
}

ReportControl* ReportSection::find(const QString& controlName) {
    for (ReportControl& c : controls) {
        if (c.name.compare(controlName, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

const ReportControl* ReportSection::find(const QString& controlName) const {
    return const_cast<ReportSection*>(this)->find(controlName);
}

ReportLayout::ReportLayout(LayoutState design, QString sourceFile)
    : stored_(std::move(design)), state_(stored_), sourceFile_(std::move(sourceFile)) {}

void ReportLayout::missing(const QString& what) const {
    throw ReportError(QStringLiteral("layout %1 has no %2").arg(state_.name, what));
}

ReportSection& ReportLayout::section(const QString& sectionName) {
    for (ReportSection& s : state_.sections) {
        if (s.name.compare(sectionName, Qt::CaseInsensitive) == 0)
            return s;
    }
    missing(QStringLiteral("section \"%1\"").arg(sectionName));
}

const ReportSection& ReportLayout::section(const QString& sectionName) const {
    return const_cast<ReportLayout*>(this)->section(sectionName);
}

ReportControl& ReportLayout::control(const QString& sectionName, const QString& controlName) {
    ReportSection& s = section(sectionName);
    if (ReportControl* c = s.find(controlName))
        return *c;
    missing(QStringLiteral("control \"%1\" in section %2").arg(controlName, s.name));
}

const ReportControl& ReportLayout::control(const QString& sectionName,
                                           const QString& controlName) const {
    return const_cast<ReportLayout*>(this)->control(sectionName, controlName);
}

ReportControl& ReportLayout::control(const QString& controlName) {
    for (ReportSection& s : state_.sections) {
        if (ReportControl* c = s.find(controlName))
            return *c;
    }
    missing(QStringLiteral("control \"%1\"").arg(controlName));
}

const ReportControl& ReportLayout::control(const QString& controlName) const {
    return const_cast<ReportLayout*>(this)->control(controlName);
}

bool ReportLayout::hasControl(const QString& controlName) const {
    for (const ReportSection& s : state_.sections) {
        if (s.find(controlName))
            return true;
    }
    return false;
}

void ReportLayout::setOrientationCode(int code) {
    if (code != 1 && code != 2)
        throw ReportError(QStringLiteral("layout %1: orientation %2 is neither 1 nor 2")
                              .arg(state_.name, QString::number(code)));
    state_.orientation = static_cast<Orientation>(code);
}

void ReportLayout::setDataSource(const ReportRowset& rows) {
    data_ = std::make_shared<ReportRowset>(rows);
}

void ReportLayout::resetToDesign() {
    state_ = stored_;
    data_.reset();
}

} // namespace sijill::report
