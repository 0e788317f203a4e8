"""A real X desktop for checking the built program as a person uses it.

Each scenario gets a desktop of its own: Xvfb, a private D-Bus session bus, the AT-SPI bus,
openbox and the program, all started here and stopped by process group. Input goes through
XTEST (xdotool without --window: events sent to a window are synthetic and Qt may drop them).
A scenario takes screenshots at its checked steps; they are kept when it fails.

    from desktop import check, main, scenario

    @scenario(screen="1280x900")
    def typing_reaches_the_field(d):
        d.type("5")
        check(d.focused_text() == "$1,0005", "the digit did not reach the field")

    if __name__ == "__main__":
        main([typing_reaches_the_field])
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

START_TIMEOUT = 30
SETTLE_TIMEOUT = 30  # seconds the program may take to handle one action, however loaded the machine
TYPING_DELAY_MS = "60"  # between keys, as a quick typist types
DRAG_MOVE_PAUSE = 0.05  # between the small moves of a dragging hand
DRAG_HOLD = 0.2  # the hand rests on the target before it lets go
SCENARIO_TIMEOUT = 240


class CheckFailed(Exception):
    pass


class Skipped(Exception):
    """The desktop a scenario needs cannot run here: the scenario is skipped, with the reason."""


SKIP_STATUS = 77  # ctest's SKIP_RETURN_CODE


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def wait_until(probe, what, timeout=START_TIMEOUT, interval=0.1):
    """Polls probe() until it returns a true value, which is returned."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise CheckFailed(f"waited {timeout} s for {what}")
        time.sleep(interval)


def scenario(screen=None, scale=None, env=None, args=None, desktop=None):
    """Gives a scenario its own screen size, scale factor, program environment or kind of desktop,
    or the program's arguments: args is a function of the desktop, called before the program starts."""
    def mark(function):
        function.desktop_options = {"screen": screen, "scale": scale, "env": env or {}, "args": args,
                                    "desktop": desktop}
        return function
    return mark


class Desktop:
    def __init__(self, program, artifacts, screen="1280x900", scale=None, env=None, args=None):
        self.program = os.path.abspath(program)
        self.program_args = args
        self.artifacts = artifacts
        self.screen = screen
        self.scale = scale
        self.program_env = env or {}
        self.groups = []  # process groups, in the order started
        self.shots = 0
        self.window = None
        self.process = None
        self.frame = None  # the window's accessible, asked to show that the program has caught up

    # --- lifetime

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.ended_by_itself = getattr(self, "process", None) is not None and not self.alive()
        if exc[0] is not None and self.process is not None:
            try:
                self.shot("failed")  # the screen as the scenario failed
            except Exception:
                pass
        self.stop()
        return False

    def start(self):
        os.makedirs(self.artifacts, exist_ok=True)
        self.tmp = tempfile.mkdtemp(prefix="penmarrow-desktop-")
        self.runtime = os.path.join(self.tmp, "runtime")
        os.mkdir(self.runtime, 0o700)
        os.mkdir(os.path.join(self.tmp, "home"))
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": os.path.join(self.tmp, "home"),
            "XDG_RUNTIME_DIR": self.runtime,
            "LANG": "C.UTF-8",
        }
        self.start_x()
        self.start_session_bus()
        self.start_accessibility_bus()
        self.start_window_manager()
        self.start_program()

    def launch(self, name, argv, env=None, **kwargs):
        log = open(os.path.join(self.artifacts, f"{name}.log"), "ab")
        process = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT, start_new_session=True, **kwargs)
        log.close()
        self.groups.append((name, process))
        return process

    def start_x(self):
        read_end, write_end = os.pipe()
        self.xvfb = self.launch("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                         f"{self.screen}x24", "-nolisten", "tcp", "-noreset"],
                                pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            number = ready.readline().strip()
        check(number, "Xvfb did not start")
        self.env["DISPLAY"] = f":{number}"

    def start_session_bus(self):
        bus = os.path.join(self.tmp, "bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={bus}"
        self.launch("dbus", ["dbus-daemon", "--session", "--nofork", f"--address=unix:path={bus}"])
        wait_until(lambda: self.succeeds(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                          "/", "org.freedesktop.DBus.GetId"]), "the session bus")

    def start_accessibility_bus(self):
        launcher = next(p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                        if os.path.exists(p))
        self.launch("atspi", [launcher, "--launch-immediately"])
        wait_until(lambda: self.succeeds(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                          "/org/a11y/bus", "org.a11y.Bus.GetAddress"]), "the accessibility bus")

    def start_window_manager(self):
        self.launch("openbox", ["openbox"])
        wait_until(lambda: self.succeeds(["xdotool", "get_desktop"]), "the window manager")

    def start_program(self):
        env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        if self.scale:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        env.update(self.program_env)
        arguments = list(self.program_args(self)) if self.program_args else []
        self.process = self.launch("program", [self.program] + arguments, env=env)
        self.window = wait_until(self.program_window, "the program's window")
        self.xdotool("windowactivate", "--sync", self.window)
        self.wait_active(self.window, "the window")
        self.settled()

    def program_window(self):
        found = self.xdotool("search", "--onlyvisible", "--pid", str(self.process.pid), "--name", ".+", check=False)
        return found.split()[0] if found else None

    def stop(self):
        for name, process in reversed(self.groups):
            self.end_group(process)
        self.groups.clear()
        if getattr(self, "tmp", None):
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    @staticmethod
    def end_group(process):
        for sig, grace in ((signal.SIGTERM, 5), (signal.SIGKILL, 5)):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                break
            try:
                process.wait(grace)
                break
            except subprocess.TimeoutExpired:
                continue

    # --- running commands on this desktop

    def run(self, *argv, check=True, timeout=20):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout)
        if check and result.returncode != 0:
            raise CheckFailed(f"{' '.join(argv)} failed: {result.stderr.strip()}")
        return result.stdout.strip()

    def succeeds(self, argv):
        return subprocess.run(argv, env=self.env, capture_output=True, timeout=20).returncode == 0

    def xdotool(self, *args, check=True):
        return self.run("xdotool", *args, check=check)

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def exit_status(self):
        return self.process.poll()

    def frozen(self):
        """Stops the program while the block runs: the input sent meanwhile queues up for the windows
        it was aimed at, and nothing the program would do in reply (a window coming up) overtakes it."""
        desktop = self

        class Frozen:
            def __enter__(self):
                os.kill(desktop.process.pid, signal.SIGSTOP)

            def __exit__(self, *exc):
                os.kill(desktop.process.pid, signal.SIGCONT)
                return False

        return Frozen()

    # --- waiting for what an action brings about

    def settled(self, timeout=SETTLE_TIMEOUT):
        """Waits until the program has handled every input sent so far and painted what it changed.

        Each xdotool run ends with an X round trip (XCloseDisplay syncs), so its input already sits in
        the program's connection. The program answers AT-SPI calls from its event loop, behind the
        events already queued there; the second call is sent once the first is answered, so that the
        updates the input posted have been painted as well. Waiting for the screen to stop changing
        would pass before the program has even read the input, and grabbing it costs more than this."""
        for _ in range(2):
            wait_until(self.answers, "the program to handle the input", timeout, interval=0.05)

    def answers(self):
        check(self.alive(), f"the program ended (status {self.exit_status()})")
        try:
            if self.frame is None:
                self.frame = next(child for child in self.atspi_app() if child is not None)
            import pyatspi
            self.frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            return True
        except Exception:  # a busy program lets the call time out; it is asked again
            return False

    def after(self, until, what, timeout):
        """Ends an action: waits for what it must bring about, if given, then for the program to settle."""
        if until is not None:
            wait_until(until, what or "what the action must bring about", timeout)
        self.settled(timeout)

    def wait_active(self, window, what, timeout=SETTLE_TIMEOUT):
        wait_until(lambda: self.xdotool("getactivewindow", check=False) == window, f"{what} to be active", timeout)

    # --- what a user does

    # Each action ends once what it must bring about holds (until, described by what) and the
    # program has settled; either failing within timeout fails the check.

    def key(self, *keys, until=None, what=None, timeout=SETTLE_TIMEOUT):
        self.xdotool("key", "--delay", TYPING_DELAY_MS, *keys)
        self.after(until, what, timeout)

    def type(self, text, until=None, what=None, timeout=SETTLE_TIMEOUT):
        self.xdotool("type", "--delay", TYPING_DELAY_MS, text)
        self.after(until, what, timeout)

    def move(self, x, y, until=None, what=None, timeout=SETTLE_TIMEOUT):
        """Moves the pointer to (x, y) in the window's client area."""
        left, top, _, _ = self.client_geometry()
        self.xdotool("mousemove", str(left + x), str(top + y))
        self.after(until, what, timeout)

    def click(self, x, y, button=1, until=None, what=None, timeout=SETTLE_TIMEOUT):
        self.move(x, y)
        self.xdotool("click", str(button))
        self.after(until, what, timeout)

    def drag(self, start, end, steps=12, until=None, what=None, timeout=SETTLE_TIMEOUT):
        """Drags with the left button from one screen point to another, in small moves."""
        self.xdotool("mousemove", str(start[0]), str(start[1]))
        self.xdotool("mousedown", "1")
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.xdotool("mousemove", str(x), str(y))
            time.sleep(DRAG_MOVE_PAUSE)
        time.sleep(DRAG_HOLD)
        self.xdotool("mouseup", "1")
        self.after(until, what, timeout)

    def resize(self, width, height, until=None, what=None, timeout=SETTLE_TIMEOUT):
        """Asks the window manager for a client size, as a user dragging the frame would get."""
        self.xdotool("windowsize", "--sync", self.window, str(width), str(height), check=False)
        self.after(until, what, timeout)

    def set_clipboard(self, text, selection="clipboard"):
        """Puts text on a selection, owned by xclip as another program would own it."""
        process = subprocess.Popen(["xclip", "-quiet", "-selection", selection, "-i"], env=self.env,
                                   stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   start_new_session=True)
        process.stdin.write(text.encode())
        process.stdin.close()
        self.groups.append(("xclip", process))
        wait_until(lambda: self.clipboard(selection=selection) == text, "the clipboard to hold the text", timeout=5)

    def clipboard(self, target="UTF8_STRING", selection="clipboard"):
        result = subprocess.run(["xclip", "-o", "-selection", selection, "-t", target], env=self.env,
                                capture_output=True, timeout=10)
        return result.stdout.decode(errors="replace") if result.returncode == 0 else None

    # --- what a user sees

    def shot(self, name):
        self.shots += 1
        path = os.path.join(self.artifacts, f"{self.shots:02d}-{name}.png")
        self.run("import", "-window", "root", path, timeout=30)
        return path

    def grab(self, x, y, width, height):
        """The screen's pixels in a rectangle, as rows of (red, green, blue)."""
        raw = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "-depth", "8", "rgb:-"],
                             env=self.env, capture_output=True, timeout=30, check=True).stdout
        return pixel_rows(raw, width)

    def client_geometry(self, window=None):
        """(x, y, width, height) of a window's client area on the screen, the program's by default."""
        # xdotool getwindowgeometry adds the frame's offset once more under a reparenting window manager.
        values = dict(line.strip().split(": ", 1) for line in self.run("xwininfo", "-id", window or self.window).splitlines()
                      if ": " in line)
        return tuple(int(values[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def frame_extents(self):
        """(left, right, top, bottom) of the frame the window manager drew around the window."""
        text = self.run("xprop", "-id", self.window, "_NET_FRAME_EXTENTS")
        if "=" not in text:
            return (0, 0, 0, 0)
        return tuple(int(v) for v in text.split("=", 1)[1].split(","))

    def frame_geometry(self):
        x, y, w, h = self.client_geometry()
        left, right, top, bottom = self.frame_extents()
        return (x - left, y - top, w + left + right, h + top + bottom)

    def screen_size(self):
        return tuple(int(v) for v in self.screen.split("x"))

    # --- what assistive technology sees

    def atspi_app(self):
        """The program's accessible application (one desktop per process: pyatspi keeps its bus)."""
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")
                           if k in self.env})
        import pyatspi
        def find():
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            return None
        return wait_until(find, "the program on the accessibility bus")

    def focused(self):
        """The accessible object that has the keyboard focus, or None."""
        import pyatspi
        def search(node):
            state = node.getState()
            if state.contains(pyatspi.STATE_FOCUSED):
                return node
            for child in node:
                if child is not None and state.contains(pyatspi.STATE_SHOWING):
                    found = search(child)
                    if found is not None:
                        return found
            return None
        return search(self.atspi_app())

    def focused_text(self):
        node = self.focused()
        if node is None:
            return None
        text = node.queryText()
        return text.getText(0, text.characterCount)


def pixel_rows(raw, width):
    """Rows of (red, green, blue) from 8-bit RGB bytes."""
    pixels = [tuple(raw[i:i + 3]) for i in range(0, len(raw) - 2, 3)]
    return [pixels[i:i + width] for i in range(0, len(pixels), width)]


def find_all(node, predicate):
    """Every accessible below node (itself included) for which predicate holds, depth first."""
    found = [node] if predicate(node) else []
    for child in node:
        if child is not None:
            found.extend(find_all(child, predicate))
    return found


def run_scenario(function, args):
    options = getattr(function, "desktop_options", {})
    folder = os.path.join(args.artifacts, function.__name__)
    shutil.rmtree(folder, ignore_errors=True)
    kind = options.get("desktop") or Desktop
    desktop = kind(args.program, folder, screen=options.get("screen") or args.screen,
                   scale=options.get("scale") or args.scale, env=options.get("env"), args=options.get("args"))
    try:
        with desktop as d:
            function(d)
            check(d.alive(), f"the program ended (status {d.exit_status()})")
    except Skipped as reason:
        print(f"  SKIPPED {function.__name__}: {reason}")
        return None
    except Exception as error:  # every failure is reported with its screenshots kept
        if isinstance(error, CheckFailed):
            print(f"  check failed: {error}", file=sys.stderr)
        else:
            traceback.print_exc()
        if getattr(desktop, "ended_by_itself", False):
            print(f"  the program ended with status {desktop.exit_status()}", file=sys.stderr)
        print(f"  kept: {folder}", file=sys.stderr)
        return False
    if not os.environ.get("PENMARROW_KEEP_SHOTS"):
        shutil.rmtree(folder, ignore_errors=True)
    return True


def main(scenarios):
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--screen", default="1280x900")
    parser.add_argument("--scale", default=None)
    parser.add_argument("--only", default=None, help="run one scenario in this process")
    args = parser.parse_args()
    if args.only:
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
        function = next(f for f in scenarios if f.__name__ == args.only)
        passed = run_scenario(function, args)
        sys.exit(SKIP_STATUS if passed is None else 0 if passed else 1)
    # Each scenario in a process of its own, so that pyatspi meets one accessibility bus.
    failed, skipped = [], []
    for function in scenarios:
        command = [sys.executable, sys.argv[0], "--program", args.program, "--artifacts", args.artifacts,
                   "--screen", args.screen, "--only", function.__name__]
        if args.scale:
            command += ["--scale", args.scale]
        child = subprocess.Popen(command)
        try:
            status = child.wait(SCENARIO_TIMEOUT)
        except subprocess.TimeoutExpired:
            child.terminate()  # its handler stops the desktop it started
            child.wait()
            print(f"  {function.__name__} ran past {SCENARIO_TIMEOUT} s", file=sys.stderr)
            status = 1
        verdict = {0: "ok    ", SKIP_STATUS: "skip  "}.get(status, "FAILED")
        print(f"{verdict} {function.__name__}")
        (skipped if status == SKIP_STATUS else failed if status else []).append(function.__name__)
    print(f"{len(scenarios) - len(failed) - len(skipped)} passed, {len(failed)} failed, {len(skipped)} skipped")
    # Skipped as a whole only when nothing ran.
    sys.exit(1 if failed else SKIP_STATUS if len(skipped) == len(scenarios) else 0)
