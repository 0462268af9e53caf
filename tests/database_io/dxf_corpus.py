# Writes the corpus of drawings the round-trip tests read: each drawing made
# by ezdxf (an independent DXF writer), covering the entity kinds, tables
# and encodings an architect's plan brings. Usage: dxf_corpus.py OUTDIR
import math
import os
import sys

import ezdxf
from ezdxf.enums import TextEntityAlignment


def fill(doc):
    doc.layers.add("WALLS", color=7, lineweight=50)
    doc.layers.add("DOORS", color=3, linetype="DASHED")
    doc.layers.add("HIDDEN", color=5).off()
    doc.layers.add("FROZEN", color=6).freeze()
    doc.styles.add("SLANTED", font="DejaVuSans.ttf").dxf.oblique = 15
    doc.styles.get("SLANTED").dxf.flags = 4
    big = doc.styles.add("ASIAN", font="txt")
    big.dxf.bigfont = "bigfont.shx"
    ds = doc.dimstyles.new("ARCH")
    ds.dxf.dimtxt = 0.25
    ds.dxf.dimasz = 0.18
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "WALLS", "color": 1, "lineweight": 35})
    msp.add_line((0, 0), (0, 8), dxfattribs={"layer": "WALLS", "linetype": "DASHED"})
    msp.add_arc((5, 5), 2.5, 30, 120, dxfattribs={"layer": "DOORS"})
    msp.add_circle((3, 3), 1.0, dxfattribs={"color": 256})
    msp.add_ellipse((8, 6), major_axis=(2, 1), ratio=0.5, start_param=0, end_param=math.pi)
    msp.add_point((1, 7))
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)], dxfattribs={"color": 2})
    msp.add_lwpolyline([(0, 0), (4, 0), (4, 3)], dxfattribs={"const_width": 0.2, "layer": "WALLS"})
    msp.add_polyline2d([(0, 0), (2, 1), (4, 0)], dxfattribs={"layer": "DOORS"})
    msp.add_polyline3d([(0, 0, 0), (1, 1, 1), (2, 0, 2)])
    msp.add_text("ROTATED 45", dxfattribs={"rotation": 45, "height": 0.5, "style": "SLANTED"}).set_placement(
        (2, 2), align=TextEntityAlignment.MIDDLE_CENTER)
    msp.add_text("BÜRO 20 m² Küche", dxfattribs={"height": 0.4}).set_placement((1, 9))
    msp.add_text("Ωmega 東京", dxfattribs={"height": 0.4}).set_placement((1, 10))
    msp.add_mtext("Two\\Plines", dxfattribs={"char_height": 0.3, "insert": (6, 9)})
    msp.add_text("on a hidden layer", dxfattribs={"layer": "HIDDEN"})
    hatch = msp.add_hatch(color=4)
    hatch.paths.add_polyline_path([(10, 10), (14, 10), (14, 13), (10, 13)], is_closed=True)
    pattern = msp.add_hatch(color=8)
    pattern.set_pattern_fill("ANSI31", scale=0.5)
    pattern.paths.add_polyline_path([(20, 10), (24, 10), (24, 13)], is_closed=True)
    dim = msp.add_linear_dim(base=(0, -2), p1=(0, 0), p2=(10, 0), dimstyle="ARCH")
    dim.render()
    msp.add_leader([(0, 0), (2, 2), (4, 2)], dimstyle="ARCH")
    block = doc.blocks.new("TITLE")
    block.add_line((0, 0), (20, 0))
    block.add_attdef("DRAWN", (1, 1), dxfattribs={"height": 0.3, "prompt": "Drawn by"})
    block.add_attdef("TITLE", (1, 2), dxfattribs={"height": 0.5})
    ref = msp.add_blockref("TITLE", (30, 0), dxfattribs={"rotation": 30})
    ref.add_auto_attribs({"DRAWN": "A. Müller", "TITLE": "Ground floor"})
    msp.add_spline([(0, 0), (1, 2), (3, 1), (4, 4)])


def main(out):
    os.makedirs(out, exist_ok=True)
    for version, name in (("R2000", "plan_r2000.dxf"), ("R2018", "plan_r2018.dxf")):
        doc = ezdxf.new(version, setup=True)
        fill(doc)
        doc.saveas(os.path.join(out, name))
    # A minimal drawing: no setup tables, only what ezdxf always writes.
    doc = ezdxf.new("R2000")
    doc.modelspace().add_line((0, 0), (1, 1))
    doc.saveas(os.path.join(out, "minimal.dxf"))


if __name__ == "__main__":
    main(sys.argv[1])
