#!/usr/bin/python3
# As much of systemd-logind as xss-lock asks of it, on the bus in DBUS_SYSTEM_BUS_ADDRESS: the
# session of any process, its idle hint, and a sleep inhibitor that is never waited for. Prints
# "ready" once the name is owned; runs until it is ended.
import os

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

MANAGER = "org.freedesktop.login1.Manager"
SESSION = "org.freedesktop.login1.Session"
SESSION_PATH = "/org/freedesktop/login1/session/test"


class Manager(dbus.service.Object):
    @dbus.service.method(MANAGER, in_signature="s", out_signature="o")
    def GetSession(self, session_id):
        return SESSION_PATH

    @dbus.service.method(MANAGER, in_signature="u", out_signature="o")
    def GetSessionByPID(self, pid):
        return SESSION_PATH

    @dbus.service.method(MANAGER, in_signature="ssss", out_signature="h")
    def Inhibit(self, what, who, why, mode):
        read_end, write_end = os.pipe()
        os.close(read_end)
        return dbus.types.UnixFd(write_end)


class Session(dbus.service.Object):
    @dbus.service.method(SESSION, in_signature="b")
    def SetIdleHint(self, idle):
        pass


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(os.environ["DBUS_SYSTEM_BUS_ADDRESS"])
manager = Manager(bus, "/org/freedesktop/login1")
session = Session(bus, SESSION_PATH)
name = dbus.service.BusName("org.freedesktop.login1", bus)
print("ready", flush=True)
GLib.MainLoop().run()
