#include "OrvantaApp.h"

int main(int argc, char** argv)
{
    OrvantaApp app;
    return app.Run(argc, argv);
}
