#pragma once

#include "platform/qt/sni/SniTypes.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace glimmer::sni {

/// A QMenu exported over D-Bus as a com.canonical.dbusmenu object, for tray hosts
/// that draw the menu themselves. The root is id 0; each entry of the menu gets the
/// next id in menu order. The host sees every entry's caption, enabled and visible
/// state as they are now: changes go out as ItemsPropertiesUpdated (several changes
/// made in one go as one signal), an entry added or removed as LayoutUpdated.
///
/// A "clicked" event triggers the entry's action after the host's call has been
/// answered (the command may open a message box, and the host must not wait for it
/// to close), and only if the entry is still enabled then.
class DBusMenu final : public QObject, public QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
public:
    /// Where the menu is exported.
    static constexpr char kPath[] = "/MenuBar";

    /// Follows `menu`, which must outlive this object.
    explicit DBusMenu(QMenu& menu);
    ~DBusMenu() override;
    DBusMenu(const DBusMenu&) = delete;
    DBusMenu& operator=(const DBusMenu&) = delete;

    /// Exports the menu at kPath on `bus`; false when the path is taken.
    bool exportOn(QDBusConnection bus);

    uint version() const { return 3; }
    QString textDirection() const;
    QString status() const { return QStringLiteral("normal"); }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   glimmer::sni::MenuLayout& layout);
    QList<glimmer::sni::MenuItemProperties> GetGroupProperties(const QList<int>& ids,
                                                               const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const QList<glimmer::sni::MenuEvent>& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

Q_SIGNALS:
    void ItemsPropertiesUpdated(const QList<glimmer::sni::MenuItemProperties>& updatedProps,
                                const QList<glimmer::sni::MenuItemKeys>& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        int id;
        QPointer<QAction> action;
        QVariantMap sent; ///< the properties the host was last told
    };

    void rebuild();
    void sendChanges();
    Entry* find(int id);
    /// The entry's properties now (the root's for id 0); nothing for an unknown id.
    std::optional<QVariantMap> propertiesOf(int id);
    static QVariantMap filtered(const QVariantMap& properties, const QStringList& names);
    bool handleEvent(int id, const QString& eventId);
    void refuse(const QString& message);

    QMenu& menu_;
    std::vector<Entry> entries_;
    int nextId_ = 1;
    uint revision_ = 1;
    QTimer changes_; ///< gathers the changes made in one go
    QDBusConnection bus_{QString()};
    bool exported_ = false;
};

} // namespace glimmer::sni
