#include "Process.h"

#include "Logging.h"
#include "QtText.h"

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <system_error>

bool StartDetached(const CMyString& strProgram, const CArrayString& arguments)
{
    if (strProgram.IsEmpty())
        return false;
    QStringList list;
    for (uint32_t i = 0; i < arguments.GetCount(); ++i)
        list.append(ToQString(arguments.GetAt(i)));
    const bool bStarted = QProcess::startDetached(ToQString(strProgram), list);
    qCDebug(lcProcess) << "start" << strProgram.GetText() << list << (bStarted ? "started" : "failed");
    return bStarted;
}

bool StartDetached(const CMyString& strProgram)
{
    return StartDetached(strProgram, CArrayString());
}

CMyString GetExecutablePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? CMyString() : CMyString(path.c_str());
}
