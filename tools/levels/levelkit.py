"""Drawing levels in code: a two-layer canvas with rows counted from the bottom, as the game
counts them, and the writer of the game's grid files.

A level is built by painting into Level.play (blocks, items, enemy spawns) and Level.decor
(background blocks, decorations, markers, rails), then saved with Level.save(folder).
"""
import os

MAX_WIDTH = 999
MAX_HEIGHT = 100


def row_to_text(cells):
    """One row in the game's run-length form: four or more equal cells become "[cN]", except
    the row's last cell, which is always written on its own."""
    out = []
    n = len(cells)
    c = 0
    while c < n:
        i = 0
        while c + i < n - 2 and cells[c + i] == cells[c + i + 1]:
            i += 1
        if i >= 3:
            out.append("[%s%d]" % (cells[c], i + 1))
            c += i + 1
        else:
            out.append(cells[c])
            c += 1
    return "".join(out)


def text_to_row(line):
    """Expands one line of a grid file (the inverse of row_to_text)."""
    cells = []
    i = 0
    while i < len(line):
        ch = line[i]
        if ch == "[":
            cell = line[i + 1]
            end = line.index("]", i + 2)
            count = int(line[i + 2:end] or 0)
            cells.extend(cell * max(count, 0))
            i = end + 1
        else:
            cells.append(ch)
            i += 1
    return cells


class Layer:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [[" "] * width for _ in range(height)]  # rows[0] is the lowest row

    def get(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            return self.rows[y][x]
        return " "

    def set(self, x, y, ch):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise ValueError("cell (%d, %d) outside the level" % (x, y))
        self.rows[y][x] = ch

    def put(self, x, y, text):
        """Writes text left to right from (x, y); a space leaves the cell as it is."""
        for i, ch in enumerate(text):
            if ch != " ":
                self.set(x + i, y, ch)

    def art(self, x, y, lines):
        """Writes a block of text lines whose last line lands on row y (drawn as seen)."""
        for k, line in enumerate(reversed(lines)):
            self.put(x, y + k, line)

    def fill(self, x0, y0, x1, y1, ch):
        """Fills the rectangle of cells between both corners, inclusive."""
        for y in range(min(y0, y1), max(y0, y1) + 1):
            for x in range(min(x0, x1), max(x0, x1) + 1):
                self.set(x, y, ch)

    def clear(self, x0, y0, x1, y1):
        self.fill(x0, y0, x1, y1, " ")

    def to_text(self):
        return "".join(row_to_text(r) + "\n" for r in reversed(self.rows))


class Level:
    def __init__(self, width, height, titre, fond, musique, theme, createur="L'équipe Mivo"):
        if width > MAX_WIDTH or height > MAX_HEIGHT:
            raise ValueError("a level holds at most %d × %d cells" % (MAX_WIDTH, MAX_HEIGHT))
        self.width, self.height = width, height
        self.play = Layer(width, height)
        self.decor = Layer(width, height)
        self.config = dict(titre=titre, createur=createur, fond=fond, musique=musique, theme=theme)
        self.doors = []       # (x, y, channel, hidden)
        self.characters = []  # (x, y, w, h, motion, image, text)

    # --- terrain -------------------------------------------------------------------------------

    def ground(self, x0, x1, top, bottom=0, surface="c", body="g"):
        """Solid ground over columns x0 … x1 whose surface row is `top`."""
        self.play.fill(x0, bottom, x1, top - 1, body) if top > bottom else None
        self.play.fill(x0, top, x1, top, surface)

    def wall(self, x0, y0, x1, y1, ch="a"):
        self.play.fill(x0, y0, x1, y1, ch)

    def back(self, x0, y0, x1, y1, ch):
        """Background blocks in the decor layer (the game draws them darkened)."""
        self.decor.fill(x0, y0, x1, y1, ch)

    def coins_arc(self, x0, y0, heights, ch="H"):
        """Coins along a jump: one per column from x0, each raised by the given height."""
        for i, h in enumerate(heights):
            self.play.set(x0 + i, y0 + h, ch)

    # --- markers, rails, doors, characters -----------------------------------------------------

    def start(self, x, y):
        self.decor.set(x, y, "A")

    def exit(self, x, y):
        """The exit marker: the lower-left corner of the 10 × 10 portal, whose centre is the
        point the player is drawn into."""
        self.decor.set(x, y, "B")

    def rail(self, points):
        """A rail track through the given cells, straight segments between them."""
        for (xa, ya), (xb, yb) in zip(points, points[1:]):
            n = max(abs(xb - xa), abs(yb - ya))
            for k in range(n + 1):
                self.decor.set(xa + (xb - xa) * k // n, ya + (yb - ya) * k // n, ".")

    def door_pair(self, a, b, channel):
        """Two doors of one channel; a door is 3 × 3 cells from its lower-left corner."""
        self.doors.append((a[0], a[1], channel, False))
        self.doors.append((b[0], b[1], channel, False))

    def door(self, x, y, channel, hidden=False):
        """One door; a hidden one cannot be entered, but a door of its channel leads to it."""
        self.doors.append((x, y, channel, hidden))

    def character(self, x, y, w, h, motion, image, text):
        self.characters.append((x, y, w, h, motion, image, text))

    # --- files ---------------------------------------------------------------------------------

    def save(self, folder):
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "config.ini"), "w", encoding="utf-8", newline="\n") as f:
            for key in ("titre", "createur", "fond", "musique", "theme"):
                f.write("%s=%s\n" % (key, self.config[key]))
        for name, layer in (("0.lvl", self.play), ("1.lvl", self.decor)):
            with open(os.path.join(folder, name), "w", encoding="ascii", newline="\n") as f:
                f.write(layer.to_text())
        for name, lines in (("portals.lvl", [self._door_line(d) for d in self.doors]),
                            ("caracters.lvl", [self._character_line(c) for c in self.characters])):
            path = os.path.join(folder, name)
            if lines:
                with open(path, "w", encoding="utf-8", newline="\n") as f:
                    f.write("".join(l + "\n" for l in lines))
            elif os.path.exists(path):
                os.remove(path)

    @staticmethod
    def _door_line(d):
        x, y, channel, hidden = d
        return "%s[%d|%d|%d]" % ("\\" if hidden else "", x, y, channel)

    @staticmethod
    def _character_line(c):
        x, y, w, h, motion, image, text = c
        if len(image) > 39 or len(text) > 499 or any(ch in text for ch in "[|]"):
            raise ValueError("character text or picture path does not fit: %r" % text)
        return "[%d|%d|%d|%d|%d|%s|%s]" % (x, y, w, h, motion, image, text)


def read_layer(path):
    with open(path, encoding="latin-1") as f:
        return [text_to_row(line.rstrip("\r\n")) for line in f]


def hill(layer, x0, x1, base, height, top="c", body="g"):
    """A rounded hill of background blocks: rows base … base + height − 1, narrowing upwards."""
    width = x1 - x0 + 1
    for k in range(height):
        inset = (k * k * width) // (4 * height * height) if height > 1 else 0
        a, b = x0 + inset, x1 - inset
        if a > b:
            break
        layer.fill(a, base + k, b, base + k, top if k == height - 1 else body)
    # the cells of each row that stick out of the row above get the grassy top
    for y in range(base, base + height):
        for x in range(x0, x1 + 1):
            if layer.get(x, y) == body and layer.get(x, y + 1) == " ":
                layer.set(x, y, top)


def surface(level, x):
    """The lowest empty play row above the solid ground of column x (where a walker stands)."""
    y = 0
    for row in range(level.height):
        if level.play.get(x, row) in "abcdeghijklmnopqrs" and level.play.get(x, row) != " ":
            y = row + 1
    return y


def plant(level, x, code, y=None):
    """A decoration standing on the ground of column x (or on row y). The decor layer holds one
    code a cell, so a decoration never replaces a background block (that would leave a hole
    in it): it moves to the nearest free cell of the ground nearby."""
    for dx in [0] + [d * s for d in range(1, 16) for s in (1, -1)]:
        cx = x + dx
        cy = surface(level, cx) if y is None else y
        if level.decor.get(cx, cy) == " ":
            level.decor.set(cx, cy, code)
            return
    raise ValueError("no room for decoration %s near column %d" % (code, x))
