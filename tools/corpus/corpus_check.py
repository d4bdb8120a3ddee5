#!/usr/bin/python3
"""Runs vxhost over a folder of real DXF files and counts what happens to them.

Pass 1 (unedited): open, SAVEAS, compare. Identical means byte-equal once line ends are made
LF and the $HANDSEED value is set aside; a difference is grouped by the first record type
that differs; a refusal by the reason vxhost printed.
Pass 2 (edited): open, VXIS of a sample frame, SAVEAS; the result is checked with ezdxf (audit
errors, decoding errors, duplicate handles, dangling pointers), counting only what the input
file did not already have.

usage: corpus_check.py FOLDER [--vxhost PATH] [--module PATH] [--templates FOLDER]
                              [--frame NAME] [--jobs N] [--only unedited|edited] [--keep DIR]
"""
import argparse
import collections
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def normalised(data):
    data = data.replace(b"\r\n", b"\n")
    return re.sub(rb"(\$HANDSEED\n *5\n)[0-9A-Fa-f]+\n", rb"\1-\n", data)


def first_difference(a, b):
    """The record type (and group code) where two DXF texts first part."""
    la, lb = a.split(b"\n"), b.split(b"\n")
    rtype = b"?"
    for i in range(min(len(la), len(lb))):
        if i % 2 == 0 and la[i].strip() == b"0" and i + 1 < len(la):
            rtype = la[i + 1].strip()
        if la[i] != lb[i]:
            code = la[i - 1 if i % 2 else i].strip()
            return "%s (group %s)" % (rtype.decode("latin-1"), code.decode("latin-1"))
    return "length (%d vs %d lines)" % (len(la), len(lb))


def run_vxhost(args, cwd, env, script_lines, drawing, module):
    script = os.path.join(cwd, "s.scr")
    with open(script, "w", encoding="utf-8") as f:
        f.write("\n".join(script_lines) + "\n")
    cmd = [args.vxhost, drawing, "--script", script]
    cmd += ["--module", module] if module else ["--no-module"]
    try:
        r = subprocess.run(cmd, cwd=cwd, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=300)
    except subprocess.TimeoutExpired:
        return None, "timed out"
    return r.returncode, r.stdout.decode("utf-8", "replace") + r.stderr.decode("utf-8", "replace")


def refusal_reason(transcript, path):
    for line in transcript.splitlines():
        if path in line or "Cannot" in line or "cannot" in line:
            line = line.replace(path, "FILE")
            return re.sub(r"line \d+", "line N", line.strip())[:120]
    return "vxhost failed"


def unedited(args, path, work, env):
    out = os.path.join(work, "out.dxf")
    rc, log = run_vxhost(args, work, env, ["SAVEAS", out, "QUIT", "Y"], path, None)
    if rc is None or not os.path.exists(out):
        return ("refused", refusal_reason(log or "", path))
    a, b = normalised(open(path, "rb").read()), normalised(open(out, "rb").read())
    if a == b:
        return ("identical", "")
    return ("different", first_difference(a, b))


CHECK = r"""
import re, sys, ezdxf
from ezdxf import recover

def look(path):
    # recover is ezdxf's loader that decodes the \U+XXXX escapes through which pre-2007 files
    # carry characters outside their code page (plain readfile leaves them in table names and
    # then calls those names invalid); what it had to repair while loading counts as a problem.
    # Its decoder itself fails on lower-case escapes (\U+043d, as LibreCAD writes them): such a
    # file is read by the plain loader instead.
    try:
        doc, loading = recover.readfile(path)
        repaired = list(loading.errors)
    except ValueError:
        doc, repaired = ezdxf.readfile(path), []
    aud = doc.audit()
    kinds = {re.sub(r'"[^"]*"|\(#[0-9A-F]+\)|#[0-9A-F]+|line \d+', '', str(e.message))[:70]
             for e in repaired + list(aud.errors)}
    raw = open(path, 'rb').read()
    encoding = 'utf-8' if doc.dxfversion >= 'AC1021' else doc.encoding
    try:
        raw.decode(encoding)
        decodes = True
    except UnicodeDecodeError:
        decodes = False
    lines = raw.decode(encoding, errors='replace').replace('\r', '').split('\n')
    pairs = [(int(lines[i]), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]
    handles, pointers, section, rtype, markers = [], [], None, '', 0
    for k, (c, v) in enumerate(pairs):
        if c == 0:
            rtype = v.strip()
        if c == 2 and k > 0 and pairs[k - 1] == (0, 'SECTION'):
            section = v
        if c == 100:
            markers += 1
        if section == 'HEADER':
            continue
        if c == 105 or (c == 5 and rtype != 'DIMSTYLE'):
            handles.append(v.strip().upper())
        elif (330 <= c <= 369 or 390 <= c <= 399 or 480 <= c <= 481 or c == 1005) and v.strip() not in ('0', ''):
            pointers.append(v.strip().upper())
    hs = set(handles)
    dangling = sum(1 for p in pointers if p not in hs) if doc.dxfversion > 'AC1009' else 0
    return doc, kinds, decodes, len(handles) - len(hs), dangling, markers

try:
    before = look(sys.argv[2])
except Exception:
    before = (None, set(), True, 0, 0, 0)
try:
    doc, kinds, decodes, dups, dangling, markers = look(sys.argv[1])
except Exception as e:
    print('unreadable: %s' % type(e).__name__); sys.exit()
problems = []
if kinds - before[1]:
    problems.append('audit: ' + '; '.join(sorted(kinds - before[1])))
if not decodes and before[2]:
    problems.append('decoding errors')
if dups > before[3]:
    problems.append('duplicate handles')
if dangling > before[4]:
    problems.append('dangling pointers')
if doc.dxfversion <= 'AC1009' and markers > before[5]:
    problems.append('subclass markers in R12')
print('ok' if not problems else ' | '.join(problems))
"""


def edited(args, path, work, env, module):
    out = os.path.join(work, "edited.dxf")
    lines = ["VXIS", 'choose 120 "%s"' % args.frame, "click 137", "200,300", "SAVEAS", out, "QUIT", "Y"]
    rc, log = run_vxhost(args, work, env, lines, path, module)
    if rc is None or not os.path.exists(out):
        return ("refused", refusal_reason(log or "", path))
    r = subprocess.run(["/usr/bin/python3", "-c", CHECK, out, path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    verdict = r.stdout.decode("utf-8", "replace").strip().splitlines()
    verdict = verdict[-1] if verdict else "checker failed"
    converted = [l.strip() for l in log.splitlines() if "R12" in l]
    if verdict == "ok":
        return ("valid", converted[0] if converted else "")
    return ("invalid", verdict)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("folder")
    p.add_argument("--vxhost", default=os.path.join(TOP, "build/Sanitize/bin/vxhost"))
    p.add_argument("--module", default=os.path.join(TOP, "build/Sanitize/module/VorlixDesign.arx"))
    p.add_argument("--templates", default=os.path.join(TOP, "samples/templates/utf8"))
    p.add_argument("--frame", default="CODE-A3")
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--only", choices=["unedited", "edited"])
    p.add_argument("--list", action="store_true", help="print every file's verdict")
    args = p.parse_args()
    files = sorted(os.path.join(args.folder, f) for f in os.listdir(args.folder) if f.lower().endswith(".dxf"))
    base = tempfile.mkdtemp(prefix="vx-corpus-")
    modules = os.path.join(base, "module")
    os.makedirs(modules)
    shutil.copy(args.module, modules)
    default_att = os.path.join(os.path.dirname(args.module), "TKATT.ini")
    if os.path.exists(default_att):
        shutil.copy(default_att, modules)
    with open(os.path.join(modules, "SHEETCONFIG.INI"), "w", encoding="utf-8") as f:
        f.write("[SYSEMSET]\nSHEETTEMPPATH=%s\nDEPARTCODE=CODE\n" % os.path.abspath(args.templates))
    env = dict(os.environ, HOME=base, XDG_CONFIG_HOME=os.path.join(base, "config"),
               XDG_DATA_HOME=os.path.join(base, "data"), ASAN_OPTIONS="detect_leaks=0")
    module = os.path.join(modules, os.path.basename(args.module))

    def one(i_path):
        i, path = i_path
        work = os.path.join(base, "w%d" % i)
        os.makedirs(work)
        res = {}
        if args.only != "edited":
            res["unedited"] = unedited(args, path, work, env)
        if args.only != "unedited":
            res["edited"] = edited(args, path, work, env, module)
        shutil.rmtree(work, ignore_errors=True)
        return path, res

    results = collections.defaultdict(collections.Counter)
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        for path, res in pool.map(one, enumerate(files)):
            for kind, (verdict, why) in res.items():
                results[kind][(verdict, why)] += 1
                if args.list:
                    print("%s\t%s\t%s\t%s" % (kind, verdict, why, os.path.basename(path)))
    shutil.rmtree(base, ignore_errors=True)
    print("%d files in %s" % (len(files), args.folder))
    for kind in ("unedited", "edited"):
        if kind not in results:
            continue
        totals = collections.Counter()
        for (verdict, _), n in results[kind].items():
            totals[verdict] += n
        print("%s: %s" % (kind, ", ".join("%s %d" % kv for kv in sorted(totals.items()))))
        for (verdict, why), n in sorted(results[kind].items(), key=lambda kv: -kv[1]):
            if why:
                print("  %-9s %5d  %s" % (verdict, n, why))
    return 0


if __name__ == "__main__":
    sys.exit(main())
