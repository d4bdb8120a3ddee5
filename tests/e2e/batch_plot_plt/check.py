"""The PLT file is HP-GL/2 that hp2xx reads back into a picture as wide as the A2 sheet."""
import os
import subprocess
import sys
import tempfile

plt = os.path.join(sys.argv[1], "out", "结施-01_基础平面图.plt")
data = open(plt, "rb").read()
if not data.startswith(b"\x1b%-12345X") and b"IN;" not in data[:64]:
    sys.exit("no HP-GL/2 start: %r" % data[:32])
with tempfile.TemporaryDirectory() as tmp:
    eps = os.path.join(tmp, "sheet.eps")
    run = subprocess.run(["hp2xx", "-q", "-t", "-m", "eps", "-f", eps, plt], capture_output=True, text=True)
    if run.returncode != 0 or not os.path.exists(eps):
        sys.exit("hp2xx could not read the file: %s%s" % (run.stdout, run.stderr))
    box = [l for l in open(eps, errors="replace") if l.startswith("%%BoundingBox:")]
    if not box:
        sys.exit("hp2xx drew nothing")
    x0, y0, x1, y1 = (float(v) for v in box[0].split()[1:5])
    width_mm = (x1 - x0) * 25.4 / 72
    if not 300 < width_mm < 600:
        sys.exit("hp2xx's picture is %.0f mm wide" % width_mm)
