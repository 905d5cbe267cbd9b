# SPDX-License-Identifier: GPL-3.0-or-later
"""The 16 x 16 row icons and button glyphs, placed pixel by pixel.

Each icon is painted as flat areas of a small shared palette and then given a
dark outline wherever a painted pixel meets the transparent background, so the
whole set shares one look: dark outline, light from the upper left.
"""
import math

from PIL import Image

PALETTE = {
    "k": (40, 22, 18),      # outline
    "w": (255, 255, 250),   # glint
    "s": (222, 226, 234),   # steel, light
    "S": (164, 172, 188),   # steel
    "d": (104, 110, 128),   # steel, dark
    "y": (255, 232, 130),   # gold, light
    "g": (218, 164, 48),    # gold
    "G": (150, 98, 22),     # gold, dark
    "b": (176, 110, 52),    # wood, light
    "B": (122, 70, 30),     # wood
    "n": (82, 44, 20),      # wood, dark
    "r": (200, 40, 36),     # red
    "R": (132, 20, 22),     # red, dark
    "p": (244, 232, 200),   # paper
    "P": (206, 186, 146),   # paper, shaded
    "l": (150, 130, 100),   # lines on paper
    "o": (255, 250, 200),   # light bulb, bright
    "O": (255, 214, 70),    # light bulb
    "f": (226, 120, 20),    # filament / flame
}


class Icon:
    def __init__(self, size=16):
        self.size = size
        self.px = {}

    def set(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[(x, y)] = c

    def rows(self, top, lines):
        """Paints rows of letters (space or '.' leaves a pixel as it is)."""
        for dy, line in enumerate(lines):
            for x, c in enumerate(line):
                if c not in " .":
                    self.set(x, top + dy, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(int(n) + 1):
            t = i / n if n else 0
            self.set(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, c)

    def outline(self, colour="k", diagonal=False):
        around = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diagonal:
            around += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
        edge = set()
        for (x, y), c in self.px.items():
            if c == colour:
                continue
            for dx, dy in around:
                q = (x + dx, y + dy)
                if q not in self.px and 0 <= q[0] < self.size and 0 <= q[1] < self.size:
                    edge.add(q)
        for q in edge:
            self.px[q] = colour

    def image(self, scale=1):
        """The icon as an RGBA picture; at scale 2 it is doubled by the Scale2x rule,
        which keeps every edge hard and rounds the steps of diagonal lines instead of
        blurring them, so the 32 px twin reads as the same pixel art drawn finer."""
        pixels = self.px if scale == 1 else self.scale2x()
        side = self.size * scale
        assert scale in (1, 2)
        img = Image.new("RGBA", (side, side), (0, 0, 0, 0))
        for (x, y), c in pixels.items():
            img.putpixel((x, y), PALETTE[c] + (255,))
        return img

    def scale2x(self):
        """Each pixel becomes four: a corner takes the colour of its two neighbours
        on that side when they agree with each other and not with the other two
        (the background counts as a colour of its own)."""
        def at(x, y):
            return self.px.get((x, y))
        out = {}
        for y in range(self.size):
            for x in range(self.size):
                p = at(x, y)
                a, b, c, d = at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
                corners = (
                    a if c == a and c != d and a != b else p,
                    b if a == b and a != c and b != d else p,
                    c if d == c and d != b and c != a else p,
                    d if b == d and b != a and d != c else p,
                )
                for (dx, dy), colour in zip(((0, 0), (1, 0), (0, 1), (1, 1)), corners):
                    if colour is not None:
                        out[(2 * x + dx, 2 * y + dy)] = colour
        return out


def sword():
    """A longsword, point to the upper right."""
    i = Icon()
    for t in range(8):
        i.set(6 + t, 9 - t, "s")      # lit edge
        i.set(7 + t, 9 - t, "S")      # shaded edge
    i.set(13, 2, "w")
    i.set(14, 1, "s")
    i.line(2, 6, 7, 11, "g")          # cross-guard
    i.set(2, 6, "G")
    i.set(7, 11, "G")
    i.set(4, 8, "y")
    i.line(4, 11, 2, 13, "B")         # grip
    i.set(3, 12, "b")
    i.set(1, 14, "g")                 # pommel
    i.outline()
    return i


def bow():
    """A short bow with an arrow on the string, pointing right."""
    i = Icon()
    # The bow's limbs bulge to the right of the string.
    for y in range(1, 15):
        t = (y - 1) / 13
        x = 4 + 6 * math.sin(math.pi * t)
        i.set(x, y, "B" if x > 8 else "b")
        if 4 <= y <= 11:
            i.set(x - 1, y, "b")
    i.set(10, 7, "n")
    i.set(10, 8, "n")                 # grip
    i.set(9, 7, "n")
    i.set(9, 8, "n")
    for y in range(1, 15):
        i.set(3 if y in (1, 14) else 2 if 3 <= y <= 12 else 3, y, "P")   # string drawn back a little
    i.line(2, 7, 13, 7, "b")          # shaft
    i.rows(5, ["..............",
               "............s.",
               "............Sd",
               "............s."])
    i.set(14, 7, "s")
    i.set(15, 7, "d")
    i.set(1, 6, "r")                  # fletching
    i.set(2, 6, "r")
    i.set(1, 8, "R")
    i.set(2, 8, "R")
    i.outline()
    return i


def crossbow():
    """A crossbow seen from above, bolt pointing up."""
    i = Icon()
    for x in range(1, 15):           # prod, curving back at the ends
        t = (x - 1) / 13
        y = 5 - 2.5 * math.sin(math.pi * t)
        i.set(x, y, "S" if x in (1, 14) else "d" if x in (2, 13) else "s")
        if 4 <= x <= 11:
            i.set(x, y + 1, "S")
    i.line(1, 5, 7, 9, "P")          # string to the nut
    i.line(14, 5, 8, 9, "P")
    for y in range(4, 15):            # stock
        i.set(7, y, "b")
        i.set(8, y, "B")
    i.set(7, 14, "n")
    i.set(8, 14, "n")
    i.set(6, 11, "g")                 # trigger
    i.set(6, 12, "G")
    for y in range(1, 9):             # bolt
        i.set(7, y, "n" if y > 3 else "s")
    i.set(7, 0, "w")
    i.set(8, 1, "S")
    i.set(6, 1, "S")
    i.outline()
    return i


def armour():
    """A breastplate with shoulder guards and a gold rim."""
    i = Icon()
    shape = [
        "................",
        "..ddS.....Sdd...",
        ".dSsSS...SSsSd..",
        ".dSssSSSSSsSSd..",
        "..dSssssSsSSd...",
        "..dSssssSSSSd...",
        "..dSsswsSSSSd...",
        "..dSsssSSSSSd...",
        "..dSSssSSSSdd...",
        "...dSSsSSSSd....",
        "...dSSSSSSdd....",
        "...ggggggggg....",
        "...dSSSSSSSd....",
        "....dSSSSSd.....",
        "................",
        "................",
    ]
    i.rows(0, shape)
    # Centre ridge, catching the light.
    for y in range(3, 11):
        i.set(8, y, "w" if y < 6 else "s")
    i.set(2, 2, "g")
    i.set(12, 2, "g")
    i.outline()
    # Shift right by one so it sits in the middle.
    moved = Icon()
    for (x, y), c in i.px.items():
        moved.set(x + 1, y + 1, c)
    return moved


def clipboard():
    """A clipboard with a written sheet, for copying."""
    i = Icon()
    i.rows(0, [
        "................",
        "......kkkk......",
        "..BBBBssSSBBBB..",
        "..BbbkSSSdkbbB..",
        "..BbppppppppbB..",
        "..BbpllllllpbB..",
        "..BbppppppppbB..",
        "..BbplllllppbB..",
        "..BbppppppppbB..",
        "..BbpllllllpbB..",
        "..BbppppppppbB..",
        "..BbpllllpppbB..",
        "..BbppppppppbB..",
        "..BbbbbbbbbbbB..",
        "..BBBBBBBBBBBB..",
        "................",
    ])
    i.outline()
    return i


def floppy():
    """A floppy disk in the set's dark red, for saving."""
    i = Icon()
    i.rows(0, [
        "................",
        ".RRRsSSSSSsRRRR.",
        ".RrRsSdd.SsRrrR.",
        ".RrRsSdd.SsRrrR.",
        ".RrRsSSSSSsRrrR.",
        ".RrrrrrrrrrrrrR.",
        ".RrrrrrrrrrrrrR.",
        ".RrpppppppppprR.",
        ".RrpllllllllprR.",
        ".RrppppppppppRR.",
        ".RrpllllllpppRR.",
        ".RrppppppppppRR.",
        ".RrpllllllllprR.",
        ".RrppppppppppRR.",
        ".RRRRRRRRRRRRRR.",
        "................",
    ])
    i.set(9, 2, "d")
    i.set(9, 3, "d")
    i.outline()
    return i


def bulb():
    """A lit light bulb, for the tip of the day."""
    i = Icon()
    i.rows(0, [
        "................",
        "......OOOO......",
        ".....OooooO.....",
        "....OoowooOO....",
        "....OowooOOO....",
        "....OooffoOO....",
        "....OOfOOfOO....",
        ".....OOffOO.....",
        "......OOOO......",
        "......OffO......",
        "......sSSd......",
        "......dSSd......",
        "......sSSd......",
        ".......dd.......",
        "................",
        "................",
    ])
    i.outline()
    # Rays of light.
    for x, y in ((1, 4), (2, 1), (14, 4), (13, 1), (1, 8), (14, 8)):
        i.set(x, y, "g")
    i.set(2, 8, "g")
    i.set(13, 8, "g")
    i.set(1, 3, "g")
    i.set(14, 3, "g")
    return i


def arrow_back():
    """A red arrow bending back to the left: back to the main menu."""
    i = Icon()
    i.rows(0, [
        "................",
        "................",
        ".....r..........",
        "....rr..........",
        "...rrrrrrrrr....",
        "..rrrrrrrrrrr...",
        "...rRRRRRRRRrr..",
        "....RR.....RRr..",
        ".....R......Rr..",
        "............Rr..",
        "...........RRr..",
        "......rrrrrRR...",
        "......RRRRRR....",
        "................",
        "................",
        "................",
    ])
    i.set(4, 4, "y")
    i.set(5, 4, "o")
    i.outline(diagonal=False)
    return i


def shield_16():
    """The application's shield with its K, drawn for 16 x 16 where curves blur."""
    i = Icon()
    i.rows(0, [
        "................",
        "..gggggggggggg..",
        "..grrrrrrrrrRg..",
        "..grryyrryyRRg..",
        "..grrryrryRRRg..",
        "..grrryryRRRRg..",
        "..grrryyRRRRRg..",
        "..grrryryRRRRg..",
        "..grrryrryRRRg..",
        "...gryyrryyRg...",
        "...grrrrrRRRg...",
        "....grrrRRRg....",
        ".....grRRRg.....",
        "......gRRg......",
        ".......gg.......",
        "................",
    ])
    i.outline()
    return i
