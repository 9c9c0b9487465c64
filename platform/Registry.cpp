#include "Registry.h"

#include "FileLock.h"
#include "Logging.h"
#include "QtText.h"
#include "RegistryData.h"
#include "XdgFolders.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A settings file this large is not one the program wrote.
constexpr qsizetype kMaxFileSize = 16 * 1024 * 1024;

constexpr char kFileHeader[] =
    "; Kestova settings. Each [key] line starts a key; below it \"name\"=\"text\" is a\n"
    "; string value and \"name\"=dword:0000002a a 32-bit number (hexadecimal).\n"
    "; Change it with kestova-settings while the program runs.\n\n";

// Where the last damaged file of this process was set aside, until asked.
struct Notice
{
    std::mutex mutex;
    CMyString strAside;
};

Notice& DamageNotice()
{
    static Notice s_notice;
    return s_notice;
}

enum class ReadResult
{
    Read,
    Missing,
    Failed,
    TooLarge
};

ReadResult ReadWholeFile(const char* pPath, QByteArray& bytesOut)
{
    bytesOut.clear();
    const int nDescriptor = ::open(pPath, O_RDONLY | O_CLOEXEC);
    if (nDescriptor < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    char buffer[65536];
    ReadResult result = ReadResult::Read;
    for (;;) {
        const ssize_t nRead = ::read(nDescriptor, buffer, sizeof buffer);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            result = ReadResult::Failed;
        if (nRead <= 0)
            break;
        bytesOut.append(buffer, nRead);
        if (bytesOut.size() > kMaxFileSize) {
            result = ReadResult::TooLarge;
            break;
        }
    }
    ::close(nDescriptor);
    return result;
}

bool WriteAll(int nDescriptor, const QByteArray& bytes)
{
    qsizetype nDone = 0;
    while (nDone < bytes.size()) {
        const ssize_t nWritten = ::write(nDescriptor, bytes.constData() + nDone, bytes.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        nDone += nWritten;
    }
    return true;
}

// Makes the rename itself durable.
void SyncFolder(const std::filesystem::path& folder)
{
    const int nDescriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nDescriptor < 0)
        return;
    ::fsync(nDescriptor);
    ::close(nDescriptor);
}

bool EnsureFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    std::filesystem::create_directories(folder.parent_path(), error);
    // The folder holds the user's settings: no one else needs to read it.
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

QString Path(const CMyString& strKey)
{
    return CRegistryData::NormalisePath(ToQString(strKey));
}

// A key path the file can hold: a "[path]" line ends at a line break.
bool IsWritablePath(const CMyString& strKey)
{
    const QString strPath = Path(strKey);
    return !strPath.isEmpty() && !strPath.contains(u'\n') && !strPath.contains(u'\r');
}

CRegistry::Value ToValue(const CRegistryData::Value& value)
{
    CRegistry::Value result;
    result.strName = FromQString(value.strName);
    result.bNumber = value.bNumber;
    result.strText = FromQString(value.strText);
    result.uNumber = value.uNumber;
    return result;
}

} // namespace

CRegistry::CRegistry() : m_strFile(GetDefaultFilePath()) {}

CRegistry::CRegistry(const CMyString& strFilePath) : m_strFile(strFilePath) {}

CMyString CRegistry::GetDefaultFilePath()
{
    CMyString strFolder = GetConfigHome();
    if (strFolder.IsEmpty())
        return {};
    strFolder += "/Kestova/registry.conf";
    return strFolder;
}

int CRegistry::SetString(const CMyString& strKey, const CMyString& strName, const CMyString& strText)
{
    CRegistryData::Value value;
    value.strName = ToQString(strName);
    value.strText = ToQString(strText);
    return Modify([&](CRegistryData& data, bool& bChanged) {
        if (!IsWritablePath(strKey))
            return kBadPath;
        data.SetValue(Path(strKey), value);
        bChanged = true;
        return kSuccess;
    });
}

int CRegistry::SetStrings(const CMyString& strKey, const std::vector<std::pair<CMyString, CMyString>>& values)
{
    if (values.empty())
        return kSuccess;
    return Modify([&](CRegistryData& data, bool& bChanged) {
        if (!IsWritablePath(strKey))
            return kBadPath;
        for (const auto& [strName, strText] : values) {
            CRegistryData::Value value;
            value.strName = ToQString(strName);
            value.strText = ToQString(strText);
            data.SetValue(Path(strKey), value);
        }
        bChanged = true;
        return kSuccess;
    });
}

int CRegistry::SetDword(const CMyString& strKey, const CMyString& strName, uint32_t uNumber)
{
    CRegistryData::Value value;
    value.strName = ToQString(strName);
    value.bNumber = true;
    value.uNumber = uNumber;
    return Modify([&](CRegistryData& data, bool& bChanged) {
        if (!IsWritablePath(strKey))
            return kBadPath;
        data.SetValue(Path(strKey), value);
        bChanged = true;
        return kSuccess;
    });
}

int CRegistry::CreateKey(const CMyString& strKey)
{
    if (!IsWritablePath(strKey))
        return kBadPath;
    if (KeyExists(strKey))
        return kSuccess;
    return Modify([&](CRegistryData& data, bool& bChanged) {
        bChanged = data.CreateKey(Path(strKey));
        return kSuccess;
    });
}

int CRegistry::DeleteValue(const CMyString& strKey, const CMyString& strName)
{
    return Modify([&](CRegistryData& data, bool& bChanged) {
        bChanged = data.DeleteValue(Path(strKey), ToQString(strName));
        return bChanged ? kSuccess : kNotFound;
    });
}

int CRegistry::DeleteKey(const CMyString& strKey)
{
    if (Path(strKey).isEmpty())
        return kBadPath;
    return Modify([&](CRegistryData& data, bool& bChanged) {
        bChanged = data.DeleteKey(Path(strKey));
        return bChanged ? kSuccess : kNotFound;
    });
}

bool CRegistry::KeyExists(const CMyString& strKey) const
{
    CRegistryData data;
    Load(data);
    return data.FindKey(Path(strKey)) != nullptr;
}

int CRegistry::GetValue(const CMyString& strKey, const CMyString& strName, Value& valueOut) const
{
    CRegistryData data;
    Load(data);
    const CRegistryData::Value* pValue = data.FindValue(Path(strKey), ToQString(strName));
    if (pValue == nullptr)
        return kNotFound;
    valueOut = ToValue(*pValue);
    return kSuccess;
}

bool CRegistry::GetValues(const CMyString& strKey, std::vector<Value>& valuesOut) const
{
    CRegistryData data;
    Load(data);
    const CRegistryData::Key* pKey = data.FindKey(Path(strKey));
    if (pKey == nullptr)
        return false;
    valuesOut.clear();
    for (const CRegistryData::Value& value : pKey->values)
        valuesOut.push_back(ToValue(value));
    return true;
}

bool CRegistry::GetSubKeys(const CMyString& strKey, CArrayString& pathsOut) const
{
    CRegistryData data;
    Load(data);
    if (!Path(strKey).isEmpty() && data.FindKey(Path(strKey)) == nullptr)
        return false;
    for (const QString& strPath : data.SubKeys(Path(strKey)))
        pathsOut.Add(FromQString(strPath));
    return true;
}

CMyString CRegistry::Export(const CMyString& strKey) const
{
    CRegistryData data;
    Load(data);
    if (!Path(strKey).isEmpty() && data.FindKey(Path(strKey)) == nullptr)
        return {};
    return FromQByteArray(data.Format(Path(strKey)));
}

int CRegistry::Modify(const Change& change) const
{
    if (m_strFile.IsEmpty() || !EnsureFolder(std::filesystem::path(m_strFile.GetText()).parent_path()))
        return kCannotWrite;
    CFileLock lock;
    if (lock.Lock(LockPath().GetText(), CFileLock::Mode::Exclusive, true) != CFileLock::Result::Locked)
        return kCannotWrite;
    CRegistryData data;
    if (!LoadLocked(data))
        return kCannotWrite;
    bool bChanged = false;
    const int nResult = change(data, bChanged);
    if (nResult != kSuccess || !bChanged)
        return nResult;
    return WriteLocked(data) ? kSuccess : kCannotWrite;
}

void CRegistry::Load(CRegistryData& data) const
{
    // Writers replace the file by a rename, so a read without the lock still
    // sees one whole file. Only a damaged file needs the lock, to move it aside.
    QByteArray bytes;
    const ReadResult result = ReadWholeFile(m_strFile.GetText(), bytes);
    if (result == ReadResult::Read && data.Parse(bytes))
        return;
    if (result != ReadResult::Read)
        data.Parse(QByteArray());
    if (result == ReadResult::Missing || result == ReadResult::Failed)
        return;
    CFileLock lock;
    if (lock.Lock(LockPath().GetText(), CFileLock::Mode::Exclusive, true) == CFileLock::Result::Locked)
        LoadLocked(data);
    else
        ReportUnmovable(errno);
}

// A damaged file keeps every value that can still be read: the file is set
// aside as it was, and what was read is written back as the store.
bool CRegistry::LoadLocked(CRegistryData& data) const
{
    QByteArray bytes;
    const ReadResult result = ReadWholeFile(m_strFile.GetText(), bytes);
    if (result == ReadResult::Failed)
        return false;
    bool bWhole = false;
    if (result == ReadResult::Read)
        bWhole = data.Parse(bytes);
    else
        data.Parse(QByteArray());
    if (bWhole || result == ReadResult::Missing)
        return true;
    if (MoveDamagedAside())
        WriteLocked(data);
    return true;
}

bool CRegistry::WriteLocked(const CRegistryData& data) const
{
    const QByteArray bytes = QByteArray(kFileHeader) + data.Format();
    const std::filesystem::path file(m_strFile.GetText());
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    const int nDescriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (nDescriptor < 0)
        return false;
    const bool bWritten = WriteAll(nDescriptor, bytes) && ::fsync(nDescriptor) == 0;
    const bool bClosed = ::close(nDescriptor) == 0;
    if (!bWritten || !bClosed || ::rename(temporary.c_str(), file.c_str()) != 0) {
        const int nError = errno;
        ::unlink(temporary.c_str());
        qCDebug(lcRegistry) << "cannot write" << m_strFile.GetText() << std::strerror(nError);
        return false;
    }
    SyncFolder(file.parent_path());
    return true;
}

// Under a name of its own: an earlier damaged copy is never overwritten.
bool CRegistry::MoveDamagedAside() const
{
    CMyString strAside;
    for (int nCopy = 0;; ++nCopy) {
        strAside = m_strFile;
        strAside += ".damaged";
        if (nCopy > 0) {
            strAside += ".";
            strAside += std::to_string(nCopy).c_str();
        }
        if (::link(m_strFile.GetText(), strAside.GetText()) == 0)
            break;
        if (errno != EEXIST) {
            ReportUnmovable(errno);
            return false;
        }
    }
    std::fprintf(stderr,
                 "kestova: the settings file %s was damaged; it was kept as %s and the settings that could be "
                 "read are kept\n",
                 m_strFile.GetText(), strAside.GetText());
    std::lock_guard<std::mutex> lock(DamageNotice().mutex);
    DamageNotice().strAside = strAside;
    return true;
}

CMyString CRegistry::TakeDamagedCopy()
{
    std::lock_guard<std::mutex> lock(DamageNotice().mutex);
    CMyString strAside = DamageNotice().strAside;
    DamageNotice().strAside.Empty();
    return strAside;
}

void CRegistry::ReportUnmovable(int nError) const
{
    // Every later read would find the same file: once per process is enough.
    static std::atomic<bool> s_bReported{false};
    if (!s_bReported.exchange(true))
        std::fprintf(stderr,
                     "kestova: the settings file %s is damaged and cannot be moved aside (%s); the settings "
                     "start afresh\n",
                     m_strFile.GetText(), std::strerror(nError));
}

CMyString CRegistry::LockPath() const
{
    CMyString strPath(m_strFile);
    strPath += ".lock";
    return strPath;
}
