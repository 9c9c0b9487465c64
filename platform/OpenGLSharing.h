// The web engine and the video surface both draw with OpenGL inside the
// program's windows. The web engine crashes when it starts after the
// QApplication unless the program's OpenGL contexts are shared, and a video
// surface moved to another window (full screen) keeps its context only when
// they are. Sharing has to be asked for before the QApplication exists, so each
// file that needs it calls ShareOpenGLContexts while the program loads:
//
//   const bool s_bShared = ShareOpenGLContexts();
#pragma once

// Asks for shared OpenGL contexts; true. Has no effect once the QApplication exists.
bool ShareOpenGLContexts();
// Whether the contexts are shared.
bool AreOpenGLContextsShared();
