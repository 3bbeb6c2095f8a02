"""The grid as the end-to-end tests check it, independently of the game's own code: cells in
board order, their rows, columns and units, and a digit a cell may take."""

BOARD_ORDER = [10 * b + p for b in range(9) for p in range(1, 10)]


def row_of(cell):
    return 3 * (cell // 10 // 3) + (cell % 10 - 1) // 3


def column_of(cell):
    return 3 * (cell // 10 % 3) + (cell % 10 - 1) % 3


def cell_at(row, column):
    return next(c for c in BOARD_ORDER if row_of(c) == row and column_of(c) == column)


def units_of(cell):
    """The cell's box, row and column."""
    return ([c for c in BOARD_ORDER if c // 10 == cell // 10],
            [c for c in BOARD_ORDER if row_of(c) == row_of(cell)],
            [c for c in BOARD_ORDER if column_of(c) == column_of(cell)])


def allowed(board, cell):
    """The first digit none of the cell's units shows, board being {cell: (colour, digit)}."""
    taken = {board[o][1] for unit in units_of(cell) for o in unit}
    return next(d for d in range(1, 10) if str(d) not in taken)
