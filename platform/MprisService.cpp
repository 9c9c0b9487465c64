#include "MprisService.h"

#include "Logging.h"
#include "MprisObject.h"
#include "MprisProperties.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>

namespace {

constexpr char kBusService[] = "org.freedesktop.DBus";
constexpr char kBusPath[] = "/org/freedesktop/DBus";
constexpr char kRaiseConnectionName[] = "kestova-raise-running-copy";
// Calls to the bus and to another copy: a hung peer must not hang the program.
constexpr int kCallTimeoutMs = 2000;
// RequestName: fail rather than wait in the queue behind another owner.
constexpr unsigned kDoNotQueue = 4;
constexpr unsigned kPrimaryOwner = 1;

QDBusMessage BusCall(const char* pMethod)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kBusService), QString::fromLatin1(kBusPath),
                                       QString::fromLatin1(kBusService), QString::fromLatin1(pMethod));
    call << QString::fromLatin1(CMprisService::kBusName);
    return call;
}

} // namespace

CMprisService::CMprisService(CMprisHost& host) : m_pObject(std::make_unique<CMprisObject>(host, m_state)) {}

CMprisService::~CMprisService()
{
    Unregister();
}

bool CMprisService::Register()
{
    if (m_bRegistered)
        return true;
    QDBusConnection connection = QDBusConnection::sessionBus();
    if (!connection.isConnected()) {
        qCInfo(lcDesktop, "No session bus (%s): the desktop's media controls will not show Kestova",
               qPrintable(connection.lastError().message()));
        return false;
    }
    // The object first: a client that sees the name appear may ask at once.
    if (!connection.registerVirtualObject(QString::fromLatin1(kObjectPath), m_pObject.get())) {
        qCWarning(lcDesktop, "The object %s is taken: the desktop's media controls will not show Kestova",
                  kObjectPath);
        return false;
    }
    if (!RequestBusName()) {
        connection.unregisterObject(QString::fromLatin1(kObjectPath));
        qCWarning(lcDesktop, "The bus name %s is taken: the desktop's media controls will not show Kestova",
                  kBusName);
        return false;
    }
    m_bRegistered = true;
    return true;
}

// Asked of the bus directly rather than through QDBusConnection::registerService,
// whose call has no time-out of its own.
bool CMprisService::RequestBusName()
{
    QDBusMessage call = BusCall("RequestName");
    call << kDoNotQueue;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toUInt() == kPrimaryOwner;
}

// Lets go of the name without waiting for the bus's answer.
void CMprisService::Unregister()
{
    if (!m_bRegistered)
        return;
    QDBusConnection connection = QDBusConnection::sessionBus();
    connection.send(BusCall("ReleaseName"));
    connection.unregisterObject(QString::fromLatin1(kObjectPath));
    m_bRegistered = false;
}

void CMprisService::Update(const CMprisState& state)
{
    if (state == m_state)
        return;
    const CMprisState before = m_state;
    m_state = state;
    if (!m_bRegistered)
        return;
    // A change the controls cannot see (a title without a station) goes unannounced.
    const QVariantMap changed = MprisChangedProperties(before, m_state);
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kMprisPlayerInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

// A private connection of its own, so that the call goes out over the bus even
// from a process that serves the name itself, and is closed again afterwards.
bool CMprisService::RaiseRunningCopy()
{
    const QString strConnection = QString::fromLatin1(kRaiseConnectionName);
    bool bAnswered = false;
    {
        const QDBusConnection connection =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, strConnection);
        if (connection.isConnected()) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                QString::fromLatin1(kBusName), QString::fromLatin1(kObjectPath),
                QString::fromLatin1(kMprisRootInterface), QStringLiteral("Raise"));
            call.setAutoStartService(false);
            bAnswered =
                connection.call(call, QDBus::Block, kCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
        }
    }
    QDBusConnection::disconnectFromBus(strConnection);
    return bAnswered;
}
