"""Plans on a real desktop: a plan named on the command line opens; a plan dragged from another
program opens where it is dropped; Ctrl+P prints to a PDF file through the print dialog. (The Orca
walk saves and opens a plan through the file dialogs by their keys.)"""

import json
import os
import subprocess

import pyatspi

from desktop import check, find_all, main, scenario, wait_until

PLAN = {"format": "Penmarrow plan", "version": 1, "initial deposit": "$5,000", "regular deposit": "$250",
        "deposit frequency": "Monthly", "compound frequency": "Monthly", "rate": "4.50", "years": 30,
        "alternative shown": False, "alternative regular deposit": "$75",
        "alternative compound frequency": "Annually", "alternative start later": 0, "marks shown": True}
OPENED = "Your strategy, initial deposit, $5,000"
INITIAL = (67, 54)  # the initial deposit field's centre at the design size


def write_plan(d, name="retirement.penmarrow"):
    path = os.path.join(d.tmp, name)
    with open(path, "w", encoding="utf-8") as file:
        json.dump(PLAN, file, indent=4)
    return path


def totals_say(d, spoken):
    return bool(find_all(d.atspi_app(), lambda n: n.name == spoken))


def dialog(d, title):
    """The program's dialog of that title on the accessibility bus, or None."""
    found = [w for w in d.atspi_app() if w is not None and w.name == title]
    return found[0] if found else None


def dialog_text_field(node):
    fields = find_all(node, lambda n: n.getRole() == pyatspi.ROLE_TEXT and n.getState().contains(pyatspi.STATE_SHOWING))
    check(len(fields) == 1, f"{len(fields)} text fields in the dialog")
    return fields[0]


@scenario(args=lambda d: [write_plan(d)])
def a_plan_named_at_start_opens(d):
    wait_until(lambda: totals_say(d, OPENED), "the plan's totals")
    d.shot("opened-at-start")
    check(d.focused_text() == "$5,000", f"the initial deposit reads {d.focused_text()!r}")


def a_plan_dragged_from_a_file_manager_opens_where_it_is_dropped(d):
    source = d.launch("file-source", [os.environ["PENMARROW_DRAG_SOURCE"], "--file", write_plan(d), "40", "780"])
    window = wait_until(lambda: d.xdotool("search", "--onlyvisible", "--pid", str(source.pid), "--name", "source:",
                                          check=False).split()[:1], "the file's window")[0]
    d.wait_active(window, "the file's window")
    d.shot("before-the-drag")
    x, y, width, height = d.client_geometry(window)
    left, top, _, _ = d.client_geometry()
    # Dropped on an entry field, which takes dropped text but not a file.
    d.drag((x + width // 2, y + height // 2), (left + INITIAL[0], top + INITIAL[1]),
           until=lambda: totals_say(d, OPENED), what="the dropped plan")
    d.shot("dropped")
    d.end_group(source)


def print_writes_a_pdf_with_the_figures(d):
    pdf = os.path.join(d.tmp, "printed.pdf")
    d.key("ctrl+p", until=lambda: dialog(d, "Print"), what="the print dialog")
    d.shot("print-dialog")
    # Without a printer the dialog offers the PDF file alone; its output file takes the path.
    field = dialog_text_field(dialog(d, "Print"))
    box = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    d.xdotool("mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")
    d.key("ctrl+a")
    d.type(pdf)
    d.key("Return", until=lambda: os.path.exists(pdf) and not dialog(d, "Print"), what="the PDF to be written")
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True, timeout=30).stdout
    check("Savings plan" in text and "$2,887" in text, f"the PDF lacks the plan's figures:\n{text}")


if __name__ == "__main__":
    main([a_plan_named_at_start_opens, a_plan_dragged_from_a_file_manager_opens_where_it_is_dropped,
          print_writes_a_pdf_with_the_figures])
