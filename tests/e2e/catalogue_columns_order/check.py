"""Texts at the column middles 500, 2500 and 5000 (halves of 1001 and 3001 lose their
fractions), rows 800 apart from 1000 - 400; the 图幅 column holds the block name after its
first "-", or the whole name."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import ezdxf

import catalogue_drawing as c

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
errors = c.audit_clean(doc)
if errors:
    sys.exit("ezdxf audit errors: %r" % errors)
sheets = [(round(r.dxf.insert.x), round(r.dxf.insert.y)) for r in doc.modelspace().query("INSERT")
          if r.dxf.name == "ABC-目录单"]
if sheets != [(0, 0), (10000, 0), (20000, 0)]:
    sys.exit("sheets at %r" % sheets)


def row(k, cells):
    return [(cells[j], [500, 2500, 5000][j], 600 - 800 * k, 250, "HZ", 4, 0) for j in range(3)]


# List order after the move: S-1, 无号, S-10 (unticked, moved up), S-02, S-112, S-20.
first = row(0, ["S-1", "一", "A3"]) + row(1, ["", "无号", "FRAME"]) + row(2, ["S-02", "二", "A3"])
second = row(0, ["S-112", "十二", "A3"]) + row(1, ["S-20", "二十", "A3"])
for origin, want in [((0, 0), first), ((10000, 0), second), ((20000, 0), [])]:
    got = c.sheet_texts(doc, origin, (0, 6002, -3000, 3000))
    if got != want:
        sys.exit("sheet at %r: %r, expected %r" % (origin, got, want))
if any(t.dxf.text == "S-10" for t in doc.modelspace().query("TEXT")):
    sys.exit("the unticked row was written")
