"""The saved drawing read with ezdxf: audit clean; the layouts in tab order with their own
paper-space blocks, main viewports and page set-up; the last one active; LibreCAD opens it."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import ezdxf

import catalogue_drawing as c

out = os.path.join(sys.argv[1], "out.dxf")
doc = ezdxf.readfile(out)
errors = c.audit_clean(doc)
if errors:
    sys.exit("ezdxf audit errors: %r" % errors)
names = doc.layouts.names_in_taborder()
if names != ["Model", "Layout1", "布局1", "布局2", "布局3"]:
    sys.exit("layouts %r" % names)
if doc.layouts.active_layout().name != "布局3":
    sys.exit("active layout %s" % doc.layouts.active_layout().name)
if doc.header.get("$TILEMODE") != 0:
    sys.exit("$TILEMODE %r" % doc.header.get("$TILEMODE"))
records = set()
for name in ["布局1", "布局2", "布局3"]:
    layout = doc.layouts.get(name)
    record = layout.block_record
    records.add(record.dxf.name)
    if record.dxf.layout != layout.dxf_layout.dxf.handle:
        sys.exit("%s: block record does not point at its layout" % name)
    block = doc.blocks.get(record.dxf.name)
    if block is None or block.block.dxf.name != record.dxf.name:
        sys.exit("%s: no BLOCK for %s" % (name, record.dxf.name))
    viewports = [v for v in layout.query("VIEWPORT") if v.dxf.id == 1]
    if len(viewports) != 1 or layout.dxf_layout.dxf.get("viewport_handle") != viewports[0].dxf.handle:
        sys.exit("%s: main viewport %r" % (name, [v.dxf.handle for v in viewports]))
    settings = layout.dxf_layout.dxf
    if (settings.plot_configuration_file, settings.paper_size) != ("none_device", "ISO_A3_(420.00_x_297.00_MM)"):
        sys.exit("%s: page set-up %r" % (name, (settings.plot_configuration_file, settings.paper_size)))
if records != {"*Paper_Space", "*Paper_Space1", "*Paper_Space2"} or doc.layouts.get("布局3").block_record.dxf.name != "*Paper_Space":
    sys.exit("paper-space blocks %r" % records)
if not any(cls.dxf.name == "LAYOUT" for cls in doc.classes.classes.values()):
    sys.exit("no LAYOUT class entry")
if len(doc.modelspace().query("INSERT")) != 3:
    sys.exit("the frames are no longer in model space")
opened = c.librecad_opens(out)
if opened is False:
    sys.exit("LibreCAD could not open the drawing")
