#!/usr/bin/python3
"""Draw the program's pictures: icon.png, icon.ico, hand.png and bible.jpg,
and the icon set for desktops: icons/icon.svg and icons/icon-N.png.

Run it with Debian's own interpreter, which has PIL (package python3-pil):

    /usr/bin/python3 resources/draw_resources.py

The files are (re)written next to this script.  Everything is drawn from
PIL primitives with no randomness, so re-running gives the same files.

Hand cursor hotspot (the tip of the index finger): (8, 1)
"""

from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter

HERE = Path(__file__).resolve().parent

SS = 4  # supersampling factor for the smooth pictures

DARK_GREEN = (0x00, 0x40, 0x00)
OLIVE = (0x55, 0x72, 0x1F)
GOLD_LIGHT = (0xFF, 0xE8, 0x8A)
GOLD = (0xF2, 0xC2, 0x2E)
GOLD_DARK = (0x9A, 0x6A, 0x08)

HAND_HOTSPOT = (8, 1)

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


# --------------------------------------------------------------- helpers

def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def vertical_gradient(size, top, bottom):
    """An RGB image fading from `top` to `bottom`."""
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        d.line([(0, y), (w, y)], fill=lerp(top, bottom, y / max(1, h - 1)))
    return img


def horizontal_gradient(size, stops):
    """An RGB image fading left to right through (position, colour) stops."""
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for x in range(w):
        t = x / max(1, w - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                colour = lerp(c0, c1, (t - p0) / max(1e-9, p1 - p0))
                break
        d.line([(x, 0), (x, h)], fill=colour)
    return img


def shape_mask(size, draw_fn):
    """An 'L' mask with whatever draw_fn(draw) paints in white."""
    m = Image.new("L", size, 0)
    draw_fn(ImageDraw.Draw(m))
    return m


def paint(canvas, fill, mask):
    """Paint a colour or an image onto canvas through mask."""
    if isinstance(fill, tuple):
        fill = Image.new(canvas.mode, canvas.size, fill + (255,) * (len(canvas.mode) - 3))
    elif fill.mode != canvas.mode:
        fill = fill.convert(canvas.mode)
    canvas.paste(fill, (0, 0), mask)


def curve(p0, p1, p2, steps=24):
    """Points of a quadratic Bezier from p0 to p2 pulled towards p1."""
    pts = []
    for i in range(steps + 1):
        t = i / steps
        x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
        y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
        pts.append((x, y))
    return pts


def scaled(points, k=SS):
    return [(x * k, y * k) for x, y in points]


def cross_shapes(cx, top, height, bar_y, arm, thick):
    """The two rectangles of a Latin cross, in picture pixels."""
    half = thick / 2
    upright = (cx - half, top, cx + half, top + height)
    beam = (cx - arm, bar_y - half, cx + arm, bar_y + half)
    return upright, beam


def draw_gold_cross(canvas, cx, top, height, bar_y, arm, thick, k=SS, edge=1.0):
    """A bevelled golden cross: dark rim, gold body, light top-left edge.
    The rim and halo are `edge` times their width on a 32 px icon."""
    upright, beam = cross_shapes(cx, top, height, bar_y, arm, thick)
    rects = [tuple(v * k for v in r) for r in (upright, beam)]
    size = canvas.size

    body = shape_mask(size, lambda d: [d.rectangle(r, fill=255) for r in rects])
    rim_w = max(1, round(0.5 * k * edge))
    rim = body
    for _ in range(rim_w):  # as one wide MaxFilter, but in linear time
        rim = rim.filter(ImageFilter.MaxFilter(3))

    # a soft dark halo so the gold reads on any background
    halo = rim.filter(ImageFilter.GaussianBlur(k * 0.6 * edge))
    halo = halo.point(lambda v: v * 0.55)
    paint(canvas, (0, 0, 0), halo)
    paint(canvas, (0x5C, 0x3A, 0x04), rim)

    # gold body with a diagonal sheen across the cross itself
    x0, y0 = beam[0] * k, upright[1] * k
    span = (beam[2] - beam[0] + upright[3] - upright[1]) * k
    w, h = size
    grad = Image.new("RGB", size)
    gd = ImageDraw.Draw(grad)
    for i in range(w + h):
        t = min(1.0, max(0.0, (i - x0 - y0) / span))
        colour = lerp(GOLD_LIGHT, GOLD, t / 0.45) if t < 0.45 else lerp(GOLD, GOLD_DARK, (t - 0.45) / 0.8)
        gd.line([(i, 0), (i - h, h)], fill=colour)
    paint(canvas, grad, body)

    # light along the top and left edges of each bar
    hi = ImageChops.subtract(body, ImageChops.offset(body, rim_w, rim_w))
    paint(canvas, GOLD_LIGHT, hi)
    # and shade along the bottom and right edges
    lo = ImageChops.subtract(body, ImageChops.offset(body, -rim_w, -rim_w))
    paint(canvas, GOLD_DARK, lo)


# ------------------------------------------------------------------ icon

def draw_icon(px):
    """The program icon at px x px: an open Bible under a golden cross."""
    k = SS
    u = px / 32.0  # the design is laid out on a 32 x 32 grid
    big = px * k
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))

    def g(v):  # design units to supersampled pixels
        return v * u * k

    # rounded green tile: olive rim, dark green face, lighter towards the top
    tile = shape_mask(img.size, lambda d: d.rounded_rectangle(
        (0, 0, big - 1, big - 1), radius=g(6), fill=255))
    paint(img, OLIVE, tile)
    face = shape_mask(img.size, lambda d: d.rounded_rectangle(
        (g(1.25), g(1.25), big - 1 - g(1.25), big - 1 - g(1.25)), radius=g(5), fill=255))
    paint(img, vertical_gradient(img.size, (0x1E, 0x5A, 0x10), DARK_GREEN), face)

    # open book: cover, page stacks, then the two top pages
    def book_layer(dy, inset):
        def draw(d):
            for side in (-1, 1):
                outer = 16 + side * (13.5 - inset)
                top = curve((16, 17.5 + dy), (16 + side * 6, 13.5 + dy), (outer, 15 + dy))
                bottom = curve((outer, 25.5 + dy), (16 + side * 6, 24 + dy), (16, 28 + dy))
                d.polygon([(g(x), g(y)) for x, y in top + bottom], fill=255)
        return shape_mask(img.size, draw)

    paint(img, (0x5A, 0x12, 0x0E), book_layer(1.5, -0.6))    # red leather cover
    paint(img, (0xB8, 0xA8, 0x82), book_layer(0.9, 0.0))     # page stack, shaded
    paint(img, (0xE4, 0xD8, 0xB8), book_layer(0.45, 0.0))    # page stack, lit
    pages = book_layer(0.0, 0.3)
    w = img.size[0]
    page_shade = horizontal_gradient(img.size, [
        (0.0, (0xF4, 0xEC, 0xD2)), (0.40, (0xFF, 0xFB, 0xEE)),
        (0.5, (0xC8, 0xB8, 0x92)), (0.60, (0xFF, 0xFB, 0xEE)),
        (1.0, (0xF4, 0xEC, 0xD2))])
    paint(img, page_shade, pages)

    # a few lines of text on each page, following the page's curve
    lines = Image.new("L", img.size, 0)
    ld = ImageDraw.Draw(lines)
    for row in range(3):
        dy = 19.0 + row * 2.2
        for side in (-1, 1):
            pts = curve((16 + side * 2.2, dy + 1.6), (16 + side * 6, dy - 2.0),
                        (16 + side * 11.2, dy - 0.4), steps=16)
            ld.line([(g(x), g(y)) for x, y in pts], fill=255, width=max(1, round(g(0.7))))
    lines = ImageChops.multiply(lines, pages)
    paint(img, (0x9C, 0x8C, 0x6C), lines)

    # the spine crease
    crease = shape_mask(img.size, lambda d: d.line(
        [(g(16), g(17.2)), (g(16), g(28.2))], fill=255, width=max(1, round(g(0.8)))))
    paint(img, (0x7A, 0x62, 0x3E), crease)

    # golden cross standing above the book; on the larger icons its rim keeps
    # the proportions of the 32 px one (the SVG's too)
    draw_gold_cross(img, 16 * u, 3.0 * u, 12.5 * u, 7.5 * u, 4.5 * u, 2.6 * u, k=k, edge=max(1.0, u))

    small = img.resize((px, px), Image.LANCZOS)
    if px > 48:
        return small  # a palette would band the gradients at this size
    # keep the palette within 256 colours so the Windows icon needs no dithering
    return small.quantize(256, method=Image.Quantize.FASTOCTREE,
                          dither=Image.Dither.NONE).convert("RGBA")



# --------------------------------------------------------------- icon.svg

def hexcolour(c):
    return "#%02x%02x%02x" % c


def svg_number(v):
    return ("%.3f" % v).rstrip("0").rstrip(".")


def svg_points(points):
    return " ".join("%s,%s" % (svg_number(x), svg_number(y)) for x, y in points)


def svg_rect(r, grow=0.0, dx=0.0, dy=0.0, **attrs):
    x0, y0, x1, y1 = r
    extra = "".join(' %s="%s"' % (k.replace("_", "-"), v) for k, v in attrs.items())
    return '<rect x="%s" y="%s" width="%s" height="%s"%s/>' % (
        svg_number(x0 - grow + dx), svg_number(y0 - grow + dy),
        svg_number(x1 - x0 + 2 * grow), svg_number(y1 - y0 + 2 * grow), extra)


def svg_gradient(name, stops, x1, y1, x2, y2):
    out = ['<linearGradient id="%s" gradientUnits="userSpaceOnUse" x1="%s" y1="%s" x2="%s" y2="%s">'
           % (name, svg_number(x1), svg_number(y1), svg_number(x2), svg_number(y2))]
    out += ['  <stop offset="%s" stop-color="%s"/>' % (svg_number(p), hexcolour(c)) for p, c in stops]
    out.append("</linearGradient>")
    return out


def icon_svg():
    """The program icon as SVG: the same drawing as draw_icon, on its 32 x 32
    grid, with the cross's rim and halo as on the 32 px picture."""
    def book_path(dy, inset):
        parts = []
        for side in (-1, 1):
            outer = 16 + side * (13.5 - inset)
            mid = 16 + side * 6
            parts.append("M16,%s Q%s,%s %s,%s L%s,%s Q%s,%s 16,%sZ" % tuple(svg_number(v) for v in (
                17.5 + dy, mid, 13.5 + dy, outer, 15 + dy, outer, 25.5 + dy, mid, 24 + dy, 28 + dy)))
        return " ".join(parts)

    upright, beam = cross_shapes(16, 3.0, 12.5, 7.5, 4.5, 2.6)
    rim_w, edge_w = 0.5, 0.5
    x0, y0 = beam[0], upright[1]
    span = beam[2] - beam[0] + upright[3] - upright[1]
    bbox = (beam[0] - 2, upright[1] - 2, beam[2] + 2, upright[3] + 2)

    defs = []
    defs += svg_gradient("face", [(0, (0x1E, 0x5A, 0x10)), (1, DARK_GREEN)], 0, 0, 0, 32)
    defs += svg_gradient("pages", [
        (0.0, (0xF4, 0xEC, 0xD2)), (0.40, (0xFF, 0xFB, 0xEE)), (0.5, (0xC8, 0xB8, 0x92)),
        (0.60, (0xFF, 0xFB, 0xEE)), (1.0, (0xF4, 0xEC, 0xD2))], 0, 0, 32, 0)
    # the sheen runs along x + y, from x0 + y0 over span, as draw_gold_cross paints it
    defs += svg_gradient("gold", [(0, GOLD_LIGHT), (0.45, GOLD), (1, lerp(GOLD, GOLD_DARK, 0.55 / 0.8))],
                         (x0 + y0) / 2, (x0 + y0) / 2, (x0 + y0 + span) / 2, (x0 + y0 + span) / 2)
    defs.append('<clipPath id="page-area"><path d="%s"/></clipPath>' % book_path(0.0, 0.3))
    for name, shift in (("cross", 0.0), ("cross-up-left", -edge_w), ("cross-down-right", edge_w)):
        defs.append('<clipPath id="%s">%s%s</clipPath>' % (
            name, svg_rect(upright, dx=shift, dy=shift), svg_rect(beam, dx=shift, dy=shift)))
    defs.append('<filter id="halo" x="-0.5" y="-0.5" width="2" height="2">'
                '<feGaussianBlur stdDeviation="0.6"/></filter>')

    body = []
    body.append('<rect width="32" height="32" rx="6" fill="%s"/>' % hexcolour(OLIVE))
    body.append('<rect x="1.25" y="1.25" width="29.5" height="29.5" rx="5" fill="url(#face)"/>')
    for dy, inset, fill in ((1.5, -0.6, hexcolour((0x5A, 0x12, 0x0E))),
                            (0.9, 0.0, hexcolour((0xB8, 0xA8, 0x82))),
                            (0.45, 0.0, hexcolour((0xE4, 0xD8, 0xB8))),
                            (0.0, 0.3, "url(#pages)")):
        body.append('<path d="%s" fill="%s"/>' % (book_path(dy, inset), fill))
    lines = []
    for row in range(3):
        dy = 19.0 + row * 2.2
        for side in (-1, 1):
            lines.append("M%s,%s Q%s,%s %s,%s" % tuple(svg_number(v) for v in (
                16 + side * 2.2, dy + 1.6, 16 + side * 6, dy - 2.0, 16 + side * 11.2, dy - 0.4)))
    body.append('<path d="%s" fill="none" stroke="%s" stroke-width="0.7" clip-path="url(#page-area)"/>'
                % (" ".join(lines), hexcolour((0x9C, 0x8C, 0x6C))))
    body.append('<path d="M16,17.2 V28.2" stroke="%s" stroke-width="0.8"/>' % hexcolour((0x7A, 0x62, 0x3E)))
    body.append('<g fill="#000000" opacity="0.55" filter="url(#halo)">%s%s</g>'
                % (svg_rect(upright, grow=rim_w), svg_rect(beam, grow=rim_w)))
    body.append('<g fill="%s">%s%s</g>' % (hexcolour((0x5C, 0x3A, 0x04)),
                                           svg_rect(upright, grow=rim_w), svg_rect(beam, grow=rim_w)))
    # gold with a light top-left edge and a dark bottom-right one
    body.append('<g clip-path="url(#cross)">')
    body.append("  " + svg_rect(bbox, fill=hexcolour(GOLD_DARK)))
    body.append('  <g clip-path="url(#cross-up-left)">')
    body.append("    " + svg_rect(bbox, fill=hexcolour(GOLD_LIGHT)))
    body.append("    " + svg_rect(bbox, fill="url(#gold)", clip_path="url(#cross-down-right)"))
    body.append("  </g>")
    body.append("</g>")

    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">',
           "<title>Orvel Biblical Numerology</title>", "<defs>"]
    out += ["  " + line for line in defs]
    out.append("</defs>")
    out += body
    out.append("</svg>")
    return "\n".join(out) + "\n"


# ------------------------------------------------------------------ hand

# Fill of the hand ('x'); the black outline is grown around it, and the gaps
# between fingers become the lines that separate them.
HAND_FILL = """
.......xxx.............
.......xxx.............
.......xxx.............
.......xxx.............
.......xxx.............
.......xxx.............
.......xxx.............
.......xxx.............
.......xxx.xxx.........
.......xxx.xxx.xxx.....
.......xxx.xxx.xxx.xx..
.......xxx.xxx.xxx.xxx.
.......xxx.xxx.xxx.xxx.
..xx...xxx.xxx.xxx.xxx.
.xxxx..xxx.xxx.xxx.xxx.
.xxxxx.xxx.xxx.xxx.xxx.
..xxxxxxxxxxxxxxxxxxxx.
..xxxxxxxxxxxxxxxxxxxx.
...xxxxxxxxxxxxxxxxxxx.
....xxxxxxxxxxxxxxxxxx.
.....xxxxxxxxxxxxxxxxx.
......xxxxxxxxxxxxxxx..
......xxxxxxxxxxxxxxx..
......xxxxxxxxxxxxxxx..
......xxxxxxxxxxxxxxx..
"""


def draw_hand():
    """The 32 x 32 pointing-hand cursor, crisp black and white."""
    rows = HAND_FILL.strip("\n").splitlines()
    ox, oy = 0, 2  # where the grid sits on the 32 x 32 cursor

    mask = Image.new("L", (32, 32), 0)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == "x":
                mask.putpixel((x + ox, y + oy), 255)

    # 4-neighbour growth gives the outline rounded corners
    grown = mask.copy()
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        grown = ImageChops.lighter(grown, ImageChops.offset(mask, dx, dy))
    outline = ImageChops.subtract(grown, mask)

    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    img.paste((255, 255, 255, 255), (0, 0), mask)
    img.paste((0, 0, 0, 255), (0, 0), outline)
    return img


# ----------------------------------------------------------------- bible

def draw_bible():
    """A closed Bible, front view, on the dark green of its frame: 106 x 121."""
    W, H = 106, 121
    k = SS
    img = Image.new("RGB", (W * k, H * k), DARK_GREEN)
    size = img.size

    def box(x0, y0, x1, y1):
        return (x0 * k, y0 * k, x1 * k, y1 * k)

    # book geometry, in picture pixels
    L, T, R, B = 13, 5, 95, 103     # front cover
    spine_w = 8                     # rounded spine band on the left

    # shadow cast on the frame
    shadow = shape_mask(size, lambda d: d.rounded_rectangle(
        box(L + 3, T + 4, R + 4, B + 4), radius=4 * k, fill=255))
    shadow = shadow.filter(ImageFilter.GaussianBlur(3 * k)).point(lambda v: v * 0.7)
    paint(img, (0x00, 0x1A, 0x00), shadow)

    # ribbon: the part hanging below the book, drawn first so the book covers its top
    rx0, rx1 = 64, 71
    ribbon = shape_mask(size, lambda d: d.polygon(scaled([
        (rx0, B - 6), (rx1, B - 6), (rx1 + 1.5, 117.5),
        ((rx0 + rx1) / 2 + 0.75, 113.5), (rx0 + 1.5, 118)]), fill=255))
    ribbon_fill = horizontal_gradient(size, [
        (0.0, (0x8A, 0x0E, 0x12)), (rx0 / W, (0x8A, 0x0E, 0x12)),
        ((rx0 + 2) / W, (0xD8, 0x2A, 0x2A)), ((rx1 + 1) / W, (0x70, 0x08, 0x0C)),
        (1.0, (0x70, 0x08, 0x0C))])
    paint(img, ribbon_fill, ribbon)
    fold = shape_mask(size, lambda d: d.line(
        scaled([(rx0 + 2.5, B + 2), (rx0 + 3.5, 114.5)]), fill=255, width=k // 2))
    paint(img, (0x5E, 0x06, 0x0A), fold)

    # back cover peeking out under the page block
    back = shape_mask(size, lambda d: d.rounded_rectangle(
        box(L + 1, T + 2, R + 1.5, B + 2.5), radius=3 * k, fill=255))
    paint(img, (0x16, 0x0C, 0x08), back)

    # page block: visible along the right edge and the bottom
    pages = shape_mask(size, lambda d: d.rectangle(box(L + 4, T + 2, R - 0.5, B - 0.5), fill=255))
    paint(img, vertical_gradient(size, (0xF2, 0xE8, 0xCC), (0xCF, 0xC0, 0x98)), pages)
    leaves = Image.new("L", size, 0)
    ld = ImageDraw.Draw(leaves)
    for i in range(1, 6):            # leaf edges on the right
        x = (R - 3 + i * 0.6) * k
        ld.line([(x, (T + 3) * k), (x, (B - 1 - i * 0.3) * k)], fill=150, width=1)
    for i in range(1, 4):            # and along the bottom
        y = (B - 3 + i * 0.7) * k
        ld.line([((L + 5) * k, y), ((R - 1 - i * 0.4) * k, y)], fill=150, width=1)
    paint(img, (0xA8, 0x96, 0x70), ImageChops.multiply(leaves, pages))

    # ribbon passing over the page edge at the bottom
    over = ImageChops.multiply(ribbon, shape_mask(size, lambda d: d.rectangle(
        box(0, B - 4, W, B + 1), fill=255)))
    paint(img, ribbon_fill, over)

    # front cover: dark leather, lit from the top left
    cover = shape_mask(size, lambda d: d.rounded_rectangle(
        box(L, T, R - 3, B - 3.5), radius=3 * k, fill=255))
    cw, ch = size
    leather = Image.new("RGB", size)
    lp = ImageDraw.Draw(leather)
    top_left, bottom_right = (0x52, 0x30, 0x20), (0x1A, 0x0D, 0x08)
    for i in range(cw + ch):
        t = min(1.0, max(0.0, (i - (L + T) * k) / ((R + B - L - T) * k)))
        lp.line([(i, 0), (i - ch, ch)], fill=lerp(top_left, bottom_right, t ** 0.8))
    paint(img, leather, cover)

    # a soft glow in the middle of the cover
    glow = shape_mask(size, lambda d: d.ellipse(box(L + 18, T + 18, R - 14, B - 26), fill=255))
    glow = ImageChops.multiply(glow.filter(ImageFilter.GaussianBlur(12 * k)).point(
        lambda v: v * 0.35), cover)
    paint(img, (0x7A, 0x4A, 0x30), glow)

    # rounded spine: dark band with a highlight and two raised ridges
    spine = ImageChops.multiply(cover, shape_mask(size, lambda d: d.rectangle(
        box(L, T, L + spine_w, B), fill=255)))
    paint(img, horizontal_gradient(size, [
        (0.0, (0x12, 0x08, 0x05)), ((L + 0.5) / W, (0x12, 0x08, 0x05)),
        ((L + 3.5) / W, (0x5A, 0x36, 0x24)), ((L + spine_w) / W, (0x1C, 0x0E, 0x08)),
        (1.0, (0x1C, 0x0E, 0x08))]), spine)
    hinge = shape_mask(size, lambda d: d.line(
        [((L + spine_w) * k, (T + 1) * k), ((L + spine_w) * k, (B - 4.5) * k)],
        fill=255, width=k))
    paint(img, (0x0C, 0x05, 0x03), hinge)
    for ry in (T + 12, B - 16):
        ridge = ImageChops.multiply(spine, shape_mask(size, lambda d: d.rectangle(
            box(L, ry, L + spine_w, ry + 1.2), fill=255)))
        paint(img, (0x6E, 0x46, 0x2E), ridge)

    # thin gold border tooled into the cover
    border = shape_mask(size, lambda d: d.rounded_rectangle(
        box(L + spine_w + 4, T + 5, R - 8, B - 9), radius=2 * k, outline=255, width=k // 2 + 1))
    paint(img, (0xB8, 0x8A, 0x24), border)

    # the cross, centred on the face of the cover
    face_cx = (L + spine_w + R - 3) / 2
    draw_gold_cross(img, face_cx, T + 20, 52, T + 36, 13, 7, k=k)

    # gleam along the cover's top edge
    gleam = ImageChops.multiply(cover, shape_mask(size, lambda d: d.line(
        [((L + 2) * k, (T + 0.6) * k), ((R - 6) * k, (T + 0.6) * k)], fill=140, width=k)))
    paint(img, (0x9A, 0x6E, 0x50), gleam)

    return img.resize((W, H), Image.LANCZOS)


# ------------------------------------------------------------------ main

def main():
    icons = {n: draw_icon(n) for n in ICON_SIZES}
    icons[32].save(HERE / "icon.png")
    # the set that a desktop, a software centre and the window icon use
    (HERE / "icons").mkdir(exist_ok=True)
    for n, icon in icons.items():
        icon.save(HERE / "icons" / ("icon-%d.png" % n))
    (HERE / "icons" / "icon.svg").write_text(icon_svg())
    largest = max(ICON_SIZES)
    icons[largest].save(HERE / "icon.ico", sizes=[(n, n) for n in ICON_SIZES],
                        append_images=[icons[n] for n in ICON_SIZES if n != largest])

    draw_hand().save(HERE / "hand.png")
    draw_bible().save(HERE / "bible.jpg", quality=90, subsampling=0, optimize=False)

    qrc = ("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n"
           "        <file>icon.png</file>\n        <file>hand.png</file>\n"
           "        <file>bible.jpg</file>\n    </qresource>\n</RCC>\n")
    (HERE / "resources.qrc").write_text(qrc)

    print("wrote icon.png, icon.ico, icons/, hand.png, bible.jpg, resources.qrc in", HERE)
    print("hand cursor hotspot: (%d, %d)" % HAND_HOTSPOT)


if __name__ == "__main__":
    main()
