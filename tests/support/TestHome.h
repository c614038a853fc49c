#pragma once

#include <QString>
#include <QTemporaryDir>

namespace sijill::test {

// A fresh program folder for one test: the shipped databases copied in, the
// layouts and templates of the source tree beside them, SIJILL_HOME and the
// working directory pointing at it. Restores both when it goes.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return dir_.path(); }
    QString database(const QString& fileName) const;
    // Runs SQL on a database file of this folder (test set-up only).
    void exec(const QString& fileName, const QString& sql) const;

    static QString sourceDir();

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    bool hadHome_ = false;
    QString oldCwd_;
};

} // namespace sijill::test
