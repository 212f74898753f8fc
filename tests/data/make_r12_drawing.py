#!/usr/bin/python3
"""Writes an R12 drawing with ezdxf and a plain list of the entities it holds.

usage: make_r12_drawing.py out.dxf out.txt [cp932]

The list has one entity per line, fields separated by '|':
  LINE|x1|y1|x2|y2|layer     CIRCLE|cx|cy|r     ARC|cx|cy|r|start|end
  TEXT|text(utf-8)|x|y|height
Inserted blocks are listed as the lines and arcs they place, computed here from ezdxf's
own transformation of the block references.
"""
import math
import sys

import ezdxf


def main():
    out_dxf, out_txt = sys.argv[1], sys.argv[2]
    japanese = len(sys.argv) > 3 and sys.argv[3] == "cp932"
    doc = ezdxf.new("R12")
    if japanese:
        doc.encoding = "cp932"
    msp = doc.modelspace()
    rows = []

    msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "WALLS"})
    rows.append("LINE|0|0|10|5|WALLS")
    msp.add_circle((3, 4), 2.5)
    rows.append("CIRCLE|3|4|2.5")
    msp.add_arc((1, 1), 4, 30, 120)
    rows.append("ARC|1|1|4|30|120")
    text = "図面番号" if japanese else "Title"
    msp.add_text(text, dxfattribs={"height": 3.5, "insert": (7, 8)})
    rows.append("TEXT|%s|7|8|3.5" % text)

    # A closed square whose first edge bulges outward (a half circle below (20,0)-(30,0)).
    pts = [(20, 0, 0, 0, 1.0), (30, 0, 0, 0, 0), (30, 10, 0, 0, 0), (20, 10, 0, 0, 0)]
    msp.add_polyline2d([(x, y) for x, y, *_ in pts], format="xy", close=True)
    poly = msp.query("POLYLINE").first
    poly.vertices[0].dxf.bulge = 1.0
    rows.append("ARC|25|0|5|180|360")
    rows.append("LINE|30|0|30|10|0")
    rows.append("LINE|30|10|20|10|0")
    rows.append("LINE|20|10|20|0|0")

    blk = doc.blocks.new(name="PART", base_point=(10, 0))
    blk.add_line((10, 0), (20, 0))
    blk.add_arc((10, 0), 5, 0, 90)
    for x, y, sx, sy, rot in [(100, 100, 1, 1, 90), (200, 0, 2, 2, 0), (300, 0, 1, 1, 300)]:
        ref = msp.add_blockref("PART", (x, y), dxfattribs={"xscale": sx, "yscale": sy, "rotation": rot})
        for e in ref.virtual_entities():
            if e.dxftype() == "LINE":
                s, t = e.dxf.start, e.dxf.end
                rows.append("LINE|%r|%r|%r|%r|0" % (s.x, s.y, t.x, t.y))
            elif e.dxftype() == "ARC":
                c = e.dxf.center
                rows.append("ARC|%r|%r|%r|%r|%r" % (c.x, c.y, e.dxf.radius, e.dxf.start_angle, e.dxf.end_angle))
    doc.saveas(out_dxf)
    with open(out_txt, "w", encoding="utf-8") as f:
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
