"""Processes of the start-up bench: starting a program with its standard error
read through a pipe as it arrives (each line stamped on the monotonic clock),
reading its memory and its main thread's context switches from /proc, and
ending it with everything it started, also when the bench itself fails."""
import os
import signal
import subprocess
import threading
import time

_started = []


def now_ns():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC)


def wait_until(condition, seconds, step=0.02):
    """Polls the condition until it holds or the time is up; its last value."""
    give_up = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() >= give_up:
            return value
        time.sleep(step)


class Program:
    """One started program. `lines` holds (arrival ns, text) of its standard
    error; `exec_ns` is the clock just before the program was started."""

    def __init__(self, argv, env, stdout=subprocess.DEVNULL, pass_fds=()):
        self.lines = []
        self._closed = False
        self._arrived = threading.Condition()
        self.exec_ns = now_ns()
        self.process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=stdout,
                                        stderr=subprocess.PIPE, start_new_session=True,
                                        pass_fds=pass_fds)
        _started.append(self)
        self.pid = self.process.pid
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stderr:
            with self._arrived:
                self.lines.append((now_ns(), raw.decode("utf-8", "replace").rstrip("\n")))
                self._arrived.notify_all()
        with self._arrived:
            self._closed = True
            self._arrived.notify_all()

    def find(self, test, since=0):
        """The first (arrival ns, line) that passes the test (or holds the
        text) among those that arrived after `since`."""
        if isinstance(test, str):
            text = test
            test = lambda line: text in line
        with self._arrived:
            for arrived, line in self.lines:
                if arrived > since and test(line):
                    return arrived, line
        return None

    def wait_line(self, test, seconds, since=0):
        give_up = time.monotonic() + seconds
        with self._arrived:
            while True:
                found = self.find(test, since)
                left = give_up - time.monotonic()
                if found or left <= 0 or self._closed:
                    return found
                self._arrived.wait(min(left, 0.1))

    def stamp(self, what, seconds, since=0):
        """The nanoseconds of a timing line "<category>: <what> <ns>" that
        arrived after `since`, waiting for it."""
        def is_stamp(line):
            head, _, ns = line.partition(": ")[2].rpartition(" ")
            return head == what and ns.isdigit()
        found = self.wait_line(is_stamp, seconds, since)
        return int(found[1].rsplit(" ", 1)[1]) if found else None

    def log(self):
        return "\n".join(line for _, line in self.lines)

    def end(self):
        """Ends the program and every process it started, politely first."""
        family = [self.pid] + descendants(self.pid)
        for pid in family:
            _signal(pid, signal.SIGTERM)
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            pass
        wait_until(lambda: not any(_alive(pid) for pid in family), 3)
        for pid in family:
            _signal(pid, signal.SIGKILL)
        _signal(-self.pid, signal.SIGKILL)
        self.process.wait()
        if self in _started:
            _started.remove(self)


def end_all():
    for program in reversed(list(_started)):
        program.end()


def _signal(pid, number):
    try:
        if pid < 0:
            os.killpg(-pid, number)
        else:
            os.kill(pid, number)
    except (ProcessLookupError, PermissionError):
        pass


def _alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def _parents():
    parents = {}
    for name in os.listdir("/proc"):
        if name.isdigit():
            try:
                with open("/proc/%s/stat" % name) as stat:
                    parents[int(name)] = int(stat.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                pass
    return parents


def descendants(pid):
    """Every process below pid: the web engine's page processes are the
    grandchildren of the program, forked from its zygote."""
    parents, found, frontier = _parents(), [], {pid}
    while frontier:
        frontier = {child for child, parent in parents.items() if parent in frontier}
        found += sorted(frontier)
    return found


def _field(path, field):
    try:
        with open(path) as status:
            for line in status:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def rss_mib(pid):
    kib = _field("/proc/%d/status" % pid, "VmRSS")
    return kib / 1024 if kib is not None else None


def pss_mib(pid):
    kib = _field("/proc/%d/smaps_rollup" % pid, "Pss")
    return kib / 1024 if kib is not None else None


def family_memory_mib(pid):
    """(RSS sum, PSS sum, process count) of the process and all below it. The
    RSS sum counts shared pages once per process; the PSS sum shares them out."""
    family = [pid] + descendants(pid)
    rss = [rss_mib(member) or 0 for member in family]
    pss = [pss_mib(member) or 0 for member in family]
    return sum(rss), sum(pss), len(family)


def context_switches(pid):
    """Voluntary and involuntary context switches of the process's main thread."""
    path = "/proc/%d/task/%d/status" % (pid, pid)
    voluntary = _field(path, "voluntary_ctxt_switches")
    involuntary = _field(path, "nonvoluntary_ctxt_switches")
    return None if voluntary is None or involuntary is None else voluntary + involuntary
