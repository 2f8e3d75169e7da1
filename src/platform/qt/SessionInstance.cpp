#include "platform/qt/SessionInstance.h"

#include "platform/ApplicationId.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>

namespace glimmer {

namespace {

constexpr int kHandOverTimeoutMs = 5000;

QString interfaceName()
{
    return QLatin1String(kApplicationId);
}

} // namespace

QString SessionInstance::objectPath()
{
    return QLatin1Char('/') + interfaceName().replace(QLatin1Char('.'), QLatin1Char('/'));
}

bool SessionInstance::handOver(const QStringList& files)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(interfaceName()).value())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(interfaceName(), objectPath(),
                                                       interfaceName(), QStringLiteral("Open"));
    call << files;
    return bus.call(call, QDBus::Block, kHandOverTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

bool SessionInstance::serve(std::function<void(const QStringList& files)> open)
{
    open_ = std::move(open);
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() &&
           bus.registerObject(objectPath(), interfaceName(), this,
                              QDBusConnection::ExportScriptableSlots) &&
           bus.registerService(interfaceName());
}

void SessionInstance::Open(const QStringList& files)
{
    // Answered first: the program that called ends at once, whatever the files take.
    QTimer::singleShot(0, this, [this, files] {
        if (open_)
            open_(files);
    });
}

} // namespace glimmer
