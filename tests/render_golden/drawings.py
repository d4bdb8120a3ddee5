"""The drawings the golden renders are made of: each case is a function that fills a new ezdxf
document and returns the window (x1, y1, x2, y2) to plot. Together they cover every entity kind
and the properties a plot resolves (colours, ByBlock, linetypes, lineweights, hidden layers)."""
import math

import ezdxf


def curves(doc):
    msp = doc.modelspace()
    msp.add_line((0, 0), (100, 60))
    msp.add_circle((30, 40), 15, dxfattribs={"color": 1})
    msp.add_arc((70, 20), 18, 30, 250, dxfattribs={"color": 3})
    msp.add_ellipse((120, 40), major_axis=(25, 8), ratio=0.4, start_param=0.3, end_param=5.5,
                    dxfattribs={"color": 5})
    msp.add_lwpolyline([(0, 80, 0, 0, 0.6), (40, 80, 2, 2, 0), (60, 100, 0, 0, -1), (90, 90)],
                       format="xyseb", dxfattribs={"color": 6})
    msp.add_spline([(100, 70), (120, 100), (140, 60), (160, 95)], dxfattribs={"color": 4})
    msp.add_solid([(150, 0), (170, 0), (150, 20), (170, 25)], dxfattribs={"color": 2})
    msp.add_point((10, 110))
    return (-5, -5, 175, 120)


def hatches(doc):
    msp = doc.modelspace()
    solid = msp.add_hatch(color=1)
    solid.paths.add_polyline_path([(0, 0), (60, 0), (60, 40), (0, 40)], is_closed=True)
    solid.paths.add_polyline_path([(20, 10), (40, 10), (40, 30), (20, 30)], is_closed=True)
    pattern = msp.add_hatch(color=5)
    pattern.set_pattern_fill("ANSI31", scale=1.5)
    pattern.paths.add_polyline_path([(70, 0), (130, 0), (100, 45)], is_closed=True)
    gradient = msp.add_hatch()
    gradient.set_gradient((200, 40, 40), (255, 255, 255))
    gradient.paths.add_polyline_path([(140, 0), (180, 0), (180, 40), (140, 40)], is_closed=True)
    return (-5, -5, 185, 50)


def texts(doc):
    msp = doc.modelspace()
    msp.add_text("LEFT 左对齐", dxfattribs={"height": 5, "insert": (0, 60)})
    t = msp.add_text("CENTER 居中", dxfattribs={"height": 5, "color": 1})
    t.set_placement((80, 60), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    msp.add_text("WIDE 宽", dxfattribs={"height": 5, "width": 1.8, "insert": (0, 45), "color": 3})
    msp.add_text("OBLIQUE %%c20 %%d %%p", dxfattribs={"height": 5, "oblique": 20, "insert": (0, 30)})
    msp.add_text("ROTATED 旋转", dxfattribs={"height": 5, "rotation": 30, "insert": (110, 20), "color": 5})
    msp.add_mtext("第一行 first line\\P{\\C1;红色} and \\S1/2; fraction\\Pthird 第三行",
                  dxfattribs={"insert": (0, 20), "char_height": 4, "width": 90})
    return (-5, -5, 165, 70)


def properties(doc):
    doc.header["$LTSCALE"] = 5  # dashes of several pixels at the picture's resolution
    doc.layers.add("RED", color=1, linetype="DASHED")
    doc.layers.add("HIDDEN", color=3).off()
    doc.layers.add("NOPLOT", color=4).dxf.plot = 0
    doc.layers.add("THICK", color=7, lineweight=70)
    msp = doc.modelspace()
    msp.add_line((0, 0), (150, 0), dxfattribs={"layer": "RED"})
    msp.add_line((0, 10), (150, 10), dxfattribs={"layer": "HIDDEN"})
    msp.add_line((0, 20), (150, 20), dxfattribs={"layer": "NOPLOT"})
    msp.add_line((0, 30), (150, 30), dxfattribs={"layer": "THICK"})
    msp.add_line((0, 40), (150, 40), dxfattribs={"linetype": "CENTER", "color": 6, "ltscale": 0.5})
    msp.add_line((0, 50), (150, 50), dxfattribs={"true_color": ezdxf.colors.rgb2int((0, 128, 255))})
    block = doc.blocks.new("MARK")
    block.add_circle((0, 0), 4, dxfattribs={"color": 0})  # ByBlock
    block.add_line((-4, 0), (4, 0), dxfattribs={"color": 0})
    for i, color in enumerate((1, 3, 5)):
        msp.add_blockref("MARK", (20 + 40 * i, 65), dxfattribs={"color": color})
    grid = msp.add_blockref("MARK", (20, 85), dxfattribs={"color": 2})
    grid.grid(size=(1, 4), spacing=(1, 12))
    return (-5, -10, 155, 95)


def dimensions(doc):
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (80, 0), (80, 40)], dxfattribs={"color": 7})
    # Text and closed filled arrows big enough to be seen at the picture's resolution.
    readable = {"dimtxt": 4, "dimasz": 3, "dimblk": "", "dimlfac": 1}
    msp.add_linear_dim(base=(0, -12), p1=(0, 0), p2=(80, 0), dimstyle="EZDXF", override=readable).render()
    msp.add_linear_dim(base=(95, 0), p1=(80, 0), p2=(80, 40), angle=90, dimstyle="EZDXF",
                       override=readable).render()
    doc.dimstyles.new("BIGARROW", dxfattribs={"dimasz": 4})
    leader = msp.add_leader([(30, 30), (45, 45), (60, 45)], dimstyle="BIGARROW")
    leader.dxf.color = 1
    return (-10, -25, 110, 55)


CASES = {f.__name__: f for f in (curves, hatches, texts, properties, dimensions)}


def make(name, path):
    doc = ezdxf.new("R2010", setup=True)
    window = CASES[name](doc)
    doc.saveas(path)
    return window
