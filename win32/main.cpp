#include "win32/tesselapp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    CTesselApp app(instance);
    return app.Run();
}
