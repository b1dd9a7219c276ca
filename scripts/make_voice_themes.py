#!/usr/bin/env python3
"""Make the voice themes that Quorvel ships, speaking their words with espeak-ng.

Usage: make_voice_themes.py SOURCE_DIR OUTPUT_DIR

SOURCE_DIR holds one folder per theme with its theme.ini, and words.tsv,
which says what each wave file of each theme says:

    # a comment
    theme<TAB>file<TAB>voice<TAB>text      (this header line comes first)
    Russian<TAB>5.wav<TAB>ru<TAB>пять

For every theme, OUTPUT_DIR/<theme>/ receives a wave file for every path
its theme.ini names and a copy of the theme.ini. The theme.ini is checked
first: CRLF line ends, each of the 35 keys of a voice theme exactly once,
number values "<form>,.\\speak\\<theme>\\<file>" and word values
".\\speak\\<theme>\\<file>". Every wave file espeak-ng makes must be a
16-bit mono PCM RIFF/WAVE file whose RIFF size matches its length (the
program plays each file from memory as one block); its leading and trailing
silence is cut, and what is left must last between 0.2 and 2.5 seconds and
must not be silent. Any fault stops the script with a message and exit code
1, leaving the theme folders of earlier runs as they were. Only the standard
library and the espeak-ng program are used.
"""

import array
import os
import re
import shutil
import subprocess
import sys
import tempfile
import wave

WORD_KEYS = ("Hour", "Hours", "Hour2", "Minute", "Minutes", "Minute2")
NUMBER_KEYS = (("0",) + tuple(str(n) for n in range(3, 21))
               + ("1h", "2h", "21h", "22h", "23h", "1m", "2m", "30m", "40m", "50m"))
FORMS = (0, 1, 2)           # the word after a number: Hour / Hours / Hour2
SPEED = 150                 # words a minute: a calm, clock-like pace
MIN_SECONDS = 0.2
MAX_SECONDS = 2.5
MIN_PEAK = 2000             # of 32767: anything quieter counts as silent
SOUND_LEVEL = 0.01          # share of the peak above which a sample is sound
LEAD_PAD_SECONDS = 0.01     # kept before the first sound
TAIL_PAD_SECONDS = 0.06     # kept after the last, a short pause between pieces
# The theme.ini reader of the program takes lines of at most 254 characters,
# keys of at most 19 and values of at most 255.
LINE_LIMIT = 254
VALUE_LIMIT = 255
FILE_NAME = re.compile(r"^[A-Za-z0-9_]+\.wav$")
THEME_NAME = re.compile(r"^[A-Za-z0-9_-]+$")


class ThemeError(Exception):
    """A fault in a theme source or in what espeak-ng made of it."""


def read_words(path):
    """words.tsv as {theme: {file: (voice, text)}}."""
    words = {}
    header_seen = False
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f.read().splitlines(), 1):
            where = f"{path}:{number}"
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if not header_seen:
                if fields != ["theme", "file", "voice", "text"]:
                    raise ThemeError(f"{where}: the first line must be the header theme/file/voice/text")
                header_seen = True
                continue
            if len(fields) != 4 or not all(field.strip() for field in fields):
                raise ThemeError(f"{where}: expected four tab-separated fields, got {line!r}")
            theme, name, voice, text = (field.strip() for field in fields)
            if text.startswith("-"):
                raise ThemeError(f"{where}: a text must not start with '-' (espeak-ng would read an option)")
            if name in words.setdefault(theme, {}):
                raise ThemeError(f"{where}: {theme}/{name} is given twice")
            words[theme][name] = (voice, text)
    if not header_seen:
        raise ThemeError(f"{path}: no header line")
    return words


def parse_theme_ini(path, theme):
    """The checked entries of a theme.ini as [(key, value)] and the wave files they name."""
    with open(path, "rb") as f:
        data = f.read()
    try:
        text = data.decode("ascii")
    except UnicodeDecodeError:
        raise ThemeError(f"{path}: only ASCII text is allowed") from None
    if not text.endswith("\r\n") or text.count("\n") != text.count("\r\n") or "\r" in text.replace("\r\n", ""):
        raise ThemeError(f"{path}: every line must end with CR LF")
    prefix = f".\\speak\\{theme}\\"
    entries = []
    files = []
    for number, line in enumerate(text.split("\r\n")[:-1], 1):
        where = f"{path}:{number}"
        if len(line) > LINE_LIMIT:
            raise ThemeError(f"{where}: longer than {LINE_LIMIT} characters")
        key, equals, value = line.partition("=")
        key, value = key.strip(), value.strip()
        if not equals or not key or not value:
            raise ThemeError(f"{where}: not a 'key = value' line: {line!r}")
        if len(value) > VALUE_LIMIT:
            raise ThemeError(f"{where}: the value is longer than {VALUE_LIMIT} characters")
        if key in NUMBER_KEYS:
            match = re.fullmatch(r"(\d),(\S+)", value)
            if not match or int(match.group(1)) not in FORMS:
                raise ThemeError(f"{where}: expected '<form 0-2>,<path>', got {value!r}")
            file_path = match.group(2)
        elif key in WORD_KEYS:
            file_path = value
        else:
            raise ThemeError(f"{where}: unknown key {key!r}")
        if not file_path.startswith(prefix) or not FILE_NAME.match(file_path[len(prefix):]):
            raise ThemeError(f"{where}: the path must be {prefix}<name>.wav, not {file_path!r}")
        entries.append((key, value))
        files.append(file_path[len(prefix):])
    keys = [key for key, _ in entries]
    for key in WORD_KEYS + NUMBER_KEYS:
        if keys.count(key) != 1:
            raise ThemeError(f"{path}: key {key!r} appears {keys.count(key)} times, not once")
    return entries, sorted(set(files))


def check_riff(path):
    """Fails unless the file is one RIFF/WAVE block of exactly its own length."""
    with open(path, "rb") as f:
        head = f.read(12)
    size = os.path.getsize(path)
    if len(head) < 12 or head[0:4] != b"RIFF" or head[8:12] != b"WAVE":
        raise ThemeError(f"{path}: not a RIFF/WAVE file")
    if int.from_bytes(head[4:8], "little") != size - 8:
        raise ThemeError(f"{path}: the RIFF size does not match the file length {size}")


def read_samples(path):
    """The 16-bit mono PCM samples of a wave file, and its frame rate."""
    check_riff(path)
    try:
        with wave.open(path, "rb") as w:
            if w.getcomptype() != "NONE":
                raise ThemeError(f"{path}: not PCM ({w.getcompname()})")
            if w.getsampwidth() != 2 or w.getnchannels() != 1:
                raise ThemeError(f"{path}: {8 * w.getsampwidth()}-bit with {w.getnchannels()} channels,"
                                 " not 16-bit mono")
            rate = w.getframerate()
            frames = w.readframes(w.getnframes())
    except (wave.Error, EOFError) as e:
        raise ThemeError(f"{path}: not a PCM wave file ({e})") from None
    samples = array.array("h")
    samples.frombytes(frames)
    if sys.byteorder == "big":
        samples.byteswap()
    return samples, rate


def write_samples(path, samples, rate):
    data = array.array("h", samples)
    if sys.byteorder == "big":
        data.byteswap()
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


def trimmed(samples, rate, where):
    """The samples without the silence before and after the spoken word."""
    peak = max((abs(s) for s in samples), default=0)
    if peak < MIN_PEAK:
        raise ThemeError(f"{where}: silent (peak {peak} below {MIN_PEAK})")
    level = peak * SOUND_LEVEL
    loud = [i for i, s in enumerate(samples) if abs(s) > level]
    first = max(0, loud[0] - int(LEAD_PAD_SECONDS * rate))
    last = min(len(samples), loud[-1] + 1 + int(TAIL_PAD_SECONDS * rate))
    return samples[first:last]


def speak(voice, text, path):
    """One wave file from espeak-ng, checked and with its silence cut."""
    command = ["espeak-ng", "-v", voice, "-s", str(SPEED), "-w", path, text]
    try:
        result = subprocess.run(command, capture_output=True, text=True)
    except FileNotFoundError:
        raise ThemeError("espeak-ng not found: install the Debian package espeak-ng") from None
    if result.returncode != 0:
        raise ThemeError(f"{' '.join(command)} failed ({result.returncode}): {result.stderr.strip()}")
    if result.stderr.strip():
        print(f"make_voice_themes: espeak-ng on {text!r}: {result.stderr.strip()}", file=sys.stderr)
    samples, rate = read_samples(path)
    samples = trimmed(samples, rate, f"{path} ({text!r})")
    write_samples(path, samples, rate)
    check_finished_wave(path, text)


def check_finished_wave(path, text):
    samples, rate = read_samples(path)
    seconds = len(samples) / rate
    if not MIN_SECONDS <= seconds <= MAX_SECONDS:
        raise ThemeError(f"{path} ({text!r}): lasts {seconds:.2f} s, not {MIN_SECONDS}-{MAX_SECONDS} s")
    if max(abs(s) for s in samples) < MIN_PEAK:
        raise ThemeError(f"{path} ({text!r}): silent")


def make_theme(source_dir, output_dir, theme, words):
    """Builds the theme in a staging folder and then puts it in place of the old one."""
    ini = os.path.join(source_dir, theme, "theme.ini")
    entries, files = parse_theme_ini(ini, theme)
    missing = [name for name in files if name not in words]
    if missing:
        raise ThemeError(f"words.tsv has no text for {theme}/{', '.join(missing)}")
    unused = sorted(set(words) - set(files))
    if unused:
        raise ThemeError(f"words.tsv has text for {theme}/{', '.join(unused)}, which theme.ini does not name")

    # A staging folder left behind by an interrupted run goes first.
    for name in os.listdir(output_dir):
        if name.startswith(f".{theme}.") and os.path.isdir(os.path.join(output_dir, name)):
            shutil.rmtree(os.path.join(output_dir, name))
    staging = tempfile.mkdtemp(prefix=f".{theme}.", dir=output_dir)
    try:
        for name in files:
            voice, text = words[name]
            speak(voice, text, os.path.join(staging, name))
        shutil.copyfile(ini, os.path.join(staging, "theme.ini"))
        os.chmod(staging, 0o755)
        target = os.path.join(output_dir, theme)
        if os.path.isdir(target):
            shutil.rmtree(target)
        os.rename(staging, target)
    except BaseException:
        shutil.rmtree(staging, ignore_errors=True)
        raise
    return entries


def check_installed(output_dir, theme, entries):
    """Every path of the installed theme.ini names a file that is there."""
    reread, _ = parse_theme_ini(os.path.join(output_dir, theme, "theme.ini"), theme)
    if reread != entries:
        raise ThemeError(f"{output_dir}/{theme}/theme.ini differs from its source")
    for key, value in entries:
        file_path = value.split(",", 1)[1] if key in NUMBER_KEYS else value
        # ".\speak\<theme>\<file>" lies below the start folder, so below OUTPUT_DIR
        # without its ".\speak\".
        local = os.path.join(output_dir, *file_path.split("\\")[2:])
        if not os.path.isfile(local):
            raise ThemeError(f"{key} = {value}: {local} is missing")


def main(argv):
    if len(argv) != 3:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    source_dir, output_dir = argv[1], argv[2]
    try:
        words = read_words(os.path.join(source_dir, "words.tsv"))
        themes = sorted(name for name in os.listdir(source_dir)
                        if os.path.isfile(os.path.join(source_dir, name, "theme.ini")))
        if not themes:
            raise ThemeError(f"{source_dir}: no theme folder with a theme.ini")
        for theme in themes:
            if not THEME_NAME.match(theme):
                raise ThemeError(f"theme folder {theme!r}: use letters, digits, '_' and '-' only")
        stray = sorted(set(words) - set(themes))
        if stray:
            raise ThemeError(f"words.tsv names themes without a theme.ini: {', '.join(stray)}")
        os.makedirs(output_dir, exist_ok=True)
        for theme in themes:
            entries = make_theme(source_dir, output_dir, theme, words.get(theme, {}))
            check_installed(output_dir, theme, entries)
            print(f"{theme}: {len(entries)} entries, wave files in {os.path.join(output_dir, theme)}")
    except (ThemeError, OSError) as e:
        print(f"make_voice_themes: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
