"""Keyboard focus as a sighted user sees it, at 1x and 2x: at every Tab stop the control's edge
changes by at least 3:1 over the area of a ring 2 pixels thick, and the changed pixels stand at
least 3:1 to what they border (WCAG 2.2, 1.4.11 and 2.4.7). The chart frames the cell the arrow
keys reach and shows its year's figures; when the focus leaves, the chart is as it was."""

import functools
import subprocess

from desktop import check, main, scenario, wait_until

STOPS = 11  # with the alternative on: its box, deposit, frequency and slider, then the inputs, the chart
BAND = 4    # program pixels along a control's edge where its indicator is looked for
LEAST = 3.0


class Screen:
    """One screenshot's pixels, from ImageMagick's binary PPM."""

    def __init__(self, d):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=d.env,
                              capture_output=True, timeout=30, check=True).stdout
        _, width, self.height, _, self.pixels = data.split(maxsplit=4)
        self.width, self.height = int(width), int(self.height)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.pixels[i:i + 3]


@functools.lru_cache(maxsize=None)
def luminance(rgb):
    linear = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb)]
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def changed(now, before, box, band):
    """The pixels of box within band of its edge that changed by at least 3:1, with that contrast."""
    x, y, w, h = box
    return {(px, py): contrast(now.at(px, py), before.at(px, py))
            for py in range(y, y + h) for px in range(x, x + w)
            if min(px - x, py - y, x + w - 1 - px, y + h - 1 - py) < band and now.at(px, py) != before.at(px, py)
            and contrast(now.at(px, py), before.at(px, py)) >= LEAST}


def extents(node):
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def hint_shown(d, scale):
    """Whether one of the program's windows as high as the year hint (94 pixels) stands on the screen."""
    found = d.xdotool("search", "--onlyvisible", "--pid", str(d.process.pid), "--name", ".*", check=False).split()
    return any(window != d.window and d.client_geometry(window)[3] == 94 * scale for window in found)


def every_stop_shows_its_focus(d):
    scale = int(float(d.scale or 1))
    d.xdotool("mousemove", "0", "0")  # the pointer's year hint stays away
    d.key("shift+Tab", "space")  # back to "Alternative strategy", which opens its panel's stops
    shots, places, names = [], [], []
    for stop in range(STOPS):
        if stop:
            d.key("Tab")
        focused = wait_until(d.focused, "a focused control")
        names.append(focused.name)
        places.append(extents(focused))
        shots.append(Screen(d))
        d.shot(f"stop-{stop:02d}")
    check(names[0] == "Alternative strategy" and names[-1] == "Savings by year", f"the stops were {names}")
    for stop, (name, (x, y, w, h)) in enumerate(zip(names, places)):
        now, before = shots[stop], shots[stop - 1 if stop else 1]
        marked = changed(now, before, (x, y, w, h), BAND * scale)
        ring = 2 * scale * 2 * (w + h)
        beside = sorted(contrast(now.at(*p), now.at(*n)) for p in marked
                        for n in ((p[0] + 1, p[1]), (p[0] - 1, p[1]), (p[0], p[1] + 1), (p[0], p[1] - 1))
                        if now.at(*n) == before.at(*n))
        lowest = min(marked.values(), default=0)
        tenth = beside[len(beside) // 10] if beside else 0
        print(f"  {name!r}: {len(marked)} px changed by {lowest:.2f}:1 or more (a 2 px ring: {ring}), "
              f"{tenth:.2f}:1 to what they border")
        check(len(marked) >= 0.85 * ring, f"{name!r}: {len(marked)} px changed by 3:1, a 2 px ring has {ring}")
        check(tenth >= LEAST, f"{name!r}: the indicator stands {tenth:.2f}:1 to what it borders")

    x, y, w, h = places[-1]
    d.key("Down", "Right")  # year 1, your initial deposit
    framed = Screen(d)
    d.shot("chart-cell")
    inside = (x + 8 * scale, y + 8 * scale, w - 16 * scale, h - 16 * scale)
    check(len(changed(framed, shots[-1], inside, max(w, h))) >= 40 * scale * scale, "no frame around the cell")
    check(wait_until(lambda: hint_shown(d, scale), "the year hint"), "no year hint")
    check(d.xdotool("getactivewindow") == d.window, "the year hint took the activation")
    d.key("Tab")
    left = Screen(d)
    check(not hint_shown(d, scale), "the year hint stayed after the focus left the chart")
    check(all(left.at(px, py) == shots[-2].at(px, py) for py in range(y, y + h) for px in range(x, x + w)),
          "the chart did not return to its look without focus")


def the_cursors_hint_shows_under_a_resting_pointer(d):
    """The cell's hint comes up below its bars, over the chart's bottom band and Show marks: a pointer
    resting there must not take it away."""
    chart_bottom = d.client_geometry()[3] - 19 - 150
    for place, at in (("Show marks", (215, chart_bottom - 21)), ("the bottom band", (300, chart_bottom - 5))):
        d.click(67, 54)  # the initial deposit
        d.move(*at)
        d.key("shift+Tab", "shift+Tab", "Right")  # to the chart, then its first cell
        check(wait_until(lambda: hint_shown(d, 1), f"the year hint, the pointer on {place}"), "no hint")
        d.shot(f"cursor-hint-{place.replace(' ', '-')}")


@scenario(screen="1280x900")
def every_stop_shows_its_focus_at_1x(d):
    every_stop_shows_its_focus(d)


@scenario(screen="2400x1400", scale="2")
def every_stop_shows_its_focus_at_2x(d):
    every_stop_shows_its_focus(d)


if __name__ == "__main__":
    main([every_stop_shows_its_focus_at_1x, every_stop_shows_its_focus_at_2x,
          the_cursors_hint_shows_under_a_resting_pointer])
