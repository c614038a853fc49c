#pragma once

#include "platform/QtArabic.h"
#include "report/ReportOutput.h"

#include <gtest/gtest.h>

namespace sijill::test {

// Records previews like RecordingPreviewSink and fails the running test when
// one opens without a caption of its own: titled with the program's name
// alone, a preview does not say which paper it shows.
class TitledPreviews : public report::RecordingPreviewSink {
public:
    void show(report::LaidOutReport report) override {
        const QString caption = report.title;
        EXPECT_TRUE(!caption.isEmpty() && caption != platform::programDisplayName())
            << "preview of " << report.layoutName.toStdString() << " has no title of its own";
        RecordingPreviewSink::show(std::move(report));
    }
};

} // namespace sijill::test
