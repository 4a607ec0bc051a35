#include "platform/fallbackhotkey.h"

FallbackHotKey::FallbackHotKey(std::unique_ptr<GlobalHotKey> first, Factory second, QObject* parent)
    : GlobalHotKey(parent),
      m_first(std::move(first)),
      m_makeSecond(std::move(second))
{
    adopt(m_first.get());
}

FallbackHotKey::~FallbackHotKey() = default;

void FallbackHotKey::adopt(GlobalHotKey* route)
{
    connect(route, &GlobalHotKey::activated, this, [this, route] {
        m_secondFiredLast = route == m_second.get();
        emit activated();
    });
    connect(route, &GlobalHotKey::stateChanged, this, &FallbackHotKey::onRouteChanged);
}

void FallbackHotKey::setKey(const QKeySequence& key)
{
    rememberKey(key);
    if (m_second)
        m_second->setKey(key);
    if (m_first)
        m_first->setKey(key);
    onRouteChanged();
}

void FallbackHotKey::makeSecond()
{
    m_second = m_makeSecond(nullptr);
    adopt(m_second.get());
    m_second->setKey(key());
}

void FallbackHotKey::dispose(std::unique_ptr<GlobalHotKey>& route)
{
    GlobalHotKey* going = route.release();
    going->disconnect();  // before the release below, which would call back
    going->setKey(QKeySequence());
    going->setParent(this);  // gone with this object at the latest
    going->deleteLater();
}

void FallbackHotKey::onRouteChanged()
{
    if (m_first) {
        const State first = m_first->state();
        const bool standIn = first == State::Unassigned || (first == State::Pending && m_second);
        if (first == State::Unavailable && !key().isEmpty()) {
            dispose(m_first);
            if (!m_second)
                makeSecond();
        } else if (standIn && !m_second) {
            makeSecond();
        } else if (!standIn && m_second) {
            dispose(m_second);  // the first route has the key now
        }
    }
    const State now = m_first ? m_first->state() : m_second->state();
    if (now != state())
        setState(now);
    else
        emit stateChanged();  // the trigger text may change while the state stays
}

QString FallbackHotKey::triggerText() const
{
    return m_first ? m_first->triggerText() : m_second->triggerText();
}

bool FallbackHotKey::worksEverywhere() const
{
    if (!m_first)
        return false;
    // While both routes hold the key, the press at hand came through one of them.
    return m_second ? !m_secondFiredLast : m_first->worksEverywhere();
}
