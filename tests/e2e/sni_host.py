#!/usr/bin/python3
"""A minimal StatusNotifierWatcher and host for the end-to-end tests.

It owns org.kde.StatusNotifierWatcher on the session bus, waits for a
StatusNotifierItem to register, then checks what the item publishes: the
tooltip, the icon pixmaps (the sizes a screen at scale 1 needs and no more, the
larger one the smaller enlarged pixel for pixel, changing from frame to frame, each
change told by NewIcon), every other property, method and signal of the item and of
its menu (com.canonical.dbusmenu, errors for entries that do not exist). Prints one
line per finding; then writes "pass" or "fail" to the done-file and goes on serving
as the watcher until it is killed. Every signal of an item or a menu is appended to
the signals-file as "<name> <sender>" (ItemsPropertiesUpdated: "id:property=value").

Usage: sni_host.py <ready-file> <seconds to watch the icon> <done-file> <signals-file>
"""

import hashlib
import sys
import xml.etree.ElementTree as ElementTree

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"

# The members each interface must describe, by kind.
INTERFACES = {
    ITEM: {
        "property": "Category Id Title Status WindowId IconThemePath IconName IconPixmap "
                    "OverlayIconName OverlayIconPixmap AttentionIconName AttentionIconPixmap "
                    "AttentionMovieName ToolTip ItemIsMenu Menu IconAccessibleDesc "
                    "AttentionAccessibleDesc",
        "method": "ContextMenu Activate SecondaryActivate Scroll ProvideXdgActivationToken",
        "signal": "NewIcon NewToolTip NewStatus NewTitle",
    },
    MENU: {
        "property": "Version TextDirection Status",
        "method": "GetLayout GetGroupProperties GetProperty Event EventGroup AboutToShow "
                  "AboutToShowGroup",
        "signal": "ItemsPropertiesUpdated LayoutUpdated ItemActivationRequested",
    },
}

INTROSPECTION = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>
"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, on_item):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []
        self.on_item = on_item

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = "/StatusNotifierItem"
        if service.startswith("/"):
            path, service = service, sender
        self.items.append(service + path)
        self.StatusNotifierItemRegistered(service + path)
        GLib.idle_add(self.on_item, service, path)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.method("org.freedesktop.DBus.Introspectable", in_signature="",
                         out_signature="s")
    def Introspect(self):
        # Qt reads IsStatusNotifierHostRegistered through introspection.
        return INTROSPECTION

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }


def enlarged_twice(data, side):
    """A square ARGB32 picture of `side` pixels, each pixel made a 2x2 block."""
    rows = []
    for y in range(side):
        row = data[y * side * 4:(y + 1) * side * 4]
        wide = b"".join(row[x:x + 4] * 2 for x in range(0, side * 4, 4))
        rows.append(wide * 2)
    return b"".join(rows)


def members(proxy, interface):
    """{kind: set of names} of `interface` as the object's introspection gives it."""
    root = ElementTree.fromstring(str(proxy.Introspect(
        dbus_interface="org.freedesktop.DBus.Introspectable")))
    found = {"property": set(), "method": set(), "signal": set()}
    for node in root.iter("interface"):
        if node.get("name") == interface:
            for member in node:
                found.setdefault(member.tag, set()).add(member.get("name"))
    return found


def refused(call):
    """Whether the call fails with a D-Bus error."""
    try:
        call()
    except dbus.DBusException:
        return True
    return False


def check_menu(check, menu):
    """The menu's properties and its answers to every method, on the idle menu."""
    props = menu.GetAll(MENU, dbus_interface=PROPS)
    check((props["Version"], props["TextDirection"], props["Status"]) == (3, "ltr", "normal"),
          "menu properties: version 3, ltr, normal (%s)" % dict(props))
    call = lambda name, *args: getattr(menu, name)(*args, dbus_interface=MENU)
    no_names = dbus.Array([], signature="s")
    _, (_, _, children) = call("GetLayout", 0, 0, no_names)
    _, (_, _, labels) = call("GetLayout", 0, -1, dbus.Array(["label"], signature="s"))
    check(not children and [dict(p) for _, p, _ in labels] == [
        {"label": "Options"}, {"label": "Edit"}, {"label": "About"}, {}, {"label": "Exit"}],
        "GetLayout: depth 0 has no children, a property list keeps only those")
    _, (ident, entry, _) = call("GetLayout", 5, -1, no_names)
    check(ident == 5 and entry["label"] == "Exit" and entry["enabled"],
          "GetLayout of entry 5 alone: Exit, enabled")
    group = call("GetGroupProperties", dbus.Array([1, 2], signature="i"),
                 dbus.Array(["label"], signature="s"))
    every = call("GetGroupProperties", dbus.Array([], signature="i"), no_names)
    check([(i, dict(p)) for i, p in group] == [(1, {"label": "Options"}), (2, {"label": "Edit"})]
          and [i for i, _ in every] == [0, 1, 2, 3, 4, 5],
          "GetGroupProperties: the entries asked for, or all of them")
    check(call("GetProperty", 5, "label") == "Exit" and
          call("GetProperty", 4, "type") == "separator", "GetProperty: Exit, a separator")
    check(not call("AboutToShow", 0) and
          [list(x) for x in call("AboutToShowGroup", dbus.Array([0, 1, 99], signature="i"))]
          == [[], [99]], "AboutToShow: no update needed; AboutToShowGroup names 99 unknown")
    opened = dbus.Struct((0, "opened", dbus.String("", variant_level=1), dbus.UInt32(0)))
    check(list(call("EventGroup", dbus.Array([opened], signature="(isvu)"))) == [],
          "EventGroup: the menu opened, no error")
    unknown = dbus.Struct((99, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0)))
    check(all(refused(lambda c=c: c()) for c in (
        lambda: call("GetLayout", 99, -1, no_names),
        lambda: call("GetProperty", 99, "label"),
        lambda: call("GetProperty", 5, "no-such-property"),
        lambda: call("Event", 99, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0)),
        lambda: call("EventGroup", dbus.Array([unknown], signature="(isvu)")),
        lambda: call("AboutToShow", 99))),
        "an entry that does not exist is refused by GetLayout, GetProperty, Event, "
        "EventGroup and AboutToShow")


def main():
    ready_file, watch_seconds, done_file = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    signals_file = sys.argv[4]
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    loop = GLib.MainLoop()
    failures = []
    result = {}
    counts = {}

    def on_signal(*args, member=None, sender=None):
        counts[(member, sender)] = counts.get((member, sender), 0) + 1
        line = "%s %s" % (member, sender)
        if member == "ItemsPropertiesUpdated":
            line += "".join(" %d:%s=%s" % (int(i), k, v) for i, props in args[0]
                            for k, v in sorted(props.items()))
        with open(signals_file, "a") as signals:
            signals.write(line + "\n")

    for interface in (ITEM, MENU):
        bus.add_signal_receiver(on_signal, dbus_interface=interface, member_keyword="member",
                                sender_keyword="sender")

    def check(condition, message):
        print(("ok   " if condition else "FAIL ") + message, flush=True)
        if not condition:
            failures.append(message)

    def pixmaps(item):
        value = item.Get(ITEM, "IconPixmap", dbus_interface=PROPS)
        return [(int(w), int(h), bytes(bytearray(data))) for w, h, data in value]

    def on_item(service, path):
        if result.get("checked"):
            return False  # a later item: registered, nothing more to check
        result["checked"] = True
        item = bus.get_object(service, path)
        tooltip = item.Get(ITEM, "ToolTip", dbus_interface=PROPS)
        texts = [str(part) for part in tooltip[2:]]
        check("Glimmerbox" in texts, "tooltip is Glimmerbox (%s)" % texts)
        for interface, kinds in INTERFACES.items():
            proxy = bus.get_object(service, path if interface == ITEM else "/MenuBar")
            found = members(proxy, interface)
            check(all(set(names.split()) == found[kind] for kind, names in kinds.items()),
                  "%s describes its members (%s)" % (interface, sorted(found["method"])))
        props = item.GetAll(ITEM, dbus_interface=PROPS)
        fixed = {"Category": "ApplicationStatus", "Id": "net.glimmerbox.Glimmerbox",
                 "Title": "Glimmerbox", "Status": "Active", "WindowId": 0, "IconName": "",
                 "IconThemePath": "", "OverlayIconName": "", "OverlayIconPixmap": [],
                 "AttentionIconName": "", "AttentionIconPixmap": [], "AttentionMovieName": "",
                 "ItemIsMenu": False, "Menu": "/MenuBar"}
        wrong = {name: props.get(name) for name, value in fixed.items() if props.get(name) != value}
        check(not wrong, "the item's fixed properties (wrong: %s)" % wrong)

        seen = set()
        sizes = set()
        enlargements = {"crisp": 0, "blurred": 0}

        def sample():
            by_size = {}
            for w, h, data in pixmaps(item):
                sizes.add((w, h))
                by_size[w] = data
                if w == 16:
                    seen.add(hashlib.md5(data).hexdigest())
            if 16 in by_size and 32 in by_size:
                crisp = enlarged_twice(by_size[16], 16) == by_size[32]
                enlargements["crisp" if crisp else "blurred"] += 1
            return True

        sample()
        GLib.timeout_add(40, sample)

        def finish():
            check(sizes == {(16, 16), (32, 32)},
                  "icon pixmaps are 16 and 32 pixels, no more (%s)" % sorted(sizes))
            check(enlargements["crisp"] > 0 and enlargements["blurred"] == 0,
                  "the 32-pixel pixmap is the 16-pixel one enlarged twice, pixel for pixel "
                  "(%d fetches, %d not)" % (enlargements["crisp"] + enlargements["blurred"],
                                            enlargements["blurred"]))
            check(len(seen) >= 3, "the 16x16 pixmap changed: %d different frames" % len(seen))
            icons = counts.get(("NewIcon", item.bus_name), 0)
            check(icons >= len(seen) - 1, "NewIcon told every change (%d)" % icons)
            described = [str(item.Get(ITEM, name + "AccessibleDesc", dbus_interface=PROPS))
                         for name in ("Icon", "Attention")]
            check(described == ["Snowfall"] * 2,
                  "IconAccessibleDesc and AttentionAccessibleDesc: the animation's title "
                  "(%s)" % described)
            menu = str(item.Get(ITEM, "Menu", dbus_interface=PROPS))
            check(menu not in ("", "/", "/NO_DBUSMENU"), "the item exports its menu (%s)" % menu)
            check_menu(check, bus.get_object(service, menu))
            call = lambda name, *args: getattr(item, name)(*args, dbus_interface=ITEM)
            check(not any(refused(c) for c in (
                lambda: call("Activate", dbus.Int32(100), dbus.Int32(100)),
                lambda: call("SecondaryActivate", dbus.Int32(100), dbus.Int32(100)),
                lambda: call("Scroll", dbus.Int32(120), "vertical"),
                lambda: call("ProvideXdgActivationToken", "token"),
                lambda: call("ContextMenu", dbus.Int32(100), dbus.Int32(100)))),
                "Activate, SecondaryActivate, Scroll, ProvideXdgActivationToken and "
                "ContextMenu accepted")
            result["done"] = True
            with open(done_file, "w") as done:
                done.write("fail\n" if failures else "pass\n")
            return False

        GLib.timeout_add(int(watch_seconds * 1000), finish)
        return False

    watcher = Watcher(bus, on_item)
    name = dbus.service.BusName(WATCHER, bus)
    with open(ready_file, "w") as ready:
        ready.write("ready\n")
    def no_item():
        if not result.get("done"):
            print("FAIL no StatusNotifierItem registered within 30 s", flush=True)
            with open(done_file, "w") as done:
                done.write("fail\n")
        return False

    GLib.timeout_add(30000, no_item)
    loop.run()
    del name, watcher
    return 0


if __name__ == "__main__":
    sys.exit(main())
