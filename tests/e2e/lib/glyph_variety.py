#!/usr/bin/env python3
"""Tells drawn glyphs from boxes: glyph_variety.py IMAGE.pbm

Reads a plain PBM (ink = 1), cuts it into text lines at rows without ink,
and prints how many different columns the lines hold: each column of a line
is the pattern of ink in it from the line's top to its bottom. A text whose
characters the font lacks is drawn as one box repeated, a handful of
patterns however long the text; drawn glyphs give a new pattern in almost
every column.
"""
import sys


def read_plain_pbm(path):
    with open(path) as pbm:
        tokens = [t for line in pbm for t in line.split("#")[0].split()]
    if tokens[0] != "P1":
        raise SystemExit(f"{path}: not a plain PBM")
    width, height = int(tokens[1]), int(tokens[2])
    bits = "".join(tokens[3:])
    return [bits[row * width:(row + 1) * width] for row in range(height)]


def text_lines(rows):
    line = []
    for row in rows:
        if "1" in row:
            line.append(row)
        elif line:
            yield line
            line = []
    if line:
        yield line


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: glyph_variety.py IMAGE.pbm")
    patterns = set()
    for line in text_lines(read_plain_pbm(sys.argv[1])):
        for column in zip(*line):
            if "1" in column:
                patterns.add((len(line), "".join(column)))
    print(len(patterns))


if __name__ == "__main__":
    main()
