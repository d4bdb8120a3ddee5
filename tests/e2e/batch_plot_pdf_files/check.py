"""The two ticked frames are PDF files named "图号_图名.pdf" in the chosen folder, each one page of
the frame's own sheet the right way round, with the frame's texts in it; the unticked frame has
none. The saved choices are in the settings file in their order."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
out = os.path.join(tmp, "out")
names = sorted(os.listdir(out))
if names != ["建施-01_首层平面图.pdf", "建施-03_三层平面图.pdf"]:
    sys.exit("files %r" % names)
for name, number, title in [(names[0], "建施-01", "首层平面图"), (names[1], "建施-03", "三层平面图")]:
    pdf = os.path.join(out, name)
    if p.pages(pdf) != 1:
        sys.exit("%s: %d pages" % (name, p.pages(pdf)))
    if p.page_size_mm(pdf) != (841.0, 594.0):
        sys.exit("%s: page %r mm" % (name, p.page_size_mm(pdf)))
    text = p.text_of(pdf)
    if number not in text or title not in text:
        sys.exit("%s: text %r" % (name, text))
    box = p.box_of(pdf, number)
    # The title block's first line: 175 mm left of the frame's right edge, 12 mm up.
    if not box or abs(box[0] - (841 - 175)) > 3 or abs(box[3] - (594 - 12)) > 3:
        sys.exit("%s: %s at %r" % (name, number, box))
ini = open(os.path.join(tmp, "module", "SHEETCONFIG.INI"), encoding="utf-8").read()
section = ini[ini.index("[PLTSETTING]"):]
keys = [line.split("=")[0] for line in section.splitlines()[1:] if "=" in line]
if keys != ["SAVEPATH", "PLTCOUNT", "PLTSTYLE", "PLTDRIVER"]:
    sys.exit("PLTSETTING keys %r" % keys)
if "PLTDRIVER=DWG TO PDF.pc3" not in section or "PLTSTYLE=monochrome.ctb" not in section or "PLTCOUNT=1" not in section:
    sys.exit("PLTSETTING %r" % section)
