#!/usr/bin/env python3
"""Prints a level as text, both layers at once: play cells as they are written, and under them
the decor layer: background blocks ':', decorations '*', rails '=', start '@', exit 'X', doors
'#' and characters '&' (from their files).

    python3 tools/levels/show.py levels/1_premiers_pas [first_column [last_column]]
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from levelkit import read_layer  # noqa: E402


def main():
    folder = sys.argv[1]
    play = read_layer(os.path.join(folder, "0.lvl"))
    decor = read_layer(os.path.join(folder, "1.lvl"))
    width, height = max(len(r) for r in play), len(play)
    x0 = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    x1 = int(sys.argv[3]) if len(sys.argv) > 3 else width - 1
    marks = {}
    for name, mark, size in (("portals.lvl", "#", 3), ("caracters.lvl", "&", None)):
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            continue
        for line in open(path, encoding="utf-8"):
            f = re.split(r"[\[|\]]", line)
            if len(f) < 4:
                continue
            x, y = int(f[1]), int(f[2])
            w, h = (size, size) if size else (int(f[3]), int(f[4]))
            for dx in range(w):
                for dy in range(h):
                    marks[(x + dx, y + dy)] = mark
    for r in range(height):
        y = height - 1 - r
        line = []
        for x in range(x0, x1 + 1):
            p = play[r][x] if x < len(play[r]) else " "
            d = decor[r][x] if r < len(decor) and x < len(decor[r]) else " "
            if p != " ":
                line.append(p)
            elif (x, y) in marks:
                line.append(marks[(x, y)])
            elif d == "A":
                line.append("@")
            elif d == "B":
                line.append("X")
            elif d == ".":
                line.append("=")
            elif "a" <= d <= "s":
                line.append(":")
            elif "C" <= d <= "L":
                line.append("*")
            else:
                line.append(" ")
        print("%3d %s" % (y, "".join(line)))
    print("    " + "".join(str((x // 10) % 10) if x % 10 == 0 else " " for x in range(x0, x1 + 1)))


if __name__ == "__main__":
    main()
