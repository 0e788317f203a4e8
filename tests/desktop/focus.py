"""Keyboard focus as a sighted user sees it, at 1x and 2x: Tab through every stop changes the focused
control's pixels visibly (WCAG 2.2, 1.4.11 and 2.4.7): an indicator as large as a ring 2 pixels
thick along the control's edge, of at least 3:1 against the look without focus and against what it
borders. The chart, the last stop, frames the cell that the arrow keys reach and shows that year's
figures; when the focus leaves, the chart is as it was."""

import subprocess

from desktop import check, main, scenario, wait_until

# Tab order with the alternative strategy checked: chAlternative, TAltdep, CAltFreq, TB, TIntDep,
# TRegDep, CDefFreq, CcompFreq, TIntRate, seYears, Chart.
STOPS = 11
BAND = 4          # the edge band, in the program's pixels, where an indicator is looked for
LEAST = 3.0       # contrast
HINT_HEIGHT = 94  # the year hint's client height, in the program's pixels


class Screen:
    """One screenshot's pixels, read from ImageMagick's binary PPM."""

    def __init__(self, d):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=d.env, capture_output=True,
                              timeout=30, check=True).stdout
        fields = data.split(maxsplit=4)  # P6, width, height, maximum, pixels
        check(fields[0] == b"P6" and fields[3] == b"255", "the screenshot is not an 8-bit PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = fields[4]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.pixels[i:i + 3]


_luminance = {}


def luminance(rgb):
    if rgb not in _luminance:
        linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb)]
        _luminance[rgb] = 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    return _luminance[rgb]


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def changed(focused, unfocused, box, band):
    """The pixels of box within band of its edge that changed by at least 3:1, with that contrast."""
    x, y, w, h = box
    marked = {}
    for py in range(max(y, 0), min(y + h, focused.height)):
        for px in range(max(x, 0), min(x + w, focused.width)):
            if min(px - x, py - y, x + w - 1 - px, y + h - 1 - py) >= band:
                continue
            now, before = focused.at(px, py), unfocused.at(px, py)
            if now != before and contrast(now, before) >= LEAST:
                marked[(px, py)] = contrast(now, before)
    return marked


def indicator(focused, unfocused, box, scale):
    """What the focus changed along the control's edge: the area that changed by at least 3:1, the
    area a ring 2 pixels thick would have, and the indicator's lowest contrasts to the look without
    focus and to the unchanged pixels beside it (tenth percentiles)."""
    _, _, w, h = box
    marked = changed(focused, unfocused, box, BAND * scale)
    beside = []
    for (px, py) in marked:
        for nx, ny in ((px + 1, py), (px - 1, py), (px, py + 1), (px, py - 1)):
            if 0 <= nx < focused.width and 0 <= ny < focused.height and focused.at(nx, ny) == unfocused.at(nx, ny):
                beside.append(contrast(focused.at(px, py), focused.at(nx, ny)))
    tenth = lambda values: sorted(values)[len(values) // 10] if values else 0.0
    return len(marked), 2 * scale * 2 * (w + h), tenth(list(marked.values())), tenth(beside)


def extents(node):
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def hint_shown(d, scale):
    """Whether one of the program's windows, the year hint, stands on the screen."""
    found = d.xdotool("search", "--onlyvisible", "--pid", str(d.process.pid), "--name", ".*", check=False).split()
    return any(window != d.window and d.client_geometry(window)[3] == HINT_HEIGHT * scale for window in found)


def region(screen, box):
    x, y, w, h = box
    return [screen.at(px, py) for py in range(y, y + h) for px in range(x, x + w)]


def every_stop_shows_its_focus(d):
    scale = int(float(d.scale or 1))
    d.xdotool("mousemove", "0", "0")  # the pointer's year hint stays out of the way
    d.key("shift+Tab")  # from the initial deposit back to "Alternative strategy"
    d.key("space")      # its panel's three controls become stops
    shots, places, names = [], [], []
    for stop in range(STOPS):
        if stop:
            d.key("Tab")
        focused = wait_until(d.focused, "a focused control", timeout=5)
        names.append(focused.name)
        places.append(extents(focused))
        shots.append(Screen(d))
        d.shot(f"stop-{stop:02d}")
    check(names[0] == "Alternative strategy" and names[-1] == "Savings by year", f"the stops were {names}")
    for stop in range(STOPS):
        before = shots[stop - 1] if stop else shots[1]
        area, ring, change, beside = indicator(shots[stop], before, places[stop], scale)
        print(f"  {names[stop]!r}: indicator {area} px (a 2 px ring: {ring}), "
              f"{change:.2f}:1 to the look without focus, {beside:.2f}:1 to what it borders")
        check(area >= 0.85 * ring, f"{names[stop]!r}: the focus changes {area} px by 3:1, a 2 px ring has {ring}")
        check(beside >= LEAST, f"{names[stop]!r}: the indicator stands {beside:.2f}:1 to what it borders")

    chart = places[-1]
    d.key("Down", "Right")  # year 1, your initial deposit
    framed = Screen(d)
    d.shot("chart-cell")
    x, y, w, h = chart
    inside = (x + 8 * scale, y + 8 * scale, w - 16 * scale, h - 16 * scale)
    area = len(changed(framed, shots[-1], inside, band=max(w, h)))
    check(area >= 40 * scale * scale, f"the cell's frame changes only {area} px inside the chart")
    check(wait_until(lambda: hint_shown(d, scale), "the year hint", timeout=5), "no year hint")
    check(d.xdotool("getactivewindow") == d.window, "the year hint took the activation")

    d.key("Tab")  # back to "Alternative strategy"
    check(not hint_shown(d, scale), "the year hint stayed after the focus left the chart")
    check(region(Screen(d), chart) == region(shots[-2], chart), "the chart did not return to its look without focus")


@scenario(screen="1280x900")
def every_stop_shows_its_focus_at_1x(d):
    every_stop_shows_its_focus(d)


@scenario(screen="2400x1400", scale="2")
def every_stop_shows_its_focus_at_2x(d):
    every_stop_shows_its_focus(d)


if __name__ == "__main__":
    main([every_stop_shows_its_focus_at_1x, every_stop_shows_its_focus_at_2x])
