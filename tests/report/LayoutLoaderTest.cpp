#include "report/LayoutLoader.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/TestLayouts.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sijill;
using report::ReportError;

namespace {

// Loads `json` from a file named `fileName` and returns the error message
// (empty when the layout loaded).
QString loadError(const QByteArray& json, const QString& fileName = QStringLiteral("Bad.json")) {
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(json);
    f.close();
    try {
        report::loadLayoutFile(path);
    } catch (const ReportError& e) {
        return e.message();
    }
    return {};
}

QByteArray withSections(const QByteArray& sections) {
    return R"({"name": "Bad", "reportWidth": 1000, "sections": [)" + sections + "]}";
}

const QByteArray kEmptySections = R"({"name": "Section4", "height": 0},
    {"name": "Section2", "height": 0}, {"name": "Section1", "height": 0},
    {"name": "Section3", "height": 0}, {"name": "Section5", "height": 0})";

QByteArray withDetail(const QByteArray& controls) {
    return withSections(R"({"name": "Section4", "height": 0},
        {"name": "Section2", "height": 0},
        {"name": "Section1", "height": 300, "controls": [)" +
                        controls + R"(]},
        {"name": "Section3", "height": 0}, {"name": "Section5", "height": 0})");
}

} // namespace

TEST(LayoutLoader, ReadsSectionsControlsAndDefaults) {
    const report::ReportLayout layout = test::bandedLayout();
    EXPECT_EQ(layout.name(), "Banded");
    EXPECT_EQ(layout.orientation(), report::Orientation::Portrait);
    EXPECT_DOUBLE_EQ(layout.margins().left, 200);
    EXPECT_EQ(layout.section(report::SectionRole::Detail).name, "Section1");
    EXPECT_DOUBLE_EQ(layout.section("Section5").height, 2000);

    const report::ReportControl& name = layout.control("kl7");
    EXPECT_EQ(name.kind, report::ControlKind::TextBox);
    EXPECT_EQ(name.dataField, "d1");
    EXPECT_FALSE(name.wordWrap);
    // Controls without a font take the layout's default, Arial 8.25.
    EXPECT_EQ(name.font.family, "Arial");
    EXPECT_DOUBLE_EQ(name.font.size, 8.25);
    EXPECT_EQ(layout.control("Head").alignment, report::TextAlign::Center);
    EXPECT_TRUE(layout.control("HeadCell").filled);
    EXPECT_EQ(layout.control("HeadCell").backColor, QColor(0xE0, 0xE0, 0xE0));
}

TEST(LayoutLoader, FindsSectionsAndControlsWithoutRegardToCase) {
    report::ReportLayout layout = test::bandedLayout();
    // Stored as "class", "Image1" and "Kl7"; the fillers write Class, image1, kl7.
    EXPECT_EQ(layout.control("Section4", "Class").name, "class");
    EXPECT_EQ(layout.control("SECTION1", "image1").name, "Image1");
    EXPECT_EQ(layout.control("section1", "KL7").name, "Kl7");
    EXPECT_TRUE(layout.hasControl("CLASS"));
    EXPECT_FALSE(layout.hasControl("kl9"));
}

TEST(LayoutLoader, MissingNamesAreErrorsThatNameThem) {
    report::ReportLayout layout = test::bandedLayout();
    try {
        layout.control("Section4", "kl9");
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.message().contains("kl9"));
        EXPECT_TRUE(e.message().contains("Banded"));
    }
    // A control of another section is not found through the wrong section.
    EXPECT_THROW(layout.control("Section4", "Num"), ReportError);
    EXPECT_THROW(layout.section("Section6"), ReportError);
    EXPECT_THROW(layout.setOrientationCode(3), ReportError);
}

TEST(LayoutLoader, RefusesFaultyFilesNamingTheFile) {
    struct Case {
        const char* what;
        QByteArray json;
        const char* expected;
    };
    const Case cases[] = {
        {"not JSON", "{\"name\": ", "not valid JSON"},
        {"missing section",
         withSections(R"({"name": "Section4", "height": 0}, {"name": "Section2", "height": 0},
                         {"name": "Section1", "height": 0}, {"name": "Section3", "height": 0})"),
         "missing section Section5"},
        {"sections out of order",
         withSections(R"({"name": "Section2", "height": 0}, {"name": "Section4", "height": 0},
                         {"name": "Section1", "height": 0}, {"name": "Section3", "height": 0},
                         {"name": "Section5", "height": 0})"),
         "Section4"},
        {"unknown kind",
         withDetail(R"({"kind": "chart", "name": "C1", "left": 0, "top": 0, "width": 1,
                        "height": 1})"),
         "unknown kind \"chart\""},
        {"duplicate name, other case",
         withDetail(R"({"kind": "label", "name": "Label1", "left": 0, "top": 0, "width": 1,
                        "height": 1},
                       {"kind": "label", "name": "LABEL1", "left": 0, "top": 0, "width": 1,
                        "height": 1})"),
         "duplicate control name \"LABEL1\""},
        {"misspelt key",
         withDetail(R"({"kind": "label", "name": "L", "left": 0, "top": 0, "width": 1,
                        "height": 1, "captoin": "x"})"),
         "unknown key \"captoin\""},
        {"text box without field",
         withDetail(R"({"kind": "textbox", "name": "T", "left": 0, "top": 0, "width": 1,
                        "height": 1})"),
         "dataField"},
        {"missing picture",
         withDetail(R"({"kind": "image", "name": "I", "left": 0, "top": 0, "width": 1,
                        "height": 1, "picture": "nowhere.png"})"),
         "nowhere.png"},
        {"bad colour", withDetail(R"({"kind": "shape", "name": "S", "left": 0, "top": 0, "width": 1,
                        "height": 1, "backColor": "grey"})"),
         "colour"},
        {"no geometry", withDetail(R"({"kind": "line", "name": "L"})"), "\"left\""},
        {"negative height", withDetail(R"({"kind": "line", "name": "L", "left": 0, "top": 0,
                        "width": 1, "height": -1})"),
         "negative size"},
        {"weight past 900",
         withDetail(R"({"kind": "label", "name": "L", "left": 0, "top": 0, "width": 1,
                        "height": 1, "font": {"weight": 901}})"),
         "weight out of range"},
        {"no width", R"({"name": "Bad", "reportWidth": 0, "sections": [)" + kEmptySections + "]}",
         "reportWidth must be positive"},
        {"six sections", withSections(kEmptySections + R"(, {"name": "Section6", "height": 0})"),
         "more than five sections"},
    };
    for (const Case& c : cases) {
        const QString message = loadError(c.json, QStringLiteral("Faulty.json"));
        EXPECT_TRUE(message.contains("Faulty.json")) << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected)))
            << c.what << ": " << message.toStdString();
    }
    EXPECT_TRUE(loadError(withSections(kEmptySections)).isEmpty());
}

TEST(LayoutLibrary, KeepsOneInstanceAndFindsFilesWithoutRegardToCase) {
    test::TestHome home;
    report::layoutLibrary().clear();
    report::ReportLayout& first = report::layout("quran1");
    EXPECT_EQ(first.name(), "Quran1");
    first.control("Label18").caption = "changed";
    // The same instance, with what was set on it.
    report::ReportLayout& again = report::layout("Quran1");
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(again.control("Label18").caption, "changed");

    try {
        report::layout("NoSuchLayout");
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.message().contains("NoSuchLayout.json"));
    }
    report::layoutLibrary().clear();
}
