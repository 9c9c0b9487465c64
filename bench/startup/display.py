"""The start-up bench's private X display (Xvfb, no window manager, so that a
window appears where the program puts it) and the xdotool calls that find a
window and click and type into it, as a user would."""
import os
import subprocess

from processes import Program, wait_until

SCREEN = "1280x800x24"


class Display:
    def __init__(self, env):
        read_end, write_end = os.pipe()
        # Xvfb picks a free display number and writes it to the descriptor.
        self.server = Program(["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
                               "-nolisten", "tcp"], env, pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number.isdigit():
            raise RuntimeError("Xvfb did not start:\n" + self.server.log())
        self.name = ":" + number.decode()
        self.env = dict(env, DISPLAY=self.name)

    def stop(self):
        self.server.end()

    def xdo(self, *args, seconds=10):
        """Runs xdotool; its output, or None when it failed or hung."""
        try:
            done = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                  timeout=seconds, text=True)
        except subprocess.TimeoutExpired:
            return None
        return done.stdout if done.returncode == 0 else None

    def find_window(self, title_pattern, seconds):
        """The id of the first shown window whose title matches, or None."""
        found = wait_until(lambda: self.xdo("search", "--onlyvisible", "--name", title_pattern),
                           seconds, step=0.05)
        return found.split()[0] if found else None

    def origin(self, window):
        """Where the window's top left corner is on the screen, or None."""
        shell = self.xdo("getwindowgeometry", "--shell", window) or ""
        values = dict(line.split("=", 1) for line in shell.split() if "=" in line)
        return (int(values["X"]), int(values["Y"])) if "X" in values and "Y" in values else None

    def click(self, point, repeat=1):
        # A move with --sync to where the mouse already is waits for ever: step aside first.
        x, y = point
        self.xdo("mousemove", x + 1, y, "mousemove", "--sync", x, y,
                 "click", "--repeat", repeat, "--delay", 80, 1)

    def type_text(self, text):
        self.xdo("type", "--delay", 20, text)

    def key(self, name):
        self.xdo("key", name)
