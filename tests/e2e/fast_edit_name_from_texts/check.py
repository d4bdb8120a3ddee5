"""The composed name in the first frame; the second frame still has no 图名."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
refs = list(doc.modelspace().query("INSERT"))
names = [r.get_attrib_text("图名") if r.has_attrib("图名") else None for r in refs]
if names != ["首层、平面图", None]:
    sys.exit("expected the composed name in the first frame only, found %r" % names)
