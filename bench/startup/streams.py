#!/usr/bin/env python3
"""The start-up bench's loopback HTTP server, run as a process of its own so
that its threads never hold up the bench's clock readings.

It serves, from a folder the bench filled (see media.py):
  /live.mp3        an endless MP3 live stream with ICY metadata (a StreamTitle
                   every icy-metaint bytes when the client asks for it), a
                   burst first and then paced at the stream's bit rate, as
                   internet radio servers send;
  /hls/live.m3u8   a live HLS playlist whose window of segments moves on with
                   the clock, and /hls/<segment>.ts its segments, looped;
  /UpdateSettings.txt and /Home.html   what a home server answers.
Writes "port <number>" once it listens, then "request <path>" for each
request, to its standard error; it serves until it is ended.

    streams.py <media folder> [port]
"""
import http.server
import os
import sys
import time

META_INTERVAL = 16000
STATION_TITLE = "Bench Tones"
BURST_BYTES = 64 * 1024
HLS_WINDOW = 4
HOME_PAGE = b"<html><body style='background:#204060;color:white'><h1>Home</h1></body></html>"
NO_UPDATES = b"<UPDATE></UPDATE>"


def read_playlist(folder):
    """The segment names and durations of the ffmpeg-made playlist."""
    names, durations = [], []
    with open(os.path.join(folder, "hls", "index.m3u8")) as playlist:
        for line in playlist:
            line = line.strip()
            if line.startswith("#EXTINF:"):
                durations.append(float(line[8:].split(",")[0]))
            elif line and not line.startswith("#"):
                names.append(line)
    return names, durations


class Media:
    def __init__(self, folder):
        with open(os.path.join(folder, "tone.mp3"), "rb") as mp3:
            self.mp3 = mp3.read()
        self.mp3_rate = int(open(os.path.join(folder, "tone.bitrate")).read()) // 8
        self.folder = folder
        self.segments, self.durations = read_playlist(folder)
        self.started = time.monotonic()

    def live_playlist(self):
        """The playlist of now: the looped segments move on with the clock, and
        each loop starts after a discontinuity."""
        count, cycle = len(self.segments), sum(self.durations)
        elapsed = time.monotonic() - self.started
        first = int(elapsed // cycle) * count
        rest = elapsed % cycle
        while rest >= self.durations[first % count]:
            rest -= self.durations[first % count]
            first += 1
        lines = ["#EXTM3U", "#EXT-X-VERSION:3",
                 "#EXT-X-TARGETDURATION:%d" % (int(max(self.durations)) + 1),
                 "#EXT-X-MEDIA-SEQUENCE:%d" % first,
                 "#EXT-X-DISCONTINUITY-SEQUENCE:%d" % (first // count)]
        for sequence in range(first, first + HLS_WINDOW):
            if sequence % count == 0 and sequence > first:
                lines.append("#EXT-X-DISCONTINUITY")
            lines.append("#EXTINF:%.3f," % self.durations[sequence % count])
            lines.append("%d.ts" % sequence)
        return ("\n".join(lines) + "\n").encode()

    def segment(self, sequence):
        name = self.segments[sequence % len(self.segments)]
        with open(os.path.join(self.folder, "hls", name), "rb") as segment:
            return segment.read()


def meta_block(title):
    text = ("StreamTitle='%s';" % title).encode()
    text += b"\0" * (-len(text) % 16)
    return bytes([len(text) // 16]) + text


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    media = None

    def log_message(self, *args):
        pass

    def do_GET(self):
        print("request " + self.path, file=sys.stderr, flush=True)
        if self.path == "/live.mp3":
            self.send_icy()
        elif self.path == "/hls/live.m3u8":
            self.send_body(self.media.live_playlist(), "application/vnd.apple.mpegurl")
        elif self.path.startswith("/hls/") and self.path.endswith(".ts") and self.path[5:-3].isdigit():
            self.send_body(self.media.segment(int(self.path[5:-3])), "video/mp2t")
        elif self.path == "/UpdateSettings.txt":
            self.send_body(NO_UPDATES, "text/xml")
        elif self.path == "/Home.html":
            self.send_body(HOME_PAGE, "text/html")
        else:
            self.send_error(404)

    def send_body(self, body, content_type):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def send_icy(self):
        with_meta = self.headers.get("Icy-MetaData", "0").strip() == "1"
        self.send_response(200)
        self.send_header("Content-Type", "audio/mpeg")
        self.send_header("icy-name", "Bench station")
        if with_meta:
            self.send_header("icy-metaint", str(META_INTERVAL))
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        # The file's frames run on end to end; the copy's head covers a piece across its end.
        mp3, rate, sent, started = self.media.mp3, self.media.mp3_rate, 0, time.monotonic()
        looped = mp3 + mp3[:META_INTERVAL]
        try:
            while True:
                wait = (sent - BURST_BYTES) / rate - (time.monotonic() - started)
                if wait > 0:
                    time.sleep(wait)
                piece = looped[sent % len(mp3):sent % len(mp3) + META_INTERVAL]
                sent += META_INTERVAL
                self.wfile.write(piece + (meta_block(STATION_TITLE) if with_meta else b""))
        except (BrokenPipeError, ConnectionResetError):
            pass


def main():
    Handler.media = Media(sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    http.server.ThreadingHTTPServer.allow_reuse_address = True
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.daemon_threads = True
    print("port %d" % server.server_address[1], file=sys.stderr, flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
