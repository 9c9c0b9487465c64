#include "Registry.h"

#include "../support/TestHome.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr char kKey[] = "SOFTWARE\\Kestova";

class RegistryTest : public ::testing::Test
{
protected:
    std::vector<std::string> ValueNames(const char* pKey) const
    {
        std::vector<CRegistry::Value> values;
        std::vector<std::string> names;
        if (m_registry.GetValues(pKey, values)) {
            for (const CRegistry::Value& value : values)
                names.emplace_back(value.strName.GetText());
        }
        return names;
    }

    CTestHome m_home;
    CRegistry m_registry;
};

TEST_F(RegistryTest, StoreLivesInTheUsersConfigFolder)
{
    EXPECT_EQ(m_registry.GetFilePath().GetText(), m_home.StoreFile().string());
}

TEST_F(RegistryTest, StringAndNumberOfTheSameTextAreDifferentTypes)
{
    ASSERT_EQ(m_registry.SetString(kKey, "Text", "42"), CRegistry::kSuccess);
    ASSERT_EQ(m_registry.SetDword(kKey, "Number", 42), CRegistry::kSuccess);

    CRegistry::Value text;
    CRegistry::Value number;
    ASSERT_EQ(m_registry.GetValue(kKey, "Text", text), CRegistry::kSuccess);
    ASSERT_EQ(m_registry.GetValue(kKey, "Number", number), CRegistry::kSuccess);
    EXPECT_FALSE(text.bNumber);
    EXPECT_EQ(text.strText, "42");
    EXPECT_TRUE(number.bNumber);
    EXPECT_EQ(number.uNumber, 42u);

    // Writing the other type replaces the value and its type.
    ASSERT_EQ(m_registry.SetDword(kKey, "Text", 0xffffffffu), CRegistry::kSuccess);
    ASSERT_EQ(m_registry.GetValue(kKey, "Text", text), CRegistry::kSuccess);
    EXPECT_TRUE(text.bNumber);
    EXPECT_EQ(text.uNumber, 0xffffffffu);
}

TEST_F(RegistryTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling)
{
    ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova\\", "Search Settings", "1.0"), 0);
    ASSERT_EQ(m_registry.SetString("software\\KESTOVA", "search settings", "2.0"), 0);
    ASSERT_EQ(m_registry.SetString(kKey, "Ärger", "a"), 0);
    ASSERT_EQ(m_registry.SetString(kKey, "ärger", "b"), 0);

    CRegistry::Value value;
    ASSERT_EQ(m_registry.GetValue("Software\\kestova", "SEARCH SETTINGS", value), 0);
    EXPECT_EQ(value.strText, "2.0");
    EXPECT_EQ(value.strName, "Search Settings");
    ASSERT_EQ(m_registry.GetValue(kKey, "ÄRGER", value), 0);
    EXPECT_EQ(value.strText, "b");
    EXPECT_EQ(ValueNames(kKey), (std::vector<std::string>{"Search Settings", "Ärger"}));
    EXPECT_EQ(
        m_registry.Export("").GetText(),
        std::string("[SOFTWARE]\n\n[SOFTWARE\\Kestova]\n\"Search Settings\"=\"2.0\"\n\"Ärger\"=\"b\"\n"));
}

TEST_F(RegistryTest, ValuesAndKeysKeepTheOrderOfTheirFirstWrite)
{
    for (const char* pName : {"c", "a", "b"})
        ASSERT_EQ(m_registry.SetString(kKey, pName, pName), 0);
    ASSERT_EQ(m_registry.SetString(kKey, "A", "again"), 0);
    EXPECT_EQ(ValueNames(kKey), (std::vector<std::string>{"c", "a", "b"}));

    ASSERT_EQ(m_registry.DeleteValue(kKey, "a"), 0);
    ASSERT_EQ(m_registry.SetString(kKey, "a", "new"), 0);
    EXPECT_EQ(ValueNames(kKey), (std::vector<std::string>{"c", "b", "a"}));

    for (const char* pKey : {"SOFTWARE\\Kestova\\Stations\\2", "SOFTWARE\\Kestova\\Stations\\1"})
        ASSERT_EQ(m_registry.CreateKey(pKey), 0);
    CArrayString subKeys;
    ASSERT_TRUE(m_registry.GetSubKeys("SOFTWARE\\Kestova\\Stations", subKeys));
    ASSERT_EQ(subKeys.GetCount(), 2u);
    EXPECT_EQ(subKeys.GetAt(0), "SOFTWARE\\Kestova\\Stations\\2");
    EXPECT_EQ(subKeys.GetAt(1), "SOFTWARE\\Kestova\\Stations\\1");
}

TEST_F(RegistryTest, SeveralStringsGoInOneWrite)
{
    ASSERT_EQ(m_registry.SetString(kKey, "B", "old"), 0);
    ASSERT_EQ(m_registry.SetStrings(kKey, {{"a", "1"}, {"b", "2"}, {"a", "3"}}), 0);
    EXPECT_EQ(ValueNames(kKey), (std::vector<std::string>{"B", "a"}));
    CRegistry::Value value;
    ASSERT_EQ(m_registry.GetValue(kKey, "A", value), 0);
    EXPECT_EQ(value.strText, "3") << "a later value of the same name wins";
    ASSERT_EQ(m_registry.GetValue(kKey, "b", value), 0);
    EXPECT_EQ(value.strText, "2");
    EXPECT_EQ(m_registry.SetStrings("", {{"x", "y"}}), CRegistry::kBadPath);
    EXPECT_EQ(m_registry.SetStrings(kKey, {}), 0);
}

TEST_F(RegistryTest, DeletingAKeyDeletesEverythingBelowIt)
{
    ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova\\Stations\\1", "Name", "One"), 0);
    ASSERT_EQ(m_registry.SetString("SOFTWARE\\Kestova\\StationsOld", "Name", "Kept"), 0);
    ASSERT_EQ(m_registry.DeleteKey("software\\kestova\\stations"), 0);

    EXPECT_FALSE(m_registry.KeyExists("SOFTWARE\\Kestova\\Stations\\1"));
    EXPECT_FALSE(m_registry.KeyExists("SOFTWARE\\Kestova\\Stations"));
    EXPECT_TRUE(m_registry.KeyExists("SOFTWARE\\Kestova\\StationsOld"));
    EXPECT_EQ(m_registry.DeleteKey("SOFTWARE\\Kestova\\Stations"), CRegistry::kNotFound);
    EXPECT_EQ(m_registry.DeleteValue(kKey, "Missing"), CRegistry::kNotFound);
    CRegistry::Value value;
    EXPECT_EQ(m_registry.GetValue(kKey, "Missing", value), CRegistry::kNotFound);
}

TEST_F(RegistryTest, TextsSurviveTheFileWhateverTheyHold)
{
    const std::vector<std::string> texts = {"",
                                            "with \"quotes\"",
                                            "C:\\path\\",
                                            "two\nlines\r\n",
                                            "tab\there",
                                            "; not a comment",
                                            "[not a key]",
                                            "= \"x\"=dword:1",
                                            "Grüße, 日本",
                                            " spaces "};
    for (size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(m_registry.SetString(kKey, ("v" + std::to_string(i)).c_str(), texts[i].c_str()), 0);
    ASSERT_EQ(m_registry.SetString(kKey, "name \"with\" \\ and\nline", "x"), 0);

    // A new object reads the file afresh: nothing comes from memory.
    const CRegistry reader;
    for (size_t i = 0; i < texts.size(); ++i) {
        CRegistry::Value value;
        ASSERT_EQ(reader.GetValue(kKey, ("v" + std::to_string(i)).c_str(), value), 0);
        EXPECT_EQ(value.strText.GetText(), texts[i]);
    }
    CRegistry::Value value;
    EXPECT_EQ(reader.GetValue(kKey, "NAME \"WITH\" \\ AND\nLINE", value), 0);
}

TEST_F(RegistryTest, EveryWriteReplacesTheFileWhole)
{
    ASSERT_EQ(m_registry.SetString(kKey, "Volume", "50"), 0);
    struct stat before = {};
    ASSERT_EQ(::stat(m_home.StoreFile().c_str(), &before), 0);

    ASSERT_EQ(m_registry.SetString(kKey, "Volume", "75"), 0);
    struct stat after = {};
    ASSERT_EQ(::stat(m_home.StoreFile().c_str(), &after), 0);

    // A new file took the old one's place: a reader holds either, never a mix.
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_NE(CTestHome::ReadFile(m_home.StoreFile()).find("\"Volume\"=\"75\""), std::string::npos);
    EXPECT_EQ(after.st_mode & 0777, 0600u);
    for (const auto& entry : std::filesystem::directory_iterator(m_home.StoreFile().parent_path())) {
        const std::string strName = entry.path().filename().string();
        EXPECT_TRUE(strName == "registry.conf" || strName == "registry.conf.lock") << strName;
    }
}

TEST_F(RegistryTest, AStoreThatCannotBeWrittenSaysSoAndReadsEmpty)
{
    // The config "folder" is a file: nothing can be created below it.
    CTestHome::WriteFile(m_home.Root() / "not-a-folder", "x");
    ::setenv("XDG_CONFIG_HOME", (m_home.Root() / "not-a-folder").c_str(), 1);
    CRegistry registry;

    EXPECT_EQ(registry.SetString(kKey, "Volume", "75"), CRegistry::kCannotWrite);
    EXPECT_EQ(registry.SetDword(kKey, "Index", 1), CRegistry::kCannotWrite);
    EXPECT_EQ(registry.CreateKey(kKey), CRegistry::kCannotWrite);
    CRegistry::Value value;
    EXPECT_EQ(registry.GetValue(kKey, "Volume", value), CRegistry::kNotFound);
    EXPECT_FALSE(registry.KeyExists(kKey));
}

TEST_F(RegistryTest, AKeyPathTheFileCannotHoldIsRefused)
{
    EXPECT_EQ(m_registry.SetString("", "Name", "x"), CRegistry::kBadPath);
    EXPECT_EQ(m_registry.SetString("\\\\", "Name", "x"), CRegistry::kBadPath);
    EXPECT_EQ(m_registry.SetDword("SOFTWARE\\Kes\ntova", "Name", 1), CRegistry::kBadPath);
    EXPECT_EQ(m_registry.CreateKey("SOFTWARE\\Kestova\r"), CRegistry::kBadPath);
    EXPECT_EQ(m_registry.DeleteKey(""), CRegistry::kBadPath);
    EXPECT_FALSE(std::filesystem::exists(m_home.StoreFile()));
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int kPerWriter = 300;
    const std::filesystem::path go = m_home.Root() / "go";
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const char* pPrefix : {"first", "second"}) {
        auto process = std::make_unique<QProcess>();
        const std::filesystem::path ready = m_home.Root() / pPrefix;
        process->start(KESTOVA_REGISTRY_WRITER, {pPrefix, QString::number(kPerWriter),
                                                 QString::fromStdString(ready), QString::fromStdString(go)});
        ASSERT_TRUE(process->waitForStarted(30000));
        writers.push_back(std::move(process));
    }
    for (const char* pPrefix : {"first", "second"}) {
        for (int nWait = 0; !std::filesystem::exists(m_home.Root() / pPrefix) && nWait < 30000; ++nWait)
            QThread::msleep(1);
    }
    CTestHome::WriteFile(go, "go");

    // Meanwhile this process reads: every read must find a whole file whose
    // values only ever grow.
    size_t uSeen = 0;
    bool bRunning = true;
    const QDeadlineTimer giveUp(120000); // a bound for a hung writer, not a measurement
    while (bRunning && !giveUp.hasExpired()) {
        std::vector<CRegistry::Value> values;
        if (m_registry.GetValues(kKey, values)) {
            EXPECT_GE(values.size(), uSeen);
            uSeen = values.size();
        }
        bRunning = false;
        for (auto& writer : writers) {
            writer->waitForFinished(5);
            bRunning = bRunning || writer->state() != QProcess::NotRunning;
        }
    }
    ASSERT_FALSE(bRunning) << "a writer hung";
    for (auto& writer : writers) {
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
    }

    std::vector<CRegistry::Value> values;
    ASSERT_TRUE(m_registry.GetValues(kKey, values));
    ASSERT_EQ(values.size(), 2u * kPerWriter);
    // Each writer's values appear in the order it wrote them.
    int nNext[2] = {0, 0};
    for (const CRegistry::Value& value : values) {
        const std::string strName = value.strName.GetText();
        const int nWriter = strName.rfind("first-", 0) == 0 ? 0 : 1;
        EXPECT_EQ(strName, (nWriter == 0 ? "first-" : "second-") + std::to_string(nNext[nWriter]));
        EXPECT_EQ(value.strText.GetText(), std::to_string(nNext[nWriter]));
        ++nNext[nWriter];
    }
    EXPECT_FALSE(std::filesystem::exists(m_home.StoreFile().string() + ".damaged"));
}

} // namespace
