#!/usr/bin/python3
"""The shipped demonstration script, as scripts/run.sh runs it: every line used (vxhost exits
non-zero otherwise), a transcript with no "**" complaint and no mixed path separators, and the
batch plots it makes in /tmp/vorlix-demo-plots: every frame of the sample project as a PDF on
its own sheet, the right way round, and the ground floor plan as a PLT that hp2xx reads.

  demo_script.py VXSETTINGS TEMPLATES VXHOST WORKDIR SCRIPT"""
import glob
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import plot_drawing as p

PLOTS = "/tmp/vorlix-demo-plots"
PROJECT = "滨江花园住宅小区_"
# Every sheet of the sample project and the paper (width x height, mm) its frame asks for.
SHEETS = {
    "_": (210, 297),
    "建施-01_建筑设计说明": (841, 594),
    "建施-02_门窗表": (420, 297),
    "建施-03_首层平面图": (841, 594),
    "建施-04_二至六层平面图": (841, 594),
    "建施-05_屋顶平面图": (841, 594),
    "建施-06_南立面图 北立面图": (1189, 841),
    "建施-07_东、西立面图 1-1剖面图": (1051, 594),
    "建施-08_楼梯详图": (594, 420),
}


def main():
    vxsettings, templates, vxhost, workdir, script = sys.argv[1:6]
    subprocess.run([vxsettings, templates], check=True, stdout=subprocess.DEVNULL)
    os.makedirs(PLOTS, exist_ok=True)
    for old in glob.glob(os.path.join(PLOTS, "*.pdf")) + glob.glob(os.path.join(PLOTS, "*.plt")):
        os.remove(old)
    run = subprocess.run([vxhost, "--script", script], cwd=workdir, stdin=subprocess.DEVNULL,
                         capture_output=True, timeout=300)
    transcript = run.stdout.decode("utf-8", "replace")
    problems = []
    if run.returncode != 0:
        problems.append("vxhost exited with %d\n%s" % (run.returncode, run.stderr.decode("utf-8", "replace")))
    problems += ["complaint: " + line for line in transcript.splitlines() if line.startswith("**")]
    progress = [line for line in transcript.splitlines() if line.startswith("正在打印第")]
    if len(progress) != len(SHEETS) + 1:
        problems.append("%d progress lines, not %d" % (len(progress), len(SHEETS) + 1))
    problems += ["mixed separators: " + line for line in progress if "\\" in line]
    for stem, (width, height) in SHEETS.items():
        pdf = os.path.join(PLOTS, PROJECT + stem + ".pdf")
        if not os.path.exists(pdf):
            problems.append("no " + pdf)
            continue
        if p.pages(pdf) != 1 or p.page_size_mm(pdf) != (width, height):
            problems.append("%s: %d pages of %r mm, not one of %r" % (pdf, p.pages(pdf), p.page_size_mm(pdf), (width, height)))
    made = sorted(os.path.basename(f) for f in glob.glob(os.path.join(PLOTS, "*.pdf")))
    if len(made) != len(SHEETS):
        problems.append("PDF files made: %r" % made)
    plt = os.path.join(PLOTS, PROJECT + "建施-03_首层平面图.plt")
    if not os.path.exists(plt):
        problems.append("no " + plt)
    else:
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "plan.eps")
            read = subprocess.run(["hp2xx", "-q", "-m", "eps", "-f", out, plt], capture_output=True)
            if read.returncode != 0 or not os.path.exists(out):
                problems.append("hp2xx does not read %s: %s" % (plt, read.stderr.decode("utf-8", "replace")))
    for problem in problems:
        print(problem)
    if problems:
        print(transcript)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
