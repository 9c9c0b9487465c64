// The engine images: each image address is fetched once into the working
// resource folder, under the name Settings::GetIconFilePath gives the address,
// and used from there at every later start. A file that exists is never
// fetched again, so the images shipped in res/ (copied into the working folder
// on the first run) show without a network.
#pragma once

#include "MyString.h"

#include <cstdint>

// Bounds of one image fetch, which runs in the background: a slow or huge
// reply must not hold a download worker for long.
inline constexpr long kEngineImageConnectMs = 5000;
inline constexpr long kEngineImageTotalSeconds = 20;
inline constexpr uint32_t kMaxEngineImageBytes = 1024 * 1024;

// The local file of the image address, empty for an empty address. When the
// file is not there yet its download starts in the background, and the file
// appears when (and if) the download succeeds; a failed one leaves no file.
CMyString FetchEngineImage(const CMyString& strUrl);

// Downloads the address into the file. The file appears only when the whole
// image arrived with a 200 reply, is not empty and is no larger than
// kMaxEngineImageBytes.
bool DownloadEngineImage(const CMyString& strUrl, const CMyString& strFile);
