#include "platform/qt/sni/DBusMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QDBusMessage>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>

namespace glimmer::sni {

namespace {

/// A caption with Qt's mnemonic marks as dbusmenu writes them: "&Options" is
/// "_Options", a literal underscore is doubled and "&&" is a plain "&".
QString dbusLabel(const QString& text)
{
    QString label;
    label.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'_') {
            label += QStringLiteral("__");
        } else if (c == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                label += text[++i];
            else
                label += u'_';
        } else {
            label += c;
        }
    }
    return label;
}

QVariantMap propertiesOfAction(const QAction& action)
{
    QVariantMap properties;
    if (action.isSeparator()) {
        properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        properties.insert(QStringLiteral("label"), dbusLabel(action.text()));
        properties.insert(QStringLiteral("enabled"), action.isEnabled());
        if (action.isCheckable()) {
            properties.insert(QStringLiteral("toggle-type"),
                              action.actionGroup() && action.actionGroup()->isExclusive()
                                  ? QStringLiteral("radio")
                                  : QStringLiteral("checkmark"));
            properties.insert(QStringLiteral("toggle-state"), action.isChecked() ? 1 : 0);
        }
    }
    properties.insert(QStringLiteral("visible"), action.isVisible());
    return properties;
}

} // namespace

DBusMenu::DBusMenu(QMenu& menu) : menu_(menu)
{
    registerTypes();
    changes_.setSingleShot(true);
    changes_.setInterval(0);
    connect(&changes_, &QTimer::timeout, this, &DBusMenu::sendChanges);
    rebuild();
    menu_.installEventFilter(this);
}

DBusMenu::~DBusMenu()
{
    menu_.removeEventFilter(this);
    if (exported_)
        bus_.unregisterObject(QString::fromLatin1(kPath));
}

bool DBusMenu::exportOn(QDBusConnection bus)
{
    bus_ = bus;
    exported_ =
        bus_.registerObject(QString::fromLatin1(kPath), this, QDBusConnection::ExportAllContents);
    return exported_;
}

QString DBusMenu::textDirection() const
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                                 : QStringLiteral("ltr");
}

void DBusMenu::rebuild()
{
    // Entries keep their ids while their actions stay in the menu; new ones get new ids.
    std::vector<Entry> entries;
    for (QAction* action : menu_.actions()) {
        auto known = std::find_if(entries_.begin(), entries_.end(),
                                  [action](const Entry& entry) { return entry.action == action; });
        if (known != entries_.end()) {
            entries.push_back(std::move(*known));
            continue;
        }
        entries.push_back({nextId_++, action, propertiesOfAction(*action)});
        connect(action, &QAction::changed, &changes_, qOverload<>(&QTimer::start),
                Qt::UniqueConnection);
    }
    entries_ = std::move(entries);
}

bool DBusMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &menu_ &&
        (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved)) {
        // The menu tells of a removal before the action has gone from its list.
        QMetaObject::invokeMethod(
            this,
            [this] {
                rebuild();
                emit LayoutUpdated(++revision_, 0);
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void DBusMenu::sendChanges()
{
    QList<MenuItemProperties> updated;
    QList<MenuItemKeys> removed;
    for (Entry& entry : entries_) {
        if (!entry.action)
            continue;
        const QVariantMap now = propertiesOfAction(*entry.action);
        if (now == entry.sent)
            continue;
        QVariantMap changed;
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (entry.sent.value(it.key()) != it.value())
                changed.insert(it.key(), it.value());
        }
        QStringList gone;
        for (auto it = entry.sent.cbegin(); it != entry.sent.cend(); ++it) {
            if (!now.contains(it.key()))
                gone.append(it.key());
        }
        if (!changed.isEmpty())
            updated.append({entry.id, changed});
        if (!gone.isEmpty())
            removed.append({entry.id, gone});
        entry.sent = now;
    }
    if (!updated.isEmpty() || !removed.isEmpty())
        emit ItemsPropertiesUpdated(updated, removed);
}

DBusMenu::Entry* DBusMenu::find(int id)
{
    for (Entry& entry : entries_) {
        if (entry.id == id)
            return entry.action ? &entry : nullptr;
    }
    return nullptr;
}

std::optional<QVariantMap> DBusMenu::propertiesOf(int id)
{
    if (id == 0)
        return QVariantMap{{QStringLiteral("children-display"), QStringLiteral("submenu")}};
    const Entry* entry = find(id);
    if (!entry)
        return std::nullopt;
    return propertiesOfAction(*entry->action);
}

QVariantMap DBusMenu::filtered(const QVariantMap& properties, const QStringList& names)
{
    if (names.isEmpty())
        return properties;
    QVariantMap chosen;
    for (const QString& name : names) {
        if (properties.contains(name))
            chosen.insert(name, properties.value(name));
    }
    return chosen;
}

void DBusMenu::refuse(const QString& message)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, message);
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                         MenuLayout& layout)
{
    const auto properties = propertiesOf(parentId);
    if (!properties) {
        refuse(QStringLiteral("No menu entry with id %1").arg(parentId));
        return revision_;
    }
    layout = {parentId, filtered(*properties, propertyNames), {}};
    // Only the root has children; the entries are one level below it.
    if (parentId == 0 && recursionDepth != 0) {
        for (const Entry& entry : entries_) {
            if (const auto child = propertiesOf(entry.id))
                layout.children.append({entry.id, filtered(*child, propertyNames), {}});
        }
    }
    return revision_;
}

QList<MenuItemProperties> DBusMenu::GetGroupProperties(const QList<int>& ids,
                                                       const QStringList& propertyNames)
{
    QList<int> wanted = ids;
    if (wanted.isEmpty()) { // all of them
        wanted.append(0);
        for (const Entry& entry : entries_)
            wanted.append(entry.id);
    }
    QList<MenuItemProperties> result;
    for (const int id : wanted) {
        if (const auto properties = propertiesOf(id))
            result.append({id, filtered(*properties, propertyNames)});
    }
    return result;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name)
{
    const auto properties = propertiesOf(id);
    if (!properties || !properties->contains(name)) {
        refuse(QStringLiteral("No property %1 on menu entry %2").arg(name).arg(id));
        return QDBusVariant(QVariant(0));
    }
    return QDBusVariant(properties->value(name));
}

bool DBusMenu::handleEvent(int id, const QString& eventId)
{
    if (id == 0)
        return true; // "opened", "closed" of the menu itself: nothing to do
    Entry* entry = find(id);
    if (!entry)
        return false;
    if (eventId == QLatin1String("clicked")) {
        QMetaObject::invokeMethod(
            this,
            [action = entry->action] {
                if (action)
                    action->trigger(); // which a disabled entry ignores
            },
            Qt::QueuedConnection);
    }
    return true;
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant&, uint)
{
    if (!handleEvent(id, eventId))
        refuse(QStringLiteral("No menu entry with id %1").arg(id));
}

QList<int> DBusMenu::EventGroup(const QList<MenuEvent>& events)
{
    QList<int> errors;
    for (const MenuEvent& event : events) {
        if (!handleEvent(event.id, event.eventId))
            errors.append(event.id);
    }
    if (!events.isEmpty() && errors.size() == events.size())
        refuse(QStringLiteral("None of the events named a menu entry"));
    return errors;
}

bool DBusMenu::AboutToShow(int id)
{
    if (!propertiesOf(id))
        refuse(QStringLiteral("No menu entry with id %1").arg(id));
    return false; // the layout the host has is always the current one
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors)
{
    for (const int id : ids) {
        if (!propertiesOf(id))
            idErrors.append(id);
    }
    return {};
}

} // namespace glimmer::sni
