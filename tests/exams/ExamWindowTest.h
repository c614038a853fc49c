#pragma once

#include "dates/CalendarWindow.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamsWiring.h"
#include "exams/SingleStudentChooser.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "report/LayoutLibrary.h"
#include "report/ReportOutput.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/TitledPreviews.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace sijill::exams {

// The program with a filled profile and the exam-control window opened from
// the main menu; previews recorded, waits returning at once. A fixture seeds
// its data in SetUp after calling ExamWindowTest::SetUp, then calls
// openExamWindow().
class ExamWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        scale_ = platform::waitScale();
        platform::setWaitScale(0);
        report::layoutLibrary().clear();
        test::finishProfile(home);
    }
    void TearDown() override {
        delete singleStudentChooser();
        delete examControlWindow();
        delete dates::calendarWindow();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        report::setPreviewSink(previous_);
        report::layoutLibrary().clear();
        platform::Clock::setToday(std::nullopt);
        platform::setWaitScale(scale_);
    }
    void openExamWindow() {
        previous_ = report::setPreviewSink(sink_);
        form = std::make_unique<shell::MainForm>();
        ASSERT_TRUE(form->formLoad());
        installExamControl(*form);
        form->show();
        form->chooseMenuItem(shell::MainMenuItem::ExamControl);
        w = examControlWindow();
        ASSERT_NE(w, nullptr);
    }

    test::TestHome home;
    test::ScriptedScope scope;
    std::unique_ptr<shell::MainForm> form;
    ExamControlWindow* w = nullptr;
    std::shared_ptr<report::RecordingPreviewSink> sink_ = std::make_shared<test::TitledPreviews>();

private:
    std::shared_ptr<report::PreviewSink> previous_;
    double scale_ = 1;
};

} // namespace sijill::exams
