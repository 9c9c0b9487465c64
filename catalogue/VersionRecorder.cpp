#include "VersionRecorder.h"

#include "Registry.h"
#include "Settings.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char kMoviesSettingsValue[] = "Movies Settings";

std::string LowerName(const CMyString& strName)
{
    CMyString strLower = strName;
    strLower.MakeLower();
    return strLower.GetText();
}

} // namespace

CVersionRecorder::CVersionRecorder()
{
    std::vector<CRegistry::Value> values;
    CRegistry().GetValues(Settings::kProgramKey, values);
    for (const CRegistry::Value& value : values) {
        if (!value.bNumber) {
            m_stored[LowerName(value.strName)] = value.strText.GetText();
        }
    }
}

CVersionRecorder::~CVersionRecorder()
{
    CRegistry().SetStrings(Settings::kProgramKey, m_pending);
}

void CVersionRecorder::SetMoviesSettings(const CMyString& strVersion)
{
    SetListVersion(kMoviesSettingsValue, strVersion);
}

void CVersionRecorder::SetListVersion(const CMyString& strFileName, const CMyString& strVersion)
{
    if (!IsStored(strFileName, strVersion)) {
        m_pending.emplace_back(strFileName, strVersion);
    }
}

bool CVersionRecorder::IsStored(const CMyString& strValueName, const CMyString& strVersion)
{
    auto [found, bAdded] = m_stored.try_emplace(LowerName(strValueName), strVersion.GetText());
    if (bAdded || found->second != strVersion.GetText()) {
        found->second = strVersion.GetText();
        return false;
    }
    return true;
}
