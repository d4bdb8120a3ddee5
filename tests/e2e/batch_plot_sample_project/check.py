"""Twelve PDF files, one per frame, each named "<工程名称>_<图号>_<图名>.pdf" from the frame's own
title block, one A1 page in landscape holding that frame's number and name (and no other
frame's number)."""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
frames = []
for ref in ezdxf.readfile(os.path.join(tmp, "input.dxf")).modelspace().query('INSERT[layer=="C-TK"]'):
    texts = {a.dxf.tag: a.dxf.text for a in ref.attribs}
    frames.append((texts["工程名称"], texts["图号"], texts["图名"]))
if len(frames) != 12:
    sys.exit("the sample has %d frames" % len(frames))
out = os.path.join(tmp, "out")
expected = sorted("%s_%s_%s.pdf" % f for f in frames)
names = sorted(os.listdir(out))
if names != expected:
    sys.exit("files %r, expected %r" % (names, expected))
numbers = [f[1] for f in frames]
for project, number, title in frames:
    pdf = os.path.join(out, "%s_%s_%s.pdf" % (project, number, title))
    if p.pages(pdf) != 1 or p.page_size_mm(pdf) != (841.0, 594.0):
        sys.exit("%s: %d pages of %r mm" % (pdf, p.pages(pdf), p.page_size_mm(pdf)))
    text = p.text_of(pdf)
    # The title may be set in more than one line or run; its characters are all there in order.
    squeezed = "".join(text.split())
    if number not in squeezed or "".join(title.split()) not in squeezed:
        sys.exit("%s: %s / %s not in %r" % (pdf, number, title, text))
    others = [n for n in numbers if n != number and n in squeezed]
    if others:
        sys.exit("%s: holds other frames' numbers %r" % (pdf, others))
