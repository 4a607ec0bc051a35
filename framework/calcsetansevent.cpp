#include "framework/calcsetansevent.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <iterator>

namespace {
// Registered during static initialisation, before any window exists.
const QEvent::Type calcSetAnsType = static_cast<QEvent::Type>(QEvent::registerEventType());

// Requests posted and not yet delivered (or dropped with their receiver).
int pendingRequests = 0;

bool isInputEvent(QEvent::Type type)
{
    static constexpr QEvent::Type input[] = {
        QEvent::ShortcutOverride,    QEvent::KeyPress,         QEvent::KeyRelease,
        QEvent::InputMethod,         QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
        QEvent::MouseButtonDblClick, QEvent::MouseMove,        QEvent::Wheel,
    };
    return std::find(std::begin(input), std::end(input), type) != std::end(input);
}

// Qt handles all the input the window system has queued before it delivers
// posted events, so keys typed right behind Enter would reach the entry box
// before the evaluation that Enter asked for. A request is a posted message
// and goes first: any input arriving while one is pending waits for it.
class RequestsBeforeInput : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (pendingRequests > 0 && isInputEvent(event->type()))
            QCoreApplication::sendPostedEvents(nullptr, calcSetAnsType);
        return false;
    }
};

void keepRequestsBeforeInput()
{
    static QPointer<RequestsBeforeInput> filter;
    QCoreApplication* app = QCoreApplication::instance();
    if (filter || !app)
        return;
    filter = new RequestsBeforeInput(app);
    app->installEventFilter(filter);
}

}  // namespace

CalcSetAnsEvent::CalcSetAnsEvent(int mode) : QEvent(calcSetAnsType), m_mode(mode)
{
    ++pendingRequests;
}

CalcSetAnsEvent::~CalcSetAnsEvent()
{
    --pendingRequests;
}

QEvent::Type CalcSetAnsEvent::eventType()
{
    return calcSetAnsType;
}

void postCalcSetAns(QObject* receiver, int mode)
{
    keepRequestsBeforeInput();
    QCoreApplication::postEvent(receiver, new CalcSetAnsEvent(mode));
}
