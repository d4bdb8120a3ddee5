"""Page sizes and where the title block lands: on an unturned page at the lower right of the
frame, on a turned one its text runs upwards from the page's upper part."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]


def check(pdf, size, turned):
    path = os.path.join(tmp, pdf)
    if p.page_size_mm(path) != size:
        sys.exit("%s: page %r mm, expected %r" % (pdf, p.page_size_mm(path), size))
    number = "R-01" if "R-01" in pdf else "R-02"
    box = p.box_of(path, number)
    if not box:
        sys.exit("%s: no %s in %r" % (pdf, number, p.word_boxes(path)))
    x0, y0, x1, y1 = box
    upright = (x1 - x0) > (y1 - y0)
    if turned == upright:
        sys.exit("%s: %s runs %s: %r" % (pdf, number, "across" if upright else "upwards", box))
    in_lower_right = x0 > size[0] / 2 and y1 > size[1] / 2
    if not turned and not in_lower_right:
        sys.exit("%s: the title block is not at the lower right: %r" % (pdf, box))
    if turned and y1 > size[1] / 2:
        sys.exit("%s: the turned title block is not in the page's upper half: %r" % (pdf, box))


check("portrait/R-01_横图.pdf", (594.0, 841.0), True)
check("landscape/R-01_横图.pdf", (841.0, 594.0), False)
check("landscape/R-02_方图.pdf", (841.0, 594.0), True)
