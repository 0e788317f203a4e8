"""The chart's context menu on a real desktop: the figures copied as text and HTML, the chart as an image."""

import html.parser
import struct
import subprocess

import pyatspi

from desktop import check, find_all, main, scenario, wait_until


def chart_of(d):
    charts = find_all(d.atspi_app(), lambda n: n.name == "Savings by year")
    check(len(charts) == 1, f"{len(charts)} charts on the accessibility bus")
    return charts[0]


def chart_box(d):
    """(x, y, width, height) of the chart in the window's client area."""
    box = chart_of(d).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    left, top, _, _ = d.client_geometry()
    return box.x - left, box.y - top, box.width, box.height


def clipboard_bytes(d, target):
    return subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target], env=d.env,
                          capture_output=True, timeout=10).stdout


class TableCells(html.parser.HTMLParser):
    """The rows of the copied HTML table, each a list of cell texts; a spanning heading counts once."""

    def __init__(self, text):
        super().__init__()
        self.rows, self.cell = [], None
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag in ("td", "th"):
            self.cell = ""

    def handle_endtag(self, tag):
        if tag in ("td", "th"):
            self.rows[-1].append(self.cell)
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def popups(d):
    """The program's windows on the screen besides the main one, as (menus, hints): the hint is a tooltip window."""
    windows = d.xdotool("search", "--onlyvisible", "--pid", str(d.process.pid), check=False).split()
    kinds = {w: d.run("xprop", "-id", w, "_NET_WM_WINDOW_TYPE", check=False) for w in windows if w != d.window}
    hints = [w for w, kind in kinds.items() if "_NET_WM_WINDOW_TYPE_TOOLTIP" in kind]
    return [w for w in kinds if w not in hints], hints


def menu_open(d):
    return bool(popups(d)[0])


def pick(d, command):
    """Picks a command of the open menu by its underlined letter."""
    check(menu_open(d), "the chart's menu is not open")
    d.key({"Copy figures": "f", "Copy chart": "c"}[command])
    wait_until(lambda: not menu_open(d), "the menu to close", timeout=5)


def focus_chart_by_keyboard(d):
    for _ in range(6):  # from the initial deposit: the chart is the last tab stop
        d.key("Tab")
    focused = d.focused()
    check(focused is not None and focused.name == "Savings by year", "Tab did not reach the chart")


def figures_by_right_click(d):
    x, y, w, h = chart_box(d)
    d.move(x + w // 3, y + h // 2, until=lambda: popups(d)[1], what="the year hint over the bars")
    check(popups(d)[1], "no year hint over the bars")
    d.click(x + w // 3, y + h // 2, button=3, until=lambda: menu_open(d), what="the chart's menu")
    d.shot("menu-open")
    check(not popups(d)[1], "the year hint stands over the menu")
    pick(d, "Copy figures")
    targets = clipboard_bytes(d, "TARGETS").decode().split()
    check("text/plain" in targets and "text/html" in targets, f"clipboard targets {targets}")
    plain = clipboard_bytes(d, "text/plain").decode()
    rows = [line.split("\t") for line in plain.splitlines()]
    names = ["Initial deposit", "Regular deposits", "Total interest", "Total savings"]
    check(rows[:2] == [["", "Your strategy", "", "", ""], ["Year"] + names], f"headings {rows[:2]}")
    check(len(rows) == 12, f"{len(rows) - 2} years copied")
    check(rows[2] == ["1", "1000", "100", "50", "1150"], f"year 1 reads {rows[2]}")
    check(rows[11] == ["10", "1000", "1000", "887", "2887"], f"year 10 reads {rows[11]}")
    # The HTML table holds the figures the chart's table reads to screen readers, "$1,829" and all:
    # there each cell names its column first ("total savings $1,829"), each row its year ("Year 5").
    table = chart_of(d).queryTable()
    spoken = [[table.getAccessibleAt(r, c).name.split()[-1] for c in range(table.nColumns)]
              for r in range(table.nRows)]
    shown = TableCells(clipboard_bytes(d, "text/html").decode()).rows
    check(shown[:2] == [["", "Your strategy"], ["Year"] + names], f"HTML headings {shown[:2]}")
    check(shown[2:] == spoken, f"HTML rows {shown[2:]} differ from the chart's table {spoken}")
    check([[cell.replace("$", "").replace(",", "") for cell in row] for row in shown[2:]] == rows[2:],
          "the plain numbers differ from the HTML figures")


def copied_chart_matches(d):
    # The chart's place on the screen is in the screen's own pixels, as the copy is.
    _, _, w, h = chart_box(d)
    png = clipboard_bytes(d, "image/png")
    check(png[:8] == b"\x89PNG\r\n\x1a\n", "no PNG image on the clipboard")
    width, height = struct.unpack(">II", png[16:24])
    check((width, height) == (w, h), f"image {width}x{height}, chart {w}x{h} on the screen")
    colours = subprocess.run(["identify", "-format", "%k", "png:-"], input=png, capture_output=True).stdout
    check(int(colours or 0) > 16, f"the copied chart has {colours} colours")


def chart_by_menu_key(d):
    focus_chart_by_keyboard(d)
    d.key("Menu", until=lambda: menu_open(d), what="the chart's menu")
    d.shot("menu-key")
    pick(d, "Copy chart")
    copied_chart_matches(d)
    check(d.focused() is not None and d.focused().name == "Savings by year", "the chart lost the focus")


@scenario(scale=2, screen="2400x1300")
def chart_by_shift_f10_at_twice_the_density(d):
    focus_chart_by_keyboard(d)
    d.key("shift+F10", until=lambda: menu_open(d), what="the chart's menu")
    d.shot("shift-f10-scale2")
    pick(d, "Copy chart")
    copied_chart_matches(d)


if __name__ == "__main__":
    main([figures_by_right_click, chart_by_menu_key, chart_by_shift_f10_at_twice_the_density])
