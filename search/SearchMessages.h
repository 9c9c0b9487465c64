// The registered messages of the search bar, by name, and the codes it posts
// to the main frame; the ids come from RegisterWindowMessage (Messages.h).
#pragma once

#include <cstdint>

// Posted by the search bar to the main frame; wParam is one of the codes below,
// lParam a new CMyString* for 1034 and 1035 (the frame deletes it), else 0.
inline constexpr char kMessageFromDlg[] = "QV m_WM_MESSAGE_FROM_DLG";
// Sent by the search edit box to its notify window when Enter goes down.
inline constexpr char kEditBoxReturnMessage[] = "QV m_WM_EDIT_BOX_VK_RETURN";

// Open the address in lParam (a web search, a typed address or the notice link).
inline constexpr uintptr_t kOpenAddressCode = 1034;
// Search the station catalogue for the text in lParam.
inline constexpr uintptr_t kStationSearchCode = 1035;
inline constexpr uintptr_t kCloseCode = 1036;
inline constexpr uintptr_t kMinimizeCode = 1037;
// Maximise a normal window, restore a maximised one.
inline constexpr uintptr_t kMaximizeRestoreCode = 1038;

// The show commands the main frame passes to SetMaxRestoreImages.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
