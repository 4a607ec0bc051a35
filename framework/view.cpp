#include "framework/view.h"

#include "framework/document.h"

View::View(QWidget* parent) : QWidget(parent), DataExchangeHost(this)
{}

View::~View()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

bool View::SendCommand(int id)
{
    return routeCommand(id, {this, m_pDocument});
}

bool View::CanSendCommand(int id) const
{
    return canRouteCommand(id, {this, m_pDocument});
}
