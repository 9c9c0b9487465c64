#include "ListsTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    return kestova::RunListsTool(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
