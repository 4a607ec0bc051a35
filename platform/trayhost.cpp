#include "platform/trayhost.h"

TrayHost::TrayHost(QObject* parent) : QObject(parent)
{
    if (const TrayKindHook& answer = ScopedHook<TrayKindHook>::current()) {
        m_kind = answer();
        return;
    }
    m_statusNotifier = watchStatusNotifierHost();
    m_embedded = watchEmbeddedTray();
    connect(m_statusNotifier.get(), &TrayPresence::changed, this, &TrayHost::update);
    connect(m_embedded.get(), &TrayPresence::changed, this, &TrayHost::update);
    update();
}

TrayHost::~TrayHost() = default;

void TrayHost::update()
{
    TrayKind kind = TrayKind::None;
    if (m_statusNotifier->present())
        kind = TrayKind::StatusNotifier;
    else if (m_embedded->present())
        kind = TrayKind::Embedded;
    if (kind == m_kind)
        return;
    m_kind = kind;
    emit kindChanged(kind);
}
