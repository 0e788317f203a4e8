"""A Wayland desktop for the desktop checks: sway on its headless backend in place of Xvfb and openbox.

The program runs natively (QT_QPA_PLATFORM=wayland), or under sway's XWayland when a scenario asks for
QT_QPA_PLATFORM=xcb. The pointer moves through the compositor's virtual pointer protocol (the
virtual_pointer client built beside the checks, PENMARROW_VIRTUAL_POINTER), as a mouse's would;
screenshots come from grim. There are no keys: Wayland has no XTEST.
"""

import json
import os
import pwd
import shutil
import subprocess

from desktop import CheckFailed, Desktop, Skipped, pixel_rows, wait_until

SWAY_START_TIMEOUT = 20
CONFIG = """output HEADLESS-1 resolution {screen} position 0 0 bg #336699 solid_color
# A desktop of floating windows, as GNOME's and KDE's are: the window keeps the size it asks for.
for_window [app_id=".*"] floating enable
for_window [class=".*"] floating enable
xwayland enable
# XWayland lets in only sway's user: the program, run by root, is let in too.
exec (xhost +si:localuser:root || true) && env > {folder}/env.new && mv {folder}/env.new {folder}/env
"""


class SwayDesktop(Desktop):
    def start_x(self):
        if not shutil.which("sway") or not shutil.which("grim"):
            raise Skipped("sway or grim is not installed (scripts/install-deps.sh installs them)")
        self.pointer_client = os.environ.get("PENMARROW_VIRTUAL_POINTER")
        if not self.pointer_client or not os.access(self.pointer_client, os.X_OK):
            raise Skipped("no virtual pointer client (PENMARROW_VIRTUAL_POINTER)")
        # sway refuses to run as root: it runs as nobody, in folders of its own.
        folder = os.path.join(self.tmp, "sway")
        runtime = os.path.join(folder, "runtime")
        os.makedirs(runtime, mode=0o700)
        os.chmod(self.tmp, 0o755)
        with open(os.path.join(folder, "config"), "w") as config:
            config.write(CONFIG.format(screen=self.screen, folder=folder))
        argv = ["sway", "--config", os.path.join(folder, "config")]
        if os.geteuid() == 0:
            nobody = pwd.getpwnam("nobody")
            for path in (folder, runtime):
                os.chown(path, nobody.pw_uid, nobody.pw_gid)
            argv = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}", "--clear-groups"] + argv
        self.sway = self.launch("sway", argv, env=dict(self.env, HOME=folder, XDG_RUNTIME_DIR=runtime,
                                                        WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                                                        WLR_RENDERER="pixman"))

        def ready():
            if self.sway.poll() is not None:
                raise Skipped(f"sway ended at start (status {self.sway.returncode}; see {self.artifacts}/sway.log)")
            sockets = [n for n in os.listdir(runtime) if n.startswith("wayland-") and not n.endswith(".lock")]
            ipc = [n for n in os.listdir(runtime) if n.startswith("sway-ipc.")]
            return sockets and ipc and os.path.exists(os.path.join(folder, "env")) and (sockets[0], ipc[0])

        try:
            socket, ipc = wait_until(ready, "sway", SWAY_START_TIMEOUT)
        except CheckFailed:
            raise Skipped(f"sway did not start within {SWAY_START_TIMEOUT} s (see {self.artifacts}/sway.log)")
        self.env["WAYLAND_DISPLAY"] = os.path.join(runtime, socket)
        self.env["SWAYSOCK"] = os.path.join(runtime, ipc)
        # XWayland's display and, on Debian 13, the authority to use it, as sway gives them its children.
        with open(os.path.join(folder, "env")) as env:
            self.xwayland = dict(line.rstrip("\n").split("=", 1) for line in env if line.startswith(("DISPLAY=", "XAUTHORITY=")))

    def start_window_manager(self):
        # The virtual pointer comes before the program: a seat that gains its pointer later tells
        # the program only at the pointer's next move.
        with open(os.path.join(self.artifacts, "virtual-pointer.log"), "ab") as log:
            self.pointer = subprocess.Popen([self.pointer_client, *self.screen.split("x")], env=self.env, text=True,
                                            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log,
                                            start_new_session=True)
        self.groups.append(("virtual-pointer", self.pointer))

    def start_program(self):
        env = dict(self.env, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        env.update(self.program_env)
        if env["QT_QPA_PLATFORM"] == "xcb":
            if "DISPLAY" not in self.xwayland:
                raise Skipped("sway started no XWayland (the xwayland package is missing)")
            env.update(self.xwayland)
        self.process = self.launch("program", [self.program], env=env)
        self.node = wait_until(self.program_node, "the program's window")
        self.settled()

    def tree(self):
        return json.loads(self.run("swaymsg", "--raw", "--type", "get_tree"))

    def program_node(self):
        """The program's window in sway's tree."""
        nodes = [self.tree()]
        while nodes:
            node = nodes.pop()
            if node.get("pid") == self.process.pid and node.get("visible"):
                return node
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return None

    def client_geometry(self, window=None):
        node = self.program_node()
        outer, inner = node["rect"], node["window_rect"]
        return outer["x"] + inner["x"], outer["y"] + inner["y"], inner["width"], inner["height"]

    def pointer_step(self, step):
        self.pointer.stdin.write(f"{step}\n")
        self.pointer.stdin.flush()
        if self.pointer.stdout.readline().strip() != "done":
            raise Skipped(f"the virtual pointer failed (see {self.artifacts}/virtual-pointer.log)")

    def move(self, x, y, until=None, what=None, timeout=30):
        left, top, _, _ = self.client_geometry()
        self.pointer_step(f"{left + x},{top + y}")
        self.after(until, what, timeout)

    def click(self, x, y, button=1, until=None, what=None, timeout=30):
        self.move(x, y)
        self.pointer_step("click")
        self.after(until, what, timeout)

    def shot(self, name):
        self.shots += 1
        path = os.path.join(self.artifacts, f"{self.shots:02d}-{name}.png")
        self.run("grim", path, timeout=30)
        return path

    def grab(self, x, y, width, height):
        ppm = subprocess.run(["grim", "-g", f"{x},{y} {width}x{height}", "-t", "ppm", "-"], env=self.env,
                             capture_output=True, timeout=30, check=True).stdout
        header_end = 0
        for _ in range(3):  # grim writes "P6\n<width> <height>\n255\n"
            header_end = ppm.index(b"\n", header_end) + 1
        return pixel_rows(ppm[header_end:], width)
