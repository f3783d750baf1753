"""Input and screenshots on a headless Mutter, through its remote-desktop and screen-cast D-Bus
API: one session for the run. Reads commands on stdin, one a line, and answers each with a line
starting "ok" or "error":
  key CODE             press and release a Linux key code
  at X Y               move the pointer to a place on the recorded monitor
  click                press and release the left button
  shot FILE            a PNG of the recorded monitor, taken after the command came
The screenshots come from one GStreamer pipeline on the screen-cast stream for the whole run,
at most two frames a second as PNG files, so that the stream's format is agreed on once (a new
consumer for each screenshot now and then failed to agree on one with Mutter under load).
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile

from gi.repository import Gio, GLib

BUS = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(name, path, interface, method, args=None, reply=None):
    return BUS.call_sync(name, path, interface, method, args,
                         GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 20000, None)


RD, SC = "org.gnome.Mutter.RemoteDesktop", "org.gnome.Mutter.ScreenCast"
session = call(RD, "/org/gnome/Mutter/RemoteDesktop", RD, "CreateSession", None, "(o)")[0]
session_id = call(RD, session, "org.freedesktop.DBus.Properties", "Get",
                  GLib.Variant("(ss)", (RD + ".Session", "SessionId")), "(v)")[0]
cast = call(SC, "/org/gnome/Mutter/ScreenCast", SC, "CreateSession",
            GLib.Variant("(a{sv})", ({"remote-desktop-session-id":
                                      GLib.Variant("s", session_id)},)), "(o)")[0]
stream = call(SC, cast, SC + ".Session", "RecordMonitor",
              GLib.Variant("(sa{sv})", ("", {"cursor-mode": GLib.Variant("u", 0)})), "(o)")[0]
node = []
BUS.signal_subscribe(SC, SC + ".Stream", "PipeWireStreamAdded", stream, None,
                     Gio.DBusSignalFlags.NONE, lambda *a: node.append(a[5][0]))
call(RD, session, RD + ".Session", "Start")
context = GLib.MainContext.default()
deadline = GLib.get_monotonic_time() + 60 * 1000000
while not node and GLib.get_monotonic_time() < deadline:
    context.iteration(False) or GLib.usleep(20000)
if not node:
    print("error no screen-cast stream", flush=True)
    sys.exit(1)


def notify(method, signature, *args):
    call(RD, session, RD + ".Session", method, GLib.Variant(signature, args))


folder = tempfile.mkdtemp()
gst_log = tempfile.TemporaryFile(mode="w+")
gst = subprocess.Popen(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % node[0],
                        "always-copy=true", "!", "video/x-raw,max-framerate=2/1", "!",
                        "videoconvert", "!", "pngenc", "!", "multifilesink",
                        "location=" + os.path.join(folder, "shot.%d.png"), "max-files=4"],
                       stdout=subprocess.DEVNULL, stderr=gst_log)
# Ended by the test with SIGTERM: the pipeline and its files go too.
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))


def newest():
    """The index of the newest PNG written, -1 before the first."""
    indices = [int(name.split(".")[1]) for name in os.listdir(folder)]
    return max(indices, default=-1)


def shot(path):
    """The second PNG written after now (the first may have been begun before): the one before
    the newest is complete once the newest exists."""
    wanted = newest() + 2
    deadline = GLib.get_monotonic_time() + 60 * 1000000
    while newest() < wanted + 1:
        if gst.poll() is not None:
            gst_log.seek(0)
            raise RuntimeError("gst-launch-1.0 ended with %d: %s" %
                               (gst.returncode, gst_log.read()[-600:]))
        if GLib.get_monotonic_time() > deadline:
            raise RuntimeError("no new frame from the screen cast in 60 s")
        GLib.usleep(50000)
    shutil.copyfile(os.path.join(folder, "shot.%d.png" % wanted), path)


# Mutter makes its virtual devices (keyboard, pointer) on the first event of each, which is lost:
# a harmless one first.
notify("NotifyKeyboardKeycode", "(ub)", 42, True)
notify("NotifyKeyboardKeycode", "(ub)", 42, False)
notify("NotifyPointerMotionRelative", "(dd)", 0.0, 0.0)
print("ok ready", flush=True)

try:
    for line in sys.stdin:
        words = line.split()
        try:
            if words[0] == "key":
                notify("NotifyKeyboardKeycode", "(ub)", int(words[1]), True)
                notify("NotifyKeyboardKeycode", "(ub)", int(words[1]), False)
            elif words[0] == "at":
                notify("NotifyPointerMotionAbsolute", "(sdd)", stream, float(words[1]),
                       float(words[2]))
            elif words[0] == "click":
                notify("NotifyPointerButton", "(ib)", 272, True)
                notify("NotifyPointerButton", "(ib)", 272, False)
            elif words[0] == "shot":
                shot(words[1])
            print("ok", flush=True)
        except Exception as error:  # the test reads the reason
            print("error", str(error).replace("\n", " "), flush=True)
finally:
    gst.terminate()
    gst.wait()
    shutil.rmtree(folder)
