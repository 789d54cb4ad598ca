"""Helpers of the desktop tests: the window layout, the replay program as a
display reader, and screen images (X framebuffer dumps and PNG files). The
virtual X server and the window's title come from testsupport/xdesktop.py,
which the benchmarks share."""
import json
import os
import struct
import subprocess
import sys
import time
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "testsupport"))
from xdesktop import TITLE, fail, start_xvfb  # noqa: E402,F401

FRAME = (0, 60, 116)
DISABLED_FRAME = (201, 199, 186)
HOVER_TOP = (255, 240, 207)  # the hover ring's top line
SKIP = 77


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(SKIP)


def button_rects(source_dir):
    """Logical client rectangles (left, top, width, height) of the buttons by caption."""
    with open(os.path.join(source_dir, "resources", "form1.layout.json")) as f:
        layout = json.load(f)
    rects = {}
    for control in layout["controls"]:
        caption = control.get("properties", {}).get("caption")
        if control["type"] == "XPButton" and caption is not None and caption not in rects \
                and control.get("visible", True):
            rects[caption] = tuple(control[k] // 15 for k in ("left", "top", "width", "height"))
    return rects


def device_rect(rect, scale, origin=(0, 0)):
    """Where Qt puts a logical rectangle on device pixels: each edge rounded."""
    def edge(v):
        return int(v * scale + 0.5)
    left, top, width, height = rect
    x0, y0 = edge(left), edge(top)
    return (origin[0] + x0, origin[1] + y0, edge(left + width) - x0, edge(top + height) - y0)


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def poll(read, expected, seconds):
    """Reads until the value is the expected one or the time is up; the last value."""
    deadline = time.time() + seconds
    value = read()
    while value != expected and time.time() < deadline:
        time.sleep(0.05)
        value = read()
    return value


class Replay:
    """The replay program with the real window; its input is a pipe. Pointer
    input comes from outside; a `shot` action lets it handle what is pending."""

    def __init__(self, process, scratch):
        self.process, self.scratch = process, scratch

    @staticmethod
    def pipes():
        return {"stdin": subprocess.PIPE, "stdout": subprocess.PIPE, "stderr": subprocess.DEVNULL, "text": True}

    @classmethod
    def start(cls, program, env, scratch):
        return cls(subprocess.Popen([program], env=env, **cls.pipes()), scratch)

    def send(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        out = self.process.stdout.readline()
        if not out:
            fail(f"the replay program ended at \"{line}\"")
        return json.loads(out)

    def settle(self):
        self.send(f"shot Text1 {os.path.join(self.scratch, 'settle.png')}")

    def display(self):
        self.settle()
        return self.send("state")["display"]

    def wait_display(self, expected, seconds=5):
        return poll(self.display, expected, seconds)

    def close(self):
        try:
            self.process.stdin.close()
        except OSError:
            pass
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def runs(self, x, y, dx, dy, count):
        """Widths of the first `count` runs of one colour from (x, y) on."""
        widths, colour, width = [], self.pixel(x, y), 0
        while 0 <= x < self.width and 0 <= y < self.height and len(widths) < count:
            if self.pixel(x, y) != colour:
                widths.append(width)
                colour, width = self.pixel(x, y), 0
            width += 1
            x, y = x + dx, y + dy
        return widths

    def crop(self, x, y, w, h):
        rows = [self.rgb[3 * ((y + r) * self.width + x):3 * ((y + r) * self.width + x + w)] for r in range(h)]
        return Image(w, h, b"".join(rows))

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[3 * r * self.width:3 * (r + 1) * self.width] for r in range(self.height))

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
                    + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_xwd(path):
    """The screen of Xvfb -fbdir: an XWD dump of 32-bit pixels."""
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order = fields[0], fields[4], fields[5], fields[7]
    bits, bytes_per_line, ncolours = fields[11], fields[12], fields[19]
    if bits != 32:
        fail(f"the X screen has {bits} bits per pixel, not 32")
    start = header_size + 12 * ncolours
    rgb = bytearray(3 * width * height)
    for y in range(height):
        row = data[start + y * bytes_per_line:start + y * bytes_per_line + 4 * width]
        if byte_order == 0:  # least significant byte first: B, G, R, X
            rgb[3 * y * width:3 * (y + 1) * width] = bytes(
                b for i in range(width) for b in (row[4 * i + 2], row[4 * i + 1], row[4 * i]))
        else:
            rgb[3 * y * width:3 * (y + 1) * width] = bytes(
                b for i in range(width) for b in (row[4 * i + 1], row[4 * i + 2], row[4 * i + 3]))
    return Image(width, height, bytes(rgb))


def read_png(path):
    """An 8-bit RGB or RGBA PNG without interlacing, as grim writes it."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                fail("unexpected PNG format")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    rgb = bytearray()
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        for x in range(width):
            rgb += line[x * channels:x * channels + 3]
    return Image(width, height, bytes(rgb))


def line_widths(image, rect):
    """Device widths of the outer lines of a button met from each side through
    its middle: three from the left and the right, three from the top, four
    from the bottom. The columns are scanned a quarter in, clear of the caption."""
    x, y, w, h = rect
    mx, my = x + w // 4, y + h // 2
    return {
        "left": image.runs(x, my, 1, 0, 3),
        "right": image.runs(x + w - 1, my, -1, 0, 3),
        "top": image.runs(mx, y, 0, 1, 3),
        "bottom": image.runs(mx, y + h - 1, 0, -1, 4),
    }
