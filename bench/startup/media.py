"""The start-up bench's test audio, made with ffmpeg when the bench starts: a
loud 440 Hz tone as a radio station sends it (MP3, 44.1 kHz stereo, 128 kbit/s,
without tags so that the file loops frame to frame) and as HLS segments (AAC in
MPEG-TS, 2 s each). The tone is loud from its first sample, so that the first
sound on the sink is easy to tell from silence."""
import os
import subprocess

BITRATE = 128000
TONE = "aevalsrc=0.8*sin(2*PI*440*t):s=44100:d=%d"


def ffmpeg(*args):
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", *args],
                   check=True, timeout=120, stdin=subprocess.DEVNULL)


def make_media(folder):
    os.makedirs(os.path.join(folder, "hls"), exist_ok=True)
    ffmpeg("-f", "lavfi", "-i", TONE % 20, "-ac", "2", "-c:a", "libmp3lame", "-b:a", str(BITRATE),
           "-write_xing", "0", "-id3v2_version", "0", "-f", "mp3", os.path.join(folder, "tone.mp3"))
    with open(os.path.join(folder, "tone.bitrate"), "w") as rate:
        rate.write(str(BITRATE))
    ffmpeg("-f", "lavfi", "-i", TONE % 60, "-ac", "2", "-c:a", "aac", "-b:a", str(BITRATE),
           "-f", "hls", "-hls_time", "2", "-hls_list_size", "0",
           "-hls_segment_filename", os.path.join(folder, "hls", "%03d.ts"),
           os.path.join(folder, "hls", "index.m3u8"))
