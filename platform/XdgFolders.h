// The per-user base folders of the desktop, found the way the XDG base
// directory convention says: the variable when it holds an absolute path, else
// its documented default below $HOME. Every result is a system path without a
// trailing "/"; an empty result means that the folder cannot be known.
#pragma once

#include "MyString.h"

// $XDG_CONFIG_HOME, else $HOME/.config.
CMyString GetConfigHome();
// $XDG_DATA_HOME, else $HOME/.local/share.
CMyString GetDataHome();
// $XDG_RUNTIME_DIR, else the temp folder ($TMPDIR, else /tmp).
CMyString GetRuntimeFolder();
