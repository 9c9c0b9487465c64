// Hostile lists: the element reader on a million distinct sibling elements,
// and the catalogue on a category whose top caption is 64 KiB long above
// 40,000 stations (1.8 MB of list file). Reports the read time and the
// resident memory the result holds. The program's folders point at a
// temporary home for the whole run.
#include "Catalogue.h"
#include "FileHandler.h"
#include "MyXmlDom.h"
#include "support/ResidentMemory.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

double ResidentMiB()
{
    return static_cast<double>(ResidentBytes()) / (1 << 20);
}

std::string Element(const std::string& strName, const std::string& strContent)
{
    return "<" + strName + ">" + strContent + "</" + strName + ">";
}

void WriteList(const fs::path& folder, const std::string& strName, std::string strText)
{
    CFileHandler::Scramble(reinterpret_cast<unsigned char*>(strText.data()), strText.size(),
                           CFileHandler::kListFileKey);
    std::ofstream(folder / strName, std::ios::binary) << strText;
}

void BM_ReadDistinctSiblings(benchmark::State& state)
{
    std::string strText = "<ROOT>";
    for (int64_t i = 0; i < state.range(0); ++i)
        strText += Element("E" + std::to_string(i), "x");
    strText += "</ROOT>";
    const CMyString strInput(strText.c_str());
    double dHeld = 0;
    for (auto _ : state) {
        const double dBefore = ResidentMiB();
        CMyXmlDom dom;
        benchmark::DoNotOptimize(dom.Load(strInput));
        dHeld = ResidentMiB() - dBefore;
    }
    state.counters["held_MiB"] = dHeld;
}
BENCHMARK(BM_ReadDistinctSiblings)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadLongCaptionCatalogue(benchmark::State& state)
{
    const fs::path res = fs::path(std::getenv("XDG_DATA_HOME")) / "Kestova" / "res";
    fs::create_directories(res);
    const std::string strLong(64 * 1024, 'x');
    std::string strStations;
    for (int i = 0; i < 40000; ++i)
        strStations += Element("MENU_ITEM", Element("CAPTION", std::to_string(i)) + Element("URL", "http://s/"));
    WriteList(res, "MoviesSettings.txt",
              Element("MOVIES_SETTINGS",
                      Element("VERSION", "1") +
                          Element("MOVIES", Element("CATEGORY", Element("NAME", "Long") +
                                                                    Element("FILE_NAME", "l.txt")))));
    WriteList(res, "l.txt",
              Element("CATEGORY_LIST",
                      Element("VERSION", "1") + Element("MENU", Element("CAPTION", strLong) + strStations)));
    double dHeld = 0;
    for (auto _ : state) {
        const double dBefore = ResidentMiB();
        CStationTreeModel model;
        CCatalogue catalogue(model);
        benchmark::DoNotOptimize(catalogue.LoadCatalog());
        dHeld = ResidentMiB() - dBefore;
    }
    state.counters["held_MiB"] = dHeld;
}
BENCHMARK(BM_LoadLongCaptionCatalogue)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    char strTemplate[] = "/tmp/kestova-bench-XXXXXX";
    const fs::path home = ::mkdtemp(strTemplate);
    for (const char* pName : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        fs::create_directories(home / pName);
        ::setenv(pName, (home / pName).c_str(), 1);
    }
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(home);
    return 0;
}
