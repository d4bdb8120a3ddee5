#!/usr/bin/python3
"""Screenshots of the desktop host: the main window with the sample drawing, the batch number
dialog over every frame, the quick edit grid, the plot preview of the first frame, frames
highlighted while a selection is built and a layout's tab, each taken by vxhost-gui --screenshot when its
script ends. Runs under Xvfb (xvfb-run) when it is installed, else on Qt's offscreen platform.
The pictures stay in OUTDIR to be looked at; this checks that each is a PNG of the window's size
that shows something (not one flat colour) and that every script line was used.

usage: gui_screenshots.py VXHOST-GUI MODULE TEMPLATES DRAWING OUTDIR
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SHOTS = {
    # name: (script lines, the least width and height the window on top must have)
    "main_window": ([], (800, 500)),
    "batch_numbers": (["VXBPN", "click 172"], (300, 200)),
    "quick_edit_grid": (["VXFEPN", "click 135"], (300, 200)),
    # The script ends while the preview of the first frame is open.
    "plot_preview": (["VXBP", 'choose 140 "DWG TO PDF.pc3"', 'choose 142 "monochrome.ctb"', "click 154",
                      "tick 152 0 on", "click 156"], (600, 400)),
    # Frames chosen with a window and one click, highlighted while "Select objects" still waits.
    "selection_highlight": (["VXBPN", "click 171", "W -2000,-60000 276000,-132000"], (800, 500)),
    # A layout made from a frame, current on its tab: the paper space with its viewport.
    "layout_tab": (["VXBLY", "click 174", "ALL", "", "tick 132 0 on", "click 189"], (800, 500)),
}


def png_summary(path):
    """Width, height and the count of distinct pixel rows of an 8-bit PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = len(raw) // height
    # Rows that differ from each other: a blank picture has (nearly) one kind of row.
    rows = {raw[r * stride + 1:(r + 1) * stride] for r in range(0, height, 4)}
    return width, height, len(rows)


def main():
    gui, module, templates, drawing, outdir = sys.argv[1:6]
    os.makedirs(outdir, exist_ok=True)
    failed = False
    with tempfile.TemporaryDirectory(prefix="vx-gui-shots-") as tmp:
        modules = os.path.join(tmp, "module")
        os.makedirs(modules)
        shutil.copy(module, modules)
        plotters = os.path.join(os.path.dirname(module), "plotters")
        if os.path.isdir(plotters):
            shutil.copytree(plotters, os.path.join(modules, "plotters"))
        default_att = os.path.join(os.path.dirname(module), "TKATT.ini")
        if os.path.exists(default_att):
            shutil.copy(default_att, modules)
        with open(os.path.join(modules, "SHEETCONFIG.INI"), "w", encoding="utf-8") as f:
            f.write("[SYSEMSET]\nSHEETTEMPPATH=%s\nDEPARTCODE=CODE\n" % templates)
        shutil.copy(drawing, os.path.join(tmp, "project.dxf"))
        env = dict(os.environ, HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, "config"),
                   XDG_RUNTIME_DIR=tmp, VX_UPDATE_SERVICE="", VX_PRINTERS="off")
        prefix = []
        if shutil.which("xvfb-run"):
            prefix = ["xvfb-run", "-a", "-s", "-screen 0 1280x900x24"]
            env.pop("QT_QPA_PLATFORM", None)
            supp = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lsan_desktop.supp")
            env["LSAN_OPTIONS"] = "suppressions=" + supp
        else:
            env["QT_QPA_PLATFORM"] = "offscreen"
        for name, (lines, (least_w, least_h)) in SHOTS.items():
            script = os.path.join(tmp, name + ".scr")
            with open(script, "w", encoding="utf-8") as f:
                f.write("".join(line + "\n" for line in lines))
            shot = os.path.join(outdir, name + ".png")
            if os.path.exists(shot):
                os.remove(shot)
            run = subprocess.run(prefix + [gui, "project.dxf", "--script", script, "--module",
                                           os.path.join(modules, os.path.basename(module)),
                                           "--screenshot", shot],
                                 cwd=tmp, env=env, stdin=subprocess.DEVNULL, capture_output=True, timeout=180)
            if run.returncode != 0:
                print("%s: vxhost-gui exited with %d\n%s" % (name, run.returncode, run.stderr.decode("utf-8", "replace")))
                failed = True
                continue
            try:
                width, height, rows = png_summary(shot)
            except (OSError, ValueError, zlib.error) as e:
                print("%s: %s" % (name, e))
                failed = True
                continue
            if width < least_w or height < least_h or rows < 10:
                print("%s: %dx%d with %d kinds of rows looks empty" % (name, width, height, rows))
                failed = True
            else:
                print("%s: %s (%dx%d)" % (name, shot, width, height))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
