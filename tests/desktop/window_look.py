"""The window as it opens and sizes on a desktop: its design size, centred on the screen with the
title bar in reach, its smallest size from the first show on, and screenshots of the typical views."""

from desktop import check, main, scenario

DESIGN = (992, 512)
SMALLEST_OUTER = (485, 540)


def frame_height(d):
    _, _, top, bottom = d.frame_extents()
    return top + bottom


def check_placement(d):
    """Centred on the screen where the window fits, never with its title bar or left side off it."""
    x, y, w, h = d.frame_geometry()
    screen_w, screen_h = d.screen_size()
    check(x >= 0 and y >= 0, f"the window's frame starts off the screen at ({x}, {y})")
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
    d.pause()
    d.xdotool("windowactivate", "--sync", d.window)
    d.pause()
    check_smallest(d, "after minimising and restoring")


def maximised_fills_the_screen(d):
    years_to_fifty_with_the_alternative(d)
    d.move(300, -d.frame_extents()[2] // 2)  # the title bar
    d.xdotool("click", "--repeat", "2", "--delay", "80", "1")
    d.pause(1)
    x, y, w, h = d.frame_geometry()
    screen_w, screen_h = d.screen_size()
    check(w == screen_w and h == screen_h, f"maximised, the frame is {w} x {h} at ({x}, {y})")
    d.shot("maximised")


@scenario(screen="640x480")
def on_a_small_screen_the_title_bar_stays_in_reach(d):
    check_placement(d)
    d.shot("small-screen")


@scenario(screen="1280x900", scale="1.5")
def at_one_and_a_half_times_the_title_bar_stays_in_reach(d):
    check_placement(d)


@scenario(screen="1280x900", scale="2")
def at_twice_the_size_the_title_bar_stays_in_reach(d):
    check_placement(d)
    d.shot("scale-2")


if __name__ == "__main__":
    main([opens_at_its_design_size_and_keeps_its_smallest_size, maximised_fills_the_screen,
          on_a_small_screen_the_title_bar_stays_in_reach, at_one_and_a_half_times_the_title_bar_stays_in_reach,
          at_twice_the_size_the_title_bar_stays_in_reach])
