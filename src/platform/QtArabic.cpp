#include "platform/QtArabic.h"

#include "platform/ChildWindow.h"
#include "platform/EnterKey.h"
#include "platform/IconButtonStyle.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

namespace sijill::platform {

namespace {

// Qt's texts as the program shows them: its own word where Qt's Arabic
// differs ("ألغ", the imperative, reads as "إلغاء" cut short on every button),
// and no key mnemonic anywhere, since the underline splits a joined Arabic
// word and the marker's room pushes short words against the border. Installed
// last, so asked first; Qt's own translation, when loaded, gives the words.
class ProgramWords : public QTranslator {
public:
    ProgramWords(QObject* parent, const QTranslator* qtArabic)
        : QTranslator(parent), qtArabic_(qtArabic) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1) const override {
        const QString plain = withoutMnemonic(QString::fromUtf8(source));
        if (plain == QLatin1String("Cancel"))
            return QStringLiteral("إلغاء");
        const QString text =
            qtArabic_ ? qtArabic_->translate(context, source, disambiguation, n) : QString();
        if (!text.isEmpty())
            return withoutMnemonic(text);
        return plain == QString::fromUtf8(source) ? QString() : plain;
    }

private:
    const QTranslator* qtArabic_;
};

} // namespace

QString withoutMnemonic(QString text) {
    // A lone "&" marks the key; "&&" draws one "&", and "&name;" is an entity
    // of a rich text.
    static const QRegularExpression marker(QStringLiteral("(&&)|&(?!#?[A-Za-z0-9]+;)"));
    return text.replace(marker, QStringLiteral("\\1"));
}

bool loadQtArabic() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    QApplication::setLayoutDirection(Qt::RightToLeft);
    const QString name = QStringLiteral("sijillQtArabic");
    if (auto* loaded = app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return !loaded->isEmpty();
    auto* translator = new QTranslator(app);
    translator->setObjectName(name);
    const bool found = translator->load(QStringLiteral("qtbase_ar"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found)
        QCoreApplication::installTranslator(translator);
    // Even on Qt's English texts the mnemonics go.
    QCoreApplication::installTranslator(new ProgramWords(app, found ? translator : nullptr));
    // Installing a translation may set the direction from it; the program's
    // windows are right to left in any case.
    QApplication::setLayoutDirection(Qt::RightToLeft);
    return found;
}

QString programDisplayName() {
    return QStringLiteral("سجل");
}

void setUpArabicDesktop() {
    loadQtArabic();
    useIconButtonStyle();
    QGuiApplication::setApplicationDisplayName(programDisplayName());
    QCoreApplication* app = QCoreApplication::instance();
    placeWindowsAsShown(app);
    ignoreInputToDisabledWindows(app);
    enterPressesFocusedButton(app);
}

} // namespace sijill::platform
