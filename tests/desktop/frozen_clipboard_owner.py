"""Another program that takes the clipboard and then never answers a request for its contents, as a
frozen or very slow program would. It writes how many requests it has ignored so far to a file.

    python3 frozen_clipboard_owner.py COUNT_FILE
"""

import os
import sys

from Xlib import X, display


def main(count_file):
    def note(requests):
        with open(count_file + ".new", "w") as out:
            out.write(str(requests))
        os.replace(count_file + ".new", count_file)

    connection = display.Display()
    window = connection.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    window.set_selection_owner(connection.intern_atom("CLIPBOARD"), X.CurrentTime)
    connection.sync()
    requests = 0
    note(requests)  # the clipboard is ours
    while True:
        if connection.next_event().type == X.SelectionRequest:
            requests += 1
            note(requests)


if __name__ == "__main__":
    main(sys.argv[1])
