# Writes the architect's ground-floor plan the demo starts from, as another
# CAD program would send it: walls, doors drawn as arcs, hatched walls and
# floors, dimensions, a title block with attributes, rotated and
# non-English labels. Usage: architect_plan.py OUT.dxf
import sys

import ezdxf
from ezdxf.enums import TextEntityAlignment


# The plan is laid out in metres and drawn at SCALE drawing units a metre,
# placed so the demo's rooms and ducts fall on it.
SCALE = 5.0
ORIGIN = (-10.0, -40.0)


def p(x, y):
    return (ORIGIN[0] + x * SCALE, ORIGIN[1] + y * SCALE)


def pts(points):
    return [p(x, y) for x, y in points]


def walls(msp):
    # Outer walls 0.3 thick around 20 x 12, one inner wall at x = 10.
    outer = pts([(0, 0), (20, 0), (20, 12), (0, 12)])
    inner = pts([(0.3, 0.3), (19.7, 0.3), (19.7, 11.7), (0.3, 11.7)])
    msp.add_lwpolyline(outer, close=True, dxfattribs={"layer": "A-WALL"})
    msp.add_lwpolyline(inner, close=True, dxfattribs={"layer": "A-WALL"})
    msp.add_line(p(10, 0.3), p(10, 5), dxfattribs={"layer": "A-WALL"})
    msp.add_line(p(10, 6), p(10, 11.7), dxfattribs={"layer": "A-WALL"})
    # The outer wall band is hatched solid grey.
    band = msp.add_hatch(color=8, dxfattribs={"layer": "A-WALL-PATT"})
    band.paths.add_polyline_path(outer, is_closed=True, flags=1)
    band.paths.add_polyline_path(inner, is_closed=True, flags=16)


def doors(msp):
    # Door leaves with their swing arcs; one 2D polyline threshold.
    for x, y, start, end in ((10, 5, 90, 180), (4, 0.3, 0, 90), (15, 0.3, 90, 180)):
        msp.add_arc(p(x, y), 0.9 * SCALE, start, end, dxfattribs={"layer": "A-DOOR"})
    msp.add_line(p(10, 5), p(9.1, 5), dxfattribs={"layer": "A-DOOR"})
    msp.add_line(p(4, 0.3), p(4, 1.2), dxfattribs={"layer": "A-DOOR"})
    msp.add_line(p(15, 0.3), p(15, 1.2), dxfattribs={"layer": "A-DOOR"})
    msp.add_polyline2d(pts([(3.9, 0), (4.9, 0), (4.9, 0.3), (3.9, 0.3)]), close=True, dxfattribs={"layer": "A-DOOR"})


def floors(msp):
    tiles = msp.add_hatch(color=9, dxfattribs={"layer": "A-FLOR-PATT"})
    tiles.set_pattern_fill("ANSI31", scale=0.5 * SCALE)
    tiles.paths.add_polyline_path(pts([(15, 7), (19.7, 7), (19.7, 11.7), (15, 11.7)]), is_closed=True)
    msp.add_ellipse(p(5, 8), major_axis=(1.2 * SCALE, 0), ratio=0.6, dxfattribs={"layer": "A-FURN"})
    msp.add_solid(pts([(17, 2), (18, 2), (17, 3), (18, 3)]), dxfattribs={"layer": "A-FURN", "color": 2})
    msp.add_point(p(12, 6), dxfattribs={"layer": "A-ANNO"})


def labels(msp):
    msp.add_text("BÜRO 20 m²", dxfattribs={"layer": "A-ANNO", "height": 0.4 * SCALE}).set_placement(
        p(5, 6), align=TextEntityAlignment.MIDDLE_CENTER)
    msp.add_text("Küche", dxfattribs={"layer": "A-ANNO", "height": 0.4 * SCALE}).set_placement(
        p(17, 9), align=TextEntityAlignment.MIDDLE_CENTER)
    msp.add_text("Korridor", dxfattribs={"layer": "A-ANNO", "height": 0.35 * SCALE, "rotation": 90}).set_placement(
        p(12.5, 6), align=TextEntityAlignment.MIDDLE_CENTER)
    msp.add_text("会議室", dxfattribs={"layer": "A-ANNO", "height": 0.4 * SCALE, "rotation": 30}).set_placement(p(14, 3))


def dimensions(msp):
    for p1, p2, base, angle in (((0, 0), (20, 0), (0, -1.5), 0), ((0, 0), (0, 12), (-1.5, 0), 90),
                                ((0, 12), (10, 12), (0, 13.5), 0)):
        dim = msp.add_linear_dim(base=p(*base), p1=p(*p1), p2=p(*p2), angle=angle, dimstyle="ARCH",
                                 dxfattribs={"layer": "A-DIMS"})
        dim.render()


def title_block(doc, msp):
    block = doc.blocks.new("TITLEBLOCK")
    block.add_lwpolyline([(0, 0), (12 * SCALE, 0), (12 * SCALE, 3 * SCALE), (0, 3 * SCALE)], close=True)
    block.add_line((0, 1.5 * SCALE), (12 * SCALE, 1.5 * SCALE))
    block.add_attdef("PROJECT", (0.3 * SCALE, 2 * SCALE), dxfattribs={"height": 0.5 * SCALE, "prompt": "Project"})
    block.add_attdef("DRAWN", (0.3 * SCALE, 0.5 * SCALE), dxfattribs={"height": 0.35 * SCALE, "prompt": "Drawn by"})
    block.add_attdef("SCALE", (8 * SCALE, 0.5 * SCALE), dxfattribs={"height": 0.35 * SCALE, "prompt": "Scale"})
    ref = msp.add_blockref("TITLEBLOCK", p(8, -5), dxfattribs={"layer": "A-TTLB"})
    ref.add_auto_attribs({"PROJECT": "Bürohaus Nord, Erdgeschoss", "DRAWN": "J. Ødegård", "SCALE": "1:50"})


def main(out):
    doc = ezdxf.new("R2000", setup=True)
    for name, color in (("A-WALL", 7), ("A-WALL-PATT", 8), ("A-DOOR", 3), ("A-FLOR-PATT", 9), ("A-FURN", 2),
                        ("A-ANNO", 7), ("A-DIMS", 1), ("A-TTLB", 7)):
        doc.layers.add(name, color=color)
    style = doc.dimstyles.new("ARCH")
    style.dxf.dimtxt = 0.25 * SCALE
    style.dxf.dimasz = 0.18 * SCALE
    style.dxf.dimexo = 0.1 * SCALE
    msp = doc.modelspace()
    walls(msp)
    doors(msp)
    floors(msp)
    labels(msp)
    dimensions(msp)
    title_block(doc, msp)
    doc.saveas(out)


if __name__ == "__main__":
    main(sys.argv[1])
