#include "XdgFolders.h"

#include <cstdlib>
#include <string>

namespace {

// The variable's value when it is an absolute path, without trailing "/".
std::string AbsoluteFromEnvironment(const char* pVariable)
{
    const char* pValue = std::getenv(pVariable);
    if (pValue == nullptr || pValue[0] != '/')
        return {};
    std::string strPath(pValue);
    while (strPath.size() > 1 && strPath.back() == '/')
        strPath.pop_back();
    return strPath;
}

CMyString FromEnvironmentOrHome(const char* pVariable, const char* pBelowHome)
{
    std::string strPath = AbsoluteFromEnvironment(pVariable);
    if (strPath.empty()) {
        const std::string strHome = AbsoluteFromEnvironment("HOME");
        if (strHome.empty())
            return {};
        strPath = (strHome == "/" ? "" : strHome) + pBelowHome;
    }
    return CMyString(strPath.c_str());
}

} // namespace

CMyString GetConfigHome()
{
    return FromEnvironmentOrHome("XDG_CONFIG_HOME", "/.config");
}

CMyString GetDataHome()
{
    return FromEnvironmentOrHome("XDG_DATA_HOME", "/.local/share");
}

CMyString GetRuntimeFolder()
{
    std::string strPath = AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
    if (strPath.empty())
        strPath = AbsoluteFromEnvironment("TMPDIR");
    if (strPath.empty())
        strPath = "/tmp";
    return CMyString(strPath.c_str());
}
