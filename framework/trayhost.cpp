#include "framework/trayhost.h"

namespace {

const TrayKind* overridden = nullptr;

}  // namespace

TrayHost::TrayHost(QObject* parent) : QObject(parent)
{
    if (overridden) {
        m_kind = *overridden;
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

ScopedTrayKind::ScopedTrayKind(TrayKind kind) : m_previous(overridden), m_kind(kind)
{
    overridden = &m_kind;
}

ScopedTrayKind::~ScopedTrayKind()
{
    overridden = m_previous;
}
