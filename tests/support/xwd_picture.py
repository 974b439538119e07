"""A window's pixels as the X server holds them, read with xwd, for the tests that look at what
a real display shows."""

import struct
import subprocess
import zlib


class XwdPicture:
    """xwd's output: a header of 25 big-endian 32-bit fields (its size first), the window name,
    the colour table, then the rows of pixels."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        header_size, self.width, self.height = fields[0], fields[4], fields[5]
        byte_order, bits_per_pixel, self.stride, colours = fields[7], fields[11], fields[12], fields[19]
        if bits_per_pixel not in (24, 32):
            raise SystemExit("xwd wrote %d bits a pixel; the test reads 24 or 32" % bits_per_pixel)
        self.bytes_per_pixel = bits_per_pixel // 8
        self.little_endian = byte_order == 0
        self.pixels = data[header_size + 12 * colours:]

    def pixel(self, x, y):
        at = y * self.stride + self.bytes_per_pixel * x
        b = self.pixels[at:at + self.bytes_per_pixel]
        return (b[2], b[1], b[0]) if self.little_endian else tuple(b[-3:])

    def share_of(self, x, y, width, height, colour):
        """The share of the area's pixels that have the colour."""
        hits = sum(self.pixel(col, row) == colour for row in range(y, y + height) for col in range(x, x + width))
        return hits / (width * height)

    def save_png(self, path):
        """Writes the picture as an 8-bit RGB PNG: signature, IHDR, one IDAT of unfiltered rows, IEND."""
        rows = b"".join(b"\0" + bytes(c for x in range(self.width) for c in self.pixel(x, y))
                        for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(rows)))
            out.write(chunk(b"IEND", b""))


def read_window(window):
    """The window's pixels, read from the X server by the window's id."""
    data = subprocess.run(["xwd", "-id", window, "-silent"], capture_output=True, check=True, timeout=30).stdout
    return XwdPicture(data)
