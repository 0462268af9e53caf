# Reads a DXF file with ezdxf and prints, for every entity of the given DXF
# type, the kinds of the entities its proxy graphics stand for (one line
# per entity, e.g. "CIRCLE LWPOLYLINE TEXT:X"), or "none" when it has none.
# Usage: proxy_graphics_check.py FILE DXFTYPE
import sys

import ezdxf
from ezdxf.proxygraphic import ProxyGraphic

doc = ezdxf.readfile(sys.argv[1])
for entity in doc.modelspace().query(sys.argv[2]):
    data = getattr(entity, "proxy_graphic", None)
    if not data:
        print("none")
        continue
    kinds = []
    for e in ProxyGraphic(data, doc).virtual_entities():
        kinds.append(e.dxftype() + (":" + e.dxf.text if e.dxftype() == "TEXT" else ""))
    print(" ".join(sorted(kinds)))
