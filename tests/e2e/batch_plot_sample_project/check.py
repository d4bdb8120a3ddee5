"""One PDF file per frame, each named "<工程名称>_<图号>_<图名>.pdf" from the frame's own title
block (the catalogue sheet has neither number nor name), one page of the frame's own sheet
holding that frame's number and name. (Sheets refer to each other by number, so another
frame's number on a page proves nothing; the plot tests check windows against neighbours.)"""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
frames = []
for ref in ezdxf.readfile(os.path.join(tmp, "input.dxf")).modelspace().query('INSERT[layer=="C-TK"]'):
    texts = {a.dxf.tag: a.dxf.text for a in ref.attribs}
    frames.append((texts["工程名称"], texts.get("图号", ""), texts.get("图名", ""), ref.dxf.name))
if len(frames) != 9:
    sys.exit("the sample has %d frames" % len(frames))
out = os.path.join(tmp, "out")
expected = sorted("%s_%s_%s.pdf" % f[:3] for f in frames)
names = sorted(os.listdir(out))
if names != expected:
    sys.exit("files %r, expected %r" % (names, expected))
# Sheets by the frame block's size; the lengthened A1 keeps its length, the catalogue stands up.
SHEETS = {"CODE-A0": (1189.0, 841.0), "CODE-A1": (841.0, 594.0), "CODE-A2": (594.0, 420.0),
          "CODE-A3": (420.0, 297.0), "CODE-A1+1-4": (1051.0, 594.0), "CODE-目录单": (210.0, 297.0)}
for project, number, title, block in frames:
    pdf = os.path.join(out, "%s_%s_%s.pdf" % (project, number, title))
    if p.pages(pdf) != 1 or p.page_size_mm(pdf) != SHEETS[block]:
        sys.exit("%s: %d pages of %r mm" % (pdf, p.pages(pdf), p.page_size_mm(pdf)))
    text = p.text_of(pdf)
    # The title may be set in more than one line or run; its characters are all there in order.
    squeezed = "".join(text.split())
    if number not in squeezed or "".join(title.split()) not in squeezed:
        sys.exit("%s: %s / %s not in %r" % (pdf, number, title, text))
