#include "Startup.h"

int main(int argc, char** argv)
{
    return RunVantric(argc, argv);
}
