// The media engine module's one entry point (MediaEngine.h).
#include "MpvEngine.h"

extern "C" Q_DECL_EXPORT CMediaEngine* KestovaCreateMediaEngine()
{
    return new CMpvEngine();
}
