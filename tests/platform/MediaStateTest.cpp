// The media player's play state and status text, fed by hand with what the
// engine reports, and the causes of failure read from the engine's log.
#include "MediaState.h"

#include "MediaError.h"
#include "NowPlaying.h"

#include <gtest/gtest.h>

namespace {

using EndReason = CMediaState::EndReason;

CMediaState Playing(bool bLive)
{
    CMediaState state;
    state.OnOpening();
    state.OnOpened(bLive);
    state.OnPlaybackStarted();
    return state;
}

TEST(MediaState, FollowsAStationFromConnectingToPlaying)
{
    CMediaState state;
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kUndefined);
    EXPECT_EQ(state.GetStatus(), "");
    state.OnOpening();
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kConnecting);
    EXPECT_EQ(state.GetStatus(), "Connecting...");
    state.OnOpened(true);
    state.OnBuffering(false, 45);
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kBuffering);
    EXPECT_EQ(state.GetStatus(), "Buffering (45%)");
    state.OnPlaybackStarted();
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kPlaying);
    EXPECT_EQ(state.GetStatus(), "Playing");
    state.OnTitle("  Night Shift  ");
    EXPECT_EQ(state.GetStatus(), "Playing: Night Shift");
    // Waiting for the network mid-stream, then going on.
    state.OnBuffering(true, 130);
    EXPECT_EQ(state.GetStatus(), "Buffering (100%)");
    state.OnBuffering(false, 100);
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kPlaying);
}

// A title from a stream shows in one line of plain text, however long it is
// and whatever bytes it holds; no character is cut in half.
TEST(MediaState, ATitleIsOneLineOfPlainTextOfBoundedLength)
{
    CMediaState state = Playing(true);
    state.OnTitle("Two\nlines\tand a\x01"
                  "bell\x7f");
    EXPECT_EQ(state.GetStatus(), "Playing: Two lines and a bell");
    std::string strLong;
    while (strLong.size() < 10000)
        strLong += "\xC3\xA9"; // é
    state.OnTitle(strLong.c_str());
    const CMyString strStatus = state.GetStatus();
    const std::string strShown = std::string(strStatus.GetText()).substr(std::string("Playing: ").size());
    EXPECT_EQ(strShown.size(), CMediaState::kMaxTitleLength);
    EXPECT_EQ(strShown, strLong.substr(0, CMediaState::kMaxTitleLength));
    state.OnTitle(("x" + strLong).c_str());
    // "x" and 127 whole characters: the 128th would end past the limit.
    EXPECT_EQ(std::string(state.GetStatus().GetText()).size(),
              std::string("Playing: ").size() + CMediaState::kMaxTitleLength - 1);
}

TEST(MediaState, ThePlaylistEntryAfterAPlaylistStartsAfresh)
{
    CMediaState state;
    state.OnOpening();
    state.OnEngineMessage("tcp: Connection to tcp://127.0.0.1:9 failed: Connection refused");
    state.OnEnded(EndReason::kPlaylist, "");
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kConnecting);
    // The next entry opens, plays and keeps no cause from the one before.
    state.OnOpening();
    state.OnOpened(true);
    state.OnEnded(EndReason::kError, "Unrecognised format");
    EXPECT_EQ(state.GetStatus(), "Error: Unrecognised format");
}

struct EndCase
{
    const char* pName;
    bool bLive;
    EndReason reason;
    const char* pLogLine;
    int nState;
    const char* pStatus;
};

void PrintTo(const EndCase& end, std::ostream* pStream)
{
    *pStream << end.pName;
}

class MediaStateEnd : public ::testing::TestWithParam<EndCase>
{
};

TEST_P(MediaStateEnd, TellsHowPlayingEnded)
{
    const EndCase& end = GetParam();
    CMediaState state = Playing(end.bLive);
    state.OnEngineMessage(end.pLogLine);
    state.OnEnded(end.reason, "loading failed");
    EXPECT_EQ(state.GetPlayState(), end.nState);
    EXPECT_EQ(state.GetStatus(), end.pStatus);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, MediaStateEnd,
    ::testing::Values(
        // A live stream has no end: the server went away.
        EndCase{"LiveStreamEnds", true, EndReason::kEndOfStream, "", CMediaControl::kError,
                "Error: The stream ended"},
        EndCase{"FileEnds", false, EndReason::kEndOfStream, "", CMediaControl::kMediaEnded, "Finished"},
        EndCase{"Stopped", true, EndReason::kStopped, "", CMediaControl::kStopped, "Stopped"},
        EndCase{"ErrorWithCause", false, EndReason::kError, "http: HTTP error 404 Not Found",
                CMediaControl::kError, "Error: Not found (404)"},
        EndCase{"ErrorWithoutCause", false, EndReason::kError, "something odd", CMediaControl::kError,
                "Error: loading failed"}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.pName); });

TEST(MediaState, StoppingBeforeAnythingPlayedChangesNothing)
{
    CMediaState state;
    state.OnStopped();
    EXPECT_EQ(state.GetPlayState(), CMediaControl::kUndefined);
    EXPECT_EQ(state.GetStatus(), "");
    // Reports that arrive after a stop do not make it play again.
    state = Playing(true);
    state.OnStopped();
    state.OnPlaybackStarted();
    state.OnBuffering(false, 100);
    EXPECT_EQ(state.GetStatus(), "Stopped");
}

TEST(MediaState, TheFirstCauseInTheLogIsTheOneShown)
{
    CMediaState state;
    state.OnOpening();
    state.OnEngineMessage("http: HTTP error 403 Forbidden");
    state.OnEngineMessage("tcp: Connection to tcp://127.0.0.1:9 failed: Connection refused");
    state.OnEnded(EndReason::kError, "");
    EXPECT_EQ(state.GetStatus(), "Error: Forbidden (403)");
    state.OnOpening();
    state.OnEnded(EndReason::kError, "");
    EXPECT_EQ(state.GetStatus(), "Error: Cannot play this station");
}

TEST(MediaError, NamesTheCauseThatALogLineGives)
{
    const struct
    {
        const char* pLine;
        const char* pCause;
    } cases[] = {
        {"http: HTTP error 404 File not found", "Not found (404)"},
        {"HTTP error 503 Service Unavailable", "Service unavailable (503)"},
        {"http: HTTP error 418 I'm a teapot", "HTTP error 418"},
        {"tcp: Connection to tcp://127.0.0.1:1 failed: Connection refused", "Connection refused"},
        {"tcp: Connection to tcp://127.0.0.1:80 failed: Connection timed out", "Connection timed out"},
        {"tcp: Failed to resolve hostname radio.invalid: Name or service not known", "Server not found"},
        {"Failed to open http://127.0.0.1/x.mp3.", ""},
        {"http: HTTP error x", ""},
    };
    for (const auto& line : cases)
        EXPECT_EQ(ErrorFromEngineLog(line.pLine), line.pCause) << line.pLine;
    EXPECT_EQ(ErrorFromEngineLog(nullptr), "");
}

// The title shown for the tags a station reports, one report after another.
TEST(NowPlaying, PicksTheTitleFromTheTagsAndKeepsOnlyTheNewestPartOfAChainedStream)
{
    const struct
    {
        const char* pStreamTitle;
        const char* pTitle;
        const char* pArtist;
        const char* pShown;
    } reports[] = {
        {"", "", "", ""},
        {"", "Morning Song", "", "Morning Song"},
        {"", "Morning Song", "Choir", "Choir - Morning Song"},
        // The next part of a chained stream: the engine joins its tags to the first ones.
        {"", "Morning Song;Noon Song", "Choir;Band", "Band - Noon Song"},
        {"", "Morning Song;Noon Song;Evening; Night", "Choir;Band", "Band - Evening; Night"},
        // A radio server's stream title wins.
        {"Live: News", "Morning Song;Noon Song;Evening; Night", "Choir;Band", "Live: News"},
        // A title that merely holds ";" is shown whole.
        {"", "Salt; Pepper", "", "Salt; Pepper"},
    };
    CNowPlaying nowPlaying;
    for (const auto& report : reports)
        EXPECT_EQ(nowPlaying.Update(report.pStreamTitle, report.pTitle, report.pArtist), report.pShown)
            << report.pTitle;
    nowPlaying.Reset();
    EXPECT_EQ(nowPlaying.Update("", "Morning Song;Noon Song", ""), "Morning Song;Noon Song");
}

} // namespace
