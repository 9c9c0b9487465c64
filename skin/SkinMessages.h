// The registered messages the skinned controls send, by name; the ids come
// from RegisterWindowMessage (Messages.h).
#pragma once

#include <cstdint>

// Sent by an owner-drawn button to its notify window when pressed (see
// CMyOwnButton); wParam is the button, lParam 0.
inline constexpr char kButtonTwoStateClickedMessage[] = "QV WM_BUTTON_TWO_STATE_CLICKED";
// Posted to the main frame; wParam is a code, lParam its value.
inline constexpr char kMainFrameMessage[] = "Kestova_MESSAGE_FOR_MAIN_FRAME";
// The code of a new volume (lParam 0 to 100), posted by the slider while dragged.
inline constexpr uintptr_t kVolumeChangedCode = 1068;
