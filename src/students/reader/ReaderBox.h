#pragma once

// The reader program's box. The reader reads its whole file first, then
// enters the box before any parser sees a byte of it: from there on it can
// write its report, allocate memory and exit, and any other system call ends
// the process. A damaged or hostile workbook that takes over the parser can
// touch nothing but itself.

#include <cstdint>

namespace sijill::biff {

// Caps the address space (in relation to the file's size) and the processor
// time. The address space is left alone in a sanitizer build, whose shadow
// memory needs terabytes of it.
void limitResources(uint64_t fileSize);

// Installs the system-call allow-list; false when the kernel refuses it.
bool enterBox();

// For the tests only: when SIJILL_READER_ESCAPE names an attempt
// (write-open, socket, exec, kill, write-inherited: a write to descriptor 3;
// allocate: 1 GiB), makes it. Inside the box each of the calls ends the
// process and the allocation fails (std::bad_alloc); outside it, none does
// harm.
void tryEscape(const char* file);

} // namespace sijill::biff
