// Starting other programs, and finding the running one. Programs are started
// detached, with an argument list handed to them as it is: no shell ever sees
// it, so no argument can be taken for a command.
#pragma once

#include "ArrayString.h"
#include "MyString.h"

// Starts the program (a path, or a name looked up in $PATH) without waiting for
// it. False when it could not be started.
bool StartDetached(const CMyString& strProgram, const CArrayString& arguments);
bool StartDetached(const CMyString& strProgram);

// The full path of the running executable (/proc/self/exe); empty when unknown.
CMyString GetExecutablePath();
