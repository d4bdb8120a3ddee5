"""Four CODE-目录单 sheets on C-TK; their texts sit in the middles of the sample grid's cells
(columns 3000, 9000, 2000, 2000, 2500 from x 1250; rows of 800 from y 26000): 25, 25, 10 and
no rows, in drawing-number order. LibreCAD opens the drawing."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import ezdxf

import catalogue_drawing as c

out = os.path.join(sys.argv[1], "out.dxf")
doc = ezdxf.readfile(out)
errors = c.audit_clean(doc)
if errors:
    sys.exit("ezdxf audit errors: %r" % errors)
sheets = [r for r in doc.modelspace().query("INSERT") if r.dxf.name == "CODE-目录单"]
places = [(100000, 0), (130000, 0), (160000, 0), (190000, 0)]
if [(round(r.dxf.insert.x), round(r.dxf.insert.y)) for r in sheets] != places:
    sys.exit("sheets at %r" % [tuple(r.dxf.insert)[:2] for r in sheets])
for r in sheets:
    if r.dxf.layer != "C-TK" or any(a.dxf.layer != "C-TK" for a in r.attribs):
        sys.exit("a sheet or its attributes are not on C-TK")
    if [a.dxf.tag for a in r.attribs][:1] != ["工程名称"]:
        sys.exit("the sheet's attributes did not come along: %r" % [a.dxf.tag for a in r.attribs])
    # The attributes moved with the sheet: 工程名称 stays centred above the grid.
    name = r.attribs[0]
    if (round(name.dxf.align_point.x - r.dxf.insert.x), round(name.dxf.align_point.y - r.dxf.insert.y)) != (10500, 27100):
        sys.exit("attribute at %r" % (name.dxf.align_point,))
columns = [2750, 8750, 14250, 16250, 18500]
number = 1
for sheet, (origin, rows) in enumerate(zip(places, [25, 25, 10, 0])):
    texts = c.sheet_texts(doc, origin)
    want = []
    for k in range(rows):
        cells = ["S-%02d" % number, "图纸%d" % number, "A1", "1:100", "2024.05"]
        want += [(cells[j], columns[j], 26000 - 400 - 800 * k, 300, "黑体", 4, 0) for j in range(5)]
        number += 1
    if texts != want:
        missing = [t for t in want if t not in texts][:3]
        extra = [t for t in texts if t not in want][:3]
        sys.exit("sheet %d: %d texts, expected %d; missing %r, unexpected %r" % (sheet + 1, len(texts), len(want), missing, extra))
if len(doc.modelspace().query("TEXT")) != 300:
    sys.exit("texts outside the sheets")
opened = c.librecad_opens(out)
if opened is False:
    sys.exit("LibreCAD could not open the drawing")
