// The whole window as a user drives it, on a virtual display with the real
// media engine: click a station in the tree, press Play, store the station in a
// preset, start the window again and play the station from the preset.
#include "../catalogue/CatalogueFiles.h"
#include "../platform/MediaServer.h"
#include "../platform/MediaTestSupport.h"
#include "FolderTreeView.h"
#include "MainFrame.h"
#include "MyMessageBox.h"
#include "MyOwnButton.h"
#include "RavelinDoc.h"
#include "RavelinView.h"
#include "SkinInfo.h"
#include "Station.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainFrameEndToEndTest : public CQtTest
{
protected:
    MainFrameEndToEndTest()
    {
        g_strPath = CMyString(KESTOVA_SOURCE_DIR);
        WriteListFile("MoviesSettings.txt", IndexFile("1.0", Category("Radio", "r.txt")));
        WriteListFile("r.txt",
                      CategoryFile("1.0", "Radio", Station("Evening Radio", m_server.Url("/live.mp3"))));
    }
    ~MainFrameEndToEndTest() override { g_strPath.Empty(); }

    // A fresh window, as at a start of the program.
    CMainFrame& Start()
    {
        m_pFrame = std::make_unique<CMainFrame>(&m_document);
        EXPECT_TRUE(m_pFrame->Create());
        m_pFrame->show();
        EXPECT_TRUE(ProcessEventsUntil([this] { return m_pFrame->GetSplash() == nullptr; }));
        return *m_pFrame;
    }
    static void Click(QWidget& widget, QPoint point)
    {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, QPointF(point), QPointF(widget.mapToGlobal(point)), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(&widget, &event);
        }
    }
    static void Click(QWidget& widget) { Click(widget, widget.rect().center()); }
    bool WaitForPlaying() const
    {
        return ProcessEventsUntil(
            [this] { return m_pFrame->GetView()->GetStatusLabel()->text().startsWith("  Playing"); });
    }
    // Presses OK on each message box that opens, and remembers its text.
    void AnswerMessageBoxes()
    {
        auto* pTimer = new QTimer(m_pFrame.get());
        QObject::connect(pTimer, &QTimer::timeout, [this] {
            if (auto* pBox = dynamic_cast<CMyMessageBox*>(QApplication::activeModalWidget())) {
                m_messages.push_back(pBox->GetMessageControl().text().toStdString());
                Click(*pBox->GetButton(1));
            }
        });
        pTimer->start(50);
    }

    CTestHome m_home;
    MediaServer m_server{MediaFolder()};
    CRavelinDoc m_document;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::vector<std::string> m_messages;
};

TEST_F(MainFrameEndToEndTest, PickPlayPresetRestartAndPlayFromThePreset)
{
    ASSERT_TRUE(m_server.IsRunning());
    CMainFrame& frame = Start();
    CFolderTreeView& tree = *frame.GetTree();
    const CCatalogItem* pRecord = tree.GetCatalogue().GetRecord(1);
    ASSERT_NE(pRecord, nullptr);
    Click(*tree.viewport(), tree.visualRect(tree.GetModel().IndexOf(pRecord->m_hTreeItem)).center());
    QCoreApplication::processEvents();
    Click(*frame.GetControl(CMainFrame::PlayControl));
    ASSERT_TRUE(WaitForPlaying()) << frame.GetView()->GetStatusLabel()->text().toStdString();

    AnswerMessageBoxes();
    Click(*frame.GetPresets()[2]->GetPresetButton());
    EXPECT_EQ(m_messages, std::vector<std::string>{"The Station Was Pre-Set Successfully"});
    Click(*frame.GetControl(CMainFrame::StopControl));
    m_pFrame.reset();

    CMainFrame& again = Start();
    ASSERT_TRUE(again.GetPresets()[2]->IsOn());
    Click(*again.GetPresets()[2]->GetStationButton());
    ASSERT_TRUE(WaitForPlaying()) << again.GetView()->GetStatusLabel()->text().toStdString();
    EXPECT_EQ(again.GetView()->GetStation().m_strAddress, CMyString(m_server.Url("/live.mp3").c_str()));
}

} // namespace
