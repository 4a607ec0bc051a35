#pragma once
#include "app/mainframe.h"
#include "framework/messagebox.h"
#include "framework/profile.h"
#include "platform/trayhost.h"
#include "res/resource.h"
#include "app/tesselapp.h"
#include "window/tesselview.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Starts the real program in-process for one test: a fresh current directory
// (holding an empty data file unless told otherwise), no stored profile, and
// message boxes answered by `answer` and recorded in `messages`.
class OrrinHarness {
public:
    // The desktop has the given kind of tray (an XEmbed tray unless told).
    explicit OrrinHarness(bool writeEmptyDataFile = true, TrayKind tray = TrayKind::Embedded)
        : m_previousDir(QDir::currentPath()),
          m_tray([tray] { return tray; }),
          m_hook([this](const QString& text, MessageButtons) {
              messages << text;
              return answer;
          })
    {
        QDir::setCurrent(m_dir.path());
        if (writeEmptyDataFile) {
            QFile file(QStringLiteral("Orrin.dat"));
            file.open(QIODevice::WriteOnly);
        }
    }

    ~OrrinHarness()
    {
        app.reset();
        QDir::setCurrent(m_previousDir);
    }

    // Runs the start-up sequence; the frame is then visible unless NoDisplay.
    bool start()
    {
        app = std::make_unique<CTesselApp>(m_argc, m_argv);
        return app->InitInstance();
    }

    CMainFrame* frame() const { return static_cast<CMainFrame*>(app->GetMainWnd()); }
    CTesselView* view() const { return frame()->findChild<CTesselView*>(QStringLiteral("tesselView")); }
    CEntryComboBox* entryBox() const { return view()->findChild<CEntryComboBox*>(QStringLiteral("entryBox")); }
    QString dir() const { return m_dir.path(); }

    static void clearProfile()
    {
        CTesselApp::setIdentity();
        QFile::remove(profileFileName());
    }

    int answer = IDOK;
    QStringList messages;
    std::unique_ptr<CTesselApp> app;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    ScopedHook<TrayKindHook> m_tray;
    ScopedMessageBoxHook m_hook;
    int m_argc = 1;
    char m_arg0[6] = "orrin";
    char* m_argv[2] = {m_arg0, nullptr};
};
