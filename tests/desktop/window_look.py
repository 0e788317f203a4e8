"""The window as it opens and sizes on a desktop: its design size, centred on the screen with the
title bar in reach, its smallest size from the first show on, screenshots of the typical views, and
the continuous compounding notice whatever the pointer does."""

import time

from desktop import SETTLE_TIMEOUT, check, main, scenario, wait_until

DESIGN = (992, 512)
SMALLEST_OUTER = (485, 540)
COMPOUND_BOX = (20, 198, 94, 24)  # left, top, width, height in the window's design pixels
# The drop-down lists as they open at start, each with its number of items, the first one current.
LISTS = {"compound frequency": (COMPOUND_BOX, 6), "deposit frequency": ((20, 146, 94, 24), 5),
         "alternative compound frequency": ((203, 414, 96, 24), 5)}
HIGHLIGHT = (0x3a, 0x78, 0xc2)  # the item under the pointer in an open list


def frame_height(d):
    _, _, top, bottom = d.frame_extents()
    return top + bottom


def check_placement(d):
    """Within the screen wherever the screen holds its smallest size, centred, never with its title
    bar or left side off the screen."""
    x, y, w, h = d.frame_geometry()
    screen_w, screen_h = d.screen_size()
    check(x >= 0 and y >= 0, f"the window's frame starts off the screen at ({x}, {y})")
    for size, screen, smallest, axis in ((w, screen_w, SMALLEST_OUTER[0], "wide"), (h, screen_h, SMALLEST_OUTER[1], "high")):
        check(size <= max(screen, round(smallest * scale(d))), f"the frame is {size} {axis} on a screen of {screen}")
    for start, size, screen, axis in ((x, w, screen_w, "x"), (y, h, screen_h, "y")):
        expected = max(0, (screen - size) // 2)
        check(abs(start - expected) <= 1, f"frame {axis} {start}, centred would be {expected}")


def check_smallest(d, when):
    # A frame thinner than 28 rows makes the design height the smallest: the window never grows past it.
    expected = (SMALLEST_OUTER[0], min(SMALLEST_OUTER[1], DESIGN[1] + frame_height(d)))
    d.resize(100, 100)
    _, _, w, h = d.frame_geometry()
    check((w, h) == expected, f"{when}: the smallest outer size is {w} x {h}, not {expected[0]} x {expected[1]}")


def scale(d):
    return float(d.scale or 1)


def click_design(d, x, y):
    """Clicks a point given in the window's design pixels."""
    d.click(round(x * scale(d)), round(y * scale(d)))


def years_to_fifty_with_the_alternative(d):
    click_design(d, 26, 343 + 19)  # "Alternative strategy"
    click_design(d, 50, 302 + 13)  # the years field
    d.key("ctrl+a")
    d.type("50")
    d.key("Tab")


def opens_at_its_design_size_and_keeps_its_smallest_size(d):
    _, _, w, h = d.client_geometry()
    check((w, h) == tuple(round(v * scale(d)) for v in DESIGN), f"the client area opens at {w} x {h}")
    check_placement(d)
    d.shot("default")
    years_to_fifty_with_the_alternative(d)
    d.shot("alternative-50-years")
    if d.scale:  # the frame is drawn in device pixels: the outer size is not a whole number of design pixels
        d.resize(100, 100)
        d.shot("smallest")
        return
    check_smallest(d, "from the first show")
    d.shot("smallest")
    d.xdotool("windowminimize", d.window)
    wait_until(lambda: "IsViewable" not in d.run("xwininfo", "-id", d.window), "the window to be minimised")
    d.xdotool("windowactivate", "--sync", d.window)
    d.wait_active(d.window, "the restored window")
    d.settled()
    check_smallest(d, "after minimising and restoring")


def design_point(d, x, y):
    """A point given in the window's design pixels, on the screen."""
    left, top, _, _ = d.client_geometry()
    return left + round(x * scale(d)), top + round(y * scale(d))


def other_windows(d):
    """The program's visible windows besides the main one, each with whether it is a tooltip."""
    windows = d.xdotool("search", "--onlyvisible", "--pid", str(d.process.pid), check=False).split()
    return {w: "_NET_WM_WINDOW_TYPE_TOOLTIP" in d.run("xprop", "-id", w, "_NET_WM_WINDOW_TYPE", check=False)
            for w in windows if w != d.window}


def notice_shown(d):
    """Whether a balloon hangs from the bottom-left corner of the compound frequency box."""
    left, top, _, height = COMPOUND_BOX
    corner = design_point(d, left, top + height)
    return any(tooltip and d.client_geometry(w)[:2] == corner for w, tooltip in other_windows(d).items())


def notice_runs_its_course(d, pointer_at, where):
    """Picks "Continuous" in the list opened from the keyboard, the pointer resting where asked, then
    moves the pointer away at once: the notice is up as soon as the program has handled the pick (a
    hover's delay would still be running), stays up after the move, and ends by itself. A check of
    the notice counts only within its 3 s from before the pick: a loaded machine stretches the rest."""
    d.key("alt+Down")
    popup = wait_until(lambda: [w for w, tooltip in other_windows(d).items() if not tooltip], "the list")[0]
    d.xdotool("mousemove", *map(str, pointer_at(popup)))
    d.settled()
    due = lambda asked=time.monotonic(): notice_shown(d) or time.monotonic() - asked >= 3  # its 3 s
    d.key("End", "Return")
    check(due(), f"pointer {where}: no notice once the pick was handled")
    d.move(*at_screen(d, *design_point(d, 160, 320)))  # beside the years field
    check(due(), f"pointer {where}: the notice went as the pointer moved away")
    d.shot(f"notice-pointer-{where.replace(' ', '-')}")
    wait_until(lambda: not notice_shown(d), f"the notice to end by itself, pointer {where}", interval=0.1)


def continuous_notice_shows_at_once_whatever_the_pointer_does(d):
    d.key("Tab", "Tab", "Tab")  # from the initial deposit to the compound frequency box
    notice_runs_its_course(d, lambda popup: middle(d.client_geometry(popup)), "over the list")
    d.key("alt+Down", "Home", "Return")  # back to "Annually", out of the mode
    box = middle(design_point(d, *COMPOUND_BOX[:2]) + tuple(round(v * scale(d)) for v in COMPOUND_BOX[2:]))
    notice_runs_its_course(d, lambda popup: box, "over the box")


def highlighted_rows(d, x, top, bottom):
    """The screen rows between top and bottom where an open list's highlight crosses column x."""
    column = d.grab(x, top, 1, bottom - top)
    return [top + i for i, (pixel,) in enumerate(column) if max(abs(a - b) for a, b in zip(pixel, HIGHLIGHT)) <= 8]


def at_screen(d, x, y):
    """A screen point in the window's client coordinates, as the pointer actions take them."""
    left, top, _, _ = d.client_geometry()
    return x - left, y - top


def settles_on(probe, expected, timeout=SETTLE_TIMEOUT):
    """probe()'s value once it equals expected, or its last value after timeout seconds: what the
    screen shows lags the program by a frame or so."""
    end = time.monotonic() + timeout
    while (value := probe()) != expected and time.monotonic() < end:
        time.sleep(0.05)
    return value


def open_list(d, name):
    """Opens a list with a click. Returns a column for the pointer over the list, and a function that
    returns the screen rows highlighted in a column right of the items' texts, once the list opens."""
    (left, top, width, height), count = LISTS[name]
    click_design(d, left + width / 2, top + height / 2)
    pointer_x, y = design_point(d, left + width / 2, top)
    x = design_point(d, left + width, top)[0] - round(6 * scale(d))  # clear of the pointer's arrow too
    reach = (max(0, y - 2 * count * height), min(d.screen_size()[1], y + 2 * count * height))

    def shown():
        return highlighted_rows(d, x, *reach)

    wait_until(shown, f"the {name} list to open")
    return pointer_x, shown


def list_shows_every_item(d, name):
    """The pointer over the middle of each item, in turn, highlights that item whole and in its place
    below the first, so that every item shows, none hidden by a scroll arrow."""
    count = LISTS[name][1]
    pointer_x, shown = open_list(d, name)
    first = shown()

    def point_at(item):
        d.move(*at_screen(d, pointer_x, first[len(first) // 2] + item * pitch))

    pitch = len(first)  # until measured: from the first item's middle into the second
    point_at(1)
    pitch = wait_until(lambda: (shown() or first)[0] - first[0], f"the {name} list's second item to light up")
    for item in range(count):
        rows = [row + item * pitch for row in first]
        point_at(item)
        lit = settles_on(shown, rows)
        check(lit == rows, f"item {item + 1} of {count} of the {name} list shows on the screen's rows "
                           f"{lit[:1]}..{lit[-1:]}, not {rows[0]}..{rows[-1]}")
    d.shot(f"{name.replace(' ', '-')}-list")
    close_list(d, name, shown)


def close_list(d, name, shown):
    click_design(d, 160, 320)  # beside the years field: the list closes, nothing picked
    wait_until(lambda: not shown(), f"the {name} list to close")


def every_list_shows_all_its_items(d):
    for name in LISTS:
        if name.startswith("alternative"):
            click_design(d, 26, 343 + 19)  # "Alternative strategy"
        list_shows_every_item(d, name)


def middle(geometry):
    x, y, width, height = geometry
    return x + width // 2, y + height // 2


def maximised_fills_the_screen(d):
    years_to_fifty_with_the_alternative(d)
    d.move(300, -d.frame_extents()[2] // 2)  # the title bar
    d.xdotool("click", "--repeat", "2", "--delay", "80", "1")
    wait_until(lambda: "MAXIMIZED_VERT" in d.run("xprop", "-id", d.window, "_NET_WM_STATE"), "the window to maximise")
    d.settled()
    x, y, w, h = d.frame_geometry()
    screen_w, screen_h = d.screen_size()
    check(w == screen_w and h == screen_h, f"maximised, the frame is {w} x {h} at ({x}, {y})")
    d.shot("maximised")


@scenario(screen="2200x1200", scale="2")
def at_twice_the_size_every_list_shows_all_its_items(d):
    every_list_shows_all_its_items(d)


@scenario(screen="640x480")
def on_a_small_screen_the_title_bar_stays_in_reach(d):
    check_placement(d)
    d.shot("small-screen")


@scenario(screen="800x600")
def on_an_800_by_600_screen_the_whole_window_shows(d):
    check_placement(d)
    d.shot("800x600")


@scenario(screen="1280x900", scale="1.5")
def at_one_and_a_half_times_the_title_bar_stays_in_reach(d):
    check_placement(d)


@scenario(screen="1280x900", scale="2")
def at_twice_the_size_the_title_bar_stays_in_reach(d):
    check_placement(d)
    d.shot("scale-2")


if __name__ == "__main__":
    main([opens_at_its_design_size_and_keeps_its_smallest_size, every_list_shows_all_its_items,
          at_twice_the_size_every_list_shows_all_its_items,
          continuous_notice_shows_at_once_whatever_the_pointer_does, maximised_fills_the_screen,
          on_a_small_screen_the_title_bar_stays_in_reach, on_an_800_by_600_screen_the_whole_window_shows,
          at_one_and_a_half_times_the_title_bar_stays_in_reach,
          at_twice_the_size_the_title_bar_stays_in_reach])
