#include "framework/view.h"

#include "framework/document.h"

View::View(QWidget* parent) : QWidget(parent) {}

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

bool View::UpdateData(bool saveAndValidate)
{
    return DoDataExchange(saveAndValidate);
}

bool View::DoDataExchange(bool)
{
    return true;
}

bool View::SendCommand(int id)
{
    return routeCommand(id, {this, m_pDocument});
}

bool View::CanSendCommand(int id) const
{
    return canRouteCommand(id, {this, m_pDocument});
}
