#include "platform/fallbackhotkey.h"

FallbackHotKey::FallbackHotKey(std::unique_ptr<GlobalHotKey> first, Factory second, QObject* parent)
    : GlobalHotKey(parent), m_first(std::move(first)), m_makeSecond(std::move(second))
{
    adopt(m_first.get());
}

FallbackHotKey::~FallbackHotKey() = default;

void FallbackHotKey::adopt(GlobalHotKey* route)
{
    connect(route, &GlobalHotKey::activated, this, &GlobalHotKey::activated);
    connect(route, &GlobalHotKey::stateChanged, this, &FallbackHotKey::onRouteChanged);
}

void FallbackHotKey::setKey(const QKeySequence& key)
{
    rememberKey(key);
    if (m_second)
        m_second->setKey(key);
    else
        m_first->setKey(key);
    onRouteChanged();
}

void FallbackHotKey::onRouteChanged()
{
    if (!m_second && m_first->state() == State::Unavailable && !key().isEmpty()) {
        // Called from the first route's own signal: it goes once that returns.
        GlobalHotKey* first = m_first.release();
        first->setParent(this);
        first->deleteLater();
        m_second = m_makeSecond(nullptr);
        adopt(m_second.get());
        m_second->setKey(key());
    }
    const GlobalHotKey& route = m_second ? *m_second : *m_first;
    if (route.state() != state())
        setState(route.state());
    else
        emit stateChanged();  // the trigger text may change while the state stays
}

QString FallbackHotKey::triggerText() const
{
    return m_second ? m_second->triggerText() : m_first->triggerText();
}

bool FallbackHotKey::worksEverywhere() const
{
    return !m_second && m_first->worksEverywhere();
}
