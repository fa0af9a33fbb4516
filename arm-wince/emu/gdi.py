"""A stand-in for the Windows CE GDI the handheld program draws with, for
window_manager.py: device contexts, solid brushes and stock objects, bitmaps
compatible with the screen (16-bit 5-6-5, like the device's), DIB sections in
the program's own memory laid out as the BITMAPINFO header it passes says,
FillRect, Rectangle, Ellipse, Polyline, BitBlt and DrawTextW (recorded, not
drawn). The screen is a 16-bit 5-6-5 surface.

Written from the functions' public documentation (CreateDIBSection: Windows
CE takes 32-bit DIB sections as BI_BITFIELDS only; DeleteObject: an object
selected into a device context is not deleted). Objects the program makes and
does not delete stay in `live_objects()`; `converted_pixels` counts pixels a
BitBlt had to convert from one format to another.
"""

import struct
from array import array

BI_RGB = 0
BI_BITFIELDS = 3
SRCCOPY = 0x00CC0020
TRANSPARENT = 1
OPAQUE = 2
# Stock objects by GetStockObject index: (kind, colour or None).
STOCK = {0: ("brush", 0xFFFFFF), 1: ("brush", 0xC0C0C0), 2: ("brush", 0x808080), 3: ("brush", 0x404040),
         4: ("brush", 0x000000), 5: ("brush", None), 6: ("pen", 0xFFFFFF), 7: ("pen", 0x000000),
         8: ("pen", None)}
STOCK_BASE = 0x00031000
SYSTEM_BRUSH_BASE = 0x00032000
DEFAULT_BITMAP = 0x00033000
FIRST_OBJECT = 0x00040000
SYS_COLOR_INDEX_FLAG = 0x40000000
RGB565 = (0xF800, 0x07E0, 0x001F)


def _shift_and_bits(mask):
    shift = (mask & -mask).bit_length() - 1 if mask else 0
    return shift, bin(mask).count("1")


class Surface:
    """Pixels of one format, `width` x `height`, line 0 at the top. Stored in
    the program's memory (a DIB section) or in the host's (everything else)."""

    def __init__(self, width, height, bits, masks, machine=None, address=None, bottom_up=False):
        self.width, self.height, self.bits, self.masks = width, height, bits, tuple(masks)
        self.stride = (width * bits // 8 + 3) & ~3
        self.machine, self.address, self.bottom_up = machine, address, bottom_up
        self.host = bytearray(self.stride * height) if machine is None else None
        self._channels = [_shift_and_bits(m) for m in self.masks]

    def encode(self, colour):
        """A COLORREF (0x00BBGGRR) as this surface's pixel."""
        value = 0
        for channel, (shift, bits) in zip((colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF),
                                          self._channels):
            value |= (channel >> (8 - bits)) << shift if bits <= 8 else channel << shift
        return value

    def decode(self, pixel):
        """This surface's pixel as (red, green, blue), each 0..255."""
        out = []
        for mask, (shift, bits) in zip(self.masks, self._channels):
            value = (pixel & mask) >> shift
            out.append((value << (8 - bits)) | (value >> (2 * bits - 8)) if 0 < bits < 8 else value & 0xFF)
        return tuple(out)

    def _line_offset(self, y):
        return self.stride * (self.height - 1 - y if self.bottom_up else y)

    def read_line(self, y, x0, x1):
        at, n = self._line_offset(y) + x0 * self.bits // 8, (x1 - x0) * self.bits // 8
        if self.host is not None:
            return bytes(self.host[at:at + n])
        return self.machine.read(self.address + at, n)

    def write_line(self, y, x0, data):
        at = self._line_offset(y) + x0 * self.bits // 8
        if self.host is not None:
            self.host[at:at + len(data)] = data
        else:
            self.machine.write(self.address + at, data)

    def pixels(self, y, x0, x1):
        return array("H" if self.bits == 16 else "I", self.read_line(y, x0, x1))

    def pixel(self, x, y):
        return self.pixels(y, x, x + 1)[0]

    def fill(self, y, x0, x1, colour):
        if x1 > x0:
            word = "<H" if self.bits == 16 else "<I"
            self.write_line(y, x0, struct.pack(word, self.encode(colour)) * (x1 - x0))


def _convert(source, target, line):
    """One line of source pixels in target's format."""
    if source.masks == (0xFF0000, 0xFF00, 0xFF) and target.masks == RGB565 and target.bits == 16:
        return array("H", [((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x1F) for p in line]).tobytes()
    out = array("H" if target.bits == 16 else "I")
    for p in line:
        r, g, b = source.decode(p)
        out.append(target.encode(r | (g << 8) | (b << 16)))
    return out.tobytes()


class Gdi:
    def __init__(self, machine, screen_width, screen_height, record):
        self.machine = machine
        self.record = record
        self.screen = Surface(screen_width, screen_height, 16, RGB565)
        for y in range(screen_height):  # not black, so an unpainted area is seen
            self.screen.fill(y, 0, screen_width, 0x808080)
        self.objects = {}  # handle -> dict(kind=..., ...)
        self._next = FIRST_OBJECT
        self.converted_pixels = 0
        self.text = []  # (text, rect, text colour, surface) of every DrawTextW
        self.faults = []  # what the program asked that GDI refuses

    # -- objects -------------------------------------------------------------
    def _new(self, **fields):
        handle = self._next
        self._next += 4
        self.objects[handle] = fields
        return handle

    def live_objects(self):
        return {h: o["kind"] for h, o in self.objects.items()}

    def _object(self, handle):
        if handle in self.objects:
            return self.objects[handle]
        if STOCK_BASE <= handle < STOCK_BASE + 0x100 and handle - STOCK_BASE in STOCK:
            kind, colour = STOCK[handle - STOCK_BASE]
            return {"kind": kind, "colour": colour, "stock": True}
        if SYSTEM_BRUSH_BASE <= handle < SYSTEM_BRUSH_BASE + 0x100:
            return {"kind": "brush", "colour": system_colour(handle - SYSTEM_BRUSH_BASE), "stock": True}
        if handle == DEFAULT_BITMAP:
            return {"kind": "bitmap", "surface": Surface(1, 1, 1, (1, 1, 1)), "stock": True, "dc": None}
        return None

    def brush_colour(self, handle):
        """The colour a brush paints (None: hollow). A system colour stands for
        a brush only in Windows CE's own form, SYS_COLOR_INDEX_FLAG with the
        index plus one; a bare COLOR_x + 1, which the desktop takes, is none."""
        if handle & ~0xFF == SYS_COLOR_INDEX_FLAG and 0 < handle & 0xFF <= 0x40:
            return system_colour((handle & 0xFF) - 1)
        found = self._object(handle)
        if found is None or found["kind"] != "brush":
            raise ValueError("%#x is no brush%s" % (handle, " (a bare system colour index is none on CE)"
                                                     if 0 < handle <= 0x40 else ""))
        return found["colour"]

    def new_window_dc(self, origin, clip):
        return self._new(kind="window dc", surface=self.screen, origin=origin, clip=clip, **_dc_defaults())

    def release_window_dc(self, dc):
        if self.objects.get(dc, {}).get("kind") == "window dc":
            del self.objects[dc]
            return 1
        return 0

    @staticmethod
    def stub_names():
        return tuple(Gdi.__new__(Gdi).stubs())

    def stubs(self):
        return {
            "GetStockObject": lambda m, a: STOCK_BASE + a[0] if a[0] in STOCK else 0,
            "GetSysColorBrush": lambda m, a: SYSTEM_BRUSH_BASE + (a[0] & 0xFF),
            "CreateSolidBrush": self._create_solid_brush,
            "CreateCompatibleDC": self._create_compatible_dc,
            "CreateCompatibleBitmap": self._create_compatible_bitmap,
            "CreateDIBSection": self._create_dib_section,
            "SelectObject": self._select_object,
            "DeleteObject": self._delete_object,
            "DeleteDC": self._delete_dc,
            "SetBkMode": lambda m, a: self._swap(a[0], "bk_mode", a[1]),
            "SetBkColor": lambda m, a: self._swap(a[0], "bk_colour", a[1]),
            "SetTextColor": lambda m, a: self._swap(a[0], "text_colour", a[1]),
            "GetTextColor": lambda m, a: self._dc(a[0])["text_colour"],
            "FillRect": self._fill_rect,
            "Rectangle": lambda m, a: self._shape(a, ellipse=False),
            "Ellipse": lambda m, a: self._shape(a, ellipse=True),
            "Polyline": self._polyline,
            "BitBlt": self._bit_blt,
            "DrawTextW": self._draw_text,
        }

    def _dc(self, handle):
        found = self.objects.get(handle)
        if found is None or "surface" not in found or found["kind"] not in ("window dc", "memory dc"):
            raise ValueError("%#x is no device context" % handle)
        return found

    def _swap(self, dc, field, value):
        d = self._dc(dc)
        old, d[field] = d[field], value
        return old

    def _create_solid_brush(self, m, a):
        colour = a[0] & 0xFFFFFF
        handle = self._new(kind="brush", colour=colour)
        self.record("CreateSolidBrush", brush=handle, colour=colour)
        return handle

    def _create_compatible_dc(self, m, a):
        bitmap = self._object(DEFAULT_BITMAP)
        return self._new(kind="memory dc", surface=bitmap["surface"], bitmap=DEFAULT_BITMAP, origin=(0, 0),
                         clip=None, **_dc_defaults())

    def _create_compatible_bitmap(self, m, a):
        dc, width, height = self._dc(a[0]), a.int(1), a.int(2)
        if width <= 0 or height <= 0:
            return 0
        model = dc["surface"]
        if model.bits < 16:
            model = self.screen  # only colour surfaces are modelled
        return self._new(kind="bitmap", surface=Surface(width, height, model.bits, model.masks), dc=None)

    def _create_dib_section(self, m, a):
        info, usage, bits_out = a[1], a[2], a[3]
        (size, width, height, planes, bit_count, compression) = struct.unpack("<IiiHHI", m.read(info, 20))
        if compression == BI_BITFIELDS:
            masks = struct.unpack("<III", m.read(info + size, 12))
        else:
            masks = None  # Windows CE: a 32-bit DIB section comes with its masks
        self.record("CreateDIBSection", width=width, height=height, bits=bit_count, compression=compression,
                    masks=masks)
        if planes != 1 or bit_count not in (16, 32) or masks is None or width <= 0 or height == 0 or usage != 0:
            self.faults.append("CreateDIBSection %dx%d, %d bits, compression %d" % (width, height, bit_count,
                                                                                 compression))
            return 0
        surface_size = ((width * bit_count // 8 + 3) & ~3) * abs(height)
        address = m.alloc(surface_size)
        m.write(address, bytes(surface_size))
        if bits_out:
            m.write_u32(bits_out, address)
        return self._new(kind="bitmap", dc=None, dib=address,
                         surface=Surface(width, abs(height), bit_count, masks, m, address, bottom_up=height > 0))

    def _select_object(self, m, a):
        dc, handle = self._dc(a[0]), a[1]
        found = self._object(handle)
        if found is None:
            return 0
        kind = found["kind"]
        if kind == "bitmap":
            if dc["kind"] != "memory dc" or (found.get("dc") not in (None, a[0]) and not found.get("stock")):
                return 0  # a bitmap goes into one memory device context at a time
            old = dc["bitmap"]
            if old in self.objects:
                self.objects[old]["dc"] = None
            if not found.get("stock"):
                found["dc"] = a[0]
            dc["bitmap"], dc["surface"] = handle, found["surface"]
            return old
        if kind in ("brush", "pen"):
            old, dc[kind] = dc[kind], handle
            return old
        return 0

    def _selected_anywhere(self, handle):
        return any(o.get("brush") == handle or o.get("pen") == handle or o.get("bitmap") == handle
                   for o in self.objects.values() if o["kind"] in ("memory dc", "window dc"))

    def _delete_object(self, m, a):
        handle = a[0]
        found = self.objects.get(handle)
        if found is None or found["kind"] not in ("brush", "pen", "bitmap"):
            return 1 if self._object(handle) is not None else 0  # stock objects: nothing to do
        if self._selected_anywhere(handle):
            self.faults.append("DeleteObject(%#x): a %s still selected" % (handle, found["kind"]))
            return 0
        if "dib" in found:
            m.heap.free(found["dib"])
        del self.objects[handle]
        return 1

    def _delete_dc(self, m, a):
        found = self.objects.get(a[0])
        if found is None or found["kind"] != "memory dc":
            return 0
        if found["bitmap"] in self.objects:
            self.objects[found["bitmap"]]["dc"] = None
        del self.objects[a[0]]
        return 1

    # -- drawing -------------------------------------------------------------
    def _boxes(self, dc, left, top, right, bottom):
        """A rectangle in dc's logical units as the non-empty pieces, in surface
        coordinates, that dc's clipping rectangles (a window DC's: its window,
        or BeginPaint's update region) let through."""
        ox, oy = dc["origin"]
        surface = dc["surface"]
        x0, y0, x1, y1 = left + ox, top + oy, right + ox, bottom + oy
        for cx0, cy0, cx1, cy1 in dc["clip"] if dc["clip"] is not None else [(0, 0, surface.width, surface.height)]:
            box = max(x0, cx0, 0), max(y0, cy0, 0), min(x1, cx1, surface.width), min(y1, cy1, surface.height)
            if box[0] < box[2] and box[1] < box[3]:
                yield box

    def _spans(self, dc, spans):
        """Fills (y, x0, x1, colour) spans given in dc's logical units, clipped."""
        surface = dc["surface"]
        if surface.bits < 16:
            return
        for y, x0, x1, colour in spans:
            if colour is None:
                continue
            for bx0, by0, bx1, _ in self._boxes(dc, x0, y, x1, y + 1):
                surface.fill(by0, bx0, bx1, colour)

    def _fill_rect(self, m, a):
        return self.fill_rect(a[0], a[1], a[2])

    def fill_rect(self, dc_handle, rect, brush):
        dc = self._dc(dc_handle)
        left, top, right, bottom = struct.unpack("<4i", self.machine.read(rect, 16))
        colour = self.brush_colour(brush)
        self._spans(dc, [(y, left, right, colour) for y in range(top, bottom)])
        return 1

    def _shape(self, a, ellipse):
        dc = self._dc(a[0])
        left, top, right, bottom = a.int(1), a.int(2), a.int(3), a.int(4)
        fill = self.brush_colour(dc["brush"])
        pen = self._object(dc["pen"])["colour"]
        width, height = right - left, bottom - top
        if width <= 0 or height <= 0:
            return 1
        inside = []  # per line: the set of columns inside the shape
        for y in range(height):
            if not ellipse:
                inside.append(set(range(width)))
                continue
            # The ellipse inscribed in the rectangle, by pixel centres.
            ry, rx = height / 2.0, width / 2.0
            dy = (y + 0.5 - ry) / ry
            inside.append({x for x in range(width) if ((x + 0.5 - rx) / rx) ** 2 + dy * dy <= 1.0})
        spans = []
        for y, columns in enumerate(inside):
            for x in sorted(columns):
                edge = (y == 0 or y == height - 1 or x - 1 not in columns or x + 1 not in columns
                        or x not in inside[y - 1] or x not in inside[y + 1])
                spans.append((top + y, left + x, left + x + 1, pen if edge and pen is not None else fill))
        self._spans(dc, _merge(spans))
        return 1

    def _polyline(self, m, a):
        dc = self._dc(a[0])
        points = [struct.unpack("<2i", m.read(a[1] + 8 * i, 8)) for i in range(a.int(2))]
        pen = self._object(dc["pen"])["colour"]
        spans = []
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = max(abs(x1 - x0), abs(y1 - y0))
            for i in range(steps):  # the last point is not drawn
                x = x0 + round((x1 - x0) * i / steps)
                y = y0 + round((y1 - y0) * i / steps)
                spans.append((y, x, x + 1, pen))
        self._spans(dc, spans)
        return 1

    def _bit_blt(self, m, a):
        target, x, y, width, height = self._dc(a[0]), a.int(1), a.int(2), a.int(3), a.int(4)
        source, sx, sy, rop = self._dc(a[5]), a.int(6), a.int(7), a[8]
        if rop != SRCCOPY:
            self.faults.append("BitBlt with raster operation %#x" % rop)
            return 0
        to, frm = target["surface"], source["surface"]
        if to.bits < 16 or frm.bits < 16:
            return 1
        ox, oy = target["origin"]
        sox, soy = source["origin"]
        same = frm.bits == to.bits and frm.masks == to.masks
        for tx0, ty0, tx1, ty1 in self._boxes(target, x, y, x + width, y + height):
            # The source pixels that land on (tx0, ty0): clip them to the source as well.
            fx0, fy0 = tx0 - ox - x + sx + sox, ty0 - oy - y + sy + soy
            count = min(tx1 - tx0, frm.width - fx0)
            lines = min(ty1 - ty0, frm.height - fy0)
            if count <= 0 or lines <= 0 or fx0 < 0 or fy0 < 0:
                continue
            for i in range(lines):
                data = frm.read_line(fy0 + i, fx0, fx0 + count)
                if not same:
                    data = _convert(frm, to, frm.pixels(fy0 + i, fx0, fx0 + count))
                to.write_line(ty0 + i, tx0, data)
            if not same:
                self.converted_pixels += count * lines
        return 1

    def _draw_text(self, m, a):
        dc = self._dc(a[0])
        count = a.int(2)
        text = m.read(a[1], 2 * count).decode("utf-16-le") if count >= 0 else a.wstring(1)
        rect = struct.unpack("<4i", m.read(a[3], 16))
        self.text.append((text, rect, dc["text_colour"], dc["surface"]))
        self.record("DrawTextW", text=text, rect=rect, flags=a[4], colour=dc["text_colour"],
                    on_screen=dc["surface"] is self.screen)
        return 8  # the text's height


def _dc_defaults():
    return dict(brush=STOCK_BASE + 0, pen=STOCK_BASE + 7, text_colour=0, bk_colour=0xFFFFFF, bk_mode=OPAQUE)


def _merge(spans):
    """Neighbouring one-pixel spans of a colour on a line as one span."""
    out = []
    for y, x0, x1, colour in spans:
        if out and out[-1][0] == y and out[-1][2] == x0 and out[-1][3] == colour:
            out[-1] = (y, out[-1][1], x1, colour)
        else:
            out.append((y, x0, x1, colour))
    return out


# Windows CE's system colours, by index (COLOR_WINDOW is 5): a light scheme.
_SYSTEM_COLOURS = {0: 0xC0C0C0, 1: 0x800000, 2: 0x800000, 4: 0xC0C0C0, 5: 0xFFFFFF, 6: 0x000000, 7: 0x000000,
                   8: 0x000000, 9: 0xFFFFFF, 15: 0xC0C0C0, 16: 0x808080, 18: 0x000000, 20: 0xFFFFFF}


def system_colour(index):
    return _SYSTEM_COLOURS.get(index & 0xFF, 0xC0C0C0)
