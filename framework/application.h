#pragma once
#include "framework/commandtarget.h"

class FrameWnd;

// The application object: exactly one exists while the program runs. It is
// the last stop of a command sent to the frame, and it ends the program.
class Application : public CommandTarget {
public:
    Application();
    ~Application() override;

    static Application* instance();

    FrameWnd* GetMainWnd() const { return m_pMainWnd; }
    void SetMainWnd(FrameWnd* frame) { m_pMainWnd = frame; }

    // Closes the main window (its tray icon goes with it) and ends the
    // message loop.
    virtual void OnAppExit();

private:
    FrameWnd* m_pMainWnd = nullptr;
};
