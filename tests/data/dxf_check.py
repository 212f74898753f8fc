# Reads a DXF file strictly with an independent reader and prints what it found, one entity a
# line, for the DXF export tests. Usage: dxf_check.py FILE ENCODING
import sys

import ezdxf
from ezdxf.lldxf.const import DXFStructureError


def num(v):
    return "%.9g" % v


def main():
    path, encoding = sys.argv[1], sys.argv[2]
    try:
        doc = ezdxf.readfile(path, encoding=encoding)
    except (DXFStructureError, IOError) as e:
        print("ERROR", e)
        return 1
    auditor = doc.audit()
    out = ["AUDIT %d" % len(auditor.errors),
           "LAYERS " + "|".join(sorted(layer.dxf.name for layer in doc.layers
                                       if layer.dxf.name != "Defpoints"))]  # the reader adds its own
    for e in doc.modelspace():
        t = e.dxftype()
        if t == "LINE":
            s, d = e.dxf.start, e.dxf.end
            fields = [num(s.x), num(s.y), num(d.x), num(d.y)]
        elif t == "CIRCLE":
            c = e.dxf.center
            fields = [num(c.x), num(c.y), num(e.dxf.radius)]
        elif t == "ARC":
            c = e.dxf.center
            fields = [num(c.x), num(c.y), num(e.dxf.radius), num(e.dxf.start_angle), num(e.dxf.end_angle)]
        elif t == "TEXT":
            p = e.dxf.insert
            fields = [num(p.x), num(p.y), num(e.dxf.height), e.dxf.text]
        else:
            fields = []
        out.append("|".join([t, e.dxf.layer] + fields))
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
