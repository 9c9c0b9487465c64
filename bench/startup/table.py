"""The start-up bench's table: for each figure the median over the rounds of
kestova and of its floor, and kestova's median over the floor's."""
import statistics

# (what, kestova's figure, the floor's figure or None, unit). The home page's
# floor is the empty window of the startup group: `--only home` shows none.
ROWS = [
    ("exec to first paint, shipped lists, first run  vs empty window", "first-paint", "first-paint", "ms"),
    ("exec to first paint, 30,000 stations  vs QTreeView", "big-paint", "big-paint", "ms"),
    ("exec to catalogue shown, 30,000 stations  vs QTreeView paint", "big-loaded", "big-loaded", "ms"),
    ("Play to first audio, ICY MP3  vs libmpv loadfile", "icy-audio", "icy-audio", "ms"),
    ("Play to first audio, HLS  vs libmpv loadfile", "hls-audio", "hls-audio", "ms"),
    ("Play to engine loadfile, ICY MP3", "icy-loadfile", None, "ms"),
    ("Play to engine loadfile, HLS", "hls-loadfile", None, "ms"),
    ("Play to status line \"Playing\", ICY MP3", "icy-playing", None, "ms"),
    ("Play to status line \"Playing\", HLS", "hls-playing", None, "ms"),
    ("RSS playing ICY MP3  vs libmpv player", "play-rss", "play-rss", "MiB"),
    ("RSS at rest, window shown  vs empty window", "rest-rss", "rest-rss", "MiB"),
    ("PSS at rest, window shown  vs empty window", "rest-pss", "rest-pss", "MiB"),
    ("UI thread wake-ups at rest  vs empty window", "wakeups", "wakeups", "/s"),
    ("station search in 30,000: Return to station line", "search", None, "ms"),
    ("station search in 30,000: the program's part, search to station line", "search-own", None, "ms"),
    ("home page shown: PSS of all processes  vs empty window", "home-pss", "rest-pss", "MiB"),
    ("home page shown: RSS sum of all processes  vs empty window", "home-rss", "rest-rss", "MiB"),
    ("home page shown: processes", "home-processes", None, ""),
    ("stream playing 12 s after the page: PSS of all processes  vs empty window", "away-pss", "rest-pss", "MiB"),
    ("stream playing 12 s after the page: processes", "away-processes", None, ""),
    ("page back: web station's play to page loaded", "page-back", None, "ms"),
    ("stream back: server's return to sound", "back-audio", None, "ms"),
    ("stream back: the program's next attempt to sound", "attempt-audio", None, "ms"),
]


def median(values, rounds, whole=False):
    """The median and how many rounds gave a value, as the table shows it."""
    taken = [value for value in values if value is not None]
    if not taken:
        return None, "-"
    middle = statistics.median(taken)
    digits = 0 if whole or abs(middle) >= 1000 else 1 if abs(middle) >= 10 else 2
    text = "%.*f" % (digits, middle)
    return middle, text if len(taken) == rounds else "%s (%d/%d)" % (text, len(taken), rounds)


def print_table(figures, rounds):
    lines = []
    for what, ours, theirs, unit in ROWS:
        if ours not in figures["kestova"]:
            continue
        label = "%s (%s)" % (what, unit) if unit else what
        our_median, our_text = median(figures["kestova"][ours], rounds, whole=not unit)
        their_median, their_text = median(figures["floor"].get(theirs, []), rounds) if theirs else (None, "")
        ratio = "%.2f" % (our_median / their_median) if our_median is not None and their_median else \
            "-" if theirs else ""
        lines.append((label, our_text, their_text, ratio))
    header = ("measure (median of %d rounds)" % rounds, "kestova", "floor", "ratio")
    widths = [max(len(row[i]) for row in lines + [header]) for i in range(4)]
    for row in [header, tuple("-" * width for width in widths)] + lines:
        print("  ".join([row[0].ljust(widths[0])] + [cell.rjust(width) for cell, width in zip(row[1:], widths[1:])]))
