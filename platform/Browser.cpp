#include "Browser.h"

#include "Logging.h"
#include "QtText.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr char kFallbackProgram[] = "xdg-open";
constexpr char kFirefoxProgram[] = "firefox";

// The command of the first entry of a $BROWSER list, without its arguments
// ("firefox %s:chromium" gives "firefox").
QString FirstCommand(const QString& strList)
{
    const QString strEntry = strList.section(u':', 0, 0).trimmed();
    return strEntry.section(u' ', 0, 0, QString::SectionSkipEmpty);
}

bool NamesFirefox(const QString& strName)
{
    return QFileInfo(strName).fileName().contains(QStringLiteral("firefox"), Qt::CaseInsensitive);
}

bool CanRun(const QString& strProgram)
{
    if (strProgram.contains(u'/'))
        return QFileInfo(strProgram).isExecutable();
    return !QStandardPaths::findExecutable(strProgram).isEmpty();
}

} // namespace

CBrowser CBrowser::Detect(int nTimeoutMs)
{
    const CMyString strVariable = FromQString(qEnvironmentVariable("BROWSER"));
    if (!FirstCommand(ToQString(strVariable)).isEmpty())
        return Choose(strVariable, CMyString());
    return Choose(CMyString(), QueryDesktopDefault(nTimeoutMs));
}

CBrowser CBrowser::Choose(const CMyString& strBrowserVariable, const CMyString& strDesktopDefault)
{
    const QString strCommand = FirstCommand(ToQString(strBrowserVariable));
    // $BROWSER names a command to run; the desktop names a desktop file.
    const bool bFromVariable = !strCommand.isEmpty();
    const QString strName = bFromVariable ? strCommand : ToQString(strDesktopDefault).trimmed();
    const QString strProgram = bFromVariable ? strCommand : QString::fromLatin1(kFirefoxProgram);
    if (NamesFirefox(strName) && CanRun(strProgram)) {
        qCDebug(lcBrowser) << "browser" << strProgram << "for" << strName;
        return CBrowser(FromQString(strProgram), true);
    }
    qCDebug(lcBrowser) << "fall-back browser for" << strName;
    return CBrowser(kFallbackProgram, false);
}

CMyString CBrowser::QueryDesktopDefault(int nTimeoutMs)
{
    QProcess process;
    process.setProgram(QStringLiteral("xdg-settings"));
    process.setArguments({QStringLiteral("get"), QStringLiteral("default-web-browser")});
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(nTimeoutMs))
        return {};
    if (!process.waitForFinished(nTimeoutMs)) {
        process.kill();
        process.waitForFinished(nTimeoutMs);
        qCDebug(lcBrowser) << "xdg-settings did not answer in time";
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    const QString strOutput = QString::fromUtf8(process.readAllStandardOutput());
    return FromQString(strOutput.section(u'\n', 0, 0).trimmed());
}
