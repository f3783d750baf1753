"""Finds a decorated window's title bar in a screenshot: the first band of rows in which one grey
(not black: the picture's own colour) covers at least half the window's width (argv[2]). Prints
the band's right end and its middle row, "x y"."""
import collections
import subprocess
import sys

path, width = sys.argv[1], int(sys.argv[2])
size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True,
                      check=True).stdout.split()
w, h = int(size[0]), int(size[1])
data = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True,
                      check=True).stdout
band = []
for y in range(h):
    row = data[3 * w * y:3 * w * (y + 1)]
    pixels = [row[3 * x:3 * x + 3] for x in range(w)]
    counts = collections.Counter(pixels)
    counts.pop(b"\0\0\0", None)
    colour, count = counts.most_common(1)[0] if counts else (b"\0\0\0", 0)
    if max(colour) - min(colour) <= 8 and count >= width // 2:
        band.append((y, max(x for x in range(w) if pixels[x] == colour)))
    elif band:
        break
if not band:
    sys.exit(1)
print(max(x for _, x in band), (band[0][0] + band[-1][0]) // 2)
