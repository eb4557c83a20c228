#!/usr/bin/env python3
"""Draws the structure of the source tree as a Graphviz graph.

Each subsystem folder of src/ is split in two nodes: its rules half (the
files the build puts in the rules library) and its presentation half (drawing
files, hooks, everything else). An arrow A -> B says some file of A includes
a header of B; its label counts the includes. Rules nodes are boxes on the
left, presentation nodes ellipses on the right.

    scripts/structure-graph.py BUILD_DIR > structure.dot
    dot -Tsvg structure.dot > structure.svg

BUILD_DIR is a configured build folder: its rules_sources.txt says which files
are rules. With --check the graph is not printed; instead every arrow from a
rules node to a presentation node is listed and the exit status is 1 if there
is one.
"""
import collections
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def main(argv):
    check = "--check" in argv
    args = [a for a in argv[1:] if a != "--check"]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    build = args[0]
    src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    src = os.path.normpath(src)
    with open(os.path.join(build, "rules_sources.txt")) as f:
        rules = {os.path.relpath(os.path.normpath(l.strip()), src) for l in f if l.strip()}

    def node(rel):
        folder = rel.split(os.sep)[0]
        return ("rules" if rel in rules else "presentation", folder)

    edges = collections.Counter()
    nodes = set()
    for root, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            rel = os.path.relpath(os.path.join(root, name), src)
            a = node(rel)
            nodes.add(a)
            with open(os.path.join(root, name), errors="replace") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if not m or not os.path.exists(os.path.join(src, m.group(1))):
                        continue
                    b = node(os.path.normpath(m.group(1)))
                    nodes.add(b)
                    if a != b:
                        edges[(a, b)] += 1

    if check:
        bad = [(a, b) for (a, b) in edges if a[0] == "rules" and b[0] == "presentation"]
        for a, b in sorted(bad):
            print("rules %s includes presentation %s" % (a[1], b[1]))
        return 1 if bad else 0

    def ident(n):
        return '"%s/%s"' % (n[1], n[0])

    print("digraph structure {")
    print("  rankdir=RL; node [fontname=sans];")
    for side, shape in (("rules", "box"), ("presentation", "ellipse")):
        print("  subgraph cluster_%s { label=\"%s\";" % (side, side))
        for n in sorted(x for x in nodes if x[0] == side):
            print("    %s [label=\"%s\", shape=%s];" % (ident(n), n[1], shape))
        print("  }")
    for (a, b), count in sorted(edges.items()):
        colour = "red" if a[0] == "rules" and b[0] == "presentation" else "black"
        print("  %s -> %s [label=%d, color=%s];" % (ident(a), ident(b), count, colour))
    print("}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
