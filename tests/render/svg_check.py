# Parses an SVG file and prints a summary the renderer tests compare against:
# the viewBox, then one line per element inside the model group, with its
# width, dashes and fill when the element has its own.
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.w3.org/2000/svg}"
root = ET.parse(sys.argv[1]).getroot()
if root.tag != NS + "svg":
    sys.exit("root is not svg")
print("viewBox", root.get("viewBox"))
group = root.find(NS + "g")
if group is None:
    sys.exit("no model group")


def extras(element):
    out = element.get("stroke") or "nostroke"
    if element.get("stroke-width"):
        out += " w=" + element.get("stroke-width")
    if element.get("stroke-dasharray"):
        out += " dash=" + element.get("stroke-dasharray")
    if element.get("style"):
        out += " style=" + element.get("style")
    return out


for element in group:
    tag = element.tag[len(NS):]
    if tag in ("polyline", "polygon"):
        print(tag, element.get("points"), extras(element))
    elif tag == "circle":
        print(tag, element.get("cx"), element.get("cy"), element.get("r"), extras(element))
    elif tag == "path":
        print(tag, element.get("d"), extras(element))
    elif tag == "text":
        print(tag, element.get("transform"), element.get("fill"), element.text)
    else:
        print(tag)
