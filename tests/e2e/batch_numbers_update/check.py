"""The saved numbers, read with ezdxf: first update S-01..S-05 (row 6 is the line, row 7 the
locked frame), second update from 7 on with row 2 unticked."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
numbers = {}
for ref in doc.modelspace().query("INSERT"):
    numbers[ref.get_attrib_text("图名")] = ref.get_attrib_text("图号")
want = {"总图": "S-08", "说明": "S-02", "一层": "S-10", "二层": "S-11", "三层": "S-12", "锁定": "locked"}
if numbers != want:
    sys.exit("expected %r, found %r" % (want, numbers))
