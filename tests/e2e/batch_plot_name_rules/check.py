"""The files of the run, each on the sheet its row names, the right way round."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

out = os.path.join(sys.argv[1], "out")
expected = {
    "A1(0).pdf": (841.0, 594.0),
    "S-12_图纸目录.pdf": (210.0, 297.0),
    "S-3_说明.pdf": (210.0, 297.0),
    "S-07_大样.pdf": (420.0, 297.0),
    "S-1A_加长.pdf": (1051.0, 594.0),
    "S-AB_总图.pdf": (891.0, 420.0),
    "S-20___上级_平面.pdf": (594.0, 420.0),
    "S-21_立面.pdf": (594.0, 420.0),
    "S-21_立面(2).pdf": (594.0, 420.0),
}
names = sorted(os.listdir(out))
if names != sorted(expected):
    sys.exit("files %r" % names)
for name, size in expected.items():
    got = p.page_size_mm(os.path.join(out, name))
    if got != size:
        sys.exit("%s: page %r mm, expected %r" % (name, got, size))
if os.listdir(sys.argv[1]).count("上级"):
    sys.exit("a folder was made from a name")
