#include "win32/tesselapp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    CTesselApp app(instance);
    return app.Run(showCommand);
}
