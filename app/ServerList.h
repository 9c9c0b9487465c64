// The home servers: an ordered list of base addresses in ServerSettings.txt,
// and the choice of the first one that answers.
//
// The list file is a scrambled element document whose root holds a VERSION and
// one URL per server, in order of preference; each address ends with "/", since
// file names are appended to it directly. Nothing is remembered between calls:
// every choice tries the list from the top.
#pragma once

#include "MyString.h"

inline constexpr char kServerSettingsFile[] = "ServerSettings.txt";

// Base + probe file name is tried for each server in list order (a connection
// check with a short time-out); the first base that answers, or empty when
// none does or the list is empty.
CMyString FindAnsweringServer(const CMyString& strProbeFile);
