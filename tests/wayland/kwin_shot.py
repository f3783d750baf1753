"""A screenshot of KWin's whole workspace through its ScreenShot2 D-Bus interface, written to
argv[1] as a PPM: KWin writes the raw image into a pipe and its reply gives the size and layout."""
import os
import sys

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
read_end, write_end = os.pipe()
fds = Gio.UnixFDList.new()
index = fds.append(write_end)
os.close(write_end)
options = {"native-resolution": GLib.Variant("b", True), "include-cursor": GLib.Variant("b", False)}
reply, _ = bus.call_with_unix_fd_list_sync(
    "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureWorkspace",
    GLib.Variant("(a{sv}h)", (options, index)), GLib.VariantType("(a{sv})"),
    Gio.DBusCallFlags.NONE, 30000, fds, None)
del fds
info = reply.unpack()[0]
data = b""
while True:
    chunk = os.read(read_end, 1 << 20)
    if not chunk:
        break
    data += chunk
w, h, stride = info["width"], info["height"], info["stride"]
# QImage's 32-bit formats hold B, G, R, A in memory on little-endian machines.
pixels = bytearray()
for y in range(h):
    row = data[y * stride:y * stride + 4 * w]
    for x in range(w):
        pixels += bytes((row[4 * x + 2], row[4 * x + 1], row[4 * x]))
with open(sys.argv[1], "wb") as out:
    out.write(b"P6 %d %d 255\n" % (w, h) + bytes(pixels))
