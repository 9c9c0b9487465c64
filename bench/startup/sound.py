"""The start-up bench's sound: a private PulseAudio server whose only sink is a
null sink, and a recorder of that sink's monitor that tells when sound starts.

First sound is the arrival of the first recorded block (10 ms) holding a
sample louder than -30 dBFS. Whoever plays (kestova or the floor) goes through
the same server, sink and recorder, so the recorder's own delay (one block and
the pipe) is the same for both. The test tone is loud from its first sample."""
import array
import os
import subprocess
import threading
import time

from processes import Program, now_ns, wait_until

SINK = "bench"
RATE = 44100
BLOCK_BYTES = RATE * 2 * 2 // 100
LOUD = 1000


class SoundServer:
    def __init__(self, folder, env):
        runtime = os.path.join(folder, "pulse")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        socket = os.path.join(runtime, "native")
        self.address = "unix:" + socket
        env = dict(env, XDG_RUNTIME_DIR=runtime, HOME=folder, PULSE_SERVER=self.address)
        self.daemon = Program([
            "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
            "--log-target=stderr", "--log-level=error",
            "--load=module-null-sink sink_name=%s rate=%d channels=2 format=s16le" % (SINK, RATE),
            "--load=module-native-protocol-unix socket=%s auth-anonymous=1" % socket], env)
        if not wait_until(lambda: os.path.exists(socket), 15):
            raise RuntimeError("the sound server did not start:\n" + self.daemon.log())
        self.recorder = subprocess.Popen(
            ["parec", "--server", self.address, "-d", SINK + ".monitor", "--format=s16le",
             "--rate=%d" % RATE, "--channels=2", "--latency-msec=10", "--raw"],
            env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self._changed = threading.Condition()
        self._last_loud = 0
        self._last_block = 0
        self._armed_at = None
        self._first_loud = None
        threading.Thread(target=self._listen, daemon=True).start()
        if not wait_until(lambda: self._last_block, 10):
            raise RuntimeError("the sink's monitor records nothing")

    def _listen(self):
        pending = b""
        stream = self.recorder.stdout.raw
        while True:
            block = stream.read(BLOCK_BYTES)
            if not block:
                return
            arrived = now_ns()
            pending += block
            usable = len(pending) - len(pending) % 2
            samples = array.array("h", pending[:usable])
            pending = pending[usable:]
            loud = len(samples) > 0 and max(max(samples), -min(samples)) > LOUD
            with self._changed:
                self._last_block = arrived
                if loud:
                    self._last_loud = arrived
                    if self._armed_at is not None and self._first_loud is None:
                        self._first_loud = arrived
                self._changed.notify_all()

    def arm(self, quiet_seconds=0.3, seconds=10):
        """Waits until the sink has been silent a while, then watches for the
        first sound from now on. False when the sink did not fall silent."""
        quiet = wait_until(lambda: now_ns() - self._last_loud > quiet_seconds * 1e9, seconds)
        with self._changed:
            self._armed_at = now_ns()
            self._first_loud = None
        return bool(quiet)

    def first_sound(self, seconds):
        """The arrival ns of the first loud block since arm(), or None."""
        give_up = time.monotonic() + seconds
        with self._changed:
            while self._first_loud is None and time.monotonic() < give_up:
                self._changed.wait(0.1)
            return self._first_loud

    def stop(self):
        self.recorder.kill()
        self.recorder.wait()
        self.daemon.end()

