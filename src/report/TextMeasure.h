#pragma once

namespace sijill::report {

// How the fitting measures a text.
enum class TextMeasure {
    // The glyphs' outlines as the painter lays them out, each glyph's bounds
    // worked out once per font and size.
    Ink,
    // The text's advance and line height alone, blind to marks and to glyphs
    // reaching past their advance: a baseline for the benchmark.
    Advance,
};

} // namespace sijill::report
