// A private home for one test: a temporary folder that $HOME, $XDG_CONFIG_HOME,
// $XDG_DATA_HOME and $XDG_RUNTIME_DIR point at while the object lives, so that
// no test reads or writes the real user's folders. Removed with its content.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

class CTestHome
{
public:
    CTestHome()
    {
        std::string strTemplate = TempBase() + "/kestova-test-XXXXXX";
        if (::mkdtemp(strTemplate.data()) == nullptr)
            std::abort();
        m_root = strTemplate;
        for (const char* pName : {"config", "data", "runtime", "bin"})
            std::filesystem::create_directories(m_root / pName);
        ::chmod((m_root / "runtime").c_str(), 0700);
        ::setenv("HOME", m_root.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
    }
    ~CTestHome()
    {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    CTestHome(const CTestHome&) = delete;
    CTestHome& operator=(const CTestHome&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Config() const { return m_root / "config"; }
    std::filesystem::path Data() const { return m_root / "data"; }
    std::filesystem::path Runtime() const { return m_root / "runtime"; }
    // A folder for stand-in programs.
    std::filesystem::path Bin() const { return m_root / "bin"; }
    // The settings store's file.
    std::filesystem::path StoreFile() const { return Config() / "Kestova" / "registry.conf"; }

    static std::string ReadFile(const std::filesystem::path& path)
    {
        std::ifstream stream(path, std::ios::binary);
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    }
    static void WriteFile(const std::filesystem::path& path, const std::string& strText)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << strText;
    }
    // Writes an executable shell script.
    static void WriteScript(const std::filesystem::path& path, const std::string& strBody)
    {
        WriteFile(path, "#!/bin/sh\n" + strBody);
        ::chmod(path.c_str(), 0755);
    }

private:
    // The temp folder when the first home was made: tests change $TMPDIR.
    static const std::string& TempBase()
    {
        static const std::string s_strBase = [] {
            const char* pTemp = std::getenv("TMPDIR");
            return std::string(pTemp != nullptr && pTemp[0] == '/' ? pTemp : "/tmp");
        }();
        return s_strBase;
    }

    std::filesystem::path m_root;
};
