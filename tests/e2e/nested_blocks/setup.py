"""Two frames whose blocks nest deeply, written as DXF text (ezdxf takes half a minute for
20,000 blocks): D0..D29, each inserting the next twice (2^29 copies of D29 in all), and a
chain C0..C19999, each inserting the next once. Each block holds a unit line; references sit
side by side from x = 1, so D0 is 2^30 - 1 wide and C0 20,000. C0 stands above D0, so it comes
first in reading order."""
import os
import sys

out = []
handle = [0x100]


def tag(code, value):
    out.append("%d\n%s\n" % (code, value))


def new_handle():
    handle[0] += 1
    return "%X" % handle[0]


def entity(kind, owner, sub, layer="0"):
    tag(0, kind)
    tag(5, new_handle())
    tag(330, owner)
    tag(100, "AcDbEntity")
    tag(8, layer)
    tag(100, sub)


def insert(owner, name, x, y, layer="0", title=None):
    entity("INSERT", owner, "AcDbBlockReference", layer)
    if title:
        tag(66, 1)
    tag(2, name)
    for code, v in ((10, x), (20, y), (30, 0)):
        tag(code, "%.1f" % v)
    if title:
        ref = "%X" % handle[0]
        entity("ATTRIB", ref, "AcDbText", layer)
        for code, v in ((10, x), (20, y), (30, 0), (40, 0.2)):
            tag(code, "%.1f" % v)
        tag(1, title), tag(100, "AcDbAttribute"), tag(2, "图名"), tag(70, 0)
        entity("SEQEND", ref, "AcDbEntity", layer)


# name -> (copies of the next block, the next block's name, the next block's width)
blocks = []
for prefix, n, copies in (("D", 30, 2), ("C", 20000, 1)):
    width = [1.0] * n
    for k in range(n - 2, -1, -1):
        width[k] = 1 + copies * width[k + 1]
    for k in range(n):
        nxt = (prefix + str(k + 1), width[k + 1]) if k + 1 < n else None
        blocks.append((prefix + str(k), copies, nxt))

tag(0, "SECTION"), tag(2, "HEADER"), tag(9, "$ACADVER"), tag(1, "AC1015")
tag(9, "$DWGCODEPAGE"), tag(3, "ANSI_936"), tag(0, "ENDSEC")
tag(0, "SECTION"), tag(2, "TABLES")
tag(0, "TABLE"), tag(2, "LAYER"), tag(5, "2"), tag(330, "0"), tag(100, "AcDbSymbolTable"), tag(70, 2)
for layer in ("0", "C-TK"):
    tag(0, "LAYER"), tag(5, new_handle()), tag(330, "2"), tag(100, "AcDbSymbolTableRecord")
    tag(100, "AcDbLayerTableRecord"), tag(2, layer), tag(70, 0), tag(62, 7), tag(6, "Continuous")
tag(0, "ENDTAB")
tag(0, "TABLE"), tag(2, "BLOCK_RECORD"), tag(5, "1"), tag(330, "0"), tag(100, "AcDbSymbolTable")
tag(70, len(blocks) + 2)
records = {}
for name in ["*Model_Space", "*Paper_Space"] + [b[0] for b in blocks]:
    records[name] = new_handle()
    tag(0, "BLOCK_RECORD"), tag(5, records[name]), tag(330, "1"), tag(100, "AcDbSymbolTableRecord")
    tag(100, "AcDbBlockTableRecord"), tag(2, name)
tag(0, "ENDTAB"), tag(0, "ENDSEC")
tag(0, "SECTION"), tag(2, "BLOCKS")
for name, copies, nxt in [("*Model_Space", 0, None), ("*Paper_Space", 0, None)] + blocks:
    owner = records[name]
    entity("BLOCK", owner, "AcDbBlockBegin")
    tag(2, name), tag(70, 0), tag(10, "0.0"), tag(20, "0.0"), tag(30, "0.0"), tag(3, name), tag(1, "")
    if not name.startswith("*"):
        entity("LINE", owner, "AcDbLine")
        for code, v in ((10, 0), (20, 0), (30, 0), (11, 1), (21, 1), (31, 0)):
            tag(code, "%.1f" % v)
        if nxt:
            for c in range(copies):
                insert(owner, nxt[0], 1 + c * nxt[1], 0)
    entity("ENDBLK", owner, "AcDbBlockEnd")
tag(0, "ENDSEC")
tag(0, "SECTION"), tag(2, "ENTITIES")
insert(records["*Model_Space"], "D0", 0, 0, "C-TK", "加倍")
insert(records["*Model_Space"], "C0", 0, 100, "C-TK", "链")
tag(0, "ENDSEC"), tag(0, "EOF")

with open(os.path.join(sys.argv[1], "input.dxf"), "w", encoding="gbk") as f:
    f.write("".join(out))
