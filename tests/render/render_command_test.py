# The render command end to end: a drawing written by ezdxf with coloured,
# off and frozen layers, a lineweight, a dashed linetype, a wide polyline and
# text is plotted to SVG, PNG and PDF; bad names, sizes and places give their
# message and exit code.
# Usage: render_command_test.py HOST
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import ezdxf
from checks import check, exit_status, finish

host = sys.argv[1]
work = tempfile.mkdtemp()
os.chdir(work)


def render(*args):
    result = subprocess.run([host, "render", *args], capture_output=True, text=True)
    return result.returncode, result.stderr


doc = ezdxf.new("R2000")
doc.linetypes.add("DASHED", pattern=[0.75, 0.5, -0.25], description="Dashed __ __")
doc.layers.add("WALLS", color=1, lineweight=50)
doc.layers.add("HIDDEN", color=3).off()
doc.layers.add("ICE", color=4).freeze()
doc.layers.add("DASH", color=5, linetype="DASHED")
msp = doc.modelspace()
msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "WALLS"})
msp.add_line((0, 100), (100, 100), dxfattribs={"layer": "WALLS", "color": 6})
msp.add_line((0, 500), (10, 500), dxfattribs={"layer": "HIDDEN"})
msp.add_line((0, 600), (10, 600), dxfattribs={"layer": "ICE"})
msp.add_line((0, 50), (100, 50), dxfattribs={"layer": "DASH"})
msp.add_lwpolyline([(10, 20, 2, 2), (90, 20, 2, 0)], format="xyse")
msp.add_text("BÜRO 20 m²", dxfattribs={"height": 5, "insert": (10, 70)})
doc.saveas("plan.dxf")

# SVG: what shows, in which colour, width and dashes.
code, err = render("plan.dxf", "-o", "plan.svg")
check(code == 0, "svg render exits %d: %s" % (code, err))
ns = "{http://www.w3.org/2000/svg}"
root = ET.parse("plan.svg").getroot()
elements = list(root.find(ns + "g"))
lines = [e for e in elements if e.tag == ns + "polyline"]
points = [e.get("points") for e in lines]
check(not any("-500" in p or "-600" in p for p in points), "off or frozen layer drawn: %s" % points)
check("-500" not in root.get("viewBox") and "-600" not in root.get("viewBox"), "hidden layers widen the view")
wall = next((e for e in lines if e.get("points") == "0,0 100,0"), None)
check(wall is not None and wall.get("stroke") == "#ff0000", "wall on red layer")
check(wall is not None and wall.get("stroke-width") is not None, "wall's 0.5 mm weight")
magenta = next((e for e in lines if e.get("points") == "0,-100 100,-100"), None)
check(magenta is not None and magenta.get("stroke") == "#ff00ff", "entity colour over the layer's")
dashed = next((e for e in lines if e.get("points") == "0,-50 100,-50"), None)
check(dashed is not None and dashed.get("stroke-dasharray") == "0.5,0.25", "dashed layer linetype: %s" %
      (dashed.attrib if dashed is not None else None))
filled = [e for e in elements if e.tag == ns + "polygon" and "fill:" in (e.get("style") or "")]
check(len(filled) == 1, "the wide polyline is one filled outline")
texts = [e for e in elements if e.tag == ns + "text"]
check(len(texts) == 1 and texts[0].text == "BÜRO 20 m²", "the text: %s" % [t.text for t in texts])
check(len(texts) == 1 and len(texts[0].get("x").split()) == 10, "one x position per character")

# PNG and PDF: valid files of the asked size.
code, err = render("plan.dxf", "-o", "plan.png", "--width", "640")
check(code == 0, "png render exits %d: %s" % (code, err))
with open("plan.png", "rb") as f:
    head = f.read(24)
check(head[:8] == b"\x89PNG\r\n\x1a\n", "png signature")
width, height = struct.unpack(">II", head[16:24])
check(width == 640 and height == 640, "png size %dx%d" % (width, height))

code, err = render("plan.dxf", "-o", "plan.pdf", "--scale", "4")
check(code == 0, "pdf render exits %d: %s" % (code, err))
pdfinfo = subprocess.run(["pdfinfo", "plan.pdf"], capture_output=True, text=True)
check(pdfinfo.returncode == 0, "pdfinfo opens the pdf: " + pdfinfo.stderr)
# 110 units at 4 pixels each are 440 pixels of 1/96 inch: 330 points.
check("330 x 330 pts" in pdfinfo.stdout, "pdf page size: " + pdfinfo.stdout)
pdftext = subprocess.run(["pdftotext", "plan.pdf", "-"], capture_output=True, text=True)
check("BÜRO 20 m²" in pdftext.stdout, "pdf text is searchable: %r" % pdftext.stdout)

code, err = render("plan.dxf", "-o", "black.png", "--background", "black")
check(code == 0, "black background exits %d" % code)

# Bad input: the message names the problem; nothing is left behind.
code, err = render("plan.dxf", "-o", "plan.bmp")
check(code == 2 and "the name must end in one of svg, png, pdf" in err, "unknown extension: %d %s" % (code, err))
code, err = render("plan.dxf", "-o", "zero.png", "--width", "0")
check(code == 2 and "the width must be 1 to 32767 pixels" in err, "zero width: %d %s" % (code, err))
code, err = render("plan.dxf", "-o", "both.png", "--width", "10", "--scale", "2")
check(code == 2, "width and scale together: %d %s" % (code, err))
code, err = render("plan.dxf", "-o", "huge.png", "--scale", "1000")
check(code == 4 and "on a side" in err, "too large: %d %s" % (code, err))
code, err = render("plan.dxf", "-o", "missing/plan.png")
check(code == 4 and "No such file or directory" in err, "unwritable place: %d %s" % (code, err))
code, err = render("plan.dxf", "-o", "plan.png", "--background", "pink")
check(code == 2 and "unknown background pink" in err, "bad background: %d %s" % (code, err))
code, err = render("missing.dxf", "-o", "plan.png")
check(code == 4, "missing drawing: %d %s" % (code, err))
left = sorted(os.listdir("."))
check(left == ["black.png", "plan.dxf", "plan.pdf", "plan.png", "plan.svg"], "files left: %s" % left)

finish()
sys.exit(exit_status())
