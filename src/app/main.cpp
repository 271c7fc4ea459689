#include "app/commandline.h"
#include "app/guimodule.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = quenzar::runCommandLine(argc, argv))
        return *status;
    return quenzar::runWindows(argc, argv);
}
