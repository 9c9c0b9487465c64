// What the program and its web host (kestova-web, webengine/WebHost.h) say to
// each other: one line of text per message, words split by one space, over the
// host's standard input (to it) and standard output (from it). Addresses are
// sent percent-encoded, so that no line can hold a line break or a space.
#pragma once

namespace WebHost {

// The program starts the host with the window to draw into and its size:
//   kestova-web <window id> <width> <height>

// To the host.
inline constexpr char kNavigate[] = "navigate"; // navigate <address>
inline constexpr char kResize[] = "size";       // size <width> <height>
// The host ends when its standard input closes.

// From the host.
inline constexpr char kShown[] = "shown";     // the page is in the program's window
inline constexpr char kLoading[] = "loading"; // a page began to load
inline constexpr char kLoaded[] = "loaded";   // loaded <1 when it loaded, 0 when it failed>
inline constexpr char kCrashed[] = "crashed"; // the page's process died

// The host's file name; the program looks for it where it looks for its modules.
inline constexpr char kProgramName[] = "kestova-web";

} // namespace WebHost
