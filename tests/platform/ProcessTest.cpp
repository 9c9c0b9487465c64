#include "Process.h"

#include "../support/TestHome.h"

#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class ProcessTest : public ::testing::Test
{
protected:
    CTestHome m_home;
};

TEST_F(ProcessTest, TheExecutablePathIsTheRunningProgram)
{
    EXPECT_EQ(GetExecutablePath().GetText(), std::filesystem::canonical(KESTOVA_TEST_BINARY).string());
}

TEST_F(ProcessTest, ArgumentsReachTheProgramAsTheyAreWithoutAShell)
{
    const std::filesystem::path output = m_home.Root() / "arguments";
    const std::filesystem::path program = m_home.Bin() / "record arguments";
    // Writes its arguments one per line, then renames the file into place so
    // that the test never reads half of it.
    CTestHome::WriteScript(program, "printf '%s\\n' \"$@\" > '" + output.string() + ".tmp'\nmv '" +
                                        output.string() + ".tmp' '" + output.string() + "'\n");
    const std::filesystem::path marker = m_home.Root() / "pwned";
    const std::vector<std::string> arguments = {
        "two words", "$(touch " + marker.string() + ")", "a;b", "'quoted'", "*", "back\\slash", ""};
    CArrayString list;
    for (const std::string& strArgument : arguments)
        list.Add(strArgument.c_str());

    ASSERT_TRUE(StartDetached(program.c_str(), list));
    const QDeadlineTimer giveUp(30000);
    while (!std::filesystem::exists(output) && !giveUp.hasExpired())
        QThread::msleep(10);

    std::string strExpected;
    for (const std::string& strArgument : arguments)
        strExpected += strArgument + "\n";
    EXPECT_EQ(CTestHome::ReadFile(output), strExpected);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(ProcessTest, AProgramThatCannotStartIsReported)
{
    EXPECT_FALSE(StartDetached((m_home.Bin() / "missing").c_str()));
    EXPECT_FALSE(StartDetached(""));
    CTestHome::WriteFile(m_home.Bin() / "not-executable", "#!/bin/sh\n");
    EXPECT_FALSE(StartDetached((m_home.Bin() / "not-executable").c_str()));
}

} // namespace
