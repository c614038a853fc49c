// The exam-day paper header of the school as it stands: it reads the main
// window, so it is built with the windows, apart from the fills.
#include "exams/ExamPaperHeader.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfileWindow.h"

#include <QLabel>

namespace sijill::exams {

ExamPaperHeader currentExamPaperHeader() {
    const shell::SchoolProfile profile = shell::schoolProfile();
    ExamPaperHeader header{profile.Admin,
                           profile.School,
                           profile.ThisYear,
                           profile.ThisSemester,
                           profile.ThisName,
                           profile.name_2,
                           {}};
    if (const shell::MainForm* main = shell::mainForm())
        header.logo = main->reportLogo->pixmap().toImage();
    return header;
}

} // namespace sijill::exams
