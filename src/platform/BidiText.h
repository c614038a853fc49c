#pragma once

#include <QDir>
#include <QString>

namespace sijill::platform {

// Wraps a run of its own (a sheet name, a Latin word, a number) in Unicode
// first-strong isolates (U+2068 ... U+2069), so that an Arabic message shows it
// whole and in its own order instead of scrambling it with the text around it.
inline QString isolate(const QString& text) {
    return QChar(0x2068) + text + QChar(0x2069);
}

// A file name or a path as a message shows it: left to right in the order it
// was typed (a left-to-right isolate, U+2066 ... U+2069), so an Arabic name
// keeps its extension at its end and a path its folders in order. A mark
// after each Arabic word keeps a number typed after it ("أول-1") on its
// right, where the bidirectional rules would move it before the word.
inline QString shownPath(const QString& path) {
    const auto rightToLeft = [](QChar c) {
        return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    };
    const QString native = QDir::toNativeSeparators(path);
    QString out = QChar(0x2066);
    for (int i = 0; i < native.size(); ++i) {
        out += native[i];
        if (rightToLeft(native[i]) && i + 1 < native.size() && !rightToLeft(native[i + 1]))
            out += QChar(0x200E);
    }
    return out + QChar(0x2069);
}

} // namespace sijill::platform
