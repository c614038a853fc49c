#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace sijill::test {

// Whether poppler's pdftotext is here to read a written PDF back.
inline bool havePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of a PDF file as a viewer's search or copy finds it.
inline QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(20000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace sijill::test
