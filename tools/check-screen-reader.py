#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives Karták II by keyboard under the Orca screen reader and checks what Orca says.

Runs inside a private D-Bus session (tools/check-screen-reader.sh starts it, with a private X
server): starts the accessibility bus, openbox and Orca with a debug file, starts the program,
presses keys with xdotool, and compares Orca's SPEECH OUTPUT lines and the accessible tree
(pyatspi) with what a blind user must hear. Prints the transcript; exits 1 on the first
expectation not met.
"""

import os
import re
import subprocess
import sys
import time

import pyatspi

PROGRAM = os.path.abspath(sys.argv[1])
WORK = os.path.abspath(sys.argv[2])
ORCA_LOG = os.path.join(WORK, "orca-debug.txt")
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\w+)?\s*[\[{]")

processes = []
failures = []
transcript = []


def start(args, **kwargs):
    log = open(os.path.join(WORK, os.path.basename(args[0]) + ".log"), "w")
    proc = subprocess.Popen(args, stdout=log, stderr=subprocess.STDOUT, **kwargs)
    processes.append(proc)
    return proc


def stop_all():
    for proc in reversed(processes):
        if proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()


def spoken_lines():
    try:
        with open(ORCA_LOG, encoding="utf-8", errors="replace") as log:
            return [m.group(1) for m in map(SPEECH.search, log) if m]
    except FileNotFoundError:
        return []


def wait_until(predicate, timeout, what):
    end = time.time() + timeout
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.1)
    raise SystemExit(f"FAIL: timed out waiting for {what}")


def settle(before, quiet=0.8, timeout=6.0):
    """The lines Orca spoke since `before` lines, once it has been quiet for `quiet` seconds."""
    end = time.time() + timeout
    count, last_change = len(spoken_lines()), time.time()
    while time.time() < end:
        time.sleep(0.1)
        now = len(spoken_lines())
        if now != count:
            count, last_change = now, time.time()
        elif time.time() - last_change >= quiet and now > before:
            break
        elif time.time() - last_change >= quiet * 3:
            break
    return spoken_lines()[before:]


class Said(list):
    """What Orca said after a step, and where in its log the step began."""

    def __init__(self, start):
        super().__init__()
        self.start = start


def key(*keys, label=None):
    """Presses keys one after another and returns what Orca said for them."""
    said = Said(len(spoken_lines()))
    for k in keys:
        before = len(spoken_lines())
        subprocess.run(["xdotool", "key", "--clearmodifiers", k], check=True)
        said += settle(before)
    shown = label or " ".join(keys)
    transcript.append((shown, said))
    print(f"[{shown}]")
    for line in said:
        print(f"    SPEECH OUTPUT: '{line}'")
    return said


def expect(said, pattern, why, absent=False):
    text = " | ".join(said)
    found = re.search(pattern, text) is not None
    if not found and not absent and isinstance(said, Said):
        # On a busy machine Orca may speak after the pause that ended the step.
        end = time.time() + 8
        while not found and time.time() < end:
            time.sleep(0.2)
            late = spoken_lines()[said.start:]
            found = re.search(pattern, " | ".join(late)) is not None
        if found:
            print(f"    (said late: {late[len(said):]})")
    ok = found != absent
    print(f"  {'ok ' if ok else 'FAIL'} {why}")
    if not ok:
        failures.append(f"{why}: {'found' if absent else 'missing'} /{pattern}/ in: {text!r}")


def check(ok, why, detail=""):
    print(f"  {'ok ' if ok else 'FAIL'} {why}")
    if not ok:
        failures.append(f"{why} {detail}")


# --- the accessible tree ------------------------------------------------------------------------

def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.name == "kartak2":
                return app
        except Exception:
            pass
    return None


def window(title):
    app = application()
    if app is None:
        return None
    for win in app:
        if win is not None and win.name == title:
            return win
    return None


def descendants(root):
    for child in root:
        if child is None:
            continue
        yield child
        if child.getRoleName() != "combo box":
            yield from descendants(child)


# Newer AT-SPI (Debian 13 on) names the push-button role "button"; Orca speaks that name.
BUTTON = r"(push )?button"


def find(root, role, name):
    for node in descendants(root):
        if re.fullmatch(role, node.getRoleName()) and node.name == name:
            return node
    return None


def check_tree_of_character_window(win):
    print("[accessible tree of \"Generování postavy\"]")
    check(win.getRoleName() == "frame", "the character window is a frame",
          f"(role {win.getRoleName()!r})")
    nodes = list(descendants(win))
    unnamed = [(n.getRoleName(), n.name) for n in nodes
               if n.getRoleName() in ("image", "filler", "panel") and not n.name]
    check(not unnamed, "no unnamed picture, frame or filler in the tree", str(unnamed))
    texts = [n for n in nodes if n.getRoleName() == "text"]
    check([t.name for t in texts] == ["Jméno"],
          "the only text field is the name field (the hidden memo is not in the tree)",
          str([t.name for t in texts]))
    save = find(win, BUTTON, "Uložit")
    warning = ("Pozor: Pokud zadáte jméno souboru, který už existuje, soubor se přepíše bez "
               "varování!")
    check(save is not None and warning in save.description,
          "the save button's description carries the overwrite warning",
          repr(save.description if save else None))
    lists = [n for n in nodes if n.getRoleName() == "combo box"]
    labels = []
    for combo in lists:
        names = [r.getTarget(0).name for r in combo.getRelationSet()
                 if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
        labels.append(names[0] if names else combo.name)
    check(labels == ["Rasa:", "Povolání:", "Zbraň pro boj tváří v tvář",
                     "První zbraň pro střelecký souboj", "Druhá zbraň pro střelecký souboj",
                     "Zbroj:"],
          "the six lists are labelled apart", str(labels))
    values = [c.queryText().getText(0, -1) for c in lists]
    print(f"    list texts: {values}")
    check(len(values) == 6 and values[0] == "Hobit", "each list's text is its current item",
          str(values))


def main():
    env = dict(os.environ)
    env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    env.pop("QT_QPA_PLATFORM", None)
    started = time.time()

    # Orca's speech server needs a sound output: a private sound server playing into nothing.
    pulse = os.path.join(WORK, "pulse")
    os.makedirs(pulse, exist_ok=True)
    env["PULSE_SERVER"] = f"unix:{pulse}/native"
    start(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
           "--use-pid-file=no", "-L", "module-null-sink",
           "-L", f"module-native-protocol-unix socket={pulse}/native auth-anonymous=1"], env=env)
    wait_until(lambda: os.path.exists(f"{pulse}/native"), 20, "the sound server")
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env)
    time.sleep(1.0)
    start(["openbox"], env=env)
    prefs = os.path.join(WORK, "orca-prefs")
    os.makedirs(prefs, exist_ok=True)
    # Orca writes its debug file through a buffer; run unchanged, but with that one file
    # line-buffered, so what it says can be read while it runs.
    launcher = (
        "import builtins, runpy, sys\n"
        "plain_open = builtins.open\n"
        "def line_buffered(file, mode='r', buffering=-1, *args, **kwargs):\n"
        "    if file == sys.argv[4]:\n"
        "        buffering = 1\n"
        "    return plain_open(file, mode, buffering, *args, **kwargs)\n"
        "builtins.open = line_buffered\n"
        "runpy.run_path('/usr/bin/orca', run_name='__main__')\n")
    start(["/usr/bin/python3", "-c", launcher, "--user-prefs", prefs, "--debug-file", ORCA_LOG,
           "--disable", "main-window", "--disable", "splash-window"], env=env)
    # A busy machine may take a minute to start Orca and its speech server.
    wait_until(lambda: "Screen reader on." in spoken_lines(), 90, "Orca to start")

    app_env = dict(env, LANG="C.UTF-8", LC_ALL="C.UTF-8", TZ="UTC")
    start([PROGRAM], cwd=os.path.dirname(PROGRAM), env=app_env)
    wait_until(lambda: window("Karták II") is not None, 30, "the main menu")
    wait_until(lambda: any("Generovat" in s for s in spoken_lines()), 20,
               "Orca to read the main menu")
    time.sleep(1.0)

    menu = window("Karták II")
    print("[accessible tree of \"Karták II\"]")
    check(menu.getRoleName() == "frame", "the main menu is a frame",
          f"(role {menu.getRoleName()!r})")

    # About and the beta notes: each memo is read from its first line (its caret at the start),
    # and closing the window gives the focus back to the menu.
    for keys, button, title, first_line in (
            (("Tab",), "Informace o programu", "About", r"KARTÁK II - program pro snadné"),
            (("Tab", "Tab"), "Informace o betaverzi", "Informace", r"KARTÁK II - betaverze")):
        key(*keys, label=f"Tab to \"{button}\"")
        said = key("space", label=f"space on \"{button}\"")
        wait_until(lambda: window(title) is not None, 10, f"the {title} window")
        expect(said, first_line, f"{title}: the text is read from its first line")
        said = key("Tab", "Return", label=f"Tab, Return: close {title}")
        expect(said, re.escape(button), f"{title} closed: the focus is back on its button")
    key("Tab", label="Tab round to \"Generovat\"")

    said = key("Return", label="Return on \"Generovat\"")
    expect(said, r"Rasa: combo box.*Hobit", "the race list is read with its label and item")
    check_tree_of_character_window(window("Generování postavy"))

    expect(key("Down"), r"Kudůk", "Down: the new race is read")
    expect(key("Up"), r"Hobit", "Up: the new race is read")
    expect(key("End"), r"Kroll", "End: the last race is read")
    expect(key("Home"), r"Hobit", "Home: the first race is read")

    said = key("Tab")
    expect(said, r"Povolání: combo box.*Válečník", "the profession list with its item")
    expect(key("Down"), r"Hraničář", "Down: the new profession is read")
    key("Up")

    key("Tab", "Tab", "Tab", "Tab", "Tab", label="Tab x5")
    said = key("Tab")
    expect(said, r"Zbraň pro boj tváří v tvář combo box.*žádná",
           "the melee list is named apart, with its item")
    expect(key("Down"), r"Dýka", "Down: the new melee weapon is read")

    # The popup: Alt+Down opens it, the arrows move in it, Enter chooses and generates nothing.
    key("alt+Down", label="alt+Down (open the popup)")
    key("Down", "Down", label="Down Down in the popup")
    said = key("Return", label="Return in the popup")
    expect(said, r"Krátký meč", "Enter in the popup: the chosen weapon is read")
    expect(said, r"nová postava", "Enter in the popup generates nothing", absent=True)
    check(find(window("Generování postavy"), "label", "Pepík") is None,
          "Enter in the popup leaves the sheet empty")

    key("Tab")
    said = key("Tab")
    expect(said, r"První zbraň pro střelecký souboj combo box.*žádná",
           "the first ranged list is named apart, with its item")
    key("Down")
    said = key("Down", label="Down onto a bow a Hobit may not use")
    expect(said, r"žádná", "a refused weapon: the list's fallback \"žádná\" is read")
    said = key("Tab")
    expect(said, r"Druhá zbraň pro střelecký souboj combo box.*žádná",
           "the second ranged list is named apart, with its item")
    said = key("Tab")
    expect(said, r"Zbroj: combo box.*žádná", "the armour list with its item")
    expect(key("Down"), r"Vycpávaná", "Down: the new armour is read")

    # Back to the race list (Tab goes round) and on to "Generuj!".
    key("Tab", "Tab", "Tab", label="Tab x3")
    said = key("Tab", "Tab", label="Tab x2 to \"Generuj!\"")
    expect(said, r"Generuj! " + BUTTON, "the generate button has the focus")
    said = key("Return", label="Return on \"Generuj!\"")
    expect(said, r"V osobním deníku je nová postava: Pepík, Hobit Válečník",
           "after generating, the new character is announced")
    check(find(window("Generování postavy"), "label", "Pepík") is not None,
          "the sheet shows the new character")

    # Flat review of the sheet: every caption once, beside its value.
    key("Insert+KP_Home", label="flat review: top of the window")
    lines = []
    for _ in range(24):
        said = key("KP_Page_Up", label="flat review: next line")
        lines += said
    # A field that also said its caption would read "Jméno: Jméno Pepík", "Postřeh obj.: Postřeh
    # obj. 12 % %".
    expect(lines, r"Jméno: Pepík", "flat review: \"Jméno: Pepík\"")
    expect(lines, r"Životy: \d+", "flat review: \"Životy: <hit points>\"")
    expect(lines, r"Postřeh obj\.: \d+ %", "flat review: \"Postřeh obj.: <chance> %\"")
    expect(lines, r"Jméno Pepík|Životy \d|Postřeh obj\. \d|% %",
           "flat review: no caption is read twice", absent=True)
    key("KP_Subtract", label="leave flat review")

    said = key("Tab", "Tab", label="Tab x2 to \"Uložit\"")
    expect(said, r"Uložit " + BUTTON, "the save button has the focus")
    expect(said, r"Pozor: Pokud zadáte jméno souboru", "the save button tells the warning")

    said = key("shift+F10", label="Shift+F10: the sheet's menu")
    expect(said, r"Tisk osobního deníku", "the sheet's menu is read with its first entry")
    expect(key("Down"), r"Uložit jako PDF", "Down: the PDF entry is read")
    key("Escape", label="Escape closes the menu")

    said = key("Tab", label="Tab to \"Tip dne\"")
    said = key("Return", label="Return on \"Tip dne\"")
    wait_until(lambda: window("Tip") is not None, 10, "the tip window")
    tip = window("Tip")
    print("[accessible tree of \"Tip\"]")
    check(tip.getRoleName() in ("frame", "dialog"), "the tip window is a frame or a dialog",
          f"(role {tip.getRoleName()!r})")
    expect(said, r"Tip", "the tip window is read")
    key("Return", label="Return on \"OK\" of the tip window")

    print(f"run time: {time.time() - started:.0f} s")


if __name__ == "__main__":
    try:
        main()
    finally:
        stop_all()
    if failures:
        print("\nScreen reader check FAILED:")
        for failure in failures:
            print(f"  - {failure}")
        sys.exit(1)
    print("\nScreen reader check passed.")
