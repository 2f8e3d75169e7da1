#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace glimmer::sni {

/// One picture of an icon as StatusNotifierItem hosts take it: ARGB32 pixels in
/// network byte order, row after row (D-Bus `(iiay)`).
struct IconPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
};
using IconPixmaps = QList<IconPixmap>;

/// A tooltip: an icon (by name or pictures), a title and a longer text (`(sa(iiay)ss)`).
struct ToolTip {
    QString iconName;
    IconPixmaps icon;
    QString title;
    QString description;
};

/// One entry of a com.canonical.dbusmenu layout with its children (`(ia{sv}av)`).
struct MenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<MenuLayout> children;
};

/// An entry's properties, as GetGroupProperties and ItemsPropertiesUpdated carry them.
struct MenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using MenuItemPropertiesList = QList<MenuItemProperties>;

/// The names of properties an entry no longer has (ItemsPropertiesUpdated).
struct MenuItemKeys {
    int id = 0;
    QStringList names;
};
using MenuItemKeysList = QList<MenuItemKeys>;

/// One event of an EventGroup call (`(isvu)`).
struct MenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

/// Makes the types above known to Qt D-Bus; call before exporting an object that
/// uses them. Safe to call more than once.
void registerTypes();

QDBusArgument& operator<<(QDBusArgument& out, const IconPixmap& value);
const QDBusArgument& operator>>(const QDBusArgument& in, IconPixmap& value);
QDBusArgument& operator<<(QDBusArgument& out, const ToolTip& value);
const QDBusArgument& operator>>(const QDBusArgument& in, ToolTip& value);
QDBusArgument& operator<<(QDBusArgument& out, const MenuLayout& value);
const QDBusArgument& operator>>(const QDBusArgument& in, MenuLayout& value);
QDBusArgument& operator<<(QDBusArgument& out, const MenuItemProperties& value);
const QDBusArgument& operator>>(const QDBusArgument& in, MenuItemProperties& value);
QDBusArgument& operator<<(QDBusArgument& out, const MenuItemKeys& value);
const QDBusArgument& operator>>(const QDBusArgument& in, MenuItemKeys& value);
QDBusArgument& operator<<(QDBusArgument& out, const MenuEvent& value);
const QDBusArgument& operator>>(const QDBusArgument& in, MenuEvent& value);

} // namespace glimmer::sni

Q_DECLARE_METATYPE(glimmer::sni::IconPixmap)
Q_DECLARE_METATYPE(glimmer::sni::ToolTip)
Q_DECLARE_METATYPE(glimmer::sni::MenuLayout)
Q_DECLARE_METATYPE(glimmer::sni::MenuItemProperties)
Q_DECLARE_METATYPE(glimmer::sni::MenuItemKeys)
Q_DECLARE_METATYPE(glimmer::sni::MenuEvent)
