// kestova-settings: the settings store of the current user from the command line.
#include "SettingsTool.h"

int main(int argc, char** argv)
{
    return CSettingsTool(CRegistry(), stdout, stderr).Run(argc, argv);
}
