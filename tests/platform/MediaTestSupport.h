// Helpers of the media tests: the one QApplication of the test process, the
// media files' folder, and waiting for what the player reports.
#pragma once

#include "../support/CoreApp.h"
#include "MediaControl.h"

#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

inline void EnsureApplication()
{
    if (QApplication::instance() != nullptr)
        return;
    static int s_nArgc = 1;
    static char s_name[] = "media-test";
    static char* s_argv[] = {s_name, nullptr};
    new QApplication(s_nArgc, s_argv);
}

// A test fixture whose QApplication exists before its members are made.
class CQtTest : public ::testing::Test
{
protected:
    CQtTest() { EnsureApplication(); }
};

inline std::filesystem::path MediaFolder()
{
    return std::filesystem::path(KESTOVA_SOURCE_DIR) / "tests" / "player" / "media";
}

inline std::string StatusOf(const CMediaControl& player)
{
    return player.get_status().GetText();
}

// Waits for the play state, noting every state seen on the way.
inline bool WaitForState(const CMediaControl& player, int nState, std::set<int>* pSeen = nullptr,
                         int nMs = 15000)
{
    return ProcessEventsUntil(
        [&] {
            if (pSeen != nullptr)
                pSeen->insert(player.get_playState());
            return player.get_playState() == nState;
        },
        nMs);
}
