// The properties of the two MPRIS interfaces, as the values D-Bus carries. Each
// value holds the exact type the interfaces name (QDBusObjectPath for "o",
// QStringList for "as", qint64 for "x", QVariantMap for "a{sv}"), so that Qt
// marshals it as that type.
#pragma once

#include "MprisState.h"

#include <QString>
#include <QVariantMap>
#include <optional>

inline constexpr char kMprisRootInterface[] = "org.mpris.MediaPlayer2";
inline constexpr char kMprisPlayerInterface[] = "org.mpris.MediaPlayer2.Player";

QVariantMap MprisRootProperties();
QVariantMap MprisPlayerProperties(const CMprisState& state);
// The properties of the named interface; none for an interface not served.
std::optional<QVariantMap> MprisProperties(const QString& strInterface, const CMprisState& state);
// The player properties whose values differ between the two states.
QVariantMap MprisChangedProperties(const CMprisState& before, const CMprisState& after);
