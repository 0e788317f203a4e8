"""What a screen reader relies on, read through AT-SPI from the running program: the window and its
panels, the years' value, every text query of every field answered, writes held to the
fields' rules, the chart's table with its cells, headings and places on screen, the start slider's
value, the link a reader can follow, the check boxes' Toggle action, and places in the screen's own
pixels at twice the size."""

import os
import pathlib

from desktop import SETTLE_TIMEOUT, START_TIMEOUT, check, find_all, main, scenario, wait_until
from focus import Screen


def role_named(node, role_name):
    return find_all(node, lambda n: n.getRoleName() == role_name)


def extents(node):
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def window_panels_and_years(d):
    app = d.atspi_app()
    windows = [child for child in app if child is not None]
    check([w.getRoleName() for w in windows] == ["frame"], f"the window is not one frame: {windows}")
    check(windows[0].name == "Penmarrow", f"the window is named {windows[0].name!r}")
    frames = role_named(windows[0], "frame")
    check(frames == [windows[0]], f"panels exposed as frames: {len(frames) - 1}")
    check(not role_named(windows[0], "filler"), "containers exposed as fillers")
    check(len(role_named(windows[0], "panel")) >= 7, "the panels are not exposed as panels")
    spins = role_named(app, "spin button")
    check(len(spins) == 1, f"{len(spins)} spin buttons")
    value = spins[0].queryValue()
    found = (value.currentValue, value.minimumValue, value.maximumValue)
    check(found == (10, 1, 50), f"the years field reports value, minimum, maximum {found}")
    d.shot("started")


def every_text_query_is_answered(d):
    import pyatspi
    boundaries = [pyatspi.TEXT_BOUNDARY_CHAR, pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_WORD_END,
                  pyatspi.TEXT_BOUNDARY_SENTENCE_START, pyatspi.TEXT_BOUNDARY_SENTENCE_END,
                  pyatspi.TEXT_BOUNDARY_LINE_START, pyatspi.TEXT_BOUNDARY_LINE_END]
    # Each query waits as long as the program may take to handle an action, not AT-SPI's 0.8 s: one
    # that never answers (Qt's own word search once spun for good) still fails, a slow machine not.
    pyatspi.setTimeout(SETTLE_TIMEOUT * 1000, START_TIMEOUT * 1000)
    app = d.atspi_app()
    fields = role_named(app, "text") + role_named(app, "spin button")
    check(len(fields) == 5, f"{len(fields)} text fields")
    for field in fields:
        text = field.queryText()
        whole = text.getText(0, -1)
        for boundary in boundaries:
            for offset in range(text.characterCount + 1):
                for query in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                    piece, start, end = query(offset, boundary)
                    check(piece == whole[start:end], f"{field.name} {query.__name__}({offset}, {boundary}): "
                                                     f"{piece!r} is not {whole!r}[{start}:{end}]")


def writes_pass_the_rule_and_recalculate(d):
    app = d.atspi_app()
    deposit = next(f for f in role_named(app, "text") if f.name == "Initial deposit:")
    editable = deposit.queryEditableText()
    # Qt answers every write with success; what counts is what the field and the totals show.
    for refused in ("abc", "1e9", "-5"):
        editable.setTextContents(refused)
        d.settled()
        shown = deposit.queryText().getText(0, -1)
        check(shown == "$1,000", f"after {refused!r} the field shows {shown!r}")
    editable.setTextContents("2000")
    d.settled()
    d.shot("written-2000")
    check(deposit.queryText().getText(0, -1) == "2000", "2000 did not reach the field")
    check(find_all(app, lambda n: n.name == "Your strategy, initial deposit, $2,000"), "the totals missed the write")


def table_cells_headings_and_places(d):
    app = d.atspi_app()
    tables = role_named(app, "table")
    check(len(tables) == 1 and tables[0].name == "Savings by year", f"tables: {tables}")
    chart = tables[0]
    table = chart.queryTable()
    check((table.nRows, table.nColumns) == (10, 5), f"the table is {table.nRows} x {table.nColumns}")
    check(chart[0].getRoleName() == "table cell", f"the first child is a {chart[0].getRoleName()}")
    check((table.getRowAtIndex(0), table.getColumnAtIndex(0)) == (0, 0), "child 0 is not the first cell")
    headings = [table.getColumnHeader(column) for column in range(table.nColumns)]
    check(headings[0] is not None and headings[0].name == "Year", "the first column is not the year")
    check(headings[4].name == "Your strategy, total savings", f"the last heading is {headings[4].name!r}")
    cells = [[table.getAccessibleAt(row, column) for column in range(5)] for row in range(10)]
    check([c.name for c in cells[9]] == ["Year 10", "initial deposit $1,000", "regular deposits $1,000",
                                         "total interest $887", "total savings $2,887"], "the last row misread")
    header = table.getRowHeader(9)
    check(header is not None and header.name == "Year 10", f"the last row's header is {header and header.name!r}")
    # The table shows one year on screen, the last before the first arrow key: its cells lie along one
    # line below every input, in reading order, so that reviewing the screen line by line reads one
    # year there and never mixes it into the inputs' lines. The other rows lie off the screen.
    years = role_named(app, "spin button")[0]
    inputs_bottom = extents(years)[1] + extents(years)[3]
    places = [extents(c) for c in cells[9]]
    for before, after in zip(places, places[1:]):
        check(after[2] > 0 and after[3] > 0, f"a cell has no place on screen: {after}")
        check(after[1] == before[1] and after[0] > before[0], f"cells out of reading order: {before} then {after}")
    check(places[0][1] >= inputs_bottom, f"the table's line {places[0]} is not below the inputs ({inputs_bottom})")
    hidden = [extents(c) for c in headings + cells[0]]
    check(all(x + w <= 0 and y + h <= 0 for x, y, w, h in hidden), f"other rows lie on the screen: {hidden}")
    # The arrow keys move the focus through the cells.
    for _ in range(6):  # deposit, frequencies, rate, years, then the chart
        d.key("Tab")
    d.key("Down", "Down", "Right", "End")
    import pyatspi
    focused_cells = find_all(chart, lambda n: n.getRoleName() == "table cell"
                             and n.getState().contains(pyatspi.STATE_FOCUSED))
    check(len(focused_cells) == 1, f"{len(focused_cells)} cells have the focus")
    focused = focused_cells[0]
    index = focused.getIndexInParent()
    place = (table.getRowAtIndex(index), table.getColumnAtIndex(index))
    check(place == (1, 4) and focused.name == cells[1][4].name, f"focused {place} {focused.name!r}")
    d.shot("cell-focused")


def toggle_runs_the_boxes_handlers(d):
    """Voice control and switch access change a check box through its Toggle action."""
    app = d.atspi_app()
    boxes = {box.name: box for box in role_named(app, "check box")}
    check(set(boxes) == {"Alternative strategy", "Show marks"}, f"check boxes: {sorted(boxes)}")
    chart = role_named(app, "table")[0]
    changed_deposit = next(f for f in role_named(app, "text")
                           if f.name == "Alternative strategy, change regular deposit:")
    import pyatspi

    def toggle(name):
        action = boxes[name].queryAction()
        action.doAction(next(i for i in range(action.nActions) if action.getName(i) == "Toggle"))
        d.settled()
        return boxes[name].getState().contains(pyatspi.STATE_CHECKED)

    for on in (True, False):
        check(toggle("Alternative strategy") == on, f"Toggle left the alternative {'off' if on else 'on'}")
        for step in ("toggled", "after a key"):
            sensitive = changed_deposit.getState().contains(pyatspi.STATE_SENSITIVE)
            columns = chart.queryTable().nColumns
            check(sensitive == on, f"{step}: the alternative's deposit is {'disabled' if on else 'enabled'}")
            check(columns == (9 if on else 5), f"{step}: the table shows {columns} columns")
            d.type("5")  # into the initial deposit, which keeps the focus

    def white(screen):
        x, y, w, h = extents(chart)
        return sum(screen.at(px, py) == b"\xff\xff\xff" for py in range(y, y + h) for px in range(x, x + w))

    with_marks = white(Screen(d))
    check(not toggle("Show marks"), "Toggle left the marks switch on")
    without = white(Screen(d))
    check(without < with_marks - 500, f"the marks stayed drawn: {with_marks} white pixels, then {without}")
    check(toggle("Show marks") and white(Screen(d)) == with_marks, "Toggle did not bring the marks back")
    d.shot("toggled")


@scenario(screen="2400x1400", scale="2")
def places_in_device_pixels_at_twice_the_size(d):
    """A magnifier and a click by position use the places: at 2x they are twice the design's."""
    import pyatspi
    app = d.atspi_app()
    window = next(child for child in app if child is not None)
    left, top, width, height = d.client_geometry()

    def near(found, expected, what):
        check(all(abs(a - b) <= 1 for a, b in zip(found, expected)), f"{what} is at {found}, not {expected}")

    near(extents(window), (left, top, width, height), "the window")
    design = lambda x, y, w, h: (left + 2 * x, top + 2 * y, 2 * w, 2 * h)
    deposit = next(f for f in role_named(app, "text") if f.name == "Initial deposit:")
    near(extents(deposit), design(20, 42, 94, 24), "the initial deposit")
    near(extents(role_named(app, "table")[0]), design(185, 20, 787, 321), "the chart")
    box = next(b for b in role_named(app, "check box") if b.name == "Alternative strategy")
    near(extents(box)[:2], design(20, 343 + 11, 0, 0)[:2], "the alternative's check box")
    x, y, w, h = extents(deposit)
    hit = window.queryComponent().getAccessibleAtPoint(x + w // 2, y + h // 2, pyatspi.DESKTOP_COORDS)
    check(hit is not None and hit.name == "Initial deposit:", f"the deposit's middle holds {hit and hit.name!r}")


# The link opens in whatever xdg-open comes first on the program's path: here, one that notes it in
# the desktop's home folder, which goes with the desktop.
LINK_OPENER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "link-opener")


@scenario(env={"PATH": LINK_OPENER + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin")})
def slider_value_and_link(d):
    app = d.atspi_app()
    sliders = role_named(app, "slider")
    check(len(sliders) == 1, f"{len(sliders)} sliders")
    value = sliders[0].queryValue()
    found = (value.currentValue, value.minimumValue, value.maximumValue)
    check(found == (0, 0, 9), f"the start slider reports value, minimum, maximum {found}")
    links = role_named(app, "link")
    check(len(links) == 1 and links[0].name == "Link to penmarrow.example.org", f"links: {[l.name for l in links]}")
    action = links[0].queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    check("press" in names, f"the link's actions are {names}")
    action.doAction(names.index("press"))
    opened = os.path.join(d.env["HOME"], "opened.txt")

    def whole_line():  # the opener's file exists before its line is written
        text = pathlib.Path(opened).read_text() if os.path.exists(opened) else ""
        return text if text.endswith("\n") else None

    asked = wait_until(whole_line, "the link to open", timeout=SETTLE_TIMEOUT)
    check(asked.strip() == "https://penmarrow.example.org/", f"the link opened another address: {asked!r}")


if __name__ == "__main__":
    main([window_panels_and_years, every_text_query_is_answered, writes_pass_the_rule_and_recalculate,
          table_cells_headings_and_places, slider_value_and_link, toggle_runs_the_boxes_handlers,
          places_in_device_pixels_at_twice_the_size])
