// The web view on the real web engine, loaded from its module, on a virtual
// display (with-display); the engine's sandbox is off in this test's
// environment because CI runs as root.
#include "WebView.h"

#include "../support/TestHome.h"
#include "MediaServer.h"
#include "MediaTestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class WebViewTest : public CQtTest
{
protected:
    bool PageColourShows(QWidget& widget)
    {
        return ProcessEventsUntil([&] {
            const QImage image = widget.grab().toImage();
            const QRgb rgb = image.pixel(image.width() / 2, image.height() / 2);
            return qRed(rgb) == MediaServer::kPageRed && qGreen(rgb) == MediaServer::kPageGreen &&
                   qBlue(rgb) == MediaServer::kPageBlue;
        });
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
};

TEST_F(WebViewTest, TheEngineStartsAfterTheFirstPaintAndShowsTheAddressGivenBefore)
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
    EXPECT_EQ(view.GetPageWidget()->geometry(), view.rect());
    EXPECT_TRUE(PageColourShows(view));
    EXPECT_EQ(view.GetPageWidget()->contextMenuPolicy(), Qt::NoContextMenu);
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
    view.put_Visible(true);
    EXPECT_TRUE(ProcessEventsUntil([&] { return view.IsPageLoaded(); }));
}

} // namespace
