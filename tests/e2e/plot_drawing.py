"""Shared by the batch plot cases: drawings whose frames carry a title block at their lower
right, plot configuration files written as the host writes them, and what poppler reads out of
a plotted PDF."""
import os
import re
import subprocess
import struct
import zlib

import ezdxf

TITLE_HEIGHT = 5


def new_drawing():
    doc = ezdxf.new("R2010")
    doc.units = ezdxf.units.MM
    doc.layers.add("C-TK", color=7)
    return doc


def frame_block(doc, name, width, height):
    """A sheet border with an inner border and a title block in the lower right corner."""
    blk = doc.blocks.new(name)
    blk.add_lwpolyline([(0, 0), (width, 0), (width, height), (0, height)], close=True)
    blk.add_lwpolyline([(25, 5), (width - 5, 5), (width - 5, height - 5), (25, height - 5)], close=True)
    blk.add_lwpolyline([(width - 185, 5), (width - 5, 5), (width - 5, 45), (width - 185, 45)], close=True)
    return blk


def add_frame(msp, block, at, width, texts, layer="C-TK"):
    """A frame at `at` with its attributes (tag, text) stacked in the title block."""
    ref = msp.add_blockref(block, at, dxfattribs={"layer": layer})
    for k, (tag, text) in enumerate(texts):
        ref.add_attrib(tag, text, (at[0] + width - 175, at[1] + 12 + 10 * k),
                       dxfattribs={"layer": layer, "height": TITLE_HEIGHT})
    return ref


def pia_file(path, tag, body):
    """A .pc3/.pmp in the container CAD hosts use: 48 bytes of header text, checksum, sizes and
    the zlib-compressed body ending in a NUL."""
    text = body.encode("utf-8") + b"\0"
    stream = zlib.compress(text, 9)
    header = ("PIAFILEVERSION_2.0,%s,compress\r\npmzlibcodec" % tag).encode("ascii").ljust(48, b" ")
    with open(path, "wb") as f:
        f.write(header + struct.pack("<III", zlib.adler32(stream), len(text), len(stream)) + stream)


def medium(index, canonical, display, width, height):
    return ("  %d{\n   name=\"%s\n   localized_name=\"%s\n   width=%.3f\n   height=%.3f\n  }\n"
            % (index, canonical, display, width, height))


def device(path, driver, media, extra=""):
    """A device configuration holding its own media [(canonical, display, w, h)]."""
    body = "description=\"test device\ndevice{\n driver=%s\n%s}\nmedia{\n" % (driver, extra)
    body += "".join(medium(i, *m) for i, m in enumerate(media)) + "}\n"
    pia_file(path, "PC3VER1", body)


def plotters_folder(tmp):
    """The roamable root folder's "Plotters" of a case's profile (the host makes the rest)."""
    folder = os.path.join(tmp, "data", "vxhost", "Plotters")
    os.makedirs(os.path.join(folder, "PMP Files"), exist_ok=True)
    return folder


def page_size_mm(pdf):
    """(width, height) of the first page in millimetres, to the millimetre (PDF page sizes are
    whole points, so 594 mm reads 594.08)."""
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    m = re.search(r"Page size:\s+([\d.]+) x ([\d.]+) pts", info)
    return float(round(float(m.group(1)) * 25.4 / 72)), float(round(float(m.group(2)) * 25.4 / 72))


def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"Pages:\s+(\d+)", info).group(1))


def text_of(pdf):
    return subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True, check=True).stdout


def word_boxes(pdf):
    """Each word of the first page with its box in millimetres from the page's top left:
    (word, x0, y0, x1, y1)."""
    html = subprocess.run(["pdftotext", "-bbox", "-f", "1", "-l", "1", pdf, "-"],
                          capture_output=True, text=True, check=True).stdout
    k = 25.4 / 72
    out = []
    for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', html):
        out.append((m.group(5),) + tuple(float(m.group(i)) * k for i in range(1, 5)))
    return out


def box_of(pdf, word):
    """The box of the first word holding `word`, or None."""
    for w in word_boxes(pdf):
        if word in w[0]:
            return w[1:]
    return None


def office_format(tmp, name_format=None):
    """Points the case's module at a template folder of its own: the sample description with the
    plot-name format `name_format`, or without one (the default "<图号>_<图名>")."""
    ini = os.path.join(tmp, "module", "SHEETCONFIG.INI")
    sample = open(ini, encoding="utf-8").read().split("SHEETTEMPPATH=")[1].splitlines()[0]
    text = open(os.path.join(sample, "TKATT.ini"), encoding="utf-8").read()
    text = text[:text.index("[BPLOTNAMEFORMAT]")]
    if name_format is not None:
        text += "[BPLOTNAMEFORMAT]\nformat=%s\n" % name_format
    folder = os.path.join(tmp, "templates")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "TKATT.ini"), "w", encoding="utf-8") as f:
        f.write(text)
    with open(ini, "w", encoding="utf-8") as f:
        f.write("[SYSEMSET]\nSHEETTEMPPATH=%s\nDEPARTCODE=CODE\n" % folder)
