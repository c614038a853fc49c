// libFuzzer target for the workbook reader's own parsing: the container
// reader and the record walk, on bytes in memory, as the reader program runs
// them (without its box, which would stop the fuzzer itself). Bytes that are
// no OLE2 file are walked as a workbook stream, so that both layers are
// reached from any input. Built and run by scripts/fuzz.

#include "students/reader/BiffWalk.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using sijill::biff::Fault;
    std::vector<uint8_t> bytes(data, data + size);
    sijill::biff::Workbook book;
    bool opened = book.openFile(bytes);
    if (!opened && book.fault().kind == Fault::Kind::NotOle)
        opened = book.openStream(std::move(bytes));
    if (!opened)
        return 0;
    sijill::biff::SheetCells cells;
    for (size_t i = 0; i < book.sheets().size(); ++i)
        if (book.sheets()[i].worksheet)
            book.readSheet(i, cells);
    book.checkStringReferences();
    return 0;
}
