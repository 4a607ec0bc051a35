#pragma once
#include "framework/framewnd.h"
#include "platform/trayhost.h"

#include <QSystemTrayIcon>
#include <memory>

class TrayIcon;

// The main window: a frameless, always-on-top tool window without a taskbar
// entry, holding the expression view inside a self-drawn sizing border. Only
// its width can be changed. It owns the tray icon (tip "Tessel"): a
// double-click shows or hides the window (a click, on trays that report no
// double-click), the right button opens the tray menu; while a modal window
// of the program is open, the icon only brings that window to the front.
// The icon follows the desktop's tray: made, re-made or dropped as a tray
// of either kind comes or goes.
// Closing the frame (Alt+F4 or the window manager) hides it.
class CMainFrame : public FrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Width of the self-drawn sizing border, in pixels.
    static constexpr int border = 4;

    void OnTrayNotify(QSystemTrayIcon::ActivationReason reason);
    // A command of the tray menu as drawn by a status-notifier host.
    void OnTrayMenuCommand(int command);

protected:
    bool PreCreateWindow(CreateStruct& cs) override;
    int OnCreate() override;
    void OnDestroy() override;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createCommandMap();
    void createAccelerators();
    void followTray(TrayKind kind);
    void showTrayMenu();
    // Brings an open modal window of the program to the front; false when none is open.
    static bool raiseModalWindow();

    std::unique_ptr<TrayIcon> m_trayIcon;
    // The tray reports a click but no double-click (a status-notifier host).
    bool m_bClickToggles = false;
};
