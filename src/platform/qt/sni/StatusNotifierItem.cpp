#include "platform/qt/sni/StatusNotifierItem.h"

#include "platform/ApplicationId.h"
#include "platform/Pictures.h"
#include "platform/qt/sni/DBusMenu.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <algorithm>

namespace glimmer::sni {

namespace {
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kWatcherName = QString::fromLatin1(StatusNotifierItem::kWatcher);

QIcon blankFrame()
{
    QImage transparent(16, 16, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    return Pictures::trayIcon(transparent);
}

/// The sizes of `frame` that go to a host, smallest first.
QList<QSize> sizesOf(const QIcon& frame)
{
    QList<QSize> sizes = frame.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16), QSize(32, 32)};
    std::sort(sizes.begin(), sizes.end(),
              [](QSize a, QSize b) { return a.width() * a.height() < b.width() * b.height(); });
    return sizes;
}
} // namespace

StatusNotifierItem::StatusNotifierItem(const TrayRecord& record)
    : bus_(QDBusConnection::sessionBus()), callback_(record.callback), blank_(blankFrame()),
      tip_(record.tip), title_(record.title)
{
    registerTypes();
    if (record.menu)
        menu_ = std::make_unique<DBusMenu>(*record.menu);
    nextAnnouncement_.setSingleShot(true);
    connect(&nextAnnouncement_, &QTimer::timeout, this, &StatusNotifierItem::tellNewIcon);
    update(record);
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!service_.isEmpty())
        bus_.unregisterObject(QString::fromLatin1(kPath));
}

bool StatusNotifierItem::hostPresent()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(kWatcherName))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherName, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcherName << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

QString StatusNotifierItem::watcherProgram()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return {};
    const auto pid = bus.interface()->servicePid(kWatcherName);
    if (!pid.isValid())
        return {};
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid.value()));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.readAll()).trimmed();
}

bool StatusNotifierItem::registerItem()
{
    if (!service_.isEmpty() || !bus_.isConnected())
        return false;
    // The item goes by the connection's own name: the watcher and its hosts drop it
    // when the program's connection ends. (GNOME's extension does not always manage
    // to read an item registered under a name of its own.)
    service_ = bus_.baseService();
    if (!bus_.registerObject(QString::fromLatin1(kPath), this,
                             QDBusConnection::ExportAllContents) ||
        (menu_ && !menu_->exportOn(bus_)))
        return false;
    // A panel that restarts brings a new watcher, which knows no item yet.
    watcherWatch_ = std::make_unique<QDBusServiceWatcher>(
        kWatcherName, bus_, QDBusServiceWatcher::WatchForRegistration);
    connect(watcherWatch_.get(), &QDBusServiceWatcher::serviceRegistered, this,
            [this] { registerWithWatcher(false); });
    return registerWithWatcher(true);
}

bool StatusNotifierItem::registerWithWatcher(bool wait)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kWatcherName, kWatcherPath, kWatcherName, QStringLiteral("RegisterStatusNotifierItem"));
    call << service_;
    if (!wait)
        return bus_.send(call);
    // Some watchers read the item before they answer: its calls are served meanwhile.
    return bus_.call(call, QDBus::BlockWithGui, 5000).type() == QDBusMessage::ReplyMessage;
}

void StatusNotifierItem::update(const TrayRecord& record)
{
    title_ = record.title; // before the frame: a new animation's first frame tells it
    const QIcon& frame = record.icon && !record.icon->isNull() ? *record.icon : blank_;
    // The player hands over its frame on every tick; a host told of a change fetches
    // and decodes the picture again, so the frame it has already is not announced.
    if (frame_.isNull() || !Pictures::sameFrame(frame_, frame)) {
        frame_ = frame;
        pictures_.reset();
        iconName_ = handover_.named ? nameOf(frame_) : QString();
        announceIcon();
    }
    if (record.tip != tip_) {
        tip_ = record.tip;
        if (!withdrawn_)
            emit NewToolTip();
    }
}

void StatusNotifierItem::withdraw()
{
    withdrawn_ = true;
    nextAnnouncement_.stop();
    if (!announced_.isValid() || announced_.elapsed() >= kHostReadTime.count())
        return;
    QEventLoop served;
    QTimer::singleShot(static_cast<int>(kHostReadTime.count() - announced_.elapsed()), &served,
                       &QEventLoop::quit);
    served.exec();
}

void StatusNotifierItem::announceIcon()
{
    if (withdrawn_)
        return;
    if (nextAnnouncement_.isActive())
        return; // it will tell the frame shown then
    const qint64 gap = handover_.gap.count();
    const qint64 since = announced_.isValid() ? announced_.elapsed() : gap;
    if (since >= gap)
        tellNewIcon();
    else
        nextAnnouncement_.start(static_cast<int>(gap - since));
}

void StatusNotifierItem::tellNewIcon()
{
    if (!told_.isNull() && Pictures::sameFrame(told_, frame_))
        return;
    told_ = frame_;
    announced_.start();
    if (handover_.signal == FrameHandover::Signal::NewIcon) {
        emit NewIcon();
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.kde.StatusNotifierItem") << takeFrameChange() << QStringList();
    bus_.send(signal);
}

QList<IconPixmap> StatusNotifierItem::picturesOf(const QIcon& frame)
{
    QList<IconPixmap> pictures;
    for (const QSize size : sizesOf(frame)) {
        const QImage image =
            frame.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        IconPixmap picture{image.width(), image.height(), QByteArray()};
        picture.argb.resize(qsizetype(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<quint32*>(picture.argb.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out++ = qToBigEndian(row[x]);
        }
        pictures.append(picture);
    }
    return pictures;
}

void StatusNotifierItem::setFrameHandover(const FrameHandover& handover)
{
    handover_ = handover;
    iconName_ = handover_.named ? nameOf(frame_) : QString();
}

QVariantMap StatusNotifierItem::takeFrameChange()
{
    // What changed travels with the signal, so the host reads nothing back; the
    // description goes with the frame when the animation changed, as a host would
    // read it after a NewIcon. A frame that could not be named goes as pictures, and
    // the name goes empty then, since a host prefers a name.
    QVariantMap changed;
    if (handover_.named)
        changed.insert(QStringLiteral("IconName"), iconName_);
    if (iconName_.isEmpty())
        changed.insert(QStringLiteral("IconPixmap"), QVariant::fromValue(iconPixmap()));
    if (toldTitle_ != accessibleDesc()) {
        toldTitle_ = accessibleDesc();
        changed.insert(QStringLiteral("IconAccessibleDesc"), toldTitle_);
    }
    return changed;
}

QString StatusNotifierItem::nameOf(const QIcon& frame)
{
    const qint64 key = frame.cacheKey();
    if (const auto known = names_.constFind(key); known != names_.cend())
        return *known;
    if (!folder_) {
        // Private to the user (the runtime folder is theirs alone), gone with the run.
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return {};
        folder_ = std::make_unique<QTemporaryDir>(runtime + QStringLiteral("/glimmerbox-XXXXXX"));
    }
    if (!folder_->isValid())
        return {};
    // The largest size offered (a host that shows it smaller halves whole pixels),
    // named by its pixels: a frame made again, as when an animation is loaded again,
    // finds its file, so the folder holds each picture once however long the run.
    const QImage picture = frame.pixmap(sizesOf(frame).constLast(), 1.0)
                               .toImage()
                               .convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash digest(QCryptographicHash::Sha1);
    digest.addData(QByteArray::number(picture.width()) + 'x' +
                   QByteArray::number(picture.height()));
    digest.addData(QByteArrayView(picture.constBits(), picture.sizeInBytes()));
    const QString name =
        QStringLiteral("glimmerbox-") + QString::fromLatin1(digest.result().toHex().left(16));
    const QString file = folder_->filePath(name + QStringLiteral(".png"));
    if (!QFileInfo::exists(file) && !picture.save(file, "PNG"))
        return {};
    if (names_.size() >= kKnownFrames)
        names_.clear(); // frames of animations long gone
    names_.insert(key, name);
    return name;
}

QString StatusNotifierItem::iconThemePath() const
{
    return folder_ && folder_->isValid() ? folder_->path() : QString();
}

QList<IconPixmap> StatusNotifierItem::iconPixmap()
{
    if (!iconName_.isEmpty())
        return {}; // the host reads the named file
    if (!pictures_)
        pictures_ = picturesOf(frame_);
    return *pictures_;
}

QString StatusNotifierItem::id() const
{
    return QString::fromLatin1(kApplicationId);
}

QString StatusNotifierItem::title() const
{
    return QGuiApplication::applicationDisplayName();
}

ToolTip StatusNotifierItem::toolTip() const
{
    if (titleStandsForTip_ && tip_ == title())
        return {};
    return {QString(), {}, tip_, QString()};
}

QDBusObjectPath StatusNotifierItem::menu() const
{
    return QDBusObjectPath(menu_ ? QString::fromLatin1(DBusMenu::kPath) : QStringLiteral("/"));
}

QString StatusNotifierItem::accessibleDesc() const
{
    return title_.isEmpty() ? title() : title_;
}

void StatusNotifierItem::report(int message)
{
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            if (callback_)
                callback_(message);
        },
        Qt::QueuedConnection);
}

void StatusNotifierItem::ContextMenu(int, int)
{
    report(TrayMessage::RightUp);
}

void StatusNotifierItem::Activate(int, int)
{
    report(TrayMessage::LeftUp);
}

void StatusNotifierItem::SecondaryActivate(int, int)
{
    // The middle button does nothing, as on a tray the program draws itself.
}

void StatusNotifierItem::Scroll(int, const QString&)
{
    // Nor does the wheel.
}

void StatusNotifierItem::ProvideXdgActivationToken(const QString& token)
{
    // On Wayland a window the next command opens may take the focus with it.
    qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

} // namespace glimmer::sni
