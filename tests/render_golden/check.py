#!/usr/bin/python3
"""Golden renders: each drawing of drawings.py, and a sheet of the sample project, plotted by
vxplot to PNG and compared with the reviewed picture in expected/. A picture passes when at most
0.5 % of its pixels differ by more than 64 in a channel (antialiasing may move an edge by a
pixel); a changed size fails. With --update the pictures are written anew instead: look at every
one of them before committing it (scripts/regen-golden.sh).

usage: check.py VXPLOT SAMPLE_DRAWING [--update]
"""
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops

import drawings

HERE = os.path.dirname(os.path.abspath(__file__))
EXPECTED = os.path.join(HERE, "expected")
DPI = "40"


def plot(vxplot, drawing, window, out, paper="A4"):
    args = [vxplot, drawing, "--window", ",".join("%g" % v for v in window), "--paper", paper,
            "--dpi", DPI, "--out", out]
    r = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)
    if r.returncode != 0 or not os.path.exists(out):
        raise RuntimeError("vxplot failed on %s:\n%s" % (drawing, r.stdout.decode("utf-8", "replace")))


def differs(actual, expected):
    """Why two pictures differ, or None."""
    a, e = Image.open(actual).convert("RGB"), Image.open(expected).convert("RGB")
    if a.size != e.size:
        return "size %s, expected %s" % (a.size, e.size)
    diff = ImageChops.difference(a, e).convert("L").point(lambda v: 255 if v > 64 else 0)
    changed = sum(1 for v in diff.getdata() if v)
    share = changed / float(a.size[0] * a.size[1])
    return "%d pixels (%.2f %%) differ" % (changed, 100 * share) if share > 0.005 else None


def sample_window(sample):
    """The extents of the sample project's 门窗表 frame (its lines only: text extents would depend
    on the fonts ezdxf finds), found with ezdxf."""
    import ezdxf
    from ezdxf import bbox
    doc = ezdxf.readfile(sample)
    for ref in doc.modelspace().query("INSERT"):
        if any(a.dxf.text == "门窗表" for a in ref.attribs):
            lines = [e for e in ref.virtual_entities() if e.dxftype() in ("LINE", "LWPOLYLINE")]
            box = bbox.extents(lines)
            return (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y)
    raise RuntimeError("the sample project has no 门窗表 sheet")


def main():
    vxplot, sample = sys.argv[1], sys.argv[2]
    update = "--update" in sys.argv[3:]
    os.makedirs(EXPECTED, exist_ok=True)
    failures = []
    with tempfile.TemporaryDirectory(prefix="vx-golden-") as work:
        jobs = []
        for name in drawings.CASES:
            dxf = os.path.join(work, name + ".dxf")
            jobs.append((name, dxf, drawings.make(name, dxf), "A4"))
        jobs.append(("sample_door_window_schedule", sample, sample_window(sample), "A3"))
        for name, dxf, window, paper in jobs:
            out = os.path.join(work, name + ".png")
            plot(vxplot, dxf, window, out, paper)
            expected = os.path.join(EXPECTED, name + ".png")
            if update:
                os.replace(out, expected)
                print("wrote", expected)
                continue
            if not os.path.exists(expected):
                failures.append("%s: no expected picture (run scripts/regen-golden.sh)" % name)
                continue
            why = differs(out, expected)
            if why:
                kept = os.path.join(os.getcwd(), name + ".actual.png")
                os.replace(out, kept)
                failures.append("%s: %s (this run's picture: %s)" % (name, why, kept))
            else:
                print("same:", name)
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
