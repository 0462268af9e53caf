# Reads a DXF file the host wrote from the corpus plan and checks, with
# ezdxf, what another program sees: texts and their encoding, angles,
# justification, constant widths, attributes attached to their block
# reference, linetype patterns, text style properties, dimension styles.
# Usage: expect_plan.py WRITTEN.dxf; prints what differs and exits 1.
import re
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
problems = []


def expect(what, got, want):
    ok = abs(got - want) < 1e-6 if isinstance(want, float) else got == want
    if not ok:
        problems.append(f"{what}: {got!r}, expected {want!r}")


def unescaped(text):
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


texts = {unescaped(t.dxf.text): t for t in msp.query("TEXT")}
for wanted in ("BÜRO 20 m² Küche", "Ωmega 東京", "ROTATED 45"):
    if wanted not in texts:
        problems.append(f"text {wanted!r} missing; texts: {sorted(texts)}")
if "ROTATED 45" in texts:
    t = texts["ROTATED 45"]
    expect("text rotation", t.dxf.rotation, 45.0)
    expect("text horizontal justification", t.dxf.halign, 1)
    expect("text vertical justification", t.dxf.valign, 2)
    expect("text alignment point", tuple(t.dxf.align_point)[:2], (2.0, 2.0))
inserts = msp.query("INSERT[name=='TITLE']")
expect("title blocks", len(inserts), 1)
if inserts:
    ref = inserts[0]
    expect("block rotation", ref.dxf.rotation, 30.0)
    attribs = {a.dxf.tag: a.dxf.text for a in ref.attribs}
    expect("attributes", attribs, {"DRAWN": "A. Müller", "TITLE": "Ground floor"})
widths = [p.dxf.const_width for p in msp.query("LWPOLYLINE") if p.dxf.hasattr("const_width")]
expect("constant widths", widths, [0.2])
dashed = doc.linetypes.get("DASHED")
expect("DASHED pattern", [round(t.value, 4) for t in dashed.pattern_tags.tags if t.code == 49], [1.27, -0.254])
slanted = doc.styles.get("SLANTED")
expect("style oblique", slanted.dxf.oblique, 15.0)
expect("style flags", slanted.dxf.flags, 4)
expect("big font", doc.styles.get("ASIAN").dxf.bigfont, "bigfont.shx")
expect("dimension style ARCH", "ARCH" in doc.dimstyles, True)
expect("arc kept", len(msp.query("ARC")), 1)
expect("hatches kept", len(msp.query("HATCH")), 2)
if doc.dxfversion < "AC1021":
    expect("code page", doc.header.get("$DWGCODEPAGE"), "ANSI_1252")
for p in problems:
    print(p)
sys.exit(1 if problems else 0)
