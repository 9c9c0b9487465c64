// Loading the station catalogue: a generated catalogue of 30,000 stations in
// 300 scrambled category files, written once per run to a temporary folder.
#include "FileHandler.h"
#include "MyXmlDom.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kCategories = 300;
constexpr int kStationsPerCategory = 100;
constexpr int kTotalStations = kCategories * kStationsPerCategory;
// Of each category's stations, this many sit in a nested menu and half of
// those one level deeper.
constexpr int kNestedStations = 30;

std::string Station(int nCategory, int nStation)
{
    const std::string strId = std::to_string(nCategory) + "/" + std::to_string(nStation);
    return "<MENU_ITEM>\r\n<CAPTION>Station " + strId + " News &amp; Talk</CAPTION>\r\n" +
           "<URL>http://stream" + std::to_string(nCategory) + ".example.net:8000/live/" +
           std::to_string(nStation) + ".m3u</URL>\r\n" + "<ICON_URL>http://icons.example.net/stations/" +
           strId + ".gif</ICON_URL>\r\n" + "<WEB>" + (nStation % 10 == 0 ? "TRUE" : "FALSE") +
           "</WEB>\r\n</MENU_ITEM>\r\n";
}

std::string Stations(int nCategory, int nFirst, int nEnd)
{
    std::string strXml;
    for (int nStation = nFirst; nStation < nEnd; ++nStation)
        strXml += Station(nCategory, nStation);
    return strXml;
}

std::string CategoryFile(int nCategory)
{
    const int nNested = kStationsPerCategory - kNestedStations;
    const int nDeeper = kStationsPerCategory - kNestedStations / 2;
    return "<LIST>\r\n<VERSION>1.0.0." + std::to_string(nCategory) +
           "</VERSION>\r\n<MENU>\r\n<CAPTION>Category " + std::to_string(nCategory) + "</CAPTION>\r\n" +
           Stations(nCategory, 0, nNested) +
           "<MENU>\r\n<CAPTION>Regional</CAPTION>\r\n<ICON_URL>http://icons.example.net/regional.gif</"
           "ICON_URL>\r\n" +
           Stations(nCategory, nNested, nDeeper) + "<MENU>\r\n<CAPTION>Local</CAPTION>\r\n" +
           Stations(nCategory, nDeeper, kStationsPerCategory) +
           "</MENU>\r\n</MENU>\r\n</MENU>\r\n</LIST>\r\n";
}

std::string CategoryFileName(int nCategory)
{
    return "Category" + std::to_string(nCategory) + ".txt";
}

std::string IndexFile()
{
    std::string strXml =
        "<MOVIES_SETTINGS>\r\n<VERSION>2.0.1.3</VERSION>\r\n<FIRST_URL>start.html</FIRST_URL>\r\n"
        "<MOVIES>\r\n<ICON>icons/station.ico</ICON>\r\n<FOLDER_ICON>icons/folder.ico</FOLDER_ICON>\r\n";
    for (int nCategory = 0; nCategory < kCategories; ++nCategory) {
        const std::string strId = std::to_string(nCategory);
        strXml += "<CATEGORY>\r\n<NAME>Category " + strId + "</NAME>\r\n<ICON>icons/category" + strId +
                  ".gif</ICON>\r\n<FILE_NAME>" + CategoryFileName(nCategory) +
                  "</FILE_NAME>\r\n</CATEGORY>\r\n";
    }
    return strXml + "</MOVIES>\r\n</MOVIES_SETTINGS>\r\n";
}

// The scrambled files on disk, stored the way the program stores downloaded lists.
class GeneratedCatalogue
{
public:
    static const GeneratedCatalogue& Get()
    {
        static const GeneratedCatalogue catalogue;
        return catalogue;
    }

    ~GeneratedCatalogue() { fs::remove_all(m_root); }

    CMyString PathOf(const std::string& strName) const
    {
        CMyString strPath = m_strRes;
        strPath.AppendPath(strName.c_str());
        return strPath;
    }

    const std::vector<CMyString>& Files() const { return m_files; }
    int64_t Bytes() const { return m_nBytes; }

private:
    GeneratedCatalogue() : m_root(fs::temp_directory_path() / ("kestova-bench-" + std::to_string(getpid())))
    {
        m_strRes = (m_root.string() + "\\res\\").c_str();
        CFileHandler::CreateDirectories(m_strRes);
        Write("MoviesSettings.txt", IndexFile());
        for (int nCategory = 0; nCategory < kCategories; ++nCategory)
            Write(CategoryFileName(nCategory), CategoryFile(nCategory));
    }

    void Write(const std::string& strName, std::string strXml)
    {
        CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strXml.data()), strXml.size(),
                               CFileHandler::kListFileKey);
        CMyBuffer buffer;
        buffer.Append(strXml.data(), static_cast<uint32_t>(strXml.size()));
        m_files.push_back(PathOf(strName));
        CFileHandler::WriteFile(m_files.back(), buffer);
        m_nBytes += static_cast<int64_t>(strXml.size()) + 1;
    }

    fs::path m_root;
    CMyString m_strRes;
    std::vector<CMyString> m_files;
    int64_t m_nBytes = 0;
};

bool IsNamed(const CXmlNode* pNode, const char* pName)
{
    return pNode->GetName().EqualsNoCase(pName);
}

int CountStations(const CXmlNode* pMenu)
{
    int nCount = 0;
    for (int i = 0; i < pMenu->GetChildCount(); ++i) {
        const CXmlNode* pChild = pMenu->GetChild(i);
        if (IsNamed(pChild, "MENU_ITEM") && !pChild->GetChildText("CAPTION").IsEmpty())
            ++nCount;
        else if (IsNamed(pChild, "MENU"))
            nCount += CountStations(pChild);
    }
    return nCount;
}

int LoadCategory(const GeneratedCatalogue& catalogue, const CMyString& strFileName)
{
    CMyString strText;
    CMyXmlDom dom;
    if (!CFileHandler::ReadScrambledFile(catalogue.PathOf(strFileName.GetText()), strText,
                                         CFileHandler::kListFileKey) ||
        !dom.Load(strText))
        return 0;
    const CXmlNode* pMenu = dom.GetRoot()->FindChild("MENU");
    return pMenu ? CountStations(pMenu) : 0;
}

// Reads the index and every category it names, as the station tree does.
int LoadCatalogue(const GeneratedCatalogue& catalogue)
{
    CMyString strText;
    CMyXmlDom dom;
    if (!CFileHandler::ReadScrambledFile(catalogue.PathOf("MoviesSettings.txt"), strText,
                                         CFileHandler::kListFileKey) ||
        !dom.Load(strText))
        return -1;
    const CXmlNode* pMovies = dom.GetRoot()->FindChild("MOVIES");
    int nStations = 0;
    for (int i = 0; pMovies && i < pMovies->GetChildCount(); ++i) {
        const CXmlNode* pChild = pMovies->GetChild(i);
        if (IsNamed(pChild, "CATEGORY") && pChild->FindChild("NAME") && pChild->FindChild("FILE_NAME"))
            nStations += LoadCategory(catalogue, pChild->GetChildText("FILE_NAME"));
    }
    return nStations;
}

void BM_UnscrambleCatalogue(benchmark::State& state)
{
    const GeneratedCatalogue& catalogue = GeneratedCatalogue::Get();
    for (auto _ : state) {
        for (const CMyString& strFile : catalogue.Files()) {
            CMyString strText;
            if (!CFileHandler::ReadScrambledFile(strFile, strText, CFileHandler::kListFileKey))
                state.SkipWithError("a catalogue file could not be read");
            benchmark::DoNotOptimize(strText.GetBuffer());
        }
    }
    state.SetBytesProcessed(state.iterations() * catalogue.Bytes());
    state.counters["files"] = static_cast<double>(catalogue.Files().size());
}
BENCHMARK(BM_UnscrambleCatalogue)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadCatalogue(benchmark::State& state)
{
    const GeneratedCatalogue& catalogue = GeneratedCatalogue::Get();
    int nStations = 0;
    for (auto _ : state) {
        nStations = LoadCatalogue(catalogue);
        benchmark::DoNotOptimize(nStations);
    }
    if (nStations != kTotalStations)
        state.SkipWithError(("counted " + std::to_string(nStations) + " stations").c_str());
    state.SetBytesProcessed(state.iterations() * catalogue.Bytes());
    state.counters["stations"] = nStations;
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
