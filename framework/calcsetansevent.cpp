#include "calcsetansevent.h"

#include <QCoreApplication>

namespace {
// Registered during static initialisation, before any window exists.
const QEvent::Type calcSetAnsType = static_cast<QEvent::Type>(QEvent::registerEventType());
}  // namespace

CalcSetAnsEvent::CalcSetAnsEvent(int mode) : QEvent(calcSetAnsType), m_mode(mode) {}

QEvent::Type CalcSetAnsEvent::eventType()
{
    return calcSetAnsType;
}

void postCalcSetAns(QObject* receiver, int mode)
{
    QCoreApplication::postEvent(receiver, new CalcSetAnsEvent(mode));
}
