"""The pixels the X server holds for a window, read with xwd (a ZPixmap of a
24-bit TrueColor visual, 32 bits a pixel).

As a program: xwd_pixels.py WINDOW prints how the window's picture fills it,
"bars N rows M": N pixels of the dark grey the old window drew around a
scaled phone picture, and M pixel rows whose first and last pixels are both
white, as rows spanning the whole width are."""

import collections
import struct
import subprocess
import sys

BAR_GREY = (38, 38, 38)
WHITE = (255, 255, 255)


def read_window(window):
    """(width, height, rows), each row a list of (r, g, b)."""
    data = subprocess.run(['xwd', '-id', str(window), '-silent'], capture_output=True, check=True).stdout
    fields = struct.unpack('>25I', data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line, ncolors = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel != 32:
        raise ValueError('expected 32 bits a pixel, got %d' % bits_per_pixel)
    pixels = data[header_size + 12 * ncolors:]
    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + 4 * width]
        if byte_order == 0:  # least significant byte first: B, G, R, pad
            rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, 4 * width, 4)])
        else:
            rows.append([(line[i + 1], line[i + 2], line[i + 3]) for i in range(0, 4 * width, 4)])
    return width, height, rows


def color_counts(window, step=2):
    """How many of every `step`-th pixel each way have each color, and how many were counted."""
    width, height, rows = read_window(window)
    counts = collections.Counter()
    for row in rows[::step]:
        counts.update(row[::step])
    return counts, sum(counts.values())


def main():
    width, height, rows = read_window(sys.argv[1])
    bars = sum(row.count(BAR_GREY) for row in rows)
    spanning = sum(1 for row in rows if row[0] == WHITE and row[-1] == WHITE)
    print('bars %d rows %d' % (bars, spanning))


if __name__ == '__main__':
    main()
