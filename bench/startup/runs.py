"""One run of one program for the start-up bench: each function starts a
program, takes its figures and ends it, whatever happens. A figure that could
not be taken is None, and the program's log goes to the bench's log.

Clock: every moment is CLOCK_MONOTONIC in nanoseconds. "exec" is read just
before the program is started; "first paint", "play" and "loadfile" are the
program's own timing lines; a log line's moment is when it reached the bench
through the pipe; first sound is when the sink's recorder saw it (sound.py)."""
import os
import shutil

from homes import BIG_COUNT
from processes import Program, context_switches, family_memory_mib, now_ns, pss_mib, rss_mib

WAIT = 30
SETTLE = 1.0
REST_SAMPLE = 3.0
PLAYING_SAMPLE = 3.0
SEARCH_QUERY = "Station %d" % (BIG_COUNT - 1)
# How long the program keeps a page that is not on screen (CWebView::kRetireAfterMs).
PAGE_KEPT = 10.0


def ms(later, earlier):
    return (later - earlier) / 1e6 if later is not None and earlier is not None else None


def at_rest(bench, program):
    """Memory and main-thread wake-ups per second of a program left alone."""
    bench.sleep(SETTLE)
    figures = {"rest-rss": rss_mib(program.pid), "rest-pss": pss_mib(program.pid)}
    before, started = context_switches(program.pid), now_ns()
    bench.sleep(REST_SAMPLE)
    after = context_switches(program.pid)
    seconds = (now_ns() - started) / 1e9
    figures["wakeups"] = (after - before) / seconds if before is not None and after is not None else None
    return figures


class Run:
    """A program in a fresh copy of a home template, ended on leaving."""

    def __init__(self, bench, template, argv):
        self.bench = bench
        self.root = bench.homes.new_home(template)
        self.program = Program(argv, bench.homes.env(self.root))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.program.end()
        if exc[0] is not None:
            self.bench.failed(self.program.process.args[0], self.program)
        shutil.rmtree(self.root, ignore_errors=True)

    def result(self, figures):
        """The figures, with the program's log kept when one is missing."""
        if None in figures.values():
            self.bench.failed(os.path.basename(self.program.process.args[0]), self.program)
        return figures


def floor(bench, name, *args):
    """A floor program, in an empty home."""
    return Run(bench, "empty", [bench.floor(name), *args])


class Kestova(Run):
    """kestova, its log lines on."""

    def __init__(self, bench, template):
        super().__init__(bench, template, [bench.kestova])

    def loaded(self, seconds=WAIT):
        """The moment the catalogue showed, or None."""
        found = self.program.wait_line("kestova.user: catalogue loaded", seconds)
        return found[0] if found else None

    def window_origin(self):
        window = self.bench.display.find_window("^Kestova - ", WAIT)
        return self.bench.display.origin(window) if window else None

    def on_screen(self, origin, name):
        x, y = self.bench.points[name]
        return origin[0] + x, origin[1] + y


def kestova_start(bench):
    """The first run with the shipped lists: exec to the main window's first
    paint, then memory and wake-ups at rest once the catalogue shows."""
    with Kestova(bench, "first-run") as run:
        figures = {"first-paint": ms(run.program.stamp("first paint", WAIT), run.program.exec_ns)}
        if run.loaded() is not None:
            figures.update(at_rest(bench, run.program))
        return run.result(figures)


def floor_window(bench):
    with floor(bench, "FloorWindow") as run:
        figures = {"first-paint": ms(run.program.stamp("first paint", WAIT), run.program.exec_ns)}
        return run.result(dict(figures, **at_rest(bench, run.program)))


def kestova_catalogue(bench):
    """30,000 stations: exec to first paint and to the catalogue shown; then a
    search for the last station (see search)."""
    with Kestova(bench, "catalogue") as run:
        figures = {"big-paint": ms(run.program.stamp("first paint", WAIT), run.program.exec_ns)}
        loaded = run.loaded(2 * WAIT)
        figures["big-loaded"] = ms(loaded, run.program.exec_ns)
        origin = run.window_origin() if loaded else None
        figures["search"], figures["search-own"] = search(bench, run, origin) if origin else (None, None)
        return run.result(figures)


def search(bench, run, origin):
    """From Return (the moment before xdotool starts to send it) to the
    searched station's line, and the program's own part of it: from its
    "search:" line to the station line. The rest is xdotool starting up and
    the key's way through the X server."""
    bench.display.click(run.on_screen(origin, "search-box"))
    bench.display.type_text(SEARCH_QUERY)
    pressed = now_ns()
    bench.display.key("Return")
    found = run.program.wait_line(lambda line: 'station line: "' in line and SEARCH_QUERY in line, WAIT, pressed)
    began = run.program.find('search: "', pressed)
    return ms(found[0] if found else None, pressed), ms(found[0] if found else None, began[0] if began else None)


def floor_tree(bench):
    with floor(bench, "FloorTree", str(BIG_COUNT)) as run:
        painted = ms(run.program.stamp("first paint", 2 * WAIT), run.program.exec_ns)
        return run.result({"big-paint": painted, "big-loaded": painted})


def kestova_play(bench, kind):
    """Play by a double-click on the station's row: from the view's "play" to
    first sound, to the engine's loadfile and to the status line "Playing";
    for ICY also the memory 3 s into the sound."""
    row = {"icy": "tree-row-1", "hls": "tree-row-2"}[kind]
    with Kestova(bench, "streams") as run:
        origin = run.window_origin() if run.loaded() else None
        played = double_click(bench, run, origin, row) if origin and bench.sound.arm() else None
        sound = bench.sound.first_sound(WAIT) if played else None
        status = run.program.wait_line('status line: "  Playing', WAIT, played) if played else None
        figures = {kind + "-audio": ms(sound, played),
                   kind + "-loadfile": ms(run.program.stamp("loadfile", WAIT if played else 0), played),
                   kind + "-playing": ms(status[0] if status else None, played)}
        if kind == "icy":
            figures["play-rss"] = rss_while_playing(bench, run.program, sound)
        return run.result(figures)


def kestova_reconnect(bench):
    """A station whose server goes away while it plays: the server comes back
    (on its port) once the program has tried twice, and the figures are the
    times from the server's return, and from the program's next attempt (its
    engine's loadfile), to sound again."""
    with Kestova(bench, "dropping") as run:
        origin = run.window_origin() if run.loaded() else None
        played = double_click(bench, run, origin, "tree-row-1") if origin else None
        playing = run.program.wait_line('status line: "  Playing', WAIT, played) if played else None
        back = attempt = sound = None
        if playing:
            bench.dropping.end()
            if run.program.wait_line('status line: "  Reconnecting (2)...', WAIT) and bench.sound.arm():
                bench.dropping, _ = bench.start_streams(bench.dropping_port)
                back = now_ns()
                sound = bench.sound.first_sound(WAIT)
                found = run.program.wait_line(lambda line: "kestova.timing: loadfile " in line, WAIT, back)
                attempt = int(found[1].rsplit(" ", 1)[1]) if found else None
        return run.result({"back-audio": ms(sound, back), "attempt-audio": ms(sound, attempt)})


def double_click(bench, run, origin, row):
    """The moment the view started playing; a double-click that went nowhere
    (the window not yet taking input) is tried again."""
    since = now_ns()
    for _ in range(3):
        bench.display.click(run.on_screen(origin, row), repeat=2)
        played = run.program.stamp("play", 3, since)
        if played:
            return played
    return None


def rss_while_playing(bench, program, sound):
    if sound is None:
        return None
    bench.sleep_until(sound + PLAYING_SAMPLE * 1e9)
    return rss_mib(program.pid)


def floor_play(bench, kind):
    """The libmpv floor: from its loadfile to first sound, and for ICY its
    memory 3 s into the sound."""
    address = bench.server + {"icy": "live.mp3", "hls": "hls/live.m3u8"}[kind]
    quiet = bench.sound.arm()
    with floor(bench, "FloorPlayer", address) as run:
        loaded = run.program.stamp("loadfile", WAIT)
        sound = bench.sound.first_sound(WAIT) if quiet and loaded else None
        figures = {kind + "-audio": ms(sound, loaded)}
        if kind == "icy":
            figures["play-rss"] = rss_while_playing(bench, run.program, sound)
        return run.result(figures)


def kestova_home(bench):
    """A home server answers, so the web engine shows its page: the memory of
    kestova and every process below it once the page was fetched and 2 s
    passed. Then a stream plays for longer than the program keeps an unseen
    page (the same memory again), and a web station brings the web engine
    back: from the view's "play" to the page loaded."""
    since = now_ns()
    with Kestova(bench, "home") as run:
        figures = {"home-rss": None, "home-pss": None, "home-processes": None,
                   "away-pss": None, "away-processes": None, "page-back": None}
        if run.loaded() is None or not bench.requested("/Home.html", since, WAIT):
            return run.result(figures)
        bench.sleep(2 * SETTLE)
        figures.update(zip(("home-rss", "home-pss", "home-processes"), family_memory_mib(run.program.pid)))
        origin = run.window_origin()
        played = double_click(bench, run, origin, "tree-row-1") if origin else None
        if played and run.program.wait_line('status line: "  Playing', WAIT, played):
            bench.sleep(PAGE_KEPT + 2 * SETTLE)
            figures.update(zip(("away-pss", "away-processes"), family_memory_mib(run.program.pid)[1:]))
            web = double_click(bench, run, origin, "tree-row-2")
            figures["page-back"] = ms(run.program.stamp("page loaded", WAIT, web) if web else None, web)
        return run.result(figures)
