"""The program as it starts on a desktop: titled, focused in the initial deposit, taking typed keys."""

from desktop import check, find_all, main


def typed_digit_reaches_the_focused_field(d):
    check(d.run("xdotool", "getwindowname", d.window) == "Penmarrow", "the window is not titled Penmarrow")
    d.shot("started")
    check(d.focused_text() == "$1,000", f"the initial deposit has no focus: {d.focused_text()!r}")
    d.key("End")
    d.type("5")
    d.shot("typed-5")
    check(d.focused_text() == "$1,0005", f"the typed digit did not arrive: {d.focused_text()!r}")
    d.key("Tab")
    spoken = find_all(d.atspi_app(), lambda n: n.name == "Your strategy, initial deposit, $10,005")
    check(spoken, "the totals missed the change")


if __name__ == "__main__":
    main([typed_digit_reaches_the_focused_field])
