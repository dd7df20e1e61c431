#!/usr/bin/env python3
"""Draws the second panel's 21x22 button glyphs as XPM pictures.

TOONE: a "1" with an arrow up (the panel is shown; the button hides it).
TOTWO: a "2" with an arrow down (the panel is hidden; the button shows it).
TOLEFT / TORIGHT: a filled arrow (fold / unfold the folder tree).
Run from this folder; it rewrites the four .xpm files.
"""

W, H = 21, 22
DIGITS = {
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
}


def blank():
    return [["." for _ in range(W)] for _ in range(H)]


def digit(canvas, ch, x0, y0, scale=2):
    for y, row in enumerate(DIGITS[ch]):
        for x, c in enumerate(row):
            if c == "#":
                for dy in range(scale):
                    for dx in range(scale):
                        canvas[y0 + y * scale + dy][x0 + x * scale + dx] = "#"


def vertical_arrow(canvas, x, top, bottom, up):
    for y in range(top, bottom + 1):
        canvas[y][x] = "r"
    tip = top if up else bottom
    step = 1 if up else -1
    for i in range(1, 4):
        for dx in range(-i, i + 1):
            canvas[tip + i * step][x + dx] = "r"


def horizontal_arrow(canvas, left):
    mid = H // 2
    for x in range(3, W - 3):
        for y in range(mid - 2, mid + 2):
            canvas[y][x] = "b"
    tip = 1 if left else W - 2
    step = 1 if left else -1
    for i in range(8):
        for y in range(mid - 1 - i, mid + 1 + i):
            if 0 <= y < H:
                canvas[y][tip + i * step] = "b"


def write(name, canvas):
    colours = {".": "#C0C0C0", "#": "#000000", "r": "#C00000", "b": "#000080"}
    lines = ["/* XPM */", "static const char *%s[] = {" % name, '"%d %d %d 1",' % (W, H, len(colours))]
    lines += ['"%s c %s",' % (k, v) for k, v in colours.items()]
    lines += ['"%s",' % "".join(row) for row in canvas]
    lines[-1] = lines[-1].rstrip(",")
    lines.append("};")
    with open(name + ".xpm", "w") as out:
        out.write("\n".join(lines) + "\n")


one = blank()
digit(one, "1", 1, 4)
vertical_arrow(one, 16, 3, 18, up=True)
write("TOONE", one)

two = blank()
digit(two, "2", 1, 4)
vertical_arrow(two, 16, 3, 18, up=False)
write("TOTWO", two)

left = blank()
horizontal_arrow(left, left=True)
write("TOLEFT", left)

right = blank()
horizontal_arrow(right, left=False)
write("TORIGHT", right)
