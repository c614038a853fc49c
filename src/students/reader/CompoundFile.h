#pragma once

// Reads one stream out of an OLE2 compound file (the container of an .xls
// workbook), checking every sector it follows: a sector past the end of the
// file, a chain that loops or ends early, or a stream longer than its sectors
// makes the file damaged. Plain C++, no library: the reader program starts
// fast.

#include <cstdint>
#include <string>
#include <vector>

namespace sijill::biff {

enum class Container { Ok, NotOle, Damaged, NoStream };

// The stream `name` (letter case ignored, as the format compares names) among
// the root storage's children.
Container readStream(const std::vector<uint8_t>& file, const std::string& name,
                     std::vector<uint8_t>& out);

} // namespace sijill::biff
