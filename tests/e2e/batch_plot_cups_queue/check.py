"""The preview is the first row's own A1 sheet (841 x 594 mm at 100 dpi), not the override's A3.
Both frames went to the queue as two jobs, and each job came out of it as one A3 page
(297 x 420 either way round). The jobs are found by the numbers the transcript gives them, so
other jobs printed to the same queue at the same time (the desktop host runs this case too) are
never taken for ours."""
import glob
import os
import pwd
import re
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
with open(os.path.join(tmp, ".cache", "vxhost", "preview", "input-preview.png"), "rb") as f:
    width, height = struct.unpack(">II", f.read(24)[16:24])
if abs(width - 3311) > 2 or abs(height - 2339) > 2:
    sys.exit("preview of %d x %d pixels, not an A1 sheet" % (width, height))
transcript = open(os.path.join(tmp, "transcript.txt"), encoding="utf-8").read()
jobs = re.findall(r" as job (\d+)\.", transcript)
if len(jobs) != 2:
    sys.exit("%d print jobs in the transcript, not 2:\n%s" % (len(jobs), transcript))
folder = os.environ.get("VX_TEST_CUPS_PDF_DIR") or os.path.join(pwd.getpwuid(os.getuid()).pw_dir, "PDF")


def output_of(job):
    """The file cups-pdf wrote for `job` once poppler reads it whole, or None after a minute."""
    for _ in range(120):
        for pdf in glob.glob(os.path.join(folder, "*-job_%s.pdf" % job)):
            try:
                if p.pages(pdf) > 0:
                    return pdf
            except (subprocess.CalledProcessError, AttributeError):
                pass  # still being written
        time.sleep(0.5)
    return None


for job in jobs:
    pdf = output_of(job)
    if pdf is None:
        sys.exit("job %s did not come out in %s" % (job, folder))
    size = sorted(p.page_size_mm(pdf))
    if p.pages(pdf) != 1 or abs(size[0] - 297) > 1 or abs(size[1] - 420) > 1:
        sys.exit("%s: %d pages of %r mm" % (pdf, p.pages(pdf), size))
