// The start-up bench's floor for playing a stream: the least a libmpv program
// does to play an address (no configuration, no scripts, no video output),
// reporting the moment it asks the engine to load and the engine's playback
// restart; sound goes to PulseAudio unless the options say otherwise. Plays
// until it is ended (SIGTERM or SIGINT) or the stream ends.
//   FloorPlayer <address> [name=value ...]      options over the defaults
#include "FloorClock.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <mpv/client.h>
#include <string>

namespace {

volatile std::sig_atomic_t g_bEnding = 0;

void OnSignal(int)
{
    g_bEnding = 1;
}

bool ApplyOptions(mpv_handle* pHandle, int argc, char** argv)
{
    const char* kDefaults[][2] = {
        {"config", "no"}, {"load-scripts", "no"}, {"ytdl", "no"}, {"vo", "null"}, {"ao", "pulse"}};
    for (const auto& option : kDefaults)
        mpv_set_option_string(pHandle, option[0], option[1]);
    for (int i = 2; i < argc; ++i) {
        const char* pEquals = std::strchr(argv[i], '=');
        if (pEquals == nullptr)
            return false;
        const std::string strName(argv[i], static_cast<size_t>(pEquals - argv[i]));
        if (mpv_set_option_string(pHandle, strName.c_str(), pEquals + 1) < 0)
            return false;
    }
    return true;
}

// Waits for the engine's events; a short timeout lets a signal end the wait.
int RunUntilEnded(mpv_handle* pHandle)
{
    bool bRestarted = false;
    while (!g_bEnding) {
        const mpv_event* pEvent = mpv_wait_event(pHandle, 0.1);
        if (pEvent->event_id == MPV_EVENT_PLAYBACK_RESTART && !bRestarted) {
            bRestarted = true;
            PrintTime("playback-restart");
        } else if (pEvent->event_id == MPV_EVENT_END_FILE || pEvent->event_id == MPV_EVENT_SHUTDOWN) {
            std::fprintf(stderr, "floor: the stream ended\n");
            return bRestarted ? 0 : 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: FloorPlayer <address> [name=value ...]\n");
        return 2;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    mpv_handle* pHandle = mpv_create();
    if (pHandle == nullptr || !ApplyOptions(pHandle, argc, argv) || mpv_initialize(pHandle) < 0) {
        std::fprintf(stderr, "floor: the engine could not be set up\n");
        return 1;
    }
    const char* args[] = {"loadfile", argv[1], nullptr};
    PrintTime("loadfile");
    mpv_command_async(pHandle, 0, args);
    const int nResult = RunUntilEnded(pHandle);
    mpv_terminate_destroy(pHandle);
    return nResult;
}
