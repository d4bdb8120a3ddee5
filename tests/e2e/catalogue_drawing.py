"""Shared by the catalogue cases: project drawings with frames, the texts of placed catalogue
sheets read back with ezdxf, and LibreCAD's view of a saved drawing."""
import os
import shutil
import subprocess
import tempfile

import ezdxf


def new_drawing():
    """An empty R2010 drawing in millimetres (ezdxf's default, metres, makes LibreCAD's page
    a thousand times too large)."""
    doc = ezdxf.new("R2010")
    doc.units = ezdxf.units.MM
    return doc


def frame_block(doc, name, width=841, height=594):
    blk = doc.blocks.new(name)
    blk.add_lwpolyline([(0, 0), (width, 0), (width, height), (0, height)], close=True)
    return blk


def add_frame(msp, block, at, texts, layer="C-TK"):
    ref = msp.add_blockref(block, at, dxfattribs={"layer": layer})
    for k, (tag, text) in enumerate(texts):
        ref.add_attrib(tag, text, (at[0] + 600, at[1] + 10 + 10 * k), dxfattribs={"layer": layer, "height": 3})
    return ref


def sheet_texts(doc, origin, box=(0, 21000, 0, 29700)):
    """The model-space texts whose alignment points lie in `box` (x from, x to, y from, y to)
    around the sheet placed at `origin`, as (text, dx, dy, height, style, halign, valign)."""
    out = []
    for t in doc.modelspace().query("TEXT"):
        p = t.dxf.align_point
        dx, dy = round(p.x - origin[0], 6), round(p.y - origin[1], 6)
        if box[0] <= dx <= box[1] and box[2] <= dy <= box[3]:
            out.append((t.dxf.text, dx, dy, t.dxf.height, t.dxf.style, t.dxf.halign, t.dxf.valign))
    out.sort(key=lambda r: (-r[2], r[1]))
    return out


def librecad_opens(path, keep_png=None):
    """LibreCAD turns the drawing into a PDF (its batch converter); None when it is not installed.
    With `keep_png`, the page is also rendered to that PNG file for a look."""
    if not shutil.which("librecad"):
        return None
    with tempfile.TemporaryDirectory() as out:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=out)
        run = subprocess.run(["librecad", "dxf2pdf", "-a", "-t", out, path], env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        pdf = os.path.join(out, os.path.splitext(os.path.basename(path))[0] + ".pdf")
        made = run.returncode == 0 and os.path.exists(pdf) and os.path.getsize(pdf) > 0
        if made and keep_png and shutil.which("pdftoppm"):
            subprocess.run(["pdftoppm", "-r", "60", "-png", "-singlefile", pdf, os.path.splitext(keep_png)[0]])
        return made


def audit_clean(doc):
    auditor = doc.audit()
    return [str(e) for e in auditor.errors]
