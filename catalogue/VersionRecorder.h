// CVersionRecorder: records the versions of the list files that a catalogue
// load reads in the settings store ("Movies Settings" and one value per
// category file name), so that the update check knows what is installed.
// Every write of the store reaches the disk before it returns, which takes
// milliseconds, and every read parses the whole store: with a few hundred
// category files, writing each version again, or reading each one alone, would
// stall every start for seconds. So the stored values are read once, when the
// recorder is made, and only versions that differ from them are written, all
// together in one write when the recorder is destroyed (the end of a load).
// Not copyable: it owns the pending writes.
#pragma once

#include "MyString.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CVersionRecorder
{
public:
    // Takes the snapshot of the program's settings.
    CVersionRecorder();
    ~CVersionRecorder();
    CVersionRecorder(const CVersionRecorder&) = delete;
    CVersionRecorder& operator=(const CVersionRecorder&) = delete;

    void SetMoviesSettings(const CMyString& strVersion);
    void SetListVersion(const CMyString& strFileName, const CMyString& strVersion);

private:
    // True when the value holds that text already; otherwise remembers it.
    bool IsStored(const CMyString& strValueName, const CMyString& strVersion);

    // Value names in lower case (they match without regard to case) -> text.
    std::unordered_map<std::string, std::string> m_stored;
    // Value name -> version, written by the destructor.
    std::vector<std::pair<CMyString, CMyString>> m_pending;
};
