#pragma once
// zdtool grid's print command: prints the grid through a scripted print dialog onto a memory
// printer (or a PDF file) and lists what the grid reports and every text on every page.
//   print [cancel] [selection] [group N] [record "L|C|R|PAGEID|FOOTER|DATEID|TIMEID"]
//         [page W H DPI] [pdf FILE] [now YYYY-MM-DDTHH:MM:SS]

#include <vector>

#include "tests/tools/GridScriptLine.h"

class CCellGrid;

// Throws std::runtime_error with the reason when an argument is wrong or the printer cannot
// be made.
void RunGridPrint(CCellGrid& grid, const std::vector<SGridScriptWord>& args);
