#include "Messages.h"

#include "MessageEvent.h"
#include "MessageMap.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <atomic>
#include "../support/CoreApp.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace {

// A window that handles registered messages through its message map.
class CReceiver : public QObject
{
public:
    bool event(QEvent* pEvent) override { return m_messageMap.Dispatch(pEvent) || QObject::event(pEvent); }

    CMessageMap m_messageMap;
};

class MessagesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EnsureCoreApplication();
    }

    const unsigned m_uMessage = RegisterWindowMessage("Kestova_MESSAGE_FOR_MAIN_FRAME");
};

TEST_F(MessagesTest, EachNameHasOneIdForTheProcess)
{
    EXPECT_NE(m_uMessage, 0u);
    EXPECT_EQ(RegisterWindowMessage("Kestova_MESSAGE_FOR_MAIN_FRAME"), m_uMessage);
    EXPECT_EQ(RegisterWindowMessage("kestova_message_for_main_frame"), m_uMessage);
    EXPECT_NE(RegisterWindowMessage("QV m_WM_MESSAGE_FROM_DLG"), m_uMessage);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);

    // Threads registering a new name at once all get the same id.
    std::vector<unsigned> ids(8);
    std::vector<std::thread> threads;
    for (unsigned& uId : ids)
        threads.emplace_back(
            [&uId] { uId = RegisterWindowMessage("Kestova_MESSAGE_FILE_DOWNLOAD_COMPLETE"); });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(std::set<unsigned>(ids.begin(), ids.end()).size(), 1u);
    EXPECT_NE(ids[0], 0u);
}

TEST_F(MessagesTest, MessagesPostedFromAWorkerArriveInOrderOnTheReceiversThread)
{
    CReceiver receiver;
    std::vector<std::pair<uintptr_t, intptr_t>> received;
    bool bOnOwnThread = true;
    receiver.m_messageMap.Add(m_uMessage, [&](uintptr_t wParam, intptr_t lParam) {
        bOnOwnThread = bOnOwnThread && QThread::currentThread() == receiver.thread();
        received.emplace_back(wParam, lParam);
        return 0;
    });

    constexpr int kCount = 100;
    std::atomic<int> nPosted{0};
    std::thread worker([&] {
        for (int i = 0; i < kCount; ++i)
            nPosted += PostMessage(&receiver, m_uMessage, 1039 + i, -i) ? 1 : 0;
    });
    ASSERT_TRUE(ProcessEventsUntil([&] { return received.size() == kCount; }));
    worker.join();

    EXPECT_EQ(nPosted, kCount);
    EXPECT_TRUE(bOnOwnThread);
    for (int i = 0; i < kCount; ++i)
        EXPECT_EQ(received[i], (std::pair<uintptr_t, intptr_t>(1039 + i, -i)));
}

TEST_F(MessagesTest, SendOnTheReceiversThreadIsHandledAtOnce)
{
    CReceiver receiver;
    bool bHandled = false;
    receiver.m_messageMap.Add(m_uMessage, [&](uintptr_t wParam, intptr_t lParam) {
        bHandled = true;
        return static_cast<intptr_t>(wParam) + lParam;
    });

    EXPECT_EQ(SendMessage(&receiver, m_uMessage, 40, 2), 42);
    EXPECT_TRUE(bHandled);
}

TEST_F(MessagesTest, SendFromAWorkerReturnsOnlyAfterTheReceiverHandledIt)
{
    CReceiver receiver;
    std::atomic<bool> bHandled{false};
    std::atomic<bool> bOnReceiversThread{false};
    receiver.m_messageMap.Add(m_uMessage, [&](uintptr_t wParam, intptr_t) {
        bOnReceiversThread = QThread::currentThread() == receiver.thread();
        // Some work, so that a send that did not wait would return before it ends.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        bHandled = true;
        return static_cast<intptr_t>(wParam * 2);
    });

    std::atomic<bool> bDone{false};
    bool bHandledWhenReturned = false;
    intptr_t lResult = 0;
    std::thread worker([&] {
        lResult = SendMessage(&receiver, m_uMessage, 21, 0);
        bHandledWhenReturned = bHandled;
        bDone = true;
    });
    ASSERT_TRUE(ProcessEventsUntil([&] { return bDone.load(); }));
    worker.join();

    EXPECT_TRUE(bHandledWhenReturned);
    EXPECT_TRUE(bOnReceiversThread);
    EXPECT_EQ(lResult, 42);
}

TEST_F(MessagesTest, SendToAReceiverOnAWorkerThreadRunsThereAndReturnsItsResult)
{
    QThread thread;
    thread.start();
    auto* pReceiver = new CReceiver;
    pReceiver->moveToThread(&thread);
    std::atomic<QThread*> pHandledOn{nullptr};
    pReceiver->m_messageMap.Add(m_uMessage, [&](uintptr_t, intptr_t lParam) {
        pHandledOn = QThread::currentThread();
        return lParam + 1;
    });

    EXPECT_EQ(SendMessage(pReceiver, m_uMessage, 0, 6), 7);
    EXPECT_EQ(pHandledOn.load(), &thread);

    QObject::connect(&thread, &QThread::finished, pReceiver, &QObject::deleteLater);
    thread.quit();
    thread.wait();
}

TEST_F(MessagesTest, AGoneWindowOrAnUnknownMessageIsRefused)
{
    auto* pReceiver = new CReceiver;
    int nHandled = 0;
    pReceiver->m_messageMap.Add(m_uMessage, [&](uintptr_t, intptr_t) { return ++nHandled; });
    const QPointer<QObject> window(pReceiver);
    EXPECT_TRUE(IsWindow(window));

    // An id nobody registered, and a registered message without a handler.
    EXPECT_FALSE(PostMessage(window, m_uMessage + 1000, 0, 0));
    EXPECT_EQ(SendMessage(window, RegisterWindowMessage("QV m_WM_EDIT_BOX_VK_RETURN"), 0, 0), 0);

    delete pReceiver;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessage(window, m_uMessage, 0, 0));
    EXPECT_EQ(SendMessage(window, m_uMessage, 0, 0), 0);
    EXPECT_EQ(nHandled, 0);
}

TEST_F(MessagesTest, APostedMessageToAWindowDestroyedBeforeDeliveryIsDropped)
{
    auto* pReceiver = new CReceiver;
    int nHandled = 0;
    pReceiver->m_messageMap.Add(m_uMessage, [&](uintptr_t, intptr_t) { return ++nHandled; });
    ASSERT_TRUE(PostMessage(pReceiver, m_uMessage, 0, 0));
    delete pReceiver;
    QCoreApplication::processEvents();
    EXPECT_EQ(nHandled, 0);
}

// From a worker, through a target made on the window's thread: what a message
// carries is freed by the window that handles it, and otherwise (the window
// went before delivery, went while the sender waited, or has no handler for
// it) by the message itself, exactly once.
TEST_F(MessagesTest, AWorkersMessageToAWindowThatGoesFreesWhatItCarries)
{
    int nFreed = 0;
    const auto freeOne = [&nFreed] { ++nFreed; };

    auto* pPosted = new CReceiver;
    pPosted->m_messageMap.Add(m_uMessage, [](uintptr_t, intptr_t) { return intptr_t{1}; });
    const CMessageTarget posted(pPosted);
    std::thread([&] { EXPECT_TRUE(PostMessage(posted, m_uMessage, 0, 0, freeOne)); }).join();
    delete pPosted;
    EXPECT_TRUE(posted.IsGone());
    EXPECT_EQ(nFreed, 1);
    std::thread([&] { EXPECT_FALSE(PostMessage(posted, m_uMessage, 0, 0, freeOne)); }).join();
    EXPECT_EQ(nFreed, 2);

    // The sender waits while the window is destroyed before it gets to the message.
    auto* pSent = new CReceiver;
    pSent->m_messageMap.Add(m_uMessage, [](uintptr_t, intptr_t) { return intptr_t{1}; });
    const CMessageTarget sent(pSent);
    std::atomic<bool> bReturned{false};
    bool bHandled = true;
    std::thread worker([&] {
        SendMessage(sent, m_uMessage, 0, 0, &bHandled);
        bReturned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    delete pSent;
    worker.join();
    EXPECT_TRUE(bReturned);
    EXPECT_FALSE(bHandled);

    // A registered message the window has no handler for.
    CReceiver deaf;
    const CMessageTarget deafTarget(&deaf);
    std::thread([&] { PostMessage(deafTarget, m_uMessage, 0, 0, freeOne); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(nFreed, 3);
}

TEST_F(MessagesTest, OnlyRegisteredMessagesReachTheMessageMap)
{
    CMessageMap messageMap;
    int nHandled = 0;
    messageMap.Add(m_uMessage, [&](uintptr_t, intptr_t) { return ++nHandled; });
    QEvent timer(QEvent::Timer);
    QEvent user(static_cast<QEvent::Type>(m_uMessage)); // the right type, but no message in it
    CMessageEvent message(m_uMessage, 1, 2);

    EXPECT_FALSE(messageMap.Dispatch(&timer));
    EXPECT_FALSE(messageMap.Dispatch(&user));
    EXPECT_TRUE(messageMap.Dispatch(&message));
    EXPECT_EQ(message.GetResult(), 1);
    EXPECT_EQ(nHandled, 1);
}

} // namespace
