#include "MprisProperties.h"

#include "QtText.h"

#include <QDBusObjectPath>
#include <QStringList>
#include <QUrl>

namespace {

constexpr char kNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
constexpr char kStationTrackPrefix[] = "/org/mpris/MediaPlayer2/kestova/station/";

QVariant TrackId(const QString& strPath)
{
    return QVariant::fromValue(QDBusObjectPath(strPath));
}

// An object path allows only [A-Za-z0-9_] in its elements, so the number goes in
// without a sign: a path that does not parse would fail the whole message.
QVariant StationTrackId(int nTrack)
{
    return TrackId(QString::fromLatin1(kStationTrackPrefix) + QString::number(static_cast<unsigned>(nTrack)));
}

QVariantMap Metadata(const CMprisState& state)
{
    if (state.m_strStation.IsEmpty())
        return {{QStringLiteral("mpris:trackid"), TrackId(QString::fromLatin1(kNoTrack))}};
    const QString strStation = ToQString(state.m_strStation);
    const QString strTitle = state.m_strTitle.IsEmpty() ? strStation : ToQString(state.m_strTitle);
    QVariantMap metadata{
        {QStringLiteral("mpris:trackid"), StationTrackId(state.m_nTrack)},
        {QStringLiteral("xesam:title"), strTitle},
        {QStringLiteral("xesam:album"), strStation},
        {QStringLiteral("xesam:artist"), QStringList{strStation}},
    };
    if (!state.m_strArtFile.IsEmpty()) {
        const QUrl art = QUrl::fromLocalFile(ToQString(state.m_strArtFile));
        metadata.insert(QStringLiteral("mpris:artUrl"), art.toString(QUrl::FullyEncoded));
    }
    return metadata;
}

} // namespace

QVariantMap MprisRootProperties()
{
    return {
        {QStringLiteral("Identity"), QStringLiteral("Kestova")},
        {QStringLiteral("DesktopEntry"), QStringLiteral("kestova")},
        {QStringLiteral("CanRaise"), true},
        {QStringLiteral("CanQuit"), true},
        {QStringLiteral("HasTrackList"), false},
        {QStringLiteral("CanSetFullscreen"), false},
        {QStringLiteral("Fullscreen"), false},
        {QStringLiteral("SupportedUriSchemes"), QStringList()},
        {QStringLiteral("SupportedMimeTypes"), QStringList()},
    };
}

QVariantMap MprisPlayerProperties(const CMprisState& state)
{
    return {
        {QStringLiteral("PlaybackStatus"),
         state.m_bPlaying ? QStringLiteral("Playing") : QStringLiteral("Stopped")},
        {QStringLiteral("Metadata"), Metadata(state)},
        {QStringLiteral("Volume"), state.m_dVolume},
        {QStringLiteral("Rate"), 1.0},
        {QStringLiteral("MinimumRate"), 1.0},
        {QStringLiteral("MaximumRate"), 1.0},
        {QStringLiteral("Position"), QVariant::fromValue<qint64>(0)},
        {QStringLiteral("CanGoNext"), state.m_bCanGoNext},
        {QStringLiteral("CanGoPrevious"), state.m_bCanGoPrevious},
        {QStringLiteral("CanPlay"), state.m_bCanPlay},
        {QStringLiteral("CanPause"), false},
        {QStringLiteral("CanSeek"), false},
        {QStringLiteral("CanControl"), true},
    };
}

std::optional<QVariantMap> MprisProperties(const QString& strInterface, const CMprisState& state)
{
    if (strInterface == QLatin1String(kMprisRootInterface))
        return MprisRootProperties();
    if (strInterface == QLatin1String(kMprisPlayerInterface))
        return MprisPlayerProperties(state);
    return std::nullopt;
}

QVariantMap MprisChangedProperties(const CMprisState& before, const CMprisState& after)
{
    const QVariantMap oldValues = MprisPlayerProperties(before);
    QVariantMap changed = MprisPlayerProperties(after);
    for (auto it = changed.begin(); it != changed.end();) {
        if (oldValues.value(it.key()) == it.value())
            it = changed.erase(it);
        else
            ++it;
    }
    return changed;
}
