#include "app/tesselapp.h"
#include "platform/waylandsession.h"

int main(int argc, char* argv[])
{
    preferXWayland();
    CTesselApp app(argc, argv);
    return app.Run();
}
