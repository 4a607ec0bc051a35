#pragma once
#include <QEvent>

class QObject;

// The evaluation request "CalcSetAns": a custom event type registered once
// when the program starts, carrying the radix of the result (0 decimal,
// 1 hexadecimal). It is always posted, so the key handler that asks for an
// evaluation returns before the evaluation runs; like a posted message it is
// delivered before any input that reaches the application after it.
class CalcSetAnsEvent : public QEvent {
public:
    explicit CalcSetAnsEvent(int mode);
    ~CalcSetAnsEvent() override;
    CalcSetAnsEvent(const CalcSetAnsEvent&) = delete;
    CalcSetAnsEvent& operator=(const CalcSetAnsEvent&) = delete;

    int mode() const { return m_mode; }

    static QEvent::Type eventType();

private:
    int m_mode;
};

// Posts the request to receiver (the view); ownership of the event passes to Qt.
void postCalcSetAns(QObject* receiver, int mode);
