#pragma once
#include "platform/globalhotkey.h"

#include <QDBusObjectPath>
#include <QVariantMap>

class QDBusMessage;
struct PortalShortcut;
class QTimer;

// The key bound through the desktop portal's GlobalShortcuts interface, as a
// Wayland compositor hands out global keys. Nothing touches D-Bus before the
// first setKey(). The portal may ask the user to confirm or change the key,
// so the state stays Pending until it answers. A portal that registers the
// shortcut without a key (Plasma leaves the key to its settings) makes it
// Unassigned, with the session kept for the key assigned later. A portal or
// interface that is missing, an error, a refusal or no answer to a request
// within the timeout make it Unavailable. A portal that restarts is asked to
// bind again.
class PortalHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    static constexpr int defaultTimeoutMs = 5000;

    // description: what the key does, as the portal shows it to the user.
    explicit PortalHotKey(QObject* parent = nullptr, int timeoutMs = defaultTimeoutMs, QString description = {});
    ~PortalHotKey() override;

    void setKey(const QKeySequence& key) override;
    QString triggerText() const override;

    // The key in the portal's trigger syntax ("CTRL+SHIFT+c"); empty when the
    // key has none.
    static QString preferredTrigger(const QKeySequence& key);

private slots:
    void onResponse(uint code, const QVariantMap& results);
    void onActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);
    void onShortcutsChanged(const QDBusObjectPath& session, const QDBusMessage& message);
    void onPortalReplaced();

private:
    enum class Step { Idle, Probing, Registering, CreatingSession, Binding };

    void start();
    void registerAppId();
    void createSession();
    void bindShortcut();
    QList<PortalShortcut> requestedShortcuts() const;
    void call(QDBusMessage message, void (PortalHotKey::*onReply)(const QDBusMessage&));
    void onVersion(const QDBusMessage& reply);
    void onRegistered(const QDBusMessage& reply);
    void onRequestReply(const QDBusMessage& reply);
    void awaitResponse(const QString& token, bool timed);
    void awaitResponseAt(const QString& requestPath, bool timed);
    void stopAwaiting();
    void takeShortcuts(const QVariant& shortcuts);
    void closeSession();
    void fail();

    int m_timeoutMs;
    const QString m_description;
    QTimer* m_timer;
    Step m_step = Step::Idle;
    unsigned m_attempt = 0;  // replies to an earlier attempt are ignored
    QString m_requestPath;
    QString m_sessionPath;
    QString m_trigger;
    bool m_listening = false;
};
