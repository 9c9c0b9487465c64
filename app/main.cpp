// Kestova: a player for internet television and radio stations.
#include "RavelinApp.h"

int main(int argc, char** argv)
{
    CRavelinApp app(argc, argv);
    return app.Run();
}
