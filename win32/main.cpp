#include "win32/autostart.h"
#include "win32/tesselapp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    enterLoginFolder(commandLine);
    CTesselApp app(instance);
    return app.Run();
}
