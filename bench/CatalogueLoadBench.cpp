// Loading and using a large station catalogue through the station tree: a
// generated catalogue of 30,000 stations in 300 category files (each with two
// nested menus), loaded into the records and the tree, painted, searched and
// stepped through. The program's folders point at a temporary home for the
// whole run. Icons name 300 addresses on a closed local port: their downloads
// start and fail at once, as when the icon server is down.
#include "FileHandler.h"
#include "FolderTreeView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kCategories = 300;
constexpr int kStationsPerCategory = 100;
constexpr int kTotalStations = kCategories * kStationsPerCategory;
// Records: a category, its stations, and two nested menus per category.
constexpr int kTotalRecords = kTotalStations + kCategories * 3;
// Of each category's stations, the last 30 sit in a nested menu, the last 15
// of those one level deeper.
constexpr int kNested = 70;
constexpr int kDeeper = 85;
// Nothing listens on port 1 of the loopback address.
constexpr const char* kIconServer = "http://127.0.0.1:1/icons/";

std::string Station(int nCategory, int nStation)
{
    const std::string strId = std::to_string(nCategory) + "/" + std::to_string(nStation);
    return "<MENU_ITEM><CAPTION>Station " + strId + " News &amp; Talk</CAPTION><URL>http://stream" +
           std::to_string(nCategory) + ".example.net:8000/live/" + std::to_string(nStation) +
           ".m3u</URL><ICON_URL>" + kIconServer + std::to_string(nCategory) + ".gif</ICON_URL><WEB>" +
           (nStation % 10 == 0 ? "TRUE" : "FALSE") + "</WEB></MENU_ITEM>\r\n";
}

std::string Stations(int nCategory, int nFirst, int nEnd)
{
    std::string strXml;
    for (int nStation = nFirst; nStation < nEnd; ++nStation) {
        strXml += Station(nCategory, nStation);
    }
    return strXml;
}

std::string CategoryFile(int nCategory)
{
    return "<LIST><VERSION>1.0.0." + std::to_string(nCategory) + "</VERSION><MENU><CAPTION>Category " +
           std::to_string(nCategory) + "</CAPTION>\r\n" + Stations(nCategory, 0, kNested) +
           "<MENU><CAPTION>Regional</CAPTION>" + Stations(nCategory, kNested, kDeeper) +
           "<MENU><CAPTION>Local</CAPTION>" + Stations(nCategory, kDeeper, kStationsPerCategory) +
           "</MENU></MENU></MENU></LIST>\r\n";
}

std::string IndexFile()
{
    std::string strXml = "<MOVIES_SETTINGS><VERSION>2.0.1.3</VERSION><MOVIES>";
    for (int nCategory = 0; nCategory < kCategories; ++nCategory) {
        const std::string strId = std::to_string(nCategory);
        strXml += "<CATEGORY><NAME>Category " + strId + "</NAME><FILE_NAME>Category" + strId +
                  ".txt</FILE_NAME></CATEGORY>\r\n";
    }
    return strXml + "</MOVIES></MOVIES_SETTINGS>\r\n";
}

void WriteScrambled(const fs::path& path, std::string strXml)
{
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strXml.data()), strXml.size(),
                           CFileHandler::kListFileKey);
    std::ofstream(path, std::ios::binary) << strXml;
}

// A private home holding the generated catalogue in its working "res" folder.
class CBenchHome
{
public:
    CBenchHome() : m_root(fs::temp_directory_path() / ("kestova-load-bench-" + std::to_string(getpid())))
    {
        for (const char* pName : {"config", "data", "runtime"}) {
            fs::create_directories(m_root / pName);
        }
        fs::permissions(m_root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
        ::setenv("HOME", m_root.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
        const fs::path res = m_root / "data" / "Kestova" / "res";
        fs::create_directories(res);
        WriteScrambled(res / "MoviesSettings.txt", IndexFile());
        for (int nCategory = 0; nCategory < kCategories; ++nCategory) {
            WriteScrambled(res / ("Category" + std::to_string(nCategory) + ".txt"), CategoryFile(nCategory));
        }
    }
    ~CBenchHome() { fs::remove_all(m_root); }
    CBenchHome(const CBenchHome&) = delete;
    CBenchHome& operator=(const CBenchHome&) = delete;

private:
    fs::path m_root;
};

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string strLine;
    while (std::getline(status, strLine)) {
        if (strLine.rfind("VmRSS:", 0) == 0) {
            return std::atol(strLine.c_str() + 6);
        }
    }
    return 0;
}

// A tree with the catalogue loaded and shown, as after the program's start.
std::unique_ptr<CFolderTreeView> LoadedTree()
{
    auto pTree = std::make_unique<CFolderTreeView>();
    pTree->resize(260, 640);
    pTree->OnInitialUpdate();
    return pTree;
}

void Check(benchmark::State& state, const CFolderTreeView& tree)
{
    if (tree.GetCatalogue().GetRecordCount() != kTotalRecords) {
        state.SkipWithError(
            ("loaded " + std::to_string(tree.GetCatalogue().GetRecordCount()) + " records").c_str());
    }
}

// Index, category files, records and tree items: the whole load.
void BM_LoadCatalogue(benchmark::State& state)
{
    for (auto _ : state) {
        CStationTreeModel model;
        CCatalogue catalogue(model);
        catalogue.LoadCatalog();
        benchmark::DoNotOptimize(catalogue.GetRecordCount());
    }
    state.counters["stations"] = kTotalStations;
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond)->UseRealTime();

// From a new tree to its first painted picture.
void BM_LoadAndFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<CFolderTreeView> pTree = LoadedTree();
        QImage picture = pTree->grab().toImage();
        benchmark::DoNotOptimize(picture.constBits());
        Check(state, *pTree);
        state.PauseTiming();
        pTree.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadAndFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// A search that walks the whole catalogue: the only match is the last station.
void BM_FindNextAcrossTheCatalogue(benchmark::State& state)
{
    std::unique_ptr<CFolderTreeView> pTree = LoadedTree();
    Check(state, *pTree);
    const std::string strLast =
        "station " + std::to_string(kCategories - 1) + "/" + std::to_string(kStationsPerCategory - 1) + " ";
    for (auto _ : state) {
        pTree->selectionModel()->clearCurrentIndex();
        CMyString strQuery(strLast.c_str());
        pTree->FindNext(&strQuery);
    }
    if (pTree->GetSelectedItem() == nullptr ||
        pTree->GetSelectedItem()->m_strSearchName.Find(strLast.c_str()) < 0) {
        state.SkipWithError("the last station was not found");
    }
}
BENCHMARK(BM_FindNextAcrossTheCatalogue)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Next from the top down to the last station, one step per iteration.
void BM_SelectNextStation(benchmark::State& state)
{
    std::unique_ptr<CFolderTreeView> pTree = LoadedTree();
    Check(state, *pTree);
    for (auto _ : state) {
        if (!pTree->SelectNextStation()) {
            pTree->selectionModel()->clearCurrentIndex();
        }
    }
}
BENCHMARK(BM_SelectNextStation)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

// The first start after the lists arrived also records every list's version
// in the settings store; later starts find them there. Timed once, before the
// benchmarks, which measure the later starts.
void ReportFirstStart()
{
    QElapsedTimer timer;
    timer.start();
    const long nBefore = ResidentKiB();
    std::unique_ptr<CFolderTreeView> pTree = LoadedTree();
    const qint64 nLoadMs = timer.elapsed();
    QImage picture = pTree->grab().toImage();
    std::printf("first start: load %lld ms, first paint %lld ms, %u records, resident memory +%ld KiB\n",
                static_cast<long long>(nLoadMs), static_cast<long long>(timer.elapsed()),
                pTree->GetCatalogue().GetRecordCount(), ResidentKiB() - nBefore);
}

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const CBenchHome home;
    QApplication application(argc, argv);
    ReportFirstStart();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
