#include "report/LayoutLoader.h"

#include "report/ReportError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <optional>

namespace sijill::report {

namespace {

class Reader {
public:
    Reader(QString sourceName, QString folder)
        : source_(std::move(sourceName)), folder_(std::move(folder)) {}

    LayoutState read(const QByteArray& json) {
        QJsonParseError err;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
        if (err.error != QJsonParseError::NoError)
            fail(QStringLiteral("not valid JSON at offset %1: %2")
                     .arg(QString::number(err.offset), err.errorString()));
        if (!doc.isObject())
            fail(QStringLiteral("the file does not hold one object"));
        return layout(doc.object());
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw ReportError(QStringLiteral("layout file %1: %2").arg(source_, what));
    }

    void onlyKeys(const QJsonObject& o, const QStringList& allowed, const QString& where) const {
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (!allowed.contains(it.key()))
                fail(QStringLiteral("%1: unknown key \"%2\"").arg(where, it.key()));
        }
    }

    double number(const QJsonObject& o, const QString& key, const QString& where,
                  std::optional<double> fallback = std::nullopt) const {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() && fallback)
            return *fallback;
        if (!v.isDouble())
            fail(QStringLiteral("%1: \"%2\" must be a number").arg(where, key));
        return v.toDouble();
    }

    QString text(const QJsonObject& o, const QString& key, const QString& where,
                 std::optional<QString> fallback = std::nullopt) const {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() && fallback)
            return *fallback;
        if (!v.isString())
            fail(QStringLiteral("%1: \"%2\" must be a text").arg(where, key));
        return v.toString();
    }

    bool flag(const QJsonObject& o, const QString& key, const QString& where, bool fallback) const {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            fail(QStringLiteral("%1: \"%2\" must be true or false").arg(where, key));
        return v.toBool();
    }

    QColor color(const QJsonObject& o, const QString& key, const QString& where,
                 QColor fallback) const {
        if (!o.contains(key))
            return fallback;
        const QString s = text(o, key, where);
        const QColor c = QColor::fromString(s);
        if (!s.startsWith(QLatin1Char('#')) || !c.isValid())
            fail(QStringLiteral("%1: \"%2\" is not a colour #RRGGBB").arg(where, s));
        return c;
    }

    FontSpec font(const QJsonObject& o, const QString& where, const FontSpec& fallback) const {
        if (!o.contains(QStringLiteral("font")))
            return fallback;
        if (!o.value(QStringLiteral("font")).isObject())
            fail(QStringLiteral("%1: \"font\" must be an object").arg(where));
        const QJsonObject f = o.value(QStringLiteral("font")).toObject();
        const QString fw = where + QStringLiteral(" font");
        onlyKeys(f, {QStringLiteral("family"), QStringLiteral("size"), QStringLiteral("weight")},
                 fw);
        FontSpec spec;
        spec.family = text(f, QStringLiteral("family"), fw, fallback.family);
        spec.size = number(f, QStringLiteral("size"), fw, fallback.size);
        spec.weight = static_cast<int>(number(f, QStringLiteral("weight"), fw, 400));
        if (spec.size <= 0 || spec.weight < 100 || spec.weight > 900)
            fail(QStringLiteral("%1: size or weight out of range").arg(fw));
        return spec;
    }

    LayoutState layout(const QJsonObject& root) {
        onlyKeys(root,
                 {QStringLiteral("name"), QStringLiteral("orientation"),
                  QStringLiteral("reportWidth"), QStringLiteral("margins"),
                  QStringLiteral("previewWidth"), QStringLiteral("defaultFont"),
                  QStringLiteral("sections")},
                 QStringLiteral("layout"));
        LayoutState s;
        const QString top = QStringLiteral("layout");
        s.name = text(root, QStringLiteral("name"), top);
        if (s.name.isEmpty())
            fail(QStringLiteral("the layout has no name"));
        const int orientation =
            static_cast<int>(number(root, QStringLiteral("orientation"), top, 1));
        if (orientation != 1 && orientation != 2)
            fail(QStringLiteral("orientation must be 1 or 2"));
        s.orientation = static_cast<Orientation>(orientation);
        s.reportWidth = number(root, QStringLiteral("reportWidth"), top);
        if (s.reportWidth <= 0)
            fail(QStringLiteral("reportWidth must be positive"));
        s.previewWidth = number(root, QStringLiteral("previewWidth"), top, 0);
        if (root.contains(QStringLiteral("margins"))) {
            const QJsonObject m = root.value(QStringLiteral("margins")).toObject();
            const QString mw = QStringLiteral("margins");
            onlyKeys(m,
                     {QStringLiteral("left"), QStringLiteral("top"), QStringLiteral("right"),
                      QStringLiteral("bottom")},
                     mw);
            s.margins.left = number(m, QStringLiteral("left"), mw, 200);
            s.margins.top = number(m, QStringLiteral("top"), mw, 200);
            s.margins.right = number(m, QStringLiteral("right"), mw, 200);
            s.margins.bottom = number(m, QStringLiteral("bottom"), mw, 200);
        }
        if (root.contains(QStringLiteral("defaultFont"))) {
            QJsonObject wrapper;
            wrapper.insert(QStringLiteral("font"), root.value(QStringLiteral("defaultFont")));
            s.defaultFont = font(wrapper, QStringLiteral("defaultFont"), FontSpec{});
        }
        sections(root.value(QStringLiteral("sections")), s);
        return s;
    }

    void sections(const QJsonValue& v, LayoutState& s) {
        if (!v.isArray())
            fail(QStringLiteral("\"sections\" must be a list"));
        const QJsonArray list = v.toArray();
        QSet<QString> names;
        for (int i = 0; i < kSectionCount; ++i) {
            const QString expected = sectionName(static_cast<SectionRole>(i));
            if (i >= list.size())
                fail(QStringLiteral("missing section %1").arg(expected));
            const QJsonObject o = list.at(i).toObject();
            const QString name = o.value(QStringLiteral("name")).toString();
            if (name.compare(expected, Qt::CaseInsensitive) != 0)
                fail(QStringLiteral("section %1 must be %2 (sections go Section4, Section2, "
                                    "Section1, Section3, Section5)")
                         .arg(QString::number(i + 1), expected));
            s.sections[i] = section(o, expected, s.defaultFont, names);
        }
        if (list.size() > kSectionCount)
            fail(QStringLiteral("more than five sections"));
    }

    ReportSection section(const QJsonObject& o, const QString& name, const FontSpec& defaultFont,
                          QSet<QString>& names) {
        onlyKeys(o,
                 {QStringLiteral("name"), QStringLiteral("height"), QStringLiteral("visible"),
                  QStringLiteral("controls")},
                 name);
        ReportSection s;
        s.name = name;
        s.height = number(o, QStringLiteral("height"), name);
        s.visible = flag(o, QStringLiteral("visible"), name, true);
        const QJsonValue controls = o.value(QStringLiteral("controls"));
        if (!controls.isUndefined() && !controls.isArray())
            fail(QStringLiteral("%1: \"controls\" must be a list").arg(name));
        for (const QJsonValue& c : controls.toArray()) {
            if (!c.isObject())
                fail(QStringLiteral("%1: a control must be an object").arg(name));
            ReportControl control = this->control(c.toObject(), name, defaultFont);
            const QString key = control.name.toLower();
            if (names.contains(key))
                fail(QStringLiteral("duplicate control name \"%1\"").arg(control.name));
            names.insert(key);
            s.controls.push_back(std::move(control));
        }
        return s;
    }

    ReportControl control(const QJsonObject& o, const QString& sectionName,
                          const FontSpec& defaultFont) {
        ReportControl c;
        c.name = o.value(QStringLiteral("name")).toString();
        if (c.name.isEmpty())
            fail(QStringLiteral("%1: a control has no name").arg(sectionName));
        const QString where = QStringLiteral("control %1").arg(c.name);
        const QString kind = text(o, QStringLiteral("kind"), where);
        QStringList keys = {QStringLiteral("kind"),   QStringLiteral("name"),
                            QStringLiteral("left"),   QStringLiteral("top"),
                            QStringLiteral("width"),  QStringLiteral("height"),
                            QStringLiteral("visible")};
        const QStringList textKeys = {QStringLiteral("font"),      QStringLiteral("alignment"),
                                      QStringLiteral("valign"),    QStringLiteral("wordWrap"),
                                      QStringLiteral("foreColor"), QStringLiteral("backColor"),
                                      QStringLiteral("vertical")};
        if (kind == QLatin1String("label")) {
            c.kind = ControlKind::Label;
            keys << textKeys << QStringLiteral("caption");
        } else if (kind == QLatin1String("textbox")) {
            c.kind = ControlKind::TextBox;
            c.wordWrap = false;
            keys << textKeys << QStringLiteral("dataField");
        } else if (kind == QLatin1String("shape")) {
            c.kind = ControlKind::Shape;
            c.bordered = true;
            keys << QStringLiteral("shape") << QStringLiteral("backColor")
                 << QStringLiteral("borderColor") << QStringLiteral("borderWidth")
                 << QStringLiteral("bordered");
        } else if (kind == QLatin1String("line")) {
            c.kind = ControlKind::Line;
            keys << QStringLiteral("borderColor") << QStringLiteral("borderWidth");
        } else if (kind == QLatin1String("image")) {
            c.kind = ControlKind::Image;
            keys << QStringLiteral("picture");
        } else {
            fail(QStringLiteral("%1: unknown kind \"%2\"").arg(where, kind));
        }
        onlyKeys(o, keys, where);
        c.left = number(o, QStringLiteral("left"), where);
        c.top = number(o, QStringLiteral("top"), where);
        c.width = number(o, QStringLiteral("width"), where);
        c.height = number(o, QStringLiteral("height"), where);
        if (c.width < 0 || c.height < 0)
            fail(QStringLiteral("%1: negative size").arg(where));
        c.visible = flag(o, QStringLiteral("visible"), where, true);
        c.caption = text(o, QStringLiteral("caption"), where, QString());
        if (c.kind == ControlKind::TextBox) {
            c.dataField = text(o, QStringLiteral("dataField"), where);
            if (c.dataField.isEmpty())
                fail(QStringLiteral("%1: a text box needs a dataField").arg(where));
        }
        c.font = font(o, where, defaultFont);
        c.alignment = alignment(text(o, QStringLiteral("alignment"), where, "right"), where);
        const QString valign = text(o, QStringLiteral("valign"), where, "center");
        if (valign != QLatin1String("center") && valign != QLatin1String("top"))
            fail(QStringLiteral("%1: valign must be top or center").arg(where));
        c.verticalAlignment =
            valign == QLatin1String("top") ? VerticalAlign::Top : VerticalAlign::Center;
        c.wordWrap = flag(o, QStringLiteral("wordWrap"), where, c.wordWrap);
        c.vertical = flag(o, QStringLiteral("vertical"), where, false);
        c.foreColor = color(o, QStringLiteral("foreColor"), where, Qt::black);
        c.filled = o.contains(QStringLiteral("backColor"));
        c.backColor = color(o, QStringLiteral("backColor"), where, Qt::white);
        c.bordered = flag(o, QStringLiteral("bordered"), where, c.bordered);
        c.borderColor = color(o, QStringLiteral("borderColor"), where, Qt::black);
        c.borderWidth = number(o, QStringLiteral("borderWidth"), where, 15);
        const QString shape = text(o, QStringLiteral("shape"), where, "rectangle");
        if (shape == QLatin1String("roundedRectangle"))
            c.shape = ShapeKind::RoundedRectangle;
        else if (shape != QLatin1String("rectangle"))
            fail(QStringLiteral("%1: unknown shape \"%2\"").arg(where, shape));
        if (c.kind == ControlKind::Image && o.contains(QStringLiteral("picture")))
            c.picture = picture(text(o, QStringLiteral("picture"), where), where);
        return c;
    }

    TextAlign alignment(const QString& s, const QString& where) const {
        if (s == QLatin1String("right"))
            return TextAlign::Right;
        if (s == QLatin1String("left"))
            return TextAlign::Left;
        if (s == QLatin1String("center"))
            return TextAlign::Center;
        fail(QStringLiteral("%1: alignment must be left, right or center").arg(where));
    }

    QImage picture(const QString& file, const QString& where) const {
        const QString path = QDir(folder_).filePath(file);
        QImage image(path);
        if (image.isNull())
            fail(QStringLiteral("%1: picture \"%2\" cannot be read").arg(where, file));
        return image;
    }

    QString source_;
    QString folder_;
};

} // namespace

ReportLayout loadLayoutJson(const QByteArray& json, const QString& sourceName,
                            const QString& folder) {
    return ReportLayout(Reader(sourceName, folder).read(json), sourceName);
}

ReportLayout loadLayoutFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("layout file %1: cannot be read").arg(path));
    return loadLayoutJson(f.readAll(), path, QFileInfo(path).absolutePath());
}

} // namespace sijill::report
