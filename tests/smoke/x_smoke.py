#!/usr/bin/python3
"""The built program as a person meets it, on a virtual X display.

usage: x_smoke.py path/to/zelk [output-folder]

Starts Xvfb, then the program with a fresh program folder, and drives it with real X mouse and
key events (xdotool): answers the start notices, opens a DXF file through the file dialog by
typing its path, zooms with the screen-operation gesture, clicks a line, opens and closes a
text window and clicks a tool-bar button after it, cascades and tiles two drawings, saves with
Ctrl+S and quits. Screenshots (ImageMagick's import) are compared region by region; stderr
must hold no Qt warning and the program must end with 0. Exits 0 when all is well; on a
failure the screenshots stay in the output folder.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ZELK = os.path.abspath(sys.argv[1])
OUT = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="zelk-smoke-")
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WAIT = 20          # seconds for any one window or state to appear
SCREEN = (1600, 1000)

os.makedirs(OUT, exist_ok=True)
env = dict(os.environ)
steps = []


class SmokeFailure(Exception):
    pass


def step(text):
    steps.append(text)
    print("smoke:", text, flush=True)


def fail(text):
    raise SmokeFailure(text)


def xdo(*args, timeout=WAIT, check=True):
    r = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True, timeout=timeout + 5)
    if check and r.returncode != 0:
        fail("xdotool %s: %s" % (" ".join(args), r.stderr.strip()))
    return r.stdout.strip()


def windows(pattern, by="--name"):
    r = subprocess.run(["xdotool", "search", "--onlyvisible", by, pattern], env=env,
                       capture_output=True, text=True, timeout=10)
    return [w for w in r.stdout.split()]


def dialogs():
    """The program's shown top-level windows other than the main window."""
    return [w for w in windows("zelk", "--class") if not name_of(w).startswith("Zelk - ")]


def wait_dialog(timeout=WAIT):
    return wait_for("a dialog", dialogs, timeout)[-1]


def wait_no_dialog(timeout=WAIT):
    wait_for("no dialog", lambda: not dialogs(), timeout)


def answer_dialog(*keys):
    """Presses keys in the dialog shown until it goes: a dialog can be mapped before its
    buttons take keys."""
    dialog = wait_dialog()
    end = time.monotonic() + WAIT
    while dialog in dialogs():
        if time.monotonic() > end:
            fail("the dialog %r does not take %s" % (name_of(dialog), " ".join(keys)))
        key(dialog, *keys)
        try:
            wait_for("the dialog to go", lambda: dialog not in dialogs(), 1)
        except SmokeFailure:
            pass


def wait_for(what, test, timeout=WAIT):
    """Polls test() until it gives a true value; the value, or a failure after the timeout."""
    end = time.monotonic() + timeout
    while True:
        value = test()
        if value:
            return value
        if time.monotonic() > end:
            fail("waited %ds for %s" % (timeout, what))
        time.sleep(0.05)


def wait_window(pattern, timeout=WAIT):
    return wait_for("a window named /%s/" % pattern, lambda: windows(pattern), timeout)[-1]


def wait_gone(pattern, timeout=WAIT):
    wait_for("no window named /%s/" % pattern, lambda: not windows(pattern), timeout)


def name_of(window):
    return xdo("getwindowname", window, check=False)


def geometry(window):
    out = xdo("getwindowgeometry", "--shell", window)
    g = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])


def focus(window):
    xdo("windowfocus", "--sync", window)


def key(window, *keys):
    focus(window)
    xdo("key", "--clearmodifiers", *keys)


def press(*keys):
    """Keys to whatever has the keyboard now (an open menu has it)."""
    xdo("key", "--clearmodifiers", *keys)


def type_text(window, text):
    focus(window)
    xdo("type", "--delay", "5", text)


def menu(window, opener, keys):
    """Opens a menu of the menu bar with its Alt key and picks an item with keys."""
    before = set(windows("zelk", "--class"))
    key(window, opener)
    wait_for("the menu to open", lambda: set(windows("zelk", "--class")) - before)
    for k in keys:
        press(k)


def click(x, y, button=1):
    xdo("mousemove", "--sync", str(x), str(y))
    xdo("click", str(button))


def drag(a, b, button=1):
    xdo("mousemove", "--sync", str(a[0]), str(a[1]))
    xdo("mousedown", str(button))
    for i in range(1, 9):
        xdo("mousemove", "--sync", str(a[0] + (b[0] - a[0]) * i // 8), str(a[1] + (b[1] - a[1]) * i // 8))
    xdo("mouseup", str(button))


class Shot:
    """A screenshot's pixels (through a PPM file, so that nothing beyond ImageMagick is needed)."""

    def __init__(self, name):
        png = os.path.join(OUT, name + ".png")
        ppm = os.path.join(OUT, name + ".ppm")
        subprocess.run(["import", "-display", env["DISPLAY"], "-window", "root", png], check=True, timeout=30)
        subprocess.run(["convert", png, ppm], check=True, timeout=30)
        with open(ppm, "rb") as f:
            data = f.read()
        os.remove(ppm)
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]
        self.name = name

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def count(self, box, test):
        x0, y0, x1, y1 = box
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if test(self.at(x, y)))

    def find(self, box, test):
        x0, y0, x1, y1 = box
        return [(x, y) for y in range(y0, y1) for x in range(x0, x1) if test(self.at(x, y))]


def changed(a, b, box):
    x0, y0, x1, y1 = box
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if a.at(x, y) != b.at(x, y))


WHITE = (255, 255, 255)
VIEW = (60, 160, 1100, 640)          # inside the drawing window of the main window's default size
BARS = (0, 20, 1200, 80)             # the two rows of tool bars
MDI_SAMPLES = [(300, 250), (700, 300), (300, 500), (600, 450), (900, 200)]
MDI_BACKGROUND = (159, 159, 159)     # the MDI area where no window lies


def is_line(c):
    return max(c) < 200 and max(c) - min(c) < 30


def settled(name, before, box, equal=False):
    """A screenshot when the box differs from the one before (or equals it) and has stopped
    changing (a redraw can take more than one paint), else None."""
    shot = Shot(name)
    differs = changed(before, shot, box) > 0
    if differs == equal:
        return None
    again = Shot(name)
    return again if changed(shot, again, box) == 0 else None


def painted(name):
    """A screenshot once lines show in the drawing window."""
    shot = Shot(name)
    return shot if shot.count(VIEW, is_line) > 100 else None


def covered(name):
    """A screenshot when drawing windows, not the bare area, lie under sample points of the MDI
    area: windows shrunk to their title bars leave it bare."""
    shot = Shot(name)
    return shot if all(shot.at(x, y) != MDI_BACKGROUND for x, y in MDI_SAMPLES) else None


def bar_picture(name, index):
    """The non-background pixels of one 16 x 15 picture of a tool-bar bitmap: {(x, y): rgb}."""
    with open(os.path.join(SOURCE, "resources", "bitmaps", name), "rb") as f:
        data = f.read()
    width, height = int.from_bytes(data[18:22], "little"), int.from_bytes(data[22:26], "little")
    row = (width * 3 + 3) & ~3
    picture = {}
    for y in range(height):
        for x in range(16):
            i = 54 + (height - 1 - y) * row + (index * 16 + x) * 3
            b, g, r = data[i:i + 3]
            if (r, g, b) != (192, 192, 192):
                picture[(x, y)] = (r, g, b)
    return picture


def find_picture(shot, picture, box):
    """The middle of the place in box where a tool-bar picture shows pixel for pixel."""
    x0, y0, x1, y1 = box
    first, colour = next(iter(picture.items()))
    for y in range(y0, y1 - 15):
        for x in range(x0, x1 - 16):
            if shot.at(x + first[0], y + first[1]) == colour and \
                    all(shot.at(x + dx, y + dy) == c for (dx, dy), c in picture.items()):
                return x + 8, y + 7
    return None


def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return b""


def dxf_lines(path):
    """The LINE entities of a DXF file as sorted rounded end points; None while unreadable."""
    text = read_bytes(path).decode("cp932", "replace").splitlines()
    if not text or text[-1].strip() != "EOF":
        return None
    pairs = [(text[i].strip(), text[i + 1].strip()) for i in range(0, len(text) - 1, 2)]
    lines, current = [], None
    for code, value in pairs:
        if code == "0":
            if current is not None and len(current) == 4:
                lines.append(tuple(current[k] for k in ("10", "20", "11", "21")))
            current = {} if value == "LINE" else None
        elif current is not None and code in ("10", "20", "11", "21"):
            current[code] = round(float(value), 6)
    return sorted(lines)


def start_display():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % SCREEN,
                             "-nolisten", "tcp", "-noreset"], pass_fds=[write],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    end = time.monotonic() + 30
    while not number.endswith(b"\n"):
        if time.monotonic() > end or xvfb.poll() is not None:
            fail("Xvfb did not start")
        chunk = os.read(read, 16)
        if not chunk:
            fail("Xvfb did not say its display")
        number += chunk
    os.close(read)
    env["DISPLAY"] = ":" + number.decode().strip()
    return xvfb


def write_dxf(path):
    # One line from (0,0) to (100,60) and one from (0,60) to (100,0): a cross whose middle is
    # the middle of the window once the drawing is shown whole.
    groups = ["0", "SECTION", "2", "ENTITIES"]
    for x1, y1, x2, y2 in ((0, 0, 100, 60), (0, 60, 100, 0)):
        groups += ["0", "LINE", "8", "0", "10", "%d.0" % x1, "20", "%d.0" % y1, "11", "%d.0" % x2, "21", "%d.0" % y2]
    groups += ["0", "ENDSEC", "0", "EOF"]
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(groups) + "\n")


def main():
    for tool in ("Xvfb", "xdotool", "import", "convert"):
        if not shutil.which(tool):
            fail("%s is not installed" % tool)
    home = os.path.join(OUT, "home")
    shutil.rmtree(home, ignore_errors=True)
    os.makedirs(home)
    # A fresh program folder with the definition files a first start finds beside the program.
    for name in ("ZelkUnit.txt", "Variable.txt", "ZelSheet.txt", "ZelkFunc.txt"):
        shutil.copy(os.path.join(SOURCE, "resources", name), home)
    shutil.copytree(os.path.join(SOURCE, "resources", "ZelkApp"), os.path.join(home, "ZelkApp"))
    runtime = os.path.join(OUT, "runtime")
    os.makedirs(runtime, exist_ok=True)
    os.chmod(runtime, 0o700)
    dxf = os.path.join(OUT, "cross.dxf")
    write_dxf(dxf)

    xvfb = start_display()
    env.update(ZELK_HOME=home, XDG_RUNTIME_DIR=runtime, LANG="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    env.pop("ZELK_QUIT_AT_START", None)
    err_path = os.path.join(OUT, "stderr.txt")
    program = None
    try:
        with open(err_path, "w") as err:
            program = subprocess.Popen([ZELK], env=env, stdout=subprocess.DEVNULL, stderr=err, cwd=OUT)
            try:
                run(program, dxf)
            except SmokeFailure:
                Shot("failure")
                for w in windows("zelk", "--class"):
                    try:
                        print("smoke: window %s %r at %s" % (w, name_of(w), geometry(w)), file=sys.stderr)
                    except SmokeFailure:
                        pass   # gone meanwhile
                raise
            code = program.wait(timeout=WAIT)
            program = None
        if code != 0:
            fail("the program ended with %d" % code)
        with open(err_path) as f:
            warnings = [line for line in f if line.strip()]
        if warnings:
            fail("stderr holds:\n" + "".join(warnings[:20]))
    finally:
        if program is not None:
            program.kill()
            program.wait()
        xvfb.terminate()
        xvfb.wait()


def run(program, dxf):
    step("the start notices")
    # The main window has its title before the first drawing shows its notices: each is
    # answered with its default button until none comes for a while.
    main = wait_window("^Zelk - ")
    answer_dialog("Return")
    while True:
        try:
            wait_dialog(timeout=2)
        except SmokeFailure:
            break
        answer_dialog("Return")
    x, y, w, h = geometry(main)
    print("smoke: main window", x, y, w, h)
    if w < 1000 or h < 700:
        fail("the main window starts at %dx%d on a %dx%d screen" % (w, h, *SCREEN))
    Shot("01-started")

    step("opening the DXF file through the file dialog")
    key(main, "ctrl+o")
    dialog = wait_dialog()
    type_text(dialog, dxf)
    key(dialog, "Return")
    wait_no_dialog()
    main = wait_window("^Zelk - .*cross\\.dxf")
    opened = wait_for("the drawing's lines", lambda: painted("02-opened"))

    step("zooming in with the screen operation's drag to the upper right")
    key(main, "Insert")
    drag((500, 500), (700, 300))
    zoomed = wait_for("the drawing to change", lambda: settled("03-zoomed", opened, VIEW))

    step("clicking a line")
    on_line = [p for p in zoomed.find((VIEW[0], 250, VIEW[2], 251), is_line)]
    if not on_line:
        fail("no line crosses the drawing at y=250 after the zoom")
    target = on_line[0]
    key(main, "Escape")
    click(*target)
    selected = wait_for("the line to change colour",
                        lambda: settled("04-selected", zoomed, (target[0] - 3, target[1] - 3, target[0] + 4, target[1] + 4)))
    if selected.count((target[0] - 2, target[1] - 2, target[0] + 3, target[1] + 3), lambda c: c != WHITE and not is_line(c)) == 0:
        fail("the clicked line did not take another colour at %s" % (target,))
    key(main, "Escape")

    step("scrolling with the wheel")
    xdo("mousemove", "--sync", "600", "400")
    xdo("click", "--repeat", "3", "5")
    xdo("click", "--repeat", "3", "4")

    step("opening and closing a text window")
    bars = Shot("05-bars-before")
    # The screen operation's button: the screen bar's first picture, found on the bars.
    screen_operation = find_picture(bars, bar_picture("screen_bar.bmp", 0), BARS)
    if not screen_operation:
        fail("the screen operation's button is not on the tool bars")
    # ヘルプ > レイヤ一覧テキストを開く: the third item below the first one enabled.
    menu(main, "alt+h", ["Down"] * 3 + ["Return"])
    wait_for("the text window", lambda: "LayerList" in name_of(main))
    menu(main, "alt+f", ["c"])
    wait_for("the drawing to be active again", lambda: name_of(main).endswith("cross.dxf"))
    after = wait_for("the bars to settle", lambda: settled("06-bars-after", bars, BARS, equal=True), timeout=5)

    step("a tool-bar button after the text window")
    click(*screen_operation)
    drag((400, 500), (800, 250))
    wait_for("the drawing to zoom", lambda: settled("07-zoomed-again", after, VIEW))

    step("cascading and tiling two drawings")
    key(main, "ctrl+n")
    wait_for("a new drawing", lambda: "NewFile" in name_of(main))
    menu(main, "alt+w", ["c"])
    wait_for("cascaded windows to cover the area", lambda: covered("08-cascaded"))
    menu(main, "alt+w", ["t"])
    wait_for("tiled windows to cover the area", lambda: covered("09-tiled"))

    step("saving the DXF drawing with Ctrl+S")
    key(main, "ctrl+F6")
    wait_for("the DXF drawing to be active", lambda: name_of(main).endswith("cross.dxf"))
    with open(dxf, "rb") as f:
        original = f.read()
    backup = os.path.join(OUT, "cross-Back.dxf")
    key(main, "ctrl+s")
    # The drawing is written over its file, the file before it kept as the backup.
    wait_for("the backup of the file", lambda: os.path.exists(backup))
    wait_for("the file written again", lambda: read_bytes(dxf) != original and dxf_lines(dxf))
    if read_bytes(backup) != original:
        fail("the backup differs from the file it replaced")
    if dxf_lines(dxf) != dxf_lines(backup):
        fail("the saved lines %s are not the lines read %s" % (dxf_lines(dxf), dxf_lines(backup)))
    Shot("10-saved")

    step("quitting")
    menu(main, "alt+f", ["x"])
    wait_for("the program to end", lambda: program.poll() is not None)


if __name__ == "__main__":
    try:
        main()
    except (SmokeFailure, subprocess.TimeoutExpired) as e:
        print("smoke test FAILED after: %s\n  %s\n  screenshots in %s" % (steps[-1] if steps else "-", e, OUT),
              file=sys.stderr)
        sys.exit(1)
    print("smoke test passed")
