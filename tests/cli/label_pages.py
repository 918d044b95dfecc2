"""Label stock as glabels-data's template files describe it, and the pages of a PDF of labels
rendered at 300 dpi and cut along that geometry, for the end-to-end scripts of label sheets.
"""

import pathlib
import re
import subprocess
import xml.etree.ElementTree as ElementTree

TEMPLATES = pathlib.Path("/usr/share/libglabels-3.0/templates")
DPI = 300
UNITS_MM = {"pt": 25.4 / 72, "in": 25.4, "mm": 1.0, "cm": 10.0, "pc": 25.4 / 6}


def length_mm(value):
    match = re.fullmatch(r"([-+0-9.eE]+)\s*([a-z]*)", value.strip())
    return float(match.group(1)) * UNITS_MM[match.group(2) or "pt"]


def paper(size):
    """A paper size of glabels-data's list, in millimetres: (width, height)."""
    for node in ElementTree.parse(TEMPLATES / "paper-sizes.xml").getroot().iter("Paper-size"):
        if node.get("id") == size:
            return length_mm(node.get("width")), length_mm(node.get("height"))
    raise AssertionError(f"no paper size {size}")


def template(brand, part):
    """The paper, label rectangle and grid of a product, following its equivalent."""
    for path in TEMPLATES.glob("*-templates.xml"):
        for node in ElementTree.parse(path).getroot().iter("Template"):
            if node.get("brand") == brand and node.get("part") == part:
                if node.get("equiv"):
                    return template(brand, node.get("equiv"))
                label = node.find("Label-rectangle")
                layout = label.find("Layout")
                return {
                    "paper": paper(node.get("size")),
                    "width": length_mm(label.get("width")),
                    "height": length_mm(label.get("height")),
                    "nx": int(layout.get("nx")), "ny": int(layout.get("ny")),
                    **{k: length_mm(layout.get(k)) for k in ("x0", "y0", "dx", "dy")},
                }
    raise AssertionError(f"no template {brand} {part}")


def pages(pdf):
    """Each page of the PDF at 300 dpi in grey: (width, height, bytes) per page."""
    subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", pdf, pdf], check=True)
    result = []
    for path in sorted(pathlib.Path(pdf).parent.glob(pathlib.Path(pdf).name + "-*.pgm")):
        data = path.read_bytes()
        header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+255\s", data)
        width, height = int(header.group(1)), int(header.group(2))
        result.append((width, height, data[header.end():]))
    return result


def cut(page, x_mm, y_mm, w_mm, h_mm):
    """One rectangle of a page: its corner's dots on the page, its size and bytes."""
    width, height, pixels = page
    px = lambda mm: int(round(mm * DPI / 25.4))
    x0, y0, x1, y1 = px(x_mm), px(y_mm), min(px(x_mm + w_mm), width), min(px(y_mm + h_mm), height)
    rows = b"".join(pixels[y * width + x0:y * width + x1] for y in range(y0, y1))
    return x0, y0, x1 - x0, y1 - y0, rows


def labels_of(pdf, geometry):
    """Each label of every page, cut out in the order labels are filled."""
    crops = []
    for page in pages(pdf):
        for row in range(geometry["ny"]):
            for column in range(geometry["nx"]):
                crops.append(cut(page, geometry["x0"] + column * geometry["dx"],
                                 geometry["y0"] + row * geometry["dy"], geometry["width"],
                                 geometry["height"]))
    return crops
