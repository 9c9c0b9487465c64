// The web view on the real web engine, in the program's web host, on a
// virtual display (with-display), read back from the screen and driven with
// real X input (xdotool); the engine's sandbox is off in this test's
// environment because CI runs as root.
#include "WebView.h"

#include "../support/Descendants.h"
#include "../support/TestHome.h"
#include "MediaServer.h"
#include "MediaTestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QVBoxLayout>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

bool IsColour(QRgb rgb, int nRed, int nGreen, int nBlue)
{
    return std::abs(qRed(rgb) - nRed) <= 2 && std::abs(qGreen(rgb) - nGreen) <= 2 &&
           std::abs(qBlue(rgb) - nBlue) <= 2;
}

// What the screen shows at a point of the widget.
QRgb ScreenPixel(const QWidget& widget, QPoint at)
{
    const QPoint global = widget.mapToGlobal(at);
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, global.x(), global.y(), 1, 1)
        .toImage()
        .pixel(0, 0);
}

bool Xdo(const QStringList& arguments)
{
    QProcess xdo;
    xdo.start("xdotool", arguments);
    return xdo.waitForFinished(10000) && xdo.exitStatus() == QProcess::NormalExit && xdo.exitCode() == 0;
}

// Moves the mouse to the widget's point, by way of a pixel beside it (a move
// with --sync to where the mouse already is would wait for ever).
bool MouseTo(const QWidget& widget, QPoint at)
{
    const QPoint global = widget.mapToGlobal(at);
    return Xdo({"mousemove", QString::number(global.x() + 1), QString::number(global.y()), "mousemove",
                "--sync", QString::number(global.x()), QString::number(global.y())});
}

// A click as a hand makes it: the mouse arrives and rests a moment, the button
// is held a moment. The web engine takes no click on a page that the mouse has
// not been seen moving over.
bool Click(const QWidget& widget, QPoint at)
{
    if (!MouseTo(widget, at + QPoint(4, 4)) || !MouseTo(widget, at))
        return false;
    ProcessEventsUntil([] { return false; }, 200);
    if (!Xdo({"mousedown", "1"}))
        return false;
    ProcessEventsUntil([] { return false; }, 100);
    const bool bUp = Xdo({"mouseup", "1"});
    ProcessEventsUntil([] { return false; }, 200);
    return bUp;
}

bool Type(const QString& strText)
{
    return Xdo({"type", "--delay", "30", strText});
}

// The web host and the engine's processes below this test.
std::vector<pid_t> WebEngineProcesses()
{
    std::vector<pid_t> found = DescendantsWith(::getpid(), "kestova-web");
    for (pid_t nPid : DescendantsWith(::getpid(), "QtWebEngineProcess"))
        found.push_back(nPid);
    return found;
}

class WebViewTest : public CQtTest
{
protected:
    static bool ShowsPage(const QWidget& view, QPoint at)
    {
        return ProcessEventsUntil([&] {
            return IsColour(ScreenPixel(view, at), MediaServer::kPageRed, MediaServer::kPageGreen,
                            MediaServer::kPageBlue);
        });
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

TEST_F(WebViewTest, TheEngineStartsAfterTheFirstPaintShowsTheAddressGivenBeforeAndFollowsTheViewsSize)
{
    QWidget window;
    window.resize(400, 300);
    CWebView view(&window);
    view.setGeometry(0, 0, 400, 300);
    view.Navigate(m_server.Url("/page.html").c_str());
    EXPECT_FALSE(view.HasPage());
    window.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return view.IsPageLoaded(); }));
    EXPECT_EQ(view.get_LocationURL(), m_server.Url("/page.html").c_str());
    EXPECT_TRUE(ShowsPage(view, QPoint(200, 150)));

    window.resize(700, 500);
    view.setGeometry(0, 0, 700, 500);
    EXPECT_TRUE(ShowsPage(view, QPoint(690, 490)));
}

TEST_F(WebViewTest, AHiddenViewLoadsNoEngine)
{
    QWidget window;
    CWebView view(&window);
    view.put_Visible(false);
    window.show();
    view.Navigate(m_server.Url("/page.html").c_str());
    ProcessEventsUntil([] { return false; }, 500);
    EXPECT_FALSE(view.HasPage());
    EXPECT_EQ(m_server.RequestCount("/page.html"), 0);
    EXPECT_TRUE(WebEngineProcesses().empty());
    view.put_Visible(true);
    EXPECT_TRUE(ProcessEventsUntil([&] { return view.IsPageLoaded(); }));
}

// Put away for a while, the view ends every process of the web engine; shown
// again, it shows its last address again. A minimised window keeps its page.
TEST_F(WebViewTest, AViewPutAwayForAWhileEndsTheWebEngineAndShowsItsPageWhenShownAgain)
{
    QWidget window;
    window.resize(400, 300);
    CWebView view(&window);
    view.setGeometry(0, 0, 400, 300);
    view.SetRetireDelay(300);
    view.Navigate(m_server.Url("/page.html").c_str());
    window.show();
    ASSERT_TRUE(ShowsPage(view, QPoint(200, 150)));
    EXPECT_FALSE(WebEngineProcesses().empty());

    window.showMinimized();
    ProcessEventsUntil([] { return false; }, 1000);
    EXPECT_TRUE(view.HasPage());
    window.showNormal();

    view.put_Visible(false);
    EXPECT_TRUE(ProcessEventsUntil([] { return WebEngineProcesses().empty(); }, 10000));
    EXPECT_FALSE(view.HasPage());
    view.put_Visible(true);
    EXPECT_TRUE(ShowsPage(view, QPoint(200, 150)));
    EXPECT_EQ(m_server.RequestCount("/page.html"), 2);
}

// A web host that dies leaves the notice in the view; the next address starts
// a new one.
TEST_F(WebViewTest, AWebHostThatDiesLeavesTheNoticeAndTheNextAddressStartsAnother)
{
    QWidget window;
    window.resize(400, 300);
    CWebView view(&window);
    view.setGeometry(0, 0, 400, 300);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, QColor(60, 70, 200));
    view.setPalette(palette);
    view.Navigate(m_server.Url("/page.html").c_str());
    window.show();
    ASSERT_TRUE(ShowsPage(view, QPoint(200, 150)));
    // The host is this test's child; the engine's processes below it carry its name too.
    std::vector<pid_t> hosts = DescendantsWith(::getpid(), "kestova-web");
    std::erase_if(hosts, [](pid_t nPid) { return descendants::ParentOf(nPid) != ::getpid(); });
    ASSERT_EQ(hosts.size(), 1U);
    ::kill(hosts.front(), SIGKILL);
    EXPECT_TRUE(ProcessEventsUntil([&] { return view.IsFailed(); }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return IsColour(ScreenPixel(view, QPoint(5, 5)), 60, 70, 200); }));

    view.Navigate(m_server.Url("/page.html").c_str());
    EXPECT_TRUE(ShowsPage(view, QPoint(200, 150)));
    EXPECT_FALSE(view.IsFailed());
}

// Keys go where the user last clicked: to a text box of the program's own,
// even with the mouse resting on the page, and to the page once it was clicked.
TEST_F(WebViewTest, KeysGoToWhereTheUserLastClicked)
{
    QWidget window;
    auto* pLayout = new QVBoxLayout(&window);
    auto* pBox = new QLineEdit;
    pLayout->addWidget(pBox);
    CWebView view;
    view.setMinimumSize(400, 300);
    pLayout->addWidget(&view);
    view.Navigate(m_server.Url("/typing.html").c_str());
    window.show();
    ASSERT_TRUE(ShowsPage(view, QPoint(390, 290)));
    const QPoint pageBox(100, MediaServer::kTypingBoxTop + MediaServer::kTypingBoxHeight / 2);

    ASSERT_TRUE(Click(*pBox, QPoint(20, 10)));
    ASSERT_TRUE(ProcessEventsUntil([&] { return pBox->hasFocus(); }));
    ASSERT_TRUE(MouseTo(view, pageBox));
    ASSERT_TRUE(Type("abc"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return pBox->text() == "abc"; })) << pBox->text().toStdString();

    ASSERT_TRUE(Click(view, pageBox));
    ASSERT_TRUE(Type("xyz"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return m_server.RequestCount("/typed/xyz") == 1; }));
    EXPECT_EQ(pBox->text(), "abc");

    ASSERT_TRUE(Click(*pBox, QPoint(60, 10)));
    ASSERT_TRUE(MouseTo(view, pageBox));
    ASSERT_TRUE(Type("d"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return pBox->text() == "abcd"; })) << pBox->text().toStdString();
    EXPECT_EQ(m_server.RequestCount("/typed/xyzd"), 0);
}

} // namespace
