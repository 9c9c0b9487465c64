#include "MprisObject.h"

#include "MprisProperties.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace {

constexpr char kIntrospectableInterface[] = "org.freedesktop.DBus.Introspectable";
constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr char kErrorUnknownMethod[] = "org.freedesktop.DBus.Error.UnknownMethod";
constexpr char kErrorUnknownInterface[] = "org.freedesktop.DBus.Error.UnknownInterface";
constexpr char kErrorUnknownProperty[] = "org.freedesktop.DBus.Error.UnknownProperty";
constexpr char kErrorInvalidArgs[] = "org.freedesktop.DBus.Error.InvalidArgs";
constexpr char kErrorReadOnly[] = "org.freedesktop.DBus.Error.PropertyReadOnly";
constexpr char kErrorNotSupported[] = "org.freedesktop.DBus.Error.NotSupported";

constexpr char kInterfacesXml[] = R"(  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg name="xml_data" type="s" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get">
      <arg name="interface_name" type="s" direction="in"/>
      <arg name="property_name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="GetAll">
      <arg name="interface_name" type="s" direction="in"/>
      <arg name="properties" type="a{sv}" direction="out"/>
    </method>
    <method name="Set">
      <arg name="interface_name" type="s" direction="in"/>
      <arg name="property_name" type="s" direction="in"/>
      <arg name="value" type="v" direction="in"/>
    </method>
    <signal name="PropertiesChanged">
      <arg name="interface_name" type="s"/>
      <arg name="changed_properties" type="a{sv}"/>
      <arg name="invalidated_properties" type="as"/>
    </signal>
  </interface>
  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="Fullscreen" type="b" access="read"/>
    <property name="CanSetFullscreen" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg name="Offset" type="x" direction="in"/></method>
    <method name="SetPosition">
      <arg name="TrackId" type="o" direction="in"/>
      <arg name="Position" type="x" direction="in"/>
    </method>
    <method name="OpenUri"><arg name="Uri" type="s" direction="in"/></method>
    <signal name="Seeked"><arg name="Position" type="x"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="Rate" type="d" access="read"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="readwrite"/>
    <property name="Position" type="x" access="read"/>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read"/>
  </interface>
)";

// The methods of the two MPRIS interfaces. Those without a host call are accepted
// and do nothing: a stream has no pause and no position to move to.
struct CControl
{
    const char* pInterface;
    const char* pName;
    const char* pSignature;
    void (CMprisHost::*pCall)();
};

constexpr CControl kControls[] = {
    {kMprisRootInterface, "Raise", "", &CMprisHost::Raise},
    {kMprisRootInterface, "Quit", "", &CMprisHost::Quit},
    {kMprisPlayerInterface, "Play", "", &CMprisHost::Play},
    {kMprisPlayerInterface, "Stop", "", &CMprisHost::Stop},
    {kMprisPlayerInterface, "PlayPause", "", &CMprisHost::PlayPause},
    {kMprisPlayerInterface, "Next", "", &CMprisHost::Next},
    {kMprisPlayerInterface, "Previous", "", &CMprisHost::Previous},
    {kMprisPlayerInterface, "Pause", "", nullptr},
    {kMprisPlayerInterface, "Seek", "x", nullptr},
    {kMprisPlayerInterface, "SetPosition", "ox", nullptr},
    {kMprisPlayerInterface, "OpenUri", "s", nullptr},
};

// A call may leave out the interface when the method name alone is unambiguous.
bool Addresses(const QDBusMessage& message, const char* pInterface, const char* pName)
{
    return message.member() == QLatin1String(pName) &&
           (message.interface().isEmpty() || message.interface() == QLatin1String(pInterface));
}

const CControl* FindControl(const QDBusMessage& message)
{
    for (const CControl& control : kControls) {
        if (Addresses(message, control.pInterface, control.pName))
            return &control;
    }
    return nullptr;
}

QDBusMessage Error(const QDBusMessage& message, const char* pName, const QString& strText)
{
    return message.createErrorReply(QString::fromLatin1(pName), strText);
}

QDBusMessage WrongArguments(const QDBusMessage& message)
{
    return Error(message, kErrorInvalidArgs,
                 QStringLiteral("Wrong arguments (%1) for %2").arg(message.signature(), message.member()));
}

QDBusMessage UnknownInterface(const QDBusMessage& message, const QString& strInterface)
{
    return Error(message, kErrorUnknownInterface, QStringLiteral("No interface %1").arg(strInterface));
}

QDBusMessage UnknownProperty(const QDBusMessage& message, const QString& strName)
{
    return Error(message, kErrorUnknownProperty, QStringLiteral("No property %1").arg(strName));
}

} // namespace

CMprisObject::CMprisObject(CMprisHost& host, const CMprisState& state) : m_host(host), m_state(state) {}

// Qt delivers a call on the thread the object lives on, the user-interface
// thread, so the state needs no lock. Should a call ever come on another thread,
// it is posted to that thread rather than read the state under the program's feet.
bool CMprisObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, message, connection] { handleMessage(message, connection); }, Qt::QueuedConnection);
        return true;
    }
    Request request;
    const QDBusMessage reply = Answer(message, request);
    if (message.isReplyRequired())
        connection.send(reply);
    if (request)
        Schedule(std::move(request));
    return true;
}

QString CMprisObject::introspect(const QString&) const
{
    return QString::fromLatin1(kInterfacesXml);
}

QDBusMessage CMprisObject::Answer(const QDBusMessage& message, Request& request) const
{
    if (Addresses(message, kIntrospectableInterface, "Introspect")) {
        return message.createReply(
            QStringLiteral("<!DOCTYPE node PUBLIC "
                           "\"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\" "
                           "\"http://www.freedesktop.org/standards/dbus/1.0/"
                           "introspect.dtd\">\n<node>\n") +
            introspect(message.path()) + QStringLiteral("</node>\n"));
    }
    if (Addresses(message, kPropertiesInterface, "Get"))
        return AnswerGet(message);
    if (Addresses(message, kPropertiesInterface, "GetAll"))
        return AnswerGetAll(message);
    if (Addresses(message, kPropertiesInterface, "Set"))
        return AnswerSet(message, request);
    return AnswerControl(message, request);
}

QDBusMessage CMprisObject::AnswerGet(const QDBusMessage& message) const
{
    if (message.signature() != QLatin1String("ss"))
        return WrongArguments(message);
    const QString strInterface = message.arguments().at(0).toString();
    const QString strName = message.arguments().at(1).toString();
    const std::optional<QVariantMap> properties = MprisProperties(strInterface, m_state);
    if (!properties)
        return UnknownInterface(message, strInterface);
    if (!properties->contains(strName))
        return UnknownProperty(message, strName);
    return message.createReply(QVariant::fromValue(QDBusVariant(properties->value(strName))));
}

QDBusMessage CMprisObject::AnswerGetAll(const QDBusMessage& message) const
{
    if (message.signature() != QLatin1String("s"))
        return WrongArguments(message);
    const QString strInterface = message.arguments().at(0).toString();
    const std::optional<QVariantMap> properties = MprisProperties(strInterface, m_state);
    if (!properties)
        return UnknownInterface(message, strInterface);
    return message.createReply(*properties);
}

// Volume is the one writable property. The host gets the clamped value; what the
// controls read stays the program's own volume until the program hands it back.
QDBusMessage CMprisObject::AnswerSet(const QDBusMessage& message, Request& request) const
{
    if (message.signature() != QLatin1String("ssv"))
        return WrongArguments(message);
    const QString strInterface = message.arguments().at(0).toString();
    const QString strName = message.arguments().at(1).toString();
    const QVariant value = qvariant_cast<QDBusVariant>(message.arguments().at(2)).variant();
    const std::optional<QVariantMap> properties = MprisProperties(strInterface, m_state);
    if (!properties)
        return UnknownInterface(message, strInterface);
    if (!properties->contains(strName))
        return UnknownProperty(message, strName);
    if (strInterface != QLatin1String(kMprisPlayerInterface) || strName != QLatin1String("Volume"))
        return Error(message, kErrorReadOnly, QStringLiteral("Property %1 is read-only").arg(strName));
    if (value.typeId() != QMetaType::Double || !std::isfinite(value.toDouble()))
        return Error(message, kErrorInvalidArgs, QStringLiteral("Volume takes a finite double"));
    const double dVolume = std::clamp(value.toDouble(), 0.0, 1.0);
    request = [&host = m_host, dVolume] { host.SetVolume(dVolume); };
    return message.createReply();
}

QDBusMessage CMprisObject::AnswerControl(const QDBusMessage& message, Request& request) const
{
    const CControl* pControl = FindControl(message);
    if (pControl == nullptr) {
        return Error(message, kErrorUnknownMethod,
                     QStringLiteral("No method %1.%2").arg(message.interface(), message.member()));
    }
    if (message.signature() != QLatin1String(pControl->pSignature))
        return WrongArguments(message);
    if (message.member() == QLatin1String("OpenUri"))
        return Error(message, kErrorNotSupported, QStringLiteral("Kestova plays its own stations only"));
    if (pControl->pCall != nullptr)
        request = [&host = m_host, pCall = pControl->pCall] { (host.*pCall)(); };
    return message.createReply();
}

// The host hears of a request after the caller has its answer, from the event
// loop rather than from inside Qt's delivery of the call, so that it may end the
// program or destroy the service (Quit) without pulling the object from under Qt.
void CMprisObject::Schedule(Request request)
{
    QMetaObject::invokeMethod(this, std::move(request), Qt::QueuedConnection);
}
