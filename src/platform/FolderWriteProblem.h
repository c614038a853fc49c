#pragma once

#include <QString>

namespace sijill::platform {

// The user's message, in Arabic, for a folder the program could not write in,
// saying what is wrong and what to do: the disk is full, or the user may not
// write there. Read from the error number of the failed write; where that
// number tells neither, from the disk's free space and the folder's
// permissions. Empty when neither explains the failure.
QString folderWriteProblem(const QString& folder, int error);

} // namespace sijill::platform
