// The window program.  It takes no command line.
#include "Startup.h"

int main(int argc, char **argv)
{
    return RunApplication(argc, argv);
}
