#include "platform/qt/sni/SniTypes.h"

#include <QDBusMetaType>

namespace glimmer::sni {

void registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<IconPixmap>();
        qDBusRegisterMetaType<IconPixmaps>();
        qDBusRegisterMetaType<ToolTip>();
        qDBusRegisterMetaType<MenuLayout>();
        qDBusRegisterMetaType<MenuItemProperties>();
        qDBusRegisterMetaType<MenuItemPropertiesList>();
        qDBusRegisterMetaType<MenuItemKeys>();
        qDBusRegisterMetaType<MenuItemKeysList>();
        qDBusRegisterMetaType<MenuEvent>();
        qDBusRegisterMetaType<MenuEventList>();
        return true;
    }();
    (void)registered;
}

QDBusArgument& operator<<(QDBusArgument& out, const IconPixmap& value)
{
    out.beginStructure();
    out << value.width << value.height << value.argb;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, IconPixmap& value)
{
    in.beginStructure();
    in >> value.width >> value.height >> value.argb;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const ToolTip& value)
{
    out.beginStructure();
    out << value.iconName << value.icon << value.title << value.description;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, ToolTip& value)
{
    in.beginStructure();
    in >> value.iconName >> value.icon >> value.title >> value.description;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuLayout& value)
{
    // The children go as variants, each holding a layout of its own: `(ia{sv}av)`.
    out.beginStructure();
    out << value.id << value.properties;
    out.beginArray(qMetaTypeId<QDBusVariant>());
    for (const MenuLayout& child : value.children)
        out << QDBusVariant(QVariant::fromValue(child));
    out.endArray();
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, MenuLayout& value)
{
    in.beginStructure();
    in >> value.id >> value.properties;
    in.beginArray();
    value.children.clear();
    while (!in.atEnd()) {
        QDBusVariant child;
        in >> child;
        value.children.append(qdbus_cast<MenuLayout>(child.variant().value<QDBusArgument>()));
    }
    in.endArray();
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuItemProperties& value)
{
    out.beginStructure();
    out << value.id << value.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, MenuItemProperties& value)
{
    in.beginStructure();
    in >> value.id >> value.properties;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuItemKeys& value)
{
    out.beginStructure();
    out << value.id << value.names;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, MenuItemKeys& value)
{
    in.beginStructure();
    in >> value.id >> value.names;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuEvent& value)
{
    out.beginStructure();
    out << value.id << value.eventId << value.data << value.timestamp;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, MenuEvent& value)
{
    in.beginStructure();
    in >> value.id >> value.eventId >> value.data >> value.timestamp;
    in.endStructure();
    return in;
}

} // namespace glimmer::sni
