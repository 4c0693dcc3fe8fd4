#!/usr/bin/python3
"""Shape requests on a window shaped as the keyed-out clock, for perf/shape_cost.sh.

  shape_requests.py RECTANGLES bounding|input set|diff MANAGED REQUESTS READY

RECTANGLES holds the clock's shape, one "x y w h" line a rectangle (YX-banded). A window of the clock's size
is shaped so, then, once READY has been written, REQUESTS shape requests follow, 20 ms apart: "set" sets the
whole shape anew, once without the rows 200 to 229 and once with them; "diff" takes those rows' rectangles
away in one request and adds them back in the next. MANAGED 1 lets a window manager frame the window.
"""
import sys
import time

from Xlib import X, display
from Xlib.ext import shape

BAND = range(200, 230)  # the rows a request changes: about the second hand's share of a repaint


def main(args):
    rectangles = [tuple(int(v) for v in line.split()) for line in open(args[0])]
    kind = shape.SK.Bounding if args[1] == "bounding" else shape.SK.Input
    diff = args[2] == "diff"
    managed = args[3] == "1"
    requests = int(args[4])
    d = display.Display()
    screen = d.screen()
    width = max(x + w for x, _, w, _ in rectangles)
    height = max(y + h for _, y, _, h in rectangles)
    win = screen.root.create_window(150, 100, width, height, 0, screen.root_depth, X.InputOutput,
                                    X.CopyFromParent, background_pixel=screen.white_pixel,
                                    override_redirect=not managed)
    win.set_wm_name("shape-requests")
    win.map()
    d.sync()
    time.sleep(1.5)  # framed, and drawn by a compositor where one runs
    win.shape_rectangles(shape.SO.Set, kind, X.YXBanded, 0, 0, rectangles)
    d.sync()
    band = [r for r in rectangles if r[1] in BAND]
    without = [r for r in rectangles if r[1] not in BAND]
    time.sleep(0.5)
    with open(args[5], "w") as ready:
        ready.write("%d %d\n" % (len(rectangles), len(band)))
    time.sleep(0.5)
    for i in range(requests):
        if diff:
            operation = shape.SO.Subtract if i % 2 == 0 else shape.SO.Union
            win.shape_rectangles(operation, kind, X.YXBanded, 0, 0, band)
        else:
            win.shape_rectangles(shape.SO.Set, kind, X.YXBanded, 0, 0, without if i % 2 == 0 else rectangles)
        d.sync()
        time.sleep(0.02)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
