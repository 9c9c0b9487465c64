// The page the player view's browser shows when no web station plays: the
// catalogue index's FIRST_URL, an address as it stands or a path on the home
// server (the one the catalogue chose). Empty when no server answered or the
// index names no page.
#pragma once

#include "MyString.h"

inline constexpr char kHomePageProbeFile[] = "UpdateSettings.txt";
inline constexpr char kCatalogueIndexFile[] = "MoviesSettings.txt";

// The home page on the server (a base address; empty: none answered), from the
// working folder's catalogue index. Reads a file; asks no server.
CMyString FindHomePage(const CMyString& strServer);
// The text of the root's FIRST_URL child in a scrambled index file; empty when
// the file cannot be read or parsed or has no such child.
CMyString ReadFirstUrl(const CMyString& strIndexFile);
// The home page for a FIRST_URL text: a text holding "http://" or "https://"
// (either case) as it stands, anything else joined to the server's base
// address with a single separator.
CMyString MakeHomePage(const CMyString& strServer, const CMyString& strFirstUrl);
