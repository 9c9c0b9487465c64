#include "InstanceLock.h"

#include "../support/TestHome.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char kName[] = "Kestova_MUTEX";
using Result = CFileLock::Result;

// What another process gets when it tries the lock: a child tries and reports.
Result TryInAnotherProcess()
{
    const pid_t child = ::fork();
    if (child == 0) {
        CInstanceLock lock(kName);
        ::_exit(static_cast<int>(lock.TryLock()));
    }
    int nStatus = 0;
    ::waitpid(child, &nStatus, 0);
    return WIFEXITED(nStatus) ? static_cast<Result>(WEXITSTATUS(nStatus)) : Result::Failed;
}

class InstanceLockTest : public ::testing::Test
{
protected:
    CTestHome m_home;
};

TEST_F(InstanceLockTest, TheHolderExcludesEveryOtherUntilItReleases)
{
    CInstanceLock first(kName);
    ASSERT_EQ(first.TryLock(), Result::Locked);
    EXPECT_TRUE(first.IsHeld());
    EXPECT_EQ(TryInAnotherProcess(), Result::Busy);
    CInstanceLock second(kName);
    EXPECT_EQ(second.TryLock(), Result::Busy);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(CInstanceLock("Another_MUTEX").TryLock(), Result::Locked);

    first.Release();
    EXPECT_EQ(TryInAnotherProcess(), Result::Locked);
    EXPECT_EQ(second.TryLock(), Result::Locked);
}

TEST_F(InstanceLockTest, TheLockEndsWithItsProcess)
{
    const pid_t child = ::fork();
    if (child == 0) {
        CInstanceLock lock(kName);
        // Ends without releasing, as a crash would.
        ::_exit(lock.TryLock() == Result::Locked ? 0 : 1);
    }
    int nStatus = 0;
    ::waitpid(child, &nStatus, 0);
    ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_EQ(CInstanceLock(kName).TryLock(), Result::Locked);
}

TEST_F(InstanceLockTest, TheLockFileIsInTheRuntimeFolderElseInTheTempFolder)
{
    EXPECT_EQ(CInstanceLock(kName).GetLockFilePath().GetText(),
              (m_home.Runtime() / "Kestova_MUTEX.lock").string());
    EXPECT_EQ(CInstanceLock("a/../b").GetLockFilePath().GetText(),
              (m_home.Runtime() / "a_.._b.lock").string());

    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", m_home.Root().c_str(), 1);
    CInstanceLock lock(kName);
    EXPECT_EQ(lock.GetLockFilePath().GetText(), (m_home.Root() / "Kestova_MUTEX.lock").string());
    EXPECT_EQ(lock.TryLock(), Result::Locked);
    EXPECT_TRUE(std::filesystem::exists(m_home.Root() / "Kestova_MUTEX.lock"));
}

TEST_F(InstanceLockTest, ALockFileThatCannotBeMadeIsNotMistakenForAnotherHolder)
{
    ::setenv("XDG_RUNTIME_DIR", (m_home.Root() / "missing").c_str(), 1);
    CInstanceLock lock(kName);
    EXPECT_EQ(lock.TryLock(), Result::Failed);
    EXPECT_FALSE(lock.IsHeld());
}

} // namespace
