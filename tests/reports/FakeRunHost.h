#pragma once

#include "platform/AppState.h"
#include "reports/PrintRun.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace sijill::test {

// A main window and a print menu in memory: records what a run did, in order.
// `log` holds the loads, prints and previews; `events` also the questions and
// the waits, where they fell among them.
class FakeRunHost : public reports::PrintRunHost {
public:
    QStringList keys;
    int current = 0;
    bool grade = false, school = false;
    std::vector<bool> answers; // OK (true) or Cancel/close (false), in order
    QStringList asked, log, events;
    QStringList failLoad; // class keys whose load fails
    double waited = 0;
    std::function<void()> duringWait;

    int classCount() const override { return keys.size(); }
    QString classKey(int i) const override { return keys.value(i); }
    int currentIndex() const override { return current; }
    void setCurrentIndex(int i) override { current = i; }
    bool wholeGrade() const override { return grade; }
    bool wholeSchool() const override { return school; }
    bool loadClass(QString* error) override {
        if (failLoad.contains(keys.value(current))) {
            *error = "load failed";
            return false;
        }
        record("load " + keys.value(current));
        return true;
    }
    bool fillHeaders(QString*) override { return true; }
    bool printItem(QString*) override {
        EXPECT_TRUE(appState().PrintBatchActive);
        record("print " + keys.value(current));
        return true;
    }
    bool previewItem(QString*) override {
        record("preview " + keys.value(current));
        return true;
    }
    shell::Answer ask(const shell::Question& question) override {
        asked << question.text;
        events << "ask";
        if (answers.empty())
            return shell::Answer::None;
        const bool a = answers.front();
        answers.erase(answers.begin());
        return a ? shell::Answer::Ok : shell::Answer::Cancel;
    }
    void tell(const QString& text, shell::Tone) override {
        asked << text;
        events << "ask";
    }
    void wait(double s) override {
        waited += s;
        events << QString("wait %1").arg(s);
        if (duringWait)
            duringWait();
    }
    void showProgress(int done, int total) override {
        progress << QString("%1/%2").arg(done).arg(total);
    }
    QStringList prints() const { return log.filter("print "); }
    QStringList progress;

private:
    void record(const QString& what) {
        log << what;
        events << what;
    }
};

} // namespace sijill::test
