// CMprisObject: the object at /org/mpris/MediaPlayer2 that answers the desktop's
// media controls: introspection, the properties interface and the two MPRIS
// interfaces, handled message by message so that no generated code is needed.
// It answers from the state it is given and hands the controls' requests to the
// host on the thread it lives on. Not copyable (a QObject).
#pragma once

#include "MprisHost.h"
#include "MprisState.h"

#include <QDBusVirtualObject>
#include <functional>

class QDBusMessage;

class CMprisObject : public QDBusVirtualObject
{
public:
    // Both must outlive the object.
    CMprisObject(CMprisHost& host, const CMprisState& state);

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& strPath) const override;

private:
    using Request = std::function<void()>;

    QDBusMessage Answer(const QDBusMessage& message, Request& request) const;
    QDBusMessage AnswerGet(const QDBusMessage& message) const;
    QDBusMessage AnswerGetAll(const QDBusMessage& message) const;
    QDBusMessage AnswerSet(const QDBusMessage& message, Request& request) const;
    QDBusMessage AnswerControl(const QDBusMessage& message, Request& request) const;
    void Schedule(Request request);

    CMprisHost& m_host;
    const CMprisState& m_state;
};
