#include "platform/globalhotkey.h"

#include "platform/fallbackhotkey.h"
#include "platform/globalhotkey_xdg.h"
#include "platform/waylandsession.h"

#include <QGuiApplication>

#ifdef ORRIN_HOTKEY_X11
std::unique_ptr<GlobalHotKey> createX11GlobalHotKey(QObject* parent);
#endif

namespace {

// Where the session offers no global keys: every key asked for is unavailable.
class NoGlobalHotKey : public GlobalHotKey {
public:
    explicit NoGlobalHotKey(QObject* parent) : GlobalHotKey(parent) {}

    void setKey(const QKeySequence& key) override
    {
        rememberKey(key);
        setState(key.isEmpty() ? State::Unbound : State::Unavailable);
    }
};

std::unique_ptr<GlobalHotKey> createWindowSystemHotKey(QObject* parent)
{
#ifdef ORRIN_HOTKEY_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return createX11GlobalHotKey(parent);
#endif
    return std::make_unique<NoGlobalHotKey>(parent);
}

}  // namespace

std::unique_ptr<GlobalHotKey> GlobalHotKey::create(QObject* parent, const QString& description)
{
    // A Wayland compositor hands global keys out through the portal only; the
    // X11 grab there fires only while an X11 window has focus, so it is the
    // fallback for a desktop without the portal.
    if (isWaylandSession()) {
        auto portal = std::make_unique<PortalHotKey>(nullptr, PortalHotKey::defaultTimeoutMs, description);
        return std::make_unique<FallbackHotKey>(std::move(portal), &createWindowSystemHotKey, parent);
    }
    return createWindowSystemHotKey(parent);
}

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent)
{}

GlobalHotKey::~GlobalHotKey() = default;

QKeySequence GlobalHotKey::key() const
{
    return m_key;
}

GlobalHotKey::State GlobalHotKey::state() const
{
    return m_state;
}

QString GlobalHotKey::triggerText() const
{
    return m_key.toString(QKeySequence::NativeText);
}

void GlobalHotKey::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void GlobalHotKey::rememberKey(const QKeySequence& key)
{
    m_key = key;
}
