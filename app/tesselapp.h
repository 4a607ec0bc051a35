#pragma once
#include "engine/calculator.h"
#include "framework/application.h"
#include "platform/singleinstance.h"
#include "platform/trayhost.h"

#include <QKeySequence>
#include <QRect>
#include <memory>

class GlobalHotKey;
class InstanceChannel;
class QApplication;
class QTranslator;
class QWidget;
class SingleDocTemplate;
class TerminationRequest;

// The application object: starts the program (one instance per user), holds
// the five settings shared by the frame, the view and the settings sheet, and
// ends the program with the exit command, or in the same way when the
// session ends.
class CTesselApp : public Application {
public:
    // argc and argv must outlive the object (they go to QApplication).
    CTesselApp(int& argc, char** argv);
    ~CTesselApp() override;

    // The start-up sequence; false when the program is to end at once.
    bool InitInstance();
    // Starts up and runs the message loop; returns the exit status (0 also
    // when another instance already runs).
    int Run();

    void OnAppExit() override;
    void OnAppAbout();
    void OnHelpTopics();
    // Every help request of the framework opens the help file.
    void WinHelp();

    void SetSaveSettings(bool save) { m_bSaveSettings = save; }
    void LoadSettings();
    void SaveSettings();

    // The window rectangle as stored in (or to be written to) the profile.
    QRect windowRect() const { return QRect(m_nWindowX, m_nWindowY, m_nWindowWidth, m_nWindowHeight); }
    bool noDisplay() const { return m_bNoDisplay; }
    QKeySequence hotKey() const { return m_hotKey; }
    // The desktop's tray as it is now; the frame's icon follows it.
    TrayHost* trayHost() const { return m_trayHost.get(); }

    // The default outer height: the sizing border above and below the box.
    static int defaultWindowHeight();

    // Names the program to Qt: the profile's place and message box titles follow.
    static void setIdentity();
    // The name of the lock that keeps a user's second instance from starting,
    // and of the channel by which that instance asks the first to show itself.
    static constexpr char instanceLockName[] = "Tessel";

private:
    void createCommandMap();
    void loadQtTranslation();
    bool ProcessShellCommand();
    void editSettings(QWidget* owner, Calculator<double>& calculator, GlobalHotKey* hotKey);
    void OnShowRequest();
    void endWithSession();

    bool m_bSaveSettings = true;
    bool m_bNoDisplay = false;
    int m_nWindowX = 0;
    int m_nWindowY = 0;
    int m_nWindowWidth = 0;
    int m_nWindowHeight = 0;
    QKeySequence m_hotKey;
    SingleInstanceLock m_hMutex{instanceLockName};

    int& m_argc;
    char** m_argv;
    bool m_bOtherInstance = false;
    // Set once the program has been ended, possibly before its message loop ran.
    bool m_bEnded = false;
    std::unique_ptr<QApplication> m_qtApp;
    std::unique_ptr<InstanceChannel> m_channel;
    std::unique_ptr<TerminationRequest> m_termination;
    std::unique_ptr<TrayHost> m_trayHost;
    std::unique_ptr<QTranslator> m_qtTranslator;
    std::unique_ptr<SingleDocTemplate> m_pDocTemplate;
};

// The one application object, or null outside its lifetime.
CTesselApp* theApp();
