#!/usr/bin/env python3
"""Renders the real window under Xvfb to docs/: a fresh deal with a few of the player's
digits, at the normal size, at 1.5 and twice the scale, and under a dark colour scheme
(Debian's qt6ct). Usage: tools/screenshot.py build/tessal"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import grid  # noqa: E402
import play_as_a_player as e2e  # noqa: E402

DOCS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "docs")


def shoot(binary, scale, name, colour_scheme=None):
    with e2e.playing(binary, "tessal-shot-", scale, colour_scheme) as game:
        board = e2e.board_of(game.save("vue"))
        for box in (0, 2, 4, 6, 8):  # one of the player's digits in each of these boxes
            cell = next(c for c in grid.BOARD_ORDER if c // 10 == box and board[c][1] == "0")
            digit = grid.allowed(board, cell)
            game.pick(cell, digit)
            board[cell] = ("J", str(digit))
        game.xdo("mousemove", 0, 0)
        subprocess.run(["import", "-window", game.window, os.path.join(DOCS, name)],
                       env=game.env, check=True, timeout=20)


if __name__ == "__main__":
    e2e.use_layout(os.path.join(os.path.dirname(sys.argv[1]), "tests", "layout.json"))
    shoot(sys.argv[1], 1, "screenshot.png")
    shoot(sys.argv[1], 1.5, "screenshot-1.5x.png")
    shoot(sys.argv[1], 2, "screenshot-2x.png")
    shoot(sys.argv[1], 1, "screenshot-dark.png", "darker")
