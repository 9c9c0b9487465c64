// Fetching icon files: which addresses are worth a request, and how a
// download lands: in a ".part" file beside its target, which takes the
// target's name only when complete, so that a transfer broken off midway never
// leaves a truncated icon that later runs would take as the real one.
#pragma once

#include "MyString.h"

// The suffix of a download in progress.
inline constexpr char kPartialSuffix[] = ".part";

// True for an absolute http or https address (either case). Anything else
// (the relative path of an icon when no server answered) is not requested:
// the network library would take its first word for a host name and look it
// up.
bool IsHttpAddress(const CMyString& strUrl);

// The name a download of strFile is written under until it is complete.
CMyString PartialFileOf(const CMyString& strFile);
// Gives a complete download its final name (bComplete), or removes what a
// failed one left. True when the final file is in place.
bool FinishDownload(const CMyString& strFile, bool bComplete);
