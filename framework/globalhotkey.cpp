#include "framework/globalhotkey.h"

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

}  // namespace

std::unique_ptr<GlobalHotKey> GlobalHotKey::create(QObject* parent)
{
#ifdef ORRIN_HOTKEY_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return createX11GlobalHotKey(parent);
#endif
    return std::make_unique<NoGlobalHotKey>(parent);
}

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent) {}

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
