// Precomposed letters for the combining marks that the UTF-8 reader folds into the letter
// before them, so that decomposed accented text (as some file systems and tag editors store it)
// reaches Windows in the composed form that fonts and players expect.
#pragma once

#include <cstdint>

// One combining mark and its pairs: bases[i] followed by the mark composes to composed[i].
struct CompositionTable {
  char16_t mark;
  const char16_t* bases;     // zero-terminated
  const char16_t* composed;  // same length as bases
};

// The precomposed letter for base followed by mark, or 0 when the pair does not compose.
char16_t ComposeWithMark(uint32_t base, uint32_t mark);

// All tables, for inspection by tests.
const CompositionTable* CompositionTables(int* count);
