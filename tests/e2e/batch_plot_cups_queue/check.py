"""Two jobs reached the queue's output folder, each one A3 page (297 x 420 either way round)."""
import glob
import os
import pwd
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
started = float(open(os.path.join(tmp, "started")).read())
folder = os.environ.get("VX_TEST_CUPS_PDF_DIR") or os.path.join(pwd.getpwuid(os.getuid()).pw_dir, "PDF")
found = []
for _ in range(120):
    found = [f for f in glob.glob(os.path.join(folder, "*.pdf")) if os.path.getmtime(f) >= started]
    if len(found) >= 2:
        break
    time.sleep(0.5)
if len(found) != 2:
    sys.exit("%d new PDF files in %s" % (len(found), folder))
time.sleep(1)
for pdf in found:
    size = sorted(p.page_size_mm(pdf))
    if p.pages(pdf) != 1 or abs(size[0] - 297) > 1 or abs(size[1] - 420) > 1:
        sys.exit("%s: %d pages of %r mm" % (pdf, p.pages(pdf), size))
