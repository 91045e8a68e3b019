#include "tests/golden/screen_compare.h"

namespace golden {

namespace {

bool Skipped(const CellComparison& how, int row, int column) {
    return row >= how.skipTop && row <= how.skipBottom && column >= how.skipLeft &&
           column <= how.skipRight;
}

bool SameCell(const Cell& shown, const Cell& expected, bool foregroundCounts) {
    return shown.glyph == expected.glyph && shown.background == expected.background &&
           (!foregroundCounts || shown.foreground == expected.foreground);
}

} // namespace

std::vector<CellDifference> DifferingCells(const Screen& shown, const Screen& expected,
                                           const CellComparison& how) {
    std::vector<CellDifference> differences;
    for (int row = 1; row <= expected.height; ++row) {
        for (int column = 1; column <= expected.width; ++column) {
            const Cell& want = CellAt(expected, row, column);
            const Cell& got = CellAt(shown, row, column);
            const bool foregroundCounts = how.blankForegrounds || want.glyph != " ";
            if (!Skipped(how, row, column) && !SameCell(got, want, foregroundCounts)) {
                differences.push_back({row, column, got, want});
            }
        }
    }
    return differences;
}

std::string DescribeCell(const Cell& cell) {
    return "'" + cell.glyph + "' (" + std::to_string(cell.foreground) + " on " +
           std::to_string(cell.background) + ")";
}

Screen GoldenInPane(const GoldenScreen& screen, int topRow, int lastRow) {
    Screen pane;
    pane.width = kWidth;
    pane.height = lastRow - topRow + 1;
    for (int row = topRow; row <= lastRow; ++row) {
        std::vector<Cell> cells;
        for (int column = 1; column <= kWidth; ++column) {
            Cell cell;
            cell.glyph =
                screen.text.at(static_cast<size_t>(row - 1))[static_cast<size_t>(column - 1)];
            cell.foreground = ConsoleToSgr(ColourAt(screen.foreground, row, column));
            cell.background = ConsoleToSgr(ColourAt(screen.background, row, column));
            cell.listed = true;
            cells.push_back(cell);
        }
        pane.rows.push_back(cells);
    }
    return pane;
}

} // namespace golden
