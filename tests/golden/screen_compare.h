// Comparing screens cell by cell, the one comparison of every test: a terminal's cells with an
// earlier capture, another build's screen, or a golden screen placed in the pane; the headless
// console's cells with their golden screen.
#pragma once

#include "tests/golden/golden_screen.h"
#include "tests/golden/screen_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace golden {

// Which cells count, within the expected screen's rows and columns.
struct CellComparison {
    bool blankForegrounds = true; // the text colour of a blank counts too (a terminal may not keep
                                  // one where the program wrote only blanks)
    int skipTop = 0;              // cells from row skipTop to skipBottom and column skipLeft to
    int skipLeft = 0;             // skipRight are left out (a box drawn over the screen); rows
    int skipBottom = -1;          // and columns from 1, none left out by default
    int skipRight = -1;
};

struct CellDifference {
    int row = 0;    // from 1
    int column = 0; // ditto
    Cell shown;     // what the screen shows there
    Cell expected;  // what it should show
};

// The cells of `shown` that differ from `expected` in glyph or colours, over
// the rows and columns of `expected` (`shown` may be larger).
std::vector<CellDifference> DifferingCells(const Screen& shown, const Screen& expected,
                                           const CellComparison& how = {});

// A cell for a failure message: "'x' (0 on 15)".
std::string DescribeCell(const Cell& cell);

// The part of a golden screen a pane shows when its first row shows buffer row
// topRow: rows topRow to lastRow, colours as SGR numbers.
Screen GoldenInPane(const GoldenScreen& screen, int topRow, int lastRow = kHeight);

// Fails on each differing cell (the first eight), then with both screens;
// returns how many cells differ.
inline int ExpectSameCells(const Screen& shown, const Screen& expected, const std::string& what,
                           const CellComparison& how = {}) {
    const std::vector<CellDifference> differences = DifferingCells(shown, expected, how);
    for (size_t i = 0; i < differences.size() && i < 8; ++i) {
        const CellDifference& d = differences[i];
        ADD_FAILURE() << what << ": row " << d.row << " column " << d.column << " shows "
                      << DescribeCell(d.shown) << ", expected " << DescribeCell(d.expected);
    }
    if (!differences.empty()) {
        ADD_FAILURE() << what << ": " << differences.size() << " cells differ\nshown:\n"
                      << ScreenText(shown) << "expected:\n"
                      << ScreenText(expected);
    }
    return static_cast<int>(differences.size());
}

} // namespace golden
