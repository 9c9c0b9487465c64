// The first-run steps that the main frame runs while it is built: handing over
// to a pending installation, and copying the shipped lists from the program's
// "res" folder into the working folder.
#pragma once

// When "Install Needed" is "TRUE" and the working folder holds the updater
// "Update.exe", starts it. True when it was started: the caller then ends the
// program. An updater that cannot be started leaves the program running, so
// that a broken updater does not end every start of it.
bool StartPendingInstall();

// Copies the shipped lists (program folder + "\res\") into the working folder
// (GetResFolder); files already there are kept. False when the program folder
// is unknown or the working folder cannot be made.
bool CopyShippedData();
