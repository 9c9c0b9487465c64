"""What every run of the start-up bench shares: the private display and sound
server, the loopback stream server, the home templates, the click points and
the built programs. Made once per bench, ended with everything it started."""
import os
import subprocess
import sys
import time

import media
from display import Display
from homes import Homes
from processes import Program, end_all
from sound import SoundServer

LOG_RULES = "kestova.user.debug=true;kestova.timing.debug=true"


class Bench:
    def __init__(self, build, folder):
        self.build = os.path.abspath(build)
        self.folder = folder
        self.kestova = os.path.join(self.build, "bin", "kestova")
        self.log_path = os.path.join(self.build, "bench", "startup", "last-run.log")
        self._log = open(self.log_path, "w")
        self.sound = None
        self.missed = False

    def start(self):
        here = os.path.dirname(os.path.abspath(__file__))
        media.make_media(os.path.join(self.folder, "media"))
        base = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        self.display = Display(base)
        self.sound = SoundServer(self.folder, self.display.env)
        env = dict(self.display.env, PULSE_SERVER=self.sound.address, QT_QPA_PLATFORM="xcb",
                   QT_LOGGING_RULES=LOG_RULES, KESTOVA_MPV_OPTIONS="ao=pulse")
        self._env = env
        self.streams, port = self.start_streams()
        self.server = "http://127.0.0.1:%d/" % port
        # A second server, for the station whose server goes away and comes back.
        self.dropping, self.dropping_port = self.start_streams()
        self.homes = Homes(self.folder, os.path.dirname(self.kestova), env)
        self.homes.prepare(self.server, "http://127.0.0.1:%d/" % self.dropping_port)
        points = subprocess.run([self.floor("ClickPoints")], capture_output=True, text=True,
                                check=True, timeout=30).stdout
        self.points = {name: (int(x), int(y)) for name, x, y in map(str.split, points.splitlines())}

    def start_streams(self, port=0):
        """A loopback stream server (streams.py) and its port."""
        here = os.path.dirname(os.path.abspath(__file__))
        server = Program([sys.executable, "-B", os.path.join(here, "streams.py"),
                          os.path.join(self.folder, "media"), str(port)], self._env)
        line = server.wait_line("port ", 15)
        if line is None:
            raise RuntimeError("the stream server did not start:\n" + server.log())
        return server, int(line[1].split()[1])

    def stop(self):
        if getattr(self, "sound", None) is not None:
            self.sound.stop()
        end_all()
        self._log.close()

    def floor(self, name):
        return os.path.join(self.build, "bench", "startup", name)

    def requested(self, path, since, seconds):
        """Whether the loopback server was asked for the path after `since`."""
        return self.streams.wait_line("request " + path, seconds, since) is not None

    def note(self, what, text):
        self._log.write("== %s\n%s\n" % (what, text))
        self._log.flush()

    def failed(self, what, program):
        self.missed = True
        self.note(what + ": not every figure could be taken", program.log())

    @staticmethod
    def sleep(seconds):
        time.sleep(seconds)

    @staticmethod
    def sleep_until(ns):
        time.sleep(max(0, ns / 1e9 - time.clock_gettime(time.CLOCK_MONOTONIC)))
