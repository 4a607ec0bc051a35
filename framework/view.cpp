#include "framework/view.h"

#include "framework/document.h"

View::View(QWidget* parent) : QWidget(parent), DataExchangeHost(this) {}

View::~View()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void View::OnInitialUpdate()
{
    UpdateData(false);
}

void View::Serialize(Archive&) {}

void View::DoDataExchange(DataExchange&) {}

bool View::SendCommand(int id)
{
    return routeCommand(id, {this, m_pDocument});
}

bool View::CanSendCommand(int id) const
{
    return canRouteCommand(id, {this, m_pDocument});
}
