"""The grid as the end-to-end tests check it, independently of the game's own code: cells in
board order, their rows, columns and units, a digit a cell may take, and a sound fresh deal."""

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


def fresh_deal_fault(board):
    """What is wrong with a fresh deal, board being {cell: (colour, digit)}; None if nothing."""
    if any(colour != "G" for colour, _ in board.values()):
        return "a fresh deal holds a player's entry"
    givens = [c for c, (_, d) in board.items() if d != "0"]
    if len(givens) != 30:
        return "%d givens, not 30" % len(givens)
    for box in range(9):
        count = sum(1 for c in givens if c // 10 == box)
        if count != (4 if box in (1, 4, 7) else 3):
            return "box %d holds %d givens" % (box, count)
    for cell in givens:
        if any(sum(1 for other in unit if board[other][1] == board[cell][1]) != 1
               for unit in units_of(cell)):
            return "the givens clash at cell %d" % cell
    return None
