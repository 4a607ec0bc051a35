#include "app/tesselapp.h"

#include "app/aboutdlg.h"
#include "platform/autostart.h"
#include "platform/helpviewer.h"
#include "app/mainframe.h"
#include "app/profilesection.h"
#include "core/storedsettings.h"
#include "platform/instancechannel.h"
#include "framework/messagebox.h"
#include "framework/profile.h"
#include "framework/singledoctemplate.h"
#include "platform/terminationrequest.h"
#include "orrin/version.h"
#include "res/resource.h"
#include "res/stringtable.h"
#include "res/texts.h"
#include "settings/hotkeyedit.h"
#include "settings/settingscommand.h"
#include "window/tesseldoc.h"
#include "window/tesselview.h"

#include <QApplication>
#include <QFont>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>
#include <utility>

namespace {

// Stands in for the Windows dialog font "ＭＳ Ｐゴシック" at 9 points.
const char* const uiFontFamily = "IPAPGothic";
constexpr int uiFontPointSize = 9;

// The key's name is Qt's text, in any script ("Ctrl+Alt+Ö"): it goes to the
// profile as it is, past the code page the other strings are kept in.
QString hotKeySection()
{
    return QString::fromLatin1(settingsSection);
}

QString hotKeyEntryName()
{
    return QString::fromLatin1(hotKeyEntry);
}

}  // namespace

CTesselApp* theApp()
{
    return static_cast<CTesselApp*>(Application::instance());
}

CTesselApp::CTesselApp(int& argc, char** argv) : m_argc(argc), m_argv(argv)
{
    createCommandMap();
}

CTesselApp::~CTesselApp()
{
    // The windows go before the QApplication that they need.
    m_pDocTemplate.reset();
    m_channel.reset();
    m_termination.reset();
    m_trayHost.reset();
    m_qtTranslator.reset();
    m_qtApp.reset();
}

void CTesselApp::createCommandMap()
{
    OnCommand(res::ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(res::ID_HELP_FINDER, [this] { OnHelpTopics(); });
    OnCommand(res::ID_APP_EXIT, [this] { OnAppExit(); });
}

void CTesselApp::loadQtTranslation()
{
    // Qt's own texts (the edit field's menu, the standard buttons) in the
    // program's language, whatever the desktop's; without the system's Qt
    // translations they stay in English.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    m_qtTranslator = std::move(translator);
}

int CTesselApp::defaultWindowHeight()
{
    return ::defaultWindowHeight(CMainFrame::border);
}

bool CTesselApp::InitInstance()
{
    if (!m_hMutex.tryLock()) {
        // The way back to a hidden window wherever the icon cannot be reached.
        InstanceChannel::requestShow(instanceLockName);
        m_bOtherInstance = true;
        return false;
    }
    if (!QApplication::instance())
        m_qtApp = std::make_unique<QApplication>(m_argc, m_argv);
    m_channel = std::make_unique<InstanceChannel>(instanceLockName);
    QObject::connect(m_channel.get(), &InstanceChannel::showRequested, [this] { OnShowRequest(); });
    m_channel->listen();
    endWithSession();
    m_trayHost = std::make_unique<TrayHost>();
    QApplication::setQuitOnLastWindowClosed(false);
    setIdentity();
    loadQtTranslation();
    // Also the font of the dialogs laid out from templates.
    QApplication::setFont(QFont(QString::fromLatin1(uiFontFamily), uiFontPointSize));

    m_pDocTemplate = std::make_unique<SingleDocTemplate>(
        [] { return std::make_unique<CTesselDoc>(); }, [] { return std::make_unique<CMainFrame>(); },
        [this](FrameWnd& frame) {
            ViewHost host;
            host.hotKey = m_hotKey;
            host.editSettings = [this](QWidget* owner, Calculator<double>& calculator, GlobalHotKey* hotKey) {
                editSettings(owner, calculator, hotKey);
            };
            // Without a tray the program could not be ended otherwise.
            host.exitInContextMenu = [this] { return m_trayHost->kind() == TrayKind::None; };
            host.profileDeleted = [this] { SetSaveSettings(false); };
            return new CTesselView(&frame, std::move(host));
        });

    // The command line holds nothing for the program beyond Qt's own options,
    // which QApplication has taken; the data file is always "Orrin.dat".
    LoadSettings();
    if (!ProcessShellCommand())
        return false;
    // A session that ended during the start-up message has ended the program.
    if (m_bEnded)
        return true;

    // Shown and activated, so that the user can type at once after starting it.
    // Without a tray a hidden window could not be reached.
    const bool shown = !m_bNoDisplay || m_trayHost->kind() == TrayKind::None;
    FrameWnd* frame = GetMainWnd();
    frame->setVisible(shown);
    if (shown)
        frame->activateWindow();
    return true;
}

void CTesselApp::OnShowRequest()
{
    FrameWnd* frame = GetMainWnd();
    if (!frame)
        return;
    frame->SendCommand(res::ID_RESTORE);
    // The window cannot take input under a modal one: that comes to the front.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

void CTesselApp::endWithSession()
{
    // A logout ends the program by a signal or through the session manager;
    // most users never choose the exit command, so that is where the
    // settings would otherwise be lost.
    m_termination = TerminationRequest::create();
    QObject::connect(m_termination.get(), &TerminationRequest::requested, [this] { OnAppExit(); });
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, [this](QSessionManager&) { OnAppExit(); });
#endif
}

void CTesselApp::setIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Velnor"));
    QCoreApplication::setApplicationName(loadString(res::AFX_IDS_APP_TITLE));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORRIN_VERSION));
    // The name of the installed desktop entry: the desktop portal and the
    // compositor know the program by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORRIN_APP_ID));
}

void CTesselApp::editSettings(QWidget* owner, Calculator<double>& calculator, GlobalHotKey* hotKey)
{
    // The autostart entry is the state itself: read and written here, stored nowhere else.
    const bool startsAtLogin = isAutostartEnabled();
    GeneralSettings general{m_bNoDisplay, m_hotKey, startsAtLogin};
    if (!runSettingsSheet(owner, calculator, general, hotKey))
        return;
    m_bNoDisplay = general.noDisplay;
    m_hotKey = general.hotKey;
    if (general.startAtLogin != startsAtLogin && !setAutostartEnabled(general.startAtLogin))
        showMessageBox(owner, QString::fromUtf8(res::text::cannotSetAutostart));
}

bool CTesselApp::ProcessShellCommand()
{
    return m_pDocTemplate->OpenDocumentFile();
}

int CTesselApp::Run()
{
    if (!InitInstance())
        return m_bOtherInstance ? 0 : 1;
    // exit() ends only the loops that run: one that has not started yet would
    // run on after it.
    return m_bEnded ? 0 : QApplication::exec();
}

void CTesselApp::OnAppExit()
{
    m_bEnded = true;
    if (const FrameWnd* frame = GetMainWnd()) {
        // The rectangle is known while the window is hidden, too.
        const QRect rect = frame->frameGeometry();
        m_nWindowX = rect.x();
        m_nWindowY = rect.y();
        m_nWindowWidth = rect.width();
        m_nWindowHeight = rect.height();
    }
    if (m_bSaveSettings)
        SaveSettings();
    Application::OnAppExit();
}

void CTesselApp::OnAppAbout()
{
    CAboutDlg dialog(GetMainWnd());
    dialog.exec();
}

void CTesselApp::OnHelpTopics()
{
    showHelpTopics([](HelpFailure failure, const QString& detail) {
        const char* text = failure == HelpFailure::FileMissing ? res::text::helpFileMissing : res::text::cannotShowHelp;
        showMessageBox(nullptr, QString::fromUtf8(text).arg(detail));
    });
}

void CTesselApp::WinHelp()
{
    OnHelpTopics();
}

void CTesselApp::LoadSettings()
{
    CProfileSection section;
    const StoredSettings stored = loadSettings(section, defaultWindowHeight());
    m_nWindowX = stored.windowX;
    m_nWindowY = stored.windowY;
    m_nWindowWidth = stored.windowWidth;
    m_nWindowHeight = stored.windowHeight;
    m_bNoDisplay = stored.noDisplay;
    m_hotKey = hotKeyFromText(getProfileString(hotKeySection(), hotKeyEntryName(), QString()));
}

void CTesselApp::SaveSettings()
{
    StoredSettings stored;
    stored.windowX = m_nWindowX;
    stored.windowY = m_nWindowY;
    stored.windowWidth = m_nWindowWidth;
    stored.windowHeight = m_nWindowHeight;
    stored.noDisplay = m_bNoDisplay;
    CProfileSection section;
    saveSettings(section, stored);
    writeProfileString(hotKeySection(), hotKeyEntryName(), hotKeyToText(m_hotKey));
}
