// Bringing a large catalogue up to date: a loopback home server publishes a
// manifest naming 300 category lists of about 22 KB each (6.7 MB in all), all
// newer than the installed ones, and the update dialog fetches and writes every
// one of them. Timed from opening the dialog to its close after the last list;
// the message boxes answer at once and the restart is a stand-in. The program's
// folders point at a temporary home for the whole run.
#include "../tests/support/ListFiles.h"
#include "../tests/support/LocalHttpServer.h"
#include "../tests/support/TestHome.h"
#include "SkinInfo.h"
#include "UpdateDlg.h"
#include "WorkingFolder.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

constexpr int kLists = 300;
constexpr int kStationsPerList = 100;

std::string ListName(int nList)
{
    return "Category" + std::to_string(nList) + ".txt";
}

std::string CategoryList(int nList)
{
    std::string strXml = "<CATEGORY_LIST><VERSION>2.0</VERSION><MENU><CAPTION>Category " +
                         std::to_string(nList) + "</CAPTION>\r\n";
    for (int nStation = 0; nStation < kStationsPerList; ++nStation) {
        const std::string strId = std::to_string(nList) + "/" + std::to_string(nStation);
        strXml += "<MENU_ITEM><CAPTION>Station " + strId + " News &amp; Talk</CAPTION><URL>http://stream" +
                  std::to_string(nList) + ".example.net:8000/live/" + std::to_string(nStation) +
                  ".m3u</URL><ICON_URL>http://icons.example.net/" + std::to_string(nList) +
                  ".gif</ICON_URL></MENU_ITEM>\r\n";
    }
    return Scrambled(strXml + "</MENU></CATEGORY_LIST>\r\n");
}

// The server with its manifest and lists; the server list in the working
// folder names it.
class CBenchServer
{
public:
    CBenchServer()
    {
        std::string strManifest = "<UPDATE>";
        for (int nList = 0; nList < kLists; ++nList) {
            const std::string strList = CategoryList(nList);
            m_nBytes += static_cast<int64_t>(strList.size());
            m_server.Serve("/" + ListName(nList), strList);
            strManifest += "<CATEGORY><VERSION>2.0</VERSION><NAME>" + ListName(nList) + "</NAME></CATEGORY>";
        }
        m_server.Serve("/UpdateSettings.txt", strManifest + "</UPDATE>");
        m_server.Start();
        WriteScrambledFile(CFileHandler::ToSystemPath(GetResFolder()) / "ServerSettings.txt",
                           "<SERVERS><URL>" + m_server.Url("/") + "</URL></SERVERS>");
    }
    int64_t Bytes() const { return m_nBytes; }

private:
    LocalHttpServer m_server;
    int64_t m_nBytes = 0;
};

void BM_UpdateEveryList(benchmark::State& state)
{
    const CBenchServer server;
    for (auto _ : state) {
        CUpdateDlg dialog;
        // Yes to the question; the answer to the success message is no OK, so no restart.
        dialog.SetMessageBox([](const CMyString&, unsigned) { return 6; });
        dialog.SetRestart([] { return true; });
        dialog.DoModal();
        if (dialog.GetDownloadCount() != kLists)
            state.SkipWithError("not every list was fetched");
    }
    state.SetBytesProcessed(state.iterations() * server.Bytes());
    state.counters["lists"] = kLists;
}
BENCHMARK(BM_UpdateEveryList)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const CTestHome home;
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
