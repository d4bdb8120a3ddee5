"""Heights, width factors and line breaks of the 图名 attributes, read with ezdxf."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
found = []
for ref in doc.modelspace().query("INSERT"):
    name = ref.get_attrib("图名")
    number = ref.get_attrib("图号")
    found.append((name.dxf.text, round(name.dxf.height, 3), round(name.dxf.get("width", 1.0), 3),
                  round(number.dxf.height, 3)))
want = [("一二三四五六七八九十甲乙丙丁戊\\P己庚辛壬癸", 350.0, 0.8, 3.5),
        ("一层平面图一层平面图", 350.0, 0.8, 3.5),
        ("锁定的图名", 3.5, 1.0, 3.5)]
if found != want:
    sys.exit("expected %r, found %r" % (want, found))
