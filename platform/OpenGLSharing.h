// The web engine draws with OpenGL inside the program's window and needs the
// program-wide share context that its contexts are made to share with; it
// crashes when it starts without one. Qt makes that context in the
// QApplication's constructor when asked before (which loads the OpenGL driver
// at start, for every run), so the program instead makes it itself, just
// before the web engine first loads.
#pragma once

// Makes the program-wide share context if there is none yet, on the
// user-interface thread; true when it exists.
bool ShareOpenGLContexts();
// Whether the share context exists.
bool AreOpenGLContextsShared();
