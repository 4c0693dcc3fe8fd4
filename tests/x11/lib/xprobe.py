#!/usr/bin/python3
"""Reads what shell tools do not show of an X window, for the X11 tests.

  xprobe.py shape WINDOW bounding|input     one "x y w h" line per rectangle of the shape
  xprobe.py in-shape WINDOW bounding|input X Y   exit 0 when (X, Y), window-relative, lies inside
  xprobe.py cardinal WINDOW PROPERTY         the property's CARDINAL values, space-separated
  xprobe.py outer WINDOW                     "x y w h" on the screen, the window manager's frame included
  xprobe.py close WINDOW                     sends WM_DELETE_WINDOW, as a window manager's close does
  xprobe.py has-wm [NAME] | has-compositor   exit 0 when a window manager (of that _NET_WM_NAME) /
                                            a compositing manager runs
  xprobe.py catch-clicks X Y W H LOG        a black window that logs each button press it gets ("press B X Y")
  xprobe.py backdrop RRGGBB                 a desktop of one plain colour beneath every window, and a small
                                            half-transparent white marker in its bottom right corner (until killed)
  xprobe.py xsettings DPI                   an XSETTINGS manager publishing Xft/DPI (until killed)
  xprobe.py xsettings-dpi DPI               the running manager publishes this DPI instead
  xprobe.py wm-state WINDOW iconic|normal   sets _NET_WM_STATE (with or without _NET_WM_STATE_HIDDEN) and WM_STATE
                                            on the mapped window, as a window manager that keeps an iconified
                                            window mapped does
  xprobe.py soak WINDOW PID N               counts the window's repaints by its shape changes; prints
                                            "REPAINTS RSS_KIB X_RESOURCES" after N/10 and after N of them
  xprobe.py check-pixels RAW WIDTH           checks "is|not rrggbb x y why..." lines on stdin against RAW
                                            (8-bit RGB rows of WIDTH pixels); prints each miss, exit 1 if any
  xprobe.py keyed-out RAW WIDTH WINDOW RRGGBB   RAW, the window's client area, shows RRGGBB at every pixel
                                            clear of the window's input shape, most pixels are clear of it,
                                            and hardly any inside it show RRGGBB
  xprobe.py left-spot BEFORE AFTER WIDTH BENEATH   "x y" of a pixel drawn in BEFORE (not BENEATH) round which AFTER
                                            shows BENEATH for a few pixels each way: where something drawn has left;
                                            exit 1 if there is none
  xprobe.py record WINDOW X Y W H DIR        the screen's rectangle, again and again until killed, as DIR/N-S.rgb
                                            (S: how many shape changes of WINDOW came before)
  xprobe.py flashes DIR BEFORE AFTER WIDTH BENEATH DESKTOP MARGIN [settled]   no recording in DIR (MARGIN
                                            columns, the first DESKTOP of them the desktop's, then WIDTH of the
                                            window) shows white, or black at a pixel where both BEFORE and AFTER
                                            show BENEATH; prints each that does; with settled, only the last
                                            recording of each shape of the window counts
  xprobe.py halo RAW WIDTH X Y W H TEXT BENEATH   no pixel of the rectangle is lighter, in some channel, than
                                            both the text's colour and the colour beneath it (a rim left by
                                            antialiasing against another background)
"""
import os
import struct
import sys

from Xlib import X, Xatom, Xutil, display, error
from Xlib.ext import shape
from Xlib.protocol import event


def window_of(d, text):
    return d.create_resource_object("window", int(text, 0))


def rectangles(win, kind):
    which = shape.SK.Bounding if kind == "bounding" else shape.SK.Input
    return [(r.x, r.y, r.width, r.height) for r in win.shape_get_rectangles(which).rectangles]


def cardinals(d, win, name):
    prop = win.get_full_property(d.intern_atom(name), Xatom.CARDINAL)
    return list(prop.value) if prop is not None else []


def window_manager_named(d, name):
    """A window manager runs (named NAME, when given): its check window is there and says so."""
    check = d.screen().root.get_full_property(d.intern_atom("_NET_SUPPORTING_WM_CHECK"), Xatom.WINDOW)
    if check is None:
        return False
    if name is None:
        return True
    try:
        named = window_of(d, str(check.value[0])).get_full_property(d.intern_atom("_NET_WM_NAME"),
                                                                  d.intern_atom("UTF8_STRING"))
    except error.BadWindow:
        return False  # a window manager that is going away
    return named is not None and named.value.decode() == name


def outer(d, win):
    geometry = win.get_geometry()
    origin = win.translate_coords(d.screen().root, 0, 0)
    x, y = -origin.x, -origin.y
    extents = cardinals(d, win, "_NET_FRAME_EXTENTS") or [0, 0, 0, 0]
    left, right, top, bottom = extents
    return x - left, y - top, geometry.width + left + right, geometry.height + top + bottom


def keep_until_server_ends(d):
    """Keeps the windows made here, and what they own, until the X server ends or this process is killed."""
    d.sync()
    while True:
        try:
            d.next_event()
        except error.ConnectionClosedError:
            return


def catch_clicks(d, x, y, width, height, log):
    """A black window that writes "press BUTTON X Y" to LOG for each button press it gets, until killed."""
    screen = d.screen()
    win = screen.root.create_window(x, y, width, height, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
                                    background_pixel=screen.black_pixel, override_redirect=True,
                                    event_mask=X.ButtonPressMask | X.ExposureMask)
    win.map()
    d.sync()
    with open(log, "a", buffering=1) as out:
        out.write("mapped %d\n" % win.id)
        while True:
            try:
                e = d.next_event()
            except error.ConnectionClosedError:
                return  # the server has ended
            if e.type == X.ButtonPress:
                out.write("press %d %d %d\n" % (e.detail, e.event_x, e.event_y))


MARKER_SIZE = 8


def backdrop(d, colour):
    """The window a desktop session draws its background in: managed, of the desktop type, full screen, which
    every window manager keeps beneath the others. An override-redirect one would not do: some window managers
    stack it above their own windows, some compositors leave a full-screen one out of what they draw.

    The marker, white at half opacity, shows blended with the colour only where a compositor draws the screen."""
    screen = d.screen()
    width, height = screen.width_in_pixels, screen.height_in_pixels
    # The default visual of a 24-bit server is TrueColor with 8 bits a channel: the pixel is the colour.
    win = screen.root.create_window(0, 0, width, height, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
                                    background_pixel=int(colour, 16))
    win.set_wm_name("backdrop")
    win.set_wm_normal_hints(flags=Xutil.USPosition | Xutil.USSize, x=0, y=0, width=width, height=height)
    # Read by the window manager when the window maps, so set before.
    win.change_property(d.intern_atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32,
                        [d.intern_atom("_NET_WM_WINDOW_TYPE_DESKTOP")])
    win.change_attributes(event_mask=X.StructureNotifyMask)
    win.map()
    # Made once the window manager has framed and stacked the desktop, so that it stays above it.
    while d.next_event().type != X.MapNotify:
        pass
    marker = screen.root.create_window(width - MARKER_SIZE, height - MARKER_SIZE, MARKER_SIZE, MARKER_SIZE, 0,
                                       screen.root_depth, X.InputOutput, X.CopyFromParent,
                                       background_pixel=screen.white_pixel, override_redirect=True)
    marker.change_property(d.intern_atom("_NET_WM_WINDOW_OPACITY"), Xatom.CARDINAL, 32, [0x7fffffff])
    marker.map()
    keep_until_server_ends(d)


def read_raw(raw, width):
    with open(raw, "rb") as f:
        data = f.read()
    return data, len(data) // (3 * width)


# How far an antialiased edge may reach beyond the input shape: a compositor blends the faint pixels of a
# text's edge that the shape leaves out.
EDGE = 2


def shape_mask(win, kind, width, height, grow):
    mask = bytearray(width * height)
    for rx, ry, rw, rh in rectangles(win, kind):
        x0, x1 = max(rx - grow, 0), min(rx + rw + grow, width)
        for y in range(max(ry - grow, 0), min(ry + rh + grow, height)):
            mask[y * width + x0:y * width + x1] = b"\1" * max(x1 - x0, 0)
    return mask


def taking_input(win, width, height, grow):
    """1 where the window takes input: inside its input shape and its bounding shape, each grown by GROW."""
    inside = shape_mask(win, "input", width, height, grow)
    bounding = shape_mask(win, "bounding", width, height, grow)
    return bytearray(a & b for a, b in zip(inside, bounding))


def keyed_out(d, raw, width, win, colour):
    """Every pixel clear of where the window takes input, a keyed-out one, shows COLOUR; prints what each shows otherwise."""
    data, height = read_raw(raw, width)
    drawn = taking_input(win, width, height, 0)
    near = taking_input(win, width, height, EDGE)
    want = bytes.fromhex(colour)
    keyed, inside, hidden, shown = 0, 0, 0, {}
    for i in range(width * height):
        pixel = data[3 * i:3 * i + 3]
        if drawn[i]:
            inside += 1
            hidden += pixel == want
        elif not near[i]:
            keyed += 1
            if pixel != want:
                shown.setdefault(pixel.hex(), []).append((i % width, i // width))
    # A window not keyed out yet has (almost) nothing outside its input shape, one not yet on the screen
    # shows the colour beneath at its drawn pixels too: either would pass unseen.
    if keyed * 2 < width * height:
        print("only %d of %d pixels are keyed out" % (keyed, width * height))
        return 1
    if hidden * 100 > inside:
        print("%d of the %d drawn pixels show %s" % (hidden, inside, colour))
        return 1
    for pixel, where in sorted(shown.items(), key=lambda item: -len(item[1])):
        print("%d keyed-out pixels show %s, not %s, first at (%d, %d)" % (len(where), pixel, colour, *where[0]))
    return 1 if shown else 0


# Blending two colours never gives a channel above both of theirs; rounding moves it by a unit or two.
HALO_MARGIN = 32


def halo(raw, width, area, text, beneath):
    data, height = read_raw(raw, width)
    x, y, w, h = area
    limit = [max(a, b) + HALO_MARGIN for a, b in zip(bytes.fromhex(text), bytes.fromhex(beneath))]
    light = []
    for row in range(y, min(y + h, height)):
        for column in range(x, min(x + w, width)):
            at = 3 * (row * width + column)
            pixel = data[at:at + 3]
            if any(channel > bound for channel, bound in zip(pixel, limit)):
                light.append((column, row, pixel.hex()))
    if light:
        print("%d pixels lighter than both %s and %s, first (%d, %d) %s" % (len(light), text, beneath, *light[0]))
    return 1 if light else 0


# How far round a pixel the window beneath must show: clear of an antialiased edge.
CLEAR = 3


def left_spot(before_raw, after_raw, width, beneath):
    before, height = read_raw(before_raw, width)
    after, _ = read_raw(after_raw, width)
    want = bytes.fromhex(beneath)

    def shows(data, x, y):
        return data[3 * (y * width + x):3 * (y * width + x) + 3] == want

    for y in range(CLEAR, height - CLEAR):
        for x in range(CLEAR, width - CLEAR):
            if shows(before, x, y) or not shows(after, x, y):
                continue
            if all(shows(after, x + dx, y + dy) for dy in range(-CLEAR, CLEAR + 1) for dx in range(-CLEAR, CLEAR + 1)):
                print(x, y)
                return 0
    return 1


def record(d, win, x, y, width, height, folder):
    """Each frame that differs from the one before as 8-bit RGB rows, named N-S.rgb where S counts the shape
    changes of WIN seen before it was taken; written to a temporary name first, so a frame cut off by the kill
    is none."""
    root = d.screen().root
    win.shape_select_input(1)
    d.sync()
    n = 0
    shapes = 0
    last = None
    while True:
        while d.pending_events():
            if d.next_event().type == d.extension_event.ShapeNotify:
                shapes += 1
        data = root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        if data == last:
            continue
        last = data
        rgb = bytearray(width * height * 3)
        # A 24-bit TrueColor screen: each pixel four bytes, blue, green, red, unused.
        rgb[0::3], rgb[1::3], rgb[2::3] = data[2::4], data[1::4], data[0::4]
        path = "%s/%05d-%d.rgb" % (folder, n, shapes)
        with open(path + ".part", "wb") as out:
            out.write(rgb)
        os.rename(path + ".part", path)
        n += 1


KEYED_OUT = (bytes.fromhex("ffffff"), bytes.fromhex("000000"))


def flashes(folder, before_raw, after_raw, width, beneath, desktop_columns, margin, settled=False):
    """The recordings are MARGIN columns left of the clock, the first DESKTOP_COLUMNS of them the desktop's,
    then the clock's WIDTH. A recording whose desktop columns do not show BENEATH caught the screen while no
    one drew it (a compositor starting or ending), one made before the window's shape first changed caught
    the server drawing it as it was before its program could know of the switch: both are passed over.
    SETTLED passes over each recording but the last made with the same count of shape changes: when a
    compositor stops, the screen shows the window unshaped until its program has shaped it again and the
    window manager has copied that shape onto its frame, which no program can shorten."""
    before, height = read_raw(before_raw, width)
    after, _ = read_raw(after_raw, width)
    want = bytes.fromhex(beneath)
    wide = width + margin
    open_pixels = [(y * wide + margin + x) * 3 for y in range(height) for x in range(width)
                   if before[3 * (y * width + x):3 * (y * width + x) + 3] == want and
                   after[3 * (y * width + x):3 * (y * width + x) + 3] == want]
    desktop = [(y * wide + x) * 3 for y in range(height) for x in range(desktop_columns)]
    window = [(y * wide + margin + x) * 3 for y in range(height) for x in range(width)]
    frames = sorted(name for name in os.listdir(folder) if name.endswith(".rgb"))
    if settled:
        last_of_shape = {name.split("-")[1]: name for name in frames}
        frames = sorted(last_of_shape.values())
    bad = 0
    drawn = 0
    for name in frames:
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        if name.endswith("-0.rgb") or any(data[i:i + 3] != want for i in desktop):
            continue
        drawn += 1
        shown = [i for i in open_pixels if data[i:i + 3] in KEYED_OUT]
        # The key is white: a keyed clock shows none of it anywhere, neither as it is nor unshaped.
        white = [i for i in window if data[i:i + 3] == KEYED_OUT[0]]
        for what, where in (("white or black where %s shows before and after" % beneath, shown), ("white", white)):
            if where:
                at = where[0] // 3
                print("%s: %d pixels %s, first at (%d, %d)" % (name, len(where), what, at % wide - margin, at // wide))
        bad += bool(shown or white)
    if drawn == 0:
        print("none of %d recordings shows the desktop and a shape of the window's" % len(frames))
        return 1
    return 1 if bad else 0


def check_pixels(raw, width):
    data, height = read_raw(raw, width)
    misses, checked = [], 0
    for line in sys.stdin:
        words = line.split()
        if len(words) < 4:
            continue
        want_is, colour, x, y = words[0] == "is", words[1].lower(), int(words[2]), int(words[3])
        actual = "outside"
        if 0 <= x < width and 0 <= y < height:
            at = 3 * (y * width + x)
            actual = data[at:at + 3].hex()
        checked += 1
        if (actual == colour) != want_is:
            misses.append("  (%d, %d) is %s, expected %s%s: %s" % (x, y, actual, "" if want_is else "not ", colour,
                                                                 " ".join(words[4:])))
    for miss in misses:
        print(miss)
    return 1 if misses or checked == 0 else 0


def xsettings_data(dpi, serial):
    """The _XSETTINGS_SETTINGS property: one integer setting, Xft/DPI in 1024ths of a dot per inch."""
    name = b"Xft/DPI"
    padded = name + b"\0" * (-len(name) % 4)
    return (struct.pack("<B3xII", 0, serial, 1) + struct.pack("<BxH", 0, len(name)) + padded +
            struct.pack("<Ii", serial, dpi * 1024))


def publish_dpi(d, win, dpi, serial):
    win.change_property(d.intern_atom("_XSETTINGS_SETTINGS"), d.intern_atom("_XSETTINGS_SETTINGS"), 8,
                        xsettings_data(dpi, serial))
    d.sync()


def xsettings_manager(d, dpi):
    screen = d.screen()
    win = screen.root.create_window(-1, -1, 1, 1, 0, X.CopyFromParent, X.InputOnly, X.CopyFromParent)
    publish_dpi(d, win, dpi, 0)
    selection = d.intern_atom("_XSETTINGS_S0")
    win.set_selection_owner(selection, X.CurrentTime)
    announce = event.ClientMessage(window=screen.root, client_type=d.intern_atom("MANAGER"),
                                   data=(32, [X.CurrentTime, selection, win.id, 0, 0]))
    screen.root.send_event(announce, event_mask=X.StructureNotifyMask)
    keep_until_server_ends(d)


def set_wm_state(d, win, state):
    iconic = state == "iconic"
    hidden = [d.intern_atom("_NET_WM_STATE_HIDDEN")] if iconic else []
    win.change_property(d.intern_atom("_NET_WM_STATE"), Xatom.ATOM, 32, hidden)
    wm_state = d.intern_atom("WM_STATE")
    win.change_property(wm_state, wm_state, 32, [Xutil.IconicState if iconic else Xutil.NormalState, X.NONE])
    d.sync()


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def soak(d, win, pid, total):
    """Every repaint of a keyed-out clock sets its shapes anew: one ShapeNotify for the bounding shape."""
    win.shape_select_input(1)
    d.sync()
    client = win.id
    repaints = 0
    while repaints < total:
        e = d.next_event()
        if e.type == d.extension_event.ShapeNotify and e.shape_kind == shape.SK.Bounding:
            repaints += 1
            if repaints in (total // 10, total):
                resources = sum(t.count for t in d.res_query_client_resources(client).types)
                print(repaints, rss_kib(pid), resources, flush=True)


def main(args):
    d = display.Display()
    command = args[0]
    if command == "shape":
        for r in rectangles(window_of(d, args[1]), args[2]):
            print(*r)
    elif command == "in-shape":
        x, y = int(args[3]), int(args[4])
        inside = any(rx <= x < rx + rw and ry <= y < ry + rh for rx, ry, rw, rh in rectangles(window_of(d, args[1]), args[2]))
        return 0 if inside else 1
    elif command == "cardinal":
        print(*cardinals(d, window_of(d, args[1]), args[2]))
    elif command == "outer":
        print(*outer(d, window_of(d, args[1])))
    elif command == "close":
        win = window_of(d, args[1])
        protocols = d.intern_atom("WM_PROTOCOLS")
        message = event.ClientMessage(window=win, client_type=protocols,
                                      data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        win.send_event(message, event_mask=X.NoEventMask)
        d.sync()
    elif command == "has-wm":
        return 0 if window_manager_named(d, args[1] if len(args) > 1 else None) else 1
    elif command == "has-compositor":
        return 0 if d.get_selection_owner(d.intern_atom("_NET_WM_CM_S0")) != X.NONE else 1
    elif command == "xsettings":
        xsettings_manager(d, int(args[1]))
    elif command == "xsettings-dpi":
        owner = d.get_selection_owner(d.intern_atom("_XSETTINGS_S0"))
        if owner == X.NONE:
            return 1
        publish_dpi(d, owner, int(args[1]), int(args[1]))
    elif command == "wm-state":
        set_wm_state(d, window_of(d, args[1]), args[2])
    elif command == "soak":
        soak(d, window_of(d, args[1]), int(args[2]), int(args[3]))
    elif command == "check-pixels":
        return check_pixels(args[1], int(args[2]))
    elif command == "keyed-out":
        return keyed_out(d, args[1], int(args[2]), window_of(d, args[3]), args[4].lower())
    elif command == "left-spot":
        return left_spot(args[1], args[2], int(args[3]), args[4].lower())
    elif command == "record":
        record(d, window_of(d, args[1]), *[int(a) for a in args[2:6]], args[6])
    elif command == "flashes":
        return flashes(args[1], args[2], args[3], int(args[4]), args[5].lower(), int(args[6]), int(args[7]),
                       len(args) > 8 and args[8] == "settled")
    elif command == "halo":
        return halo(args[1], int(args[2]), [int(a) for a in args[3:7]], args[7].lower(), args[8].lower())
    elif command == "backdrop":
        backdrop(d, args[1])
    elif command == "catch-clicks":
        catch_clicks(d, int(args[1]), int(args[2]), int(args[3]), int(args[4]), args[5])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
