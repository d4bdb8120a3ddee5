"""Shared by the frame insertion, content entry and settings cases: an office template folder
made with ezdxf, the module folder's settings file, and a project drawing with frames."""
import os

import ezdxf

ITEMS = ["设计", "校对", "审核"]
SIZES = ["A3", "A1", "A0"]  # A0 is listed but the template drawing has no CODE-A0


def frame_block(doc, name, width, height):
    blk = doc.blocks.new(name)
    blk.add_lwpolyline([(0, 0), (width, 0), (width, height), (0, height)], close=True)
    for k, tag in enumerate(["图号", "图名"] + ITEMS):
        blk.add_attdef(tag, (width - 150, 10 + 10 * k), dxfattribs={"height": 3})
    return blk


def insert_frame(msp, name, at, texts, layer="TK-FRAME"):
    ref = msp.add_blockref(name, at, dxfattribs={"layer": layer})
    for k, (tag, text) in enumerate(texts):
        ref.add_attrib(tag, text, (at[0] + 270, at[1] + 10 + 10 * k), dxfattribs={"layer": layer, "height": 3})
    return ref


def template_drawing(path):
    doc = ezdxf.new("R2010")
    doc.layers.add("TK-FRAME", color=3)
    frame_block(doc, "CODE-A3", 420, 297)
    frame_block(doc, "CODE-A1", 841, 594)
    frame_block(doc, "CODE-A4", 297, 210)  # defined, never inserted
    msp = doc.modelspace()
    insert_frame(msp, "CODE-A3", (5000, 5000), [("图号", "TK-03"), ("图名", "模板图名")])
    insert_frame(msp, "CODE-A1", (8000, 0), [("图号", "TK-11")])
    insert_frame(msp, "CODE-A1", (9000, 0), [("图号", "TK-12")])
    doc.saveas(path)


def template_folder(tmp, drawing=True, description=True):
    folder = os.path.join(tmp, "tpl")
    os.makedirs(folder, exist_ok=True)
    if drawing:
        template_drawing(os.path.join(folder, "TK.dxf"))
    if description:
        with open(os.path.join(folder, "TKATT.ini"), "w", encoding="utf-8") as f:
            f.write("[TKATT]\n" + "".join("ITEM%d=%s\n" % (i, t) for i, t in enumerate(ITEMS)))
            f.write("[TKNAMELIST]\n" + "".join("TKNAME%d=%s\n" % (i, s) for i, s in enumerate(SIZES)))
    return folder


def settings(tmp, lines):
    """The module folder's SHEETCONFIG.INI, replacing the runner's default."""
    with open(os.path.join(tmp, "module", "SHEETCONFIG.INI"), "w", encoding="utf-8") as f:
        f.write("".join(line + "\n" for line in lines))


def project_drawing(tmp):
    """Two frames and a line on C-TK, a frame on another layer."""
    doc = ezdxf.new("R2010")
    doc.layers.add("C-TK", color=7)
    doc.layers.add("WALL", color=1)
    frame_block(doc, "CODE-A3", 420, 297)
    msp = doc.modelspace()
    texts = [("图号", "JS-01"), ("图名", "一层平面图"), ("设计", "旧"), ("校对", "旧"), ("备注", "不动")]
    insert_frame(msp, "CODE-A3", (0, 0), texts, layer="C-TK")
    insert_frame(msp, "CODE-A3", (500, 0), [("图号", "JS-02"), ("设计", "旧")], layer="C-TK")
    msp.add_line((0, -10), (900, -10), dxfattribs={"layer": "C-TK"})
    insert_frame(msp, "CODE-A3", (0, 500), [("设计", "别层")], layer="WALL")
    doc.saveas(os.path.join(tmp, "input.dxf"))


def attribs(ref):
    return [(a.dxf.tag, a.dxf.text) for a in ref.attribs]


def empty_drawing(tmp):
    """The drawing the case works in, so that it never depends on the host's default drawing."""
    ezdxf.new("R2010").saveas(os.path.join(tmp, "input.dxf"))
