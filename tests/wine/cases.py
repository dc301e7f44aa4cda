#!/usr/bin/env python3
"""The Windows programs run under Wine as a user runs them, one case a call.

Each case lays out a fresh tree on drives C:, D: and E: of the tests' own
Wine prefix (d: and e: are links in its dosdevices folder), starts kestrune
or morvale through winrun.exe with an exact environment, current directory
and per-drive directories, and checks what they print (CR LF made LF), their
32-bit status, what every stand-in received (directory, raw command line,
vector) and the files written.

  cases.py --config FILE --list        names of the cases
  cases.py --config FILE --setup       prepares the prefix and its drives
  cases.py --config FILE --case NAME   runs one case
  cases.py --config FILE --check-zip   checks the zip and its programs' DLLs
"""
import argparse
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

NOTICE = "Front end between design files and the fitter; part of the kestrune project."
BUILD_STAMP = re.compile(r"[A-Z][a-z]{2} [ \d]\d \d{4} \d\d:\d\d:\d\d")
SCRATCH = re.compile(r"T0[0-9a-v]\.[0-9a-v]{3}")

CTL = ("DEVICE: INDESIGN \r\nTIMING_OPT: OFF  \r\nFASTCLOCK_OPT: INDESIGN \r\n"
       "UIM_OPT: INDESIGN \r\nFOE_OPT: INDESIGN \r\nLOWPWR: INDESIGN \r\n"
       "DRIVE_UNUSED_IO: OFF \r\nIGNORE_PIN_ASSIGNMENT: OFF \r\nIGNORE_TSPEC: ON \r\n")
CST = 'TIMESPEC = "TSO1=FROM:FFS:TO:FFS=100"; \r\n'
TOOLS = ["ombrel.exe", "halvend.exe", "caskel.exe"]
# Imports a program may have: the system's own DLLs, none of the compiler's.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "advapi32.dll", "user32.dll", "ntdll.dll",
               "shell32.dll", "ws2_32.dll", "bcrypt.dll"}

# In the texts below {c} is the case's name, which keeps the trees of cases
# that run at the same time apart, and {S} the scratch name the conversion
# tool was given.
BIN = r"C:\kt\{c}\bin"
T = r"C:\kt\{c}\tools"
START = r"C:\kt\{c}\start"
WORK = r"D:\{c}\work"


def rec(tool, cwd, cmdline, *args):
    """What a stand-in received: its directory, raw command line, vector."""
    return (tool, cwd, cmdline, list(args))


def ombrel(cwd, tooldir=T, pla="adder.pla", line_pla=None):
    """The conversion tool's record for a run with a scratch name."""
    exe = tooldir + r"\ombrel.exe"
    quoted = '"' + exe + '"' if " " in exe else exe
    return rec("ombrel", cwd, f"{quoted} {line_pla or pla} {{S}}", exe, pla, "{S}")


def halvend(cwd, tooldir=T, base="adder"):
    exe = tooldir + r"\halvend.exe"
    quoted = '"' + exe + '"' if " " in exe else exe
    names = [base + ".cst", base + ".pds"]
    line = " ".join('"' + n + '"' if " " in n else n for n in names)
    return rec("halvend", cwd, f"{quoted} -cst  {line}", exe, "-cst", *names)


def caskel(cwd, pdspath=WORK + r"\adder.pds", base="adder"):
    exe = T + r"\caskel.exe"
    return rec("caskel", cwd, f"{exe} -h -zarn -e {pdspath} -s {base}",
               exe, "-h", "-zarn", "-e", pdspath, "-s", base)


def trace(tooldir=T, pla="adder.pla", ran=True):
    """kestrune's lines up to the launch of the conversion tool, and the
    line the stand-in prints when it ran."""
    exe = tooldir + r"\ombrel.exe"
    return (f"argc = 2  argv = {BIN}\\kestrune.exe \n"
            f"Program name: {exe}\narg[0] = {exe}\narg[1] = {pla}\narg[2] = {{S}}\n" +
            (f"ombrel: {pla} {{S}}\n" if ran else ""))


def k_done(base="adder"):
    """kestrune's lines after a successful conversion."""
    return (f"Ombrel spawn returned: 0 \nhalvend: -cst {base}.cst {base}.pds\n"
            "Ombrel spawn returned: 0 \n")


def written(d, base="adder"):
    return {fr"{d}\{base}.ctl": CTL, fr"{d}\{base}.cst": CST, fr"{d}\{base}.pds": None}


def case(prog, design, out, status, records, files=None, env=None, drives=None, tools=None,
         make=None, cmdline=None, inherit=None):
    return dict(prog=prog, design=design, out=out, status=status, records=records,
                files=files or {}, env=env or {}, drives=drives or {}, tools=tools,
                make=make or {}, cmdline=cmdline, inherit=inherit or [])


K_OK = trace() + k_done()
CASES = {
    # The first PATH element holds nothing; the second ends in a backslash.
    "k_main": case("kestrune", WORK + r"\adder.pla", K_OK, 0,
                   [ombrel(WORK), halvend(WORK)], written(WORK),
                   env={"PATH": r"C:\kt\{c}\none;C:\kt\{c}\tools" + "\\"},
                   drives={"D": r"D:\{c}\last"}),
    "k_lower_drive": case("kestrune", r"d:\{c}\work\adder.pla", K_OK, 0,
                          [ombrel(WORK), halvend(WORK)], written(WORK)),
    # The drive alone: its last directory becomes current, none is changed.
    "k_drive_relative": case("kestrune", "D:adder.pla",
                             trace() + k_done(), 0,
                             [ombrel(r"D:\{c}\last"), halvend(r"D:\{c}\last")],
                             written(r"D:\{c}\last"), drives={"D": r"D:\{c}\last"},
                             make={r"D:\{c}\last\adder.pla": "design\n"}),
    "k_slashes": case("kestrune", "D:/{c}/work/adder.pla", K_OK, 0,
                      [ombrel(WORK), halvend(WORK)], written(WORK)),
    "k_root": case("kestrune", r"D:\k_root.pla",
                   trace(pla="k_root.pla") + k_done("k_root"), 0,
                   [ombrel("D:\\", pla="k_root.pla"), halvend("D:\\", base="k_root")],
                   written("D:", "k_root"), make={r"D:\k_root.pla": "design\n"}),
    # Blanks in the tools' directory and in the design's names reach the
    # tools whole; C:\kt\{c}\my.exe is there to be started by mistake.
    "k_blanks": case("kestrune", r"D:\{c}\my work\my adder.pla",
                     trace(r"C:\kt\{c}\my tools", "my adder.pla")
                     + k_done("my adder"), 0,
                     [ombrel(r"D:\{c}\my work", r"C:\kt\{c}\my tools", "my adder.pla",
                             '"my adder.pla"'),
                      halvend(r"D:\{c}\my work", r"C:\kt\{c}\my tools", "my adder")],
                     written(r"D:\{c}\my work", "my adder"),
                     env={"PATH": r"C:\kt\{c}\my tools"},
                     make={r"D:\{c}\my work\my adder.pla": "design\n"},
                     tools={r"C:\kt\{c}\my tools": TOOLS, r"C:\kt\{c}": ["my.exe"]}),
    # Started by its bare name, it still knows its full path.
    "k_no_design": case("kestrune", None,
                        f"argc = 1  argv = {BIN}\\kestrune.exe \nKESTRUNE {{STAMP}}\n"
                        f"{NOTICE}\n\n", 0xFFFFFFFF, [], cmdline="kestrune"),
    # ombrel.com in the start directory is found before ombrel.exe in the
    # program's; the composed path names the .exe, which is not there.
    "k_com_found_first": case("kestrune", WORK + r"\adder.pla",
                              trace(START, ran=False) + f"[0004xl] could not find program:  "
                              f"{START}\\ombrel.exe\n", 4, [],
                              tools={START: ["ombrel.com"], BIN: TOOLS}),
    "k_conversion_crash": case("kestrune", WORK + r"\adder.pla",
                               trace() + "Ombrel spawn returned: -1073741819 \n", 0xC0000005,
                               [ombrel(WORK)], env={"STANDIN_CRASH_OMBREL": "1"}),
    "k_fitting_make_crash": case("kestrune", WORK + r"\adder.pla",
                                 trace() + "Ombrel spawn returned: 0 \nhalvend: -cst adder.cst "
                                 "adder.pds\nOmbrel spawn returned: -1073741819 \n", 0xC0000005,
                                 [ombrel(WORK), halvend(WORK)], written(WORK),
                                 env={"STANDIN_EXIT_HALVEND": "0xC0000005"}),
    "k_minus_one_is_success": case("kestrune", WORK + r"\adder.pla",
                                   trace() + "Ombrel spawn returned: -1 \nhalvend: -cst adder.cst "
                                   "adder.pds\nOmbrel spawn returned: 0 \n", 0,
                                   [ombrel(WORK), halvend(WORK)], written(WORK),
                                   env={"STANDIN_EXIT_OMBREL": "-1"}),
    "k_missing_drive": case("kestrune", r"Q:\{c}\work\adder.pla",
                            f"argc = 2  argv = {BIN}\\kestrune.exe \n[0007xl] could not change "
                            "to specified directory:  Q:\\{c}\\work\n", 7, []),
    "k_missing_dir": case("kestrune", r"D:\{c}\missing\adder.pla",
                          f"argc = 2  argv = {BIN}\\kestrune.exe \n[0007xl] could not change "
                          "to specified directory:  \\{c}\\missing\n", 7, []),
    "k_no_path": case("kestrune", WORK + r"\adder.pla",
                      f"argc = 2  argv = {BIN}\\kestrune.exe \n"
                      "[0006xl] could not find PATH in ENVIRONMENT\n", 6, [],
                      env={"PATH": None}),
    # Another drive in ORVAN: its last directory is where the fitter runs.
    # Each drive left on the way keeps its directory, for the tools too. The
    # names are matched without regard to case.
    "m_other_drive": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\ncaskel: -h "
                          r"-zarn -e D:\{c}\work\adder.pds -s adder" + "\n", 0,
                          [ombrel(WORK), caskel(r"E:\{c}\last")],
                          env={"PATH": None, "Path": T, "Orvan": r"E:\{c}\fit"},
                          drives={"E": r"E:\{c}\last"},
                          inherit=2 * [START + "\\;" + WORK + r"\;E:\{c}\last" + "\\;"]),
    "m_lower_drives": case("morvale", r"d:\{c}\work\adder.pla", "ombrel: adder.pla {S}\ncaskel: "
                           r"-h -zarn -e d:\{c}\work\adder.pds -s adder" + "\n", 0,
                           [ombrel(WORK), caskel(r"E:\{c}\last", r"d:\{c}\work\adder.pds")],
                           env={"ORVAN": r"e:\{c}\fit"}, drives={"E": r"E:\{c}\last"}),
    "m_drive_root": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\ncaskel: -h "
                         r"-zarn -e D:\{c}\work\adder.pds -s adder" + "\n", 0,
                         [ombrel(WORK), caskel("E:\\")], env={"ORVAN": r"E:\{c}\fit"}),
    "m_start_drive": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\ncaskel: -h "
                          r"-zarn -e D:\{c}\work\adder.pds -s adder" + "\n", 0,
                          [ombrel(WORK), caskel(WORK)], env={"ORVAN": r"C:\fit"},
                          drives={"E": r"E:\{c}\last"}),
    "m_no_drive": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\ncaskel: -h "
                       r"-zarn -e D:\{c}\work\adder.pds -s adder" + "\n", 0,
                       [ombrel(WORK), caskel(WORK)], env={"ORVAN": r"\fit"}),
    "m_slashes": case("morvale", "D:/{c}/work/adder.pla", "ombrel: adder.pla {S}\ncaskel: -h "
                      r"-zarn -e D:/{c}/work/\adder.pds -s adder" + "\n", 0,
                      [ombrel(WORK), caskel(r"E:\{c}\last", r"D:/{c}/work/\adder.pds")],
                      env={"ORVAN": r"E:\{c}\fit"}, drives={"E": r"E:\{c}\last"}),
    "m_no_orvan": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\n\nYOU MUST FIRST "
                       "SET THE ORVAN ENVIRONMENT VARIABLE \n", 0xFFFFFFFF, [ombrel(WORK)]),
    "m_fitting_crash": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\ncaskel: -h "
                            r"-zarn -e D:\{c}\work\adder.pds -s adder" + "\n", 1,
                            [ombrel(WORK), caskel(WORK)],
                            env={"ORVAN": r"\fit", "STANDIN_CRASH_CASKEL": "1"}),
    "m_minus_one_is_success": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\n"
                                   r"caskel: -h -zarn -e D:\{c}\work\adder.pds -s adder" + "\n", 0,
                                   [ombrel(WORK), caskel(WORK)],
                                   env={"ORVAN": r"\fit", "STANDIN_EXIT_CASKEL": "-1"}),
    "m_conversion_crash": case("morvale", WORK + r"\adder.pla", "ombrel: adder.pla {S}\n",
                               0xC0000005, [ombrel(WORK)],
                               env={"ORVAN": r"\fit", "STANDIN_EXIT_OMBREL": "0xC0000005"}),
}


class Layout:
    """Where the drives of the prefix lie on this side."""

    def __init__(self, config):
        self.cfg = config
        self.prefix = config["prefix"]
        self.drives = {"C": os.path.join(self.prefix, "drive_c"),
                       "D": os.path.join(config["work"], "d"),
                       "E": os.path.join(config["work"], "e")}

    def host(self, winpath):
        drive, rest = winpath[0].upper(), winpath[2:].replace("\\", "/").lstrip("/")
        return os.path.join(self.drives[drive], rest)

    def wine(self, *args, out=None):
        """Runs a Windows program; its output goes to files, not pipes."""
        with tempfile.TemporaryFile() as o, tempfile.TemporaryFile() as e:
            status = subprocess.run([self.cfg["wine_run"], self.prefix, *args], stdout=o,
                                    stderr=e, stdin=subprocess.DEVNULL, timeout=120).returncode
            o.seek(0)
            e.seek(0)
            return status, o.read(), e.read()


def winpath(hostpath):
    return "Z:" + os.path.abspath(hostpath).replace("/", "\\")


def setup(lay):
    # The first run creates the prefix. A crashing program would start Wine's
    # debugger, which prints to the console the crash is tested on: the
    # prefix names a debugger that does not exist, so none starts.
    key = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
    status, out, err = lay.wine("reg.exe", "add", key, "/v", "Debugger", "/d",
                                "no-debugger.exe", "/f")
    if status != 0:
        sys.exit(f"reg add failed ({status}): {out!r} {err!r}")
    for letter in "de":
        target = lay.drives[letter.upper()]
        os.makedirs(target, exist_ok=True)
        link = os.path.join(lay.prefix, "dosdevices", letter + ":")
        if os.path.islink(link) or os.path.exists(link):
            os.remove(link)
        os.symlink(target, link)


def fill(text, c, scratch="{S}"):
    return text.replace("{c}", c).replace("{S}", scratch)


def read_log(path):
    records = []
    if not os.path.exists(path):
        return records, []
    tool = cwd = line = None
    args = []
    drives = []
    with open(path, "rb") as f:
        for raw in f.read().decode("latin-1").split("\n"):
            key, _, value = raw.partition("=")
            if key == "tool":
                tool, cwd, line, args = value, None, None, []
            elif key == "cwd":
                cwd = value
            elif key == "cmdline":
                line = value
            elif key == "drives":
                drives.append(value)
            elif key == "arg":
                args.append(value)
            elif key == "end":
                records.append((tool, cwd, line, args))
    return records, drives


def run_case(lay, name):
    c = CASES[name]
    # A fresh tree each time: the case's directories, and its files in D:\.
    for d in (r"C:\kt\{c}", r"D:\{c}", r"E:\{c}"):
        shutil.rmtree(lay.host(fill(d, name)), ignore_errors=True)
    for f in glob.glob(os.path.join(lay.drives["D"], name + ".*")):
        os.remove(f)
    # The tree: the programs in bin, the stand-ins, the design in D:\{c}\work
    # and the per-drive directories the case seeds.
    binary = {"kestrune": lay.cfg["kestrune"], "morvale": lay.cfg["morvale"]}
    tools = c["tools"] if c["tools"] is not None else {T: TOOLS}
    for d in [START, WORK, r"D:\{c}\last", r"E:\{c}\fit", r"E:\{c}\last"]:
        os.makedirs(lay.host(fill(d, name)), exist_ok=True)
    os.makedirs(lay.host(fill(BIN, name)), exist_ok=True)
    for prog, exe in binary.items():
        shutil.copyfile(exe, lay.host(fill(BIN + "\\" + prog + ".exe", name)))
    for d, names in tools.items():
        os.makedirs(lay.host(fill(d, name)), exist_ok=True)
        for tool in names:
            shutil.copyfile(lay.cfg["standin"], lay.host(fill(d + "\\" + tool, name)))
    design = fill(c["design"], name) if c["design"] else None
    # The design file where its directory exists, unless the case says
    # which files it makes (their directories then made too).
    for path, text in c["make"].items():
        host = lay.host(fill(path, name))
        os.makedirs(os.path.dirname(host), exist_ok=True)
        with open(host, "w") as f:
            f.write(text)
    if design and not c["make"] and design[0].upper() in lay.drives:
        host = lay.host(design)
        if os.path.isdir(os.path.dirname(host)):
            with open(host, "w") as f:
                f.write("design\n")

    log = fill(r"C:\kt\{c}\log.txt", name)
    env = {"PATH": T, "STANDIN_LOG": log}
    env.update(c["env"])
    lines = [f"program {fill(BIN, name)}\\{c['prog']}.exe"]
    quoted = f'"{design}"' if design and " " in design else design
    cmdline = c["cmdline"] or f"{c['prog']} {quoted}"
    lines.append("cmdline " + fill(cmdline, name))
    lines.append("cwd " + fill(START, name))
    for letter, d in sorted(c["drives"].items()):
        lines.append(f"env ={letter}:={fill(d, name)}")
    for key, value in env.items():
        if value is not None:
            lines.append(f"env {key}={fill(value, name)}")
    status_file = os.path.join(lay.cfg["work"], "cases", name + ".status")
    spec_file = os.path.join(lay.cfg["work"], "cases", name + ".spec")
    os.makedirs(os.path.dirname(spec_file), exist_ok=True)
    lines.append("status " + winpath(status_file))
    with open(spec_file, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    if os.path.exists(status_file):
        os.remove(status_file)

    rc, out, err = lay.wine(lay.cfg["winrun"], winpath(spec_file))
    faults = []
    if rc != 0:
        sys.exit(f"winrun failed ({rc}): {err.decode(errors='replace')}")
    with open(status_file) as f:
        status = f.read().strip()

    got, got_drives = read_log(lay.host(log))
    text = out.decode("latin-1")
    # The scratch name depends on the process id: it is taken from what the
    # conversion tool received, or else from kestrune's trace.
    scratch = "{S}"
    if got and got[0][0] == "ombrel" and len(got[0][3]) > 2:
        scratch = got[0][3][2]
    elif m := re.search(r"arg\[2\] = (\S*)", text):
        scratch = m.group(1)
    if scratch != "{S}" and not SCRATCH.fullmatch(scratch):
        faults.append(f"scratch name {scratch!r} is not T0?.???")
    if "\n" in text.replace("\r\n", "") or "\r" in text.replace("\r\n", ""):
        faults.append("output has a line end other than CR LF")
    text = BUILD_STAMP.sub("{STAMP}", text.replace("\r\n", "\n"))
    want = fill(c["out"], name, scratch)
    if text != want:
        faults.append(f"output\n--- want\n{want}--- got\n{text}---")
    want_status = f"0x{c['status']:08X}"
    if status != want_status:
        faults.append(f"status {status}, want {want_status}")
    want_records = [(t, fill(cwd, name, scratch), fill(line, name, scratch),
                     [fill(a, name, scratch) for a in args])
                    for t, cwd, line, args in c["records"]]
    if got != want_records:
        faults.append("tools received\n  want " + "\n       ".join(map(repr, want_records)) +
                      "\n  got  " + "\n       ".join(map(repr, got)))
    want_drives = [fill(d, name) for d in c["inherit"]]
    if want_drives and got_drives != want_drives:
        faults.append(f"drive directories the tools inherited: {got_drives}, want {want_drives}")
    for path, content in c["files"].items():
        host = lay.host(fill(path, name))
        if not os.path.isfile(host):
            faults.append(f"{fill(path, name)} was not written")
        elif content is not None:
            with open(host, "rb") as f:
                data = f.read().decode("latin-1")
            if data != content:
                faults.append(f"{fill(path, name)} holds {data!r}, want {content!r}")
    if faults:
        sys.exit(f"case {name}:\n" + "\n".join(faults))


def check_zip(cfg):
    """The zip holds the two programs and the README, and the programs load
    nothing but the system's DLLs."""
    with zipfile.ZipFile(cfg["zip"]) as z, tempfile.TemporaryDirectory() as tmp:
        names = sorted(n for n in z.namelist() if not n.endswith("/"))
        top = cfg["zip_dir"] + "/"
        want = sorted(top + n for n in ["README.md", "kestrune.exe", "morvale.exe"])
        if names != want:
            sys.exit(f"zip holds {names}, want {want}")
        z.extractall(tmp)
        for exe in ("kestrune.exe", "morvale.exe"):
            dump = subprocess.run([cfg["objdump"], "-p", os.path.join(tmp, top, exe)],
                                  capture_output=True, text=True, check=True).stdout
            dlls = {m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)}
            if not dlls or not dlls <= SYSTEM_DLLS:
                sys.exit(f"{exe} imports {sorted(dlls)}; allowed: {sorted(SYSTEM_DLLS)}")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--config", required=True)
    g = p.add_mutually_exclusive_group(required=True)
    g.add_argument("--list", action="store_true")
    g.add_argument("--setup", action="store_true")
    g.add_argument("--case")
    g.add_argument("--check-zip", action="store_true")
    a = p.parse_args()
    if a.list:
        print(";".join(CASES))
        return
    with open(a.config) as f:
        cfg = json.load(f)
    if a.check_zip:
        check_zip(cfg)
    elif a.setup:
        setup(Layout(cfg))
    else:
        run_case(Layout(cfg), a.case)


if __name__ == "__main__":
    main()
