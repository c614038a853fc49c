#include "reports/SheetFormula.h"

#include <algorithm>
#include <functional>

namespace sijill::reports {

namespace {

constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

// One end of a reference: a cell ("$B4"), a whole row ("$11") or a whole
// column ("C", in a range only).
struct RefEnd {
    int column = 0; // 0: no column part
    int row = 0;    // 0: no row part
    bool absColumn = false;
    bool absRow = false;
};

struct Reference {
    RefEnd from;
    RefEnd to;
    bool range = false;
    bool qualified = false; // names a sheet
    QString sheet;
};

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\';
}

bool parseEnd(const QString& word, RefEnd& end) {
    qsizetype i = 0;
    end = {};
    if (i < word.size() && word[i] == u'$') {
        end.absColumn = true;
        ++i;
    }
    const qsizetype letters = i;
    for (; i < word.size() && word[i].unicode() < 128 && word[i].isLetter(); ++i)
        end.column = end.column * 26 + (word[i].toUpper().unicode() - u'A' + 1);
    if (i - letters > 3 || end.column > kMaxColumn)
        return false;
    if (end.column == 0 && end.absColumn) { // "$12": the row's mark, not a column's
        end.absColumn = false;
        end.absRow = true;
    } else if (i < word.size() && word[i] == u'$') {
        end.absRow = true;
        ++i;
    }
    const qsizetype digits = i;
    for (; i < word.size() && word[i].unicode() < 128 && word[i].isDigit(); ++i) {
        end.row = end.row * 10 + (word[i].unicode() - u'0');
        if (end.row > kMaxRow)
            return false;
    }
    if (i != word.size() || (end.column == 0 && end.row == 0))
        return false;
    // "A$" is nothing, nor is row 0.
    return digits == i ? !end.absRow : end.row >= 1;
}

QString endText(const RefEnd& e) {
    QString out;
    if (e.column) {
        if (e.absColumn)
            out += u'$';
        out += columnName(e.column);
    }
    if (e.row) {
        if (e.absRow)
            out += u'$';
        out += QString::number(e.row);
    }
    return out;
}

// Rewrites every reference of the formula through `move`; everything else is
// copied as it stands.
QString rewrite(const QString& f, const std::function<void(Reference&)>& move) {
    QString out;
    out.reserve(f.size() + 8);
    QString sheet;
    bool qualified = false;
    const qsizetype n = f.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = f[i];
        if (c == u'"') { // a text; "" stands for one quote
            qsizetype j = i + 1;
            while (j < n && !(f[j] == u'"' && (j + 1 >= n || f[j + 1] != u'"')))
                j += f[j] == u'"' ? 2 : 1;
            j = std::min(j + 1, n);
            out += f.mid(i, j - i);
            i = j;
            qualified = false;
            continue;
        }
        if (c == u'\'') { // a quoted sheet name; '' stands for one quote
            QString name;
            qsizetype j = i + 1;
            for (; j < n; ++j) {
                if (f[j] == u'\'') {
                    if (j + 1 < n && f[j + 1] == u'\'') {
                        name += u'\'';
                        ++j;
                        continue;
                    }
                    ++j;
                    break;
                }
                name += f[j];
            }
            out += f.mid(i, j - i);
            i = j;
            qualified = i < n && f[i] == u'!';
            if (qualified) {
                sheet = name;
                out += u'!';
                ++i;
            }
            continue;
        }
        if (!isWordChar(c)) {
            out += c;
            ++i;
            qualified = false;
            continue;
        }
        qsizetype j = i;
        while (j < n && isWordChar(f[j]))
            ++j;
        const QString word = f.mid(i, j - i);
        if (j < n && f[j] == u'!') {
            sheet = word;
            qualified = true;
            out += word + u'!';
            i = j + 1;
            continue;
        }
        Reference ref;
        ref.qualified = qualified;
        ref.sheet = qualified ? sheet : QString();
        qualified = false;
        const bool isFunction = j < n && f[j] == u'(';
        if (!isFunction && parseEnd(word, ref.from)) {
            if (j < n && f[j] == u':') {
                qsizetype k = j + 1;
                while (k < n && isWordChar(f[k]))
                    ++k;
                if (parseEnd(f.mid(j + 1, k - j - 1), ref.to) &&
                    (ref.to.column != 0) == (ref.from.column != 0) &&
                    (ref.to.row != 0) == (ref.from.row != 0)) {
                    ref.range = true;
                    j = k;
                }
            }
            if (ref.range || (ref.from.column && ref.from.row)) {
                move(ref);
                out += endText(ref.from);
                if (ref.range)
                    out += u':' + endText(ref.to);
                i = j;
                continue;
            }
        }
        out += word;
        i = j;
    }
    return out;
}

} // namespace

QString columnName(int column) {
    QString name;
    for (; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}

QString movedFormula(const QString& formula, int columns, int rows) {
    return rewrite(formula, [&](Reference& r) {
        for (RefEnd* e : {&r.from, &r.to}) {
            if (e->row && !e->absRow)
                e->row = std::clamp(e->row + rows, 1, kMaxRow);
            if (e->column && !e->absColumn)
                e->column = std::clamp(e->column + columns, 1, kMaxColumn);
        }
    });
}

QString formulaWithRowsInserted(const QString& formula, int last, int count, bool grow,
                                const QString& sheet, bool unqualifiedIsSheet) {
    return rewrite(formula, [&](Reference& r) {
        if (r.qualified ? r.sheet != sheet : !unqualifiedIsSheet)
            return;
        if (!r.from.row) // whole columns
            return;
        if (!r.range) {
            if (r.from.row > last)
                r.from.row = std::min(r.from.row + count, kMaxRow);
            return;
        }
        RefEnd& low = r.from.row <= r.to.row ? r.from : r.to;
        RefEnd& high = r.from.row <= r.to.row ? r.to : r.from;
        if (low.row > last)
            low.row = std::min(low.row + count, kMaxRow);
        // A range within the last row alone is that row's, not the list's.
        if (high.row > last || (grow && high.row == last && low.row < last))
            high.row = std::min(high.row + count, kMaxRow);
    });
}

} // namespace sijill::reports
