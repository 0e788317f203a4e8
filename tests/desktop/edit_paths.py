"""Every way text reaches an entry field, on a real desktop: the context menu used with the mouse
and its mnemonics, the primary selection's middle-click, a drag from another program, typed keys
with modifiers, keys typed while an error box comes up, and a resize; the program must live
through all of it and keep its figures."""

import os
import sys
import time

from desktop import check, find_all, main, wait_until

# Centres of the fields in the client area at the design size (scale 1).
INITIAL = (67, 54)
REGULAR = (67, 106)
RATE = (67, 262)
YEARS = (50, 315)
# A hand rests between two clicks at one place: a right-click a tenth of a second after a left
# click on the field opens no menu.
HAND_REST = 0.35


def bottom_panel_top(d):
    return d.client_geometry()[3] - 19 - 150


def marks_box(d):
    return (215, bottom_panel_top(d) - 21)  # anchored 9 above the chart's bottom edge


def alternative_box(d):
    return (30, bottom_panel_top(d) + 19)


def alternative_deposit(d):
    return (251, bottom_panel_top(d) + 53)


def menu(d, at, mnemonic):
    """Right-clicks at a field and picks a menu entry by its underlined letter."""
    time.sleep(HAND_REST)
    d.click(*at, button=3, until=lambda: len(program_windows(d, named=False)) > 1, what="the field's menu")
    d.key(mnemonic, until=lambda: len(program_windows(d, named=False)) == 1, what="the menu to close")


def texts(d):
    """The texts of every entry field, as a screen reader reads them."""
    import pyatspi
    nodes = find_all(d.atspi_app(), lambda n: n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_SPIN_BUTTON))
    found = []
    for node in nodes:
        try:
            text = node.queryText()
        except NotImplementedError:
            continue
        found.append(text.getText(0, text.characterCount))
    return found


def totals_say(d, spoken):
    return bool(find_all(d.atspi_app(), lambda n: n.name == spoken))


def field_reads(d, at, expected, what):
    d.click(*at)
    check(d.alive(), f"the program died {what}")
    shown = d.focused_text()
    check(shown == expected, f"{what}: the field reads {shown!r}, not {expected!r}")


def every_menu_action_on_every_field(d):
    d.click(*INITIAL, button=3)
    d.shot("edit-menu")  # the keys in a column of their own
    d.key("Escape")
    d.click(*alternative_box(d))
    d.set_clipboard("5")
    for name, at in (("initial", INITIAL), ("regular", REGULAR), ("rate", RATE), ("years", YEARS),
                     ("alternative", alternative_deposit(d))):
        d.click(*at)
        menu(d, at, "a")  # Select All
        menu(d, at, "p")  # Paste
        d.shot(f"pasted-{name}")
        field_reads(d, at, "5", f"after Paste in the {name} field")
    d.click(*INITIAL)
    menu(d, INITIAL, "a")
    d.type("42")
    menu(d, INITIAL, "a")
    menu(d, INITIAL, "t")  # Cut
    d.shot("cut")
    field_reads(d, INITIAL, "", "after Cut")
    menu(d, INITIAL, "u")  # Undo, before leaving the field rewrites it
    field_reads(d, INITIAL, "42", "after Undo")
    d.click(*REGULAR)
    menu(d, REGULAR, "a")
    menu(d, REGULAR, "p")
    field_reads(d, REGULAR, "42", "after pasting what Cut took")
    menu(d, INITIAL, "a")
    menu(d, INITIAL, "d")  # Delete
    field_reads(d, INITIAL, "", "after Delete")
    menu(d, INITIAL, "u")
    d.shot("undone")
    field_reads(d, INITIAL, "$42", "after the second Undo")  # rewritten when the field was left
    check(totals_say(d, "Your strategy, initial deposit, $42"), "the totals missed the deposit")


def middle_click_pastes_only_what_typing_could_make(d):
    d.click(*INITIAL)
    menu(d, INITIAL, "a")
    d.type("2000")
    d.key("Tab")
    d.set_clipboard("$", selection="primary")
    d.click(INITIAL[0] - 44, INITIAL[1], button=2)  # before the "$": "$$2,000" would read as hexadecimal
    d.shot("second-currency-refused")
    check(d.focused_text() == "$2,000", f"a second currency sign got in: {d.focused_text()!r}")
    check(totals_say(d, "Your strategy, initial deposit, $2,000"), "the totals changed")
    d.set_clipboard("7", selection="primary")
    d.click(INITIAL[0] + 40, INITIAL[1], button=2)  # after the last digit
    d.shot("digit-pasted")
    check(d.focused_text() == "$2,0007", f"the middle-click paste of a digit failed: {d.focused_text()!r}")
    check(totals_say(d, "Your strategy, initial deposit, $20,007"), "the totals missed the pasted digit")


def drag_from(d, text, target):
    """Starts the other program with its text selected and drags that text onto target."""
    source = d.launch("drag-source", [os.environ["PENMARROW_DRAG_SOURCE"], text, "40", "60"])
    window = wait_until(lambda: d.xdotool("search", "--onlyvisible", "--pid", str(source.pid), "--name", "source:",
                                          check=False).split()[:1], "the drag source's window")[0]
    d.wait_active(window, "the drag source's window")  # placed, and taking the pointer's press
    start = tuple(v + 20 for v in d.client_geometry(window)[:2])
    left, top = d.client_geometry()[:2]
    d.drag(start, (left + target[0], top + target[1]))
    return source, window


def refused_drop_leaves_the_other_programs_text(d):
    d.click(*INITIAL)
    menu(d, INITIAL, "a")
    d.key("BackSpace")
    source, window = drag_from(d, "12345678", INITIAL)
    d.shot("refused-drop")
    check(d.alive(), "the program died on the drop")
    check(d.xdotool("getwindowname", window) == "source:12345678", "the refused drop took the source's text away")
    field_reads(d, INITIAL, "", "after the refused drop")
    d.end_group(source)
    drag_from(d, "250", INITIAL)
    d.shot("taken-drop")
    field_reads(d, INITIAL, "250", "after the accepted drop")
    check(totals_say(d, "Your strategy, initial deposit, $250"), "the totals missed the dropped deposit")


def shortcuts_type_nothing_and_the_window_survives_resizing(d):
    d.click(*RATE)
    d.key("End")
    d.type("12")
    d.key("ctrl+BackSpace", "alt+5", "super+5")
    d.shot("rate-typed")
    check(d.focused_text() == "5.001", f"the rate field took more than one digit: {d.focused_text()!r}")
    d.click(*YEARS)
    d.key("Prior", "Up")
    check(d.focused_text() == "11", f"PageUp stepped the years: {d.focused_text()!r}")
    d.click(*INITIAL)
    d.key("End")
    d.type("5")
    d.click(*marks_box(d))  # the box takes the focus, so the field is left and rewritten
    d.shot("marks-clicked")
    check("$10,005" in texts(d), f"leaving the field for Show marks did not rewrite it: {texts(d)}")
    for size in ((560, 520), (1200, 760)):
        d.resize(*size)
        d.shot(f"resized-{size[0]}x{size[1]}")
        check(d.alive(), f"the program died at {size}")
    check(totals_say(d, "Your strategy, initial deposit, $10,005"), "the totals lost the deposit")


def program_windows(d, named=True):
    """The program's windows on the screen; menus have no name."""
    found = d.xdotool("search", "--onlyvisible", "--pid", str(d.process.pid), *(("--name", ".+") if named else ()),
                      check=False)
    return found.split()


def keys_typed_as_the_error_box_comes_up_reach_the_field(d):
    # Fifty years at the highest rate: an initial deposit of $10,000 overflows, $1,000 does not.
    for at, text in ((YEARS, "50"), (RATE, "99.99")):
        d.click(*at)
        menu(d, at, "a")
        d.type(text)
    d.click(*INITIAL)
    d.key("End")
    # Typed before the box can come up, so the window system sends them all to the main window:
    # on a loaded machine the box could otherwise take the focus between two of the keys.
    with d.frozen():
        d.xdotool("key", "--delay", "15", "0", "BackSpace", "Tab")
    box = wait_until(lambda: [w for w in program_windows(d) if w != d.window], "the error box")[0]
    d.wait_active(box, "the error box")
    d.settled()
    d.shot("error-box")
    d.key("Return", until=lambda: box not in program_windows(d), what="the error box to close")
    d.wait_active(d.window, "the main window")  # where the held keys go, once it is back
    d.settled()
    check(len(program_windows(d)) == 1, "a second error box came up: BackSpace did not reach the field")
    check(d.focused_text() == "$100", f"Tab did not reach the field: the focus is on {d.focused_text()!r}")
    check("$1,000" in texts(d), f"BackSpace did not reach the field: {texts(d)}")
    check(totals_say(d, "Your strategy, initial deposit, $1,000"), "the totals missed the deposit")


def ignored_requests(path):
    try:
        with open(path) as count:
            return int(count.read())
    except (OSError, ValueError):
        return None


def typing_never_waits_on_a_frozen_clipboard_owner(d):
    counted = os.path.join(d.artifacts, "clipboard-requests")
    owner = os.path.join(os.path.dirname(os.path.abspath(__file__)), "frozen_clipboard_owner.py")
    d.launch("frozen-clipboard-owner", [sys.executable, owner, counted])
    wait_until(lambda: ignored_requests(counted) == 0, "the other program to own the clipboard")
    d.click(*INITIAL)
    d.key("ctrl+a")
    d.type("123456", until=lambda: d.focused_text() == "123456", what="the typed digits")
    check(ignored_requests(counted) == 0, f"typing asked the frozen clipboard owner {ignored_requests(counted)} times")
    # A paste may wait for the owner, but the key typed behind it still arrives.
    d.xdotool("key", "ctrl+a", "ctrl+v", "7")
    wait_until(lambda: d.focused_text() == "7", "the digit typed behind the paste", timeout=60)
    d.settled()
    d.shot("typed-behind-a-frozen-paste")
    check(ignored_requests(counted) > 0, "the paste never asked the clipboard's owner")
    check(totals_say(d, "Your strategy, initial deposit, $7"), "the totals missed the digit")


if __name__ == "__main__":
    main([every_menu_action_on_every_field, middle_click_pastes_only_what_typing_could_make,
          refused_drop_leaves_the_other_programs_text, shortcuts_type_nothing_and_the_window_survives_resizing,
          keys_typed_as_the_error_box_comes_up_reach_the_field, typing_never_waits_on_a_frozen_clipboard_owner])
