#!/usr/bin/env python3
"""Draws the program icon: a 32 x 32 floppy disk with a split and a join arrow, in the
16 colours of the classic palette, written as tessmarc.xpm (run: python3 make_icon.py)."""

PALETTE = {
    ' ': 'None', '.': '#000000', 'n': '#000080', 'b': '#0000FF', 's': '#C0C0C0',
    'g': '#808080', 'w': '#FFFFFF', 'r': '#FF0000', 'm': '#800000', 'G': '#008000',
    'l': '#00FF00', 'y': '#FFFF00', 'c': '#00FFFF', 'o': '#808000', 't': '#008080',
    'p': '#800080',
}

W = H = 32
img = [[' '] * W for _ in range(H)]


def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


# Disk body with its outline and the cut corner at the top right.
rect(2, 2, 29, 29, '.')
rect(3, 3, 28, 28, 'n')
for i in range(4):
    for j in range(4 - i):
        img[2 + i][29 - j] = ' '
    img[2 + i][29 - (4 - i)] = '.'
# Metal shutter with its window.
rect(9, 3, 23, 11, 's')
rect(9, 11, 23, 11, 'g')
rect(18, 4, 21, 10, 'n')
# Label.
rect(6, 15, 25, 28, 'w')
rect(6, 15, 25, 15, 'g')
for y in (18, 26):
    rect(8, y, 23, y, 'c')
# Split arrow (red, pointing right) and join arrow (green, pointing left).
rect(9, 21, 19, 21, 'r')
for i in range(4):
    rect(19 + i, 21 - (3 - i), 19 + i, 21 + (3 - i), 'r')
rect(12, 24, 22, 24, 'G')
for i in range(3):
    rect(12 - i, 24 - (2 - i), 12 - i, 24 + (2 - i), 'G')
# Write-protect hole.
rect(4, 24, 5, 26, '.')

used = sorted({c for row in img for c in row})
lines = ['/* XPM */', 'static const char* tessmarc_xpm[] = {',
         f'"{W} {H} {len(used)} 1",']
lines += [f'"{c} c {PALETTE[c]}",' for c in used]
lines += [f'"{"".join(row)}",' for row in img]
lines[-1] = lines[-1].rstrip(',')
lines.append('};')
with open('tessmarc.xpm', 'w') as f:
    f.write('\n'.join(lines) + '\n')
