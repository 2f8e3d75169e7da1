#!/usr/bin/python3
"""Talks to the newest StatusNotifierItem registered with the test watcher, as a
tray host that draws the item's menu itself would.

Usage: sni_item.py <command> [argument]
  count            prints how many items have registered so far
  menu-path        prints the object path of the item's exported menu
  layout           prints the menu's lines, "Options Edit About - Exit", each
                   enabled line as it is and each disabled line in brackets
  entries          prints the enabled states in one word, "OEAX" with "-" for
                   every disabled entry (Options, Edit, About, Exit)
  click LABEL      sends the menu's "clicked" event for the entry LABEL
  click-group LABEL  the same through EventGroup
  tooltip          prints the title of the item's tooltip
  context-menu     calls the item's ContextMenu method at (100, 100)
Exits 1 with a message on stderr when the item or its menu cannot be reached.
"""

import sys
import time

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPS = "org.freedesktop.DBus.Properties"


def newest_item(bus):
    watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
    items = watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS)
    if not items:
        raise RuntimeError("no item is registered")
    service, path = str(items[-1]).split("/", 1)
    return service, "/" + path


def lines(bus, service, path):
    """The menu's top-level lines as (id, label, enabled, separator)."""
    item = bus.get_object(service, path)
    menu_path = str(item.Get(ITEM, "Menu", dbus_interface=PROPS))
    menu = bus.get_object(service, menu_path)
    _, (_, _, children) = menu.GetLayout(dbus.Int32(0), dbus.Int32(-1), dbus.Array([], signature="s"),
                                         dbus_interface=MENU)
    result = []
    for child in children:
        ident, props, _ = child
        label = str(props.get("label", "")).replace("&", "")
        separator = str(props.get("type", "standard")) == "separator"
        visible = bool(props.get("visible", True))
        if visible:
            result.append((int(ident), label, bool(props.get("enabled", True)), separator))
    return menu, result


def main():
    command = sys.argv[1]
    bus = dbus.SessionBus()
    if command == "count":
        watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
        print(len(watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=PROPS)))
        return 0
    service, path = newest_item(bus)
    if command == "context-menu":
        bus.get_object(service, path).ContextMenu(dbus.Int32(100), dbus.Int32(100),
                                                  dbus_interface=ITEM)
        return 0
    if command == "tooltip":
        tip = bus.get_object(service, path).Get(ITEM, "ToolTip", dbus_interface=PROPS)
        print(str(tip[2]))
        return 0
    if command == "menu-path":
        item = bus.get_object(service, path)
        print(str(item.Get(ITEM, "Menu", dbus_interface=PROPS)))
        return 0
    menu, entries = lines(bus, service, path)
    if command == "layout":
        print(" ".join("-" if sep else (label if on else "[%s]" % label)
                       for _, label, on, sep in entries))
        return 0
    if command == "entries":
        print("".join(("X" if label == "Exit" else label[:1]) if on else "-"
                      for _, label, on, sep in entries if not sep))
        return 0
    if command in ("click", "click-group"):
        wanted = sys.argv[2]
        for ident, label, _, sep in entries:
            if not sep and label == wanted:
                event = (dbus.Int32(ident), "clicked", dbus.String("", variant_level=1),
                         dbus.UInt32(int(time.time())))
                if command == "click":
                    menu.Event(*event, dbus_interface=MENU)
                else:
                    menu.EventGroup(dbus.Array([dbus.Struct(event)], signature="(isvu)"),
                                    dbus_interface=MENU)
                return 0
        raise RuntimeError("no entry %r in the menu" % wanted)
    raise RuntimeError("unknown command %r" % command)


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (RuntimeError, dbus.DBusException) as error:
        print("sni_item.py: %s" % error, file=sys.stderr)
        sys.exit(1)
