#include "app/shell/connection_control.h"

#include "app/base/automatic_tasks_gate.h"
#include "app/shell/application.h"

namespace bv::app {

bool DialUpConnection::dialUpActive() const
{
    return dialUp_.connectionActive(app_.config());
}

void DialUpConnection::dial()
{
    const GateHold hold(app_.gate(), GateHolder::Dialing);
    dialUp_.dialUp(app_.config());
}

void DialUpConnection::hangUp()
{
    dialUp_.hangUp(app_.config());
}

void DialUpConnection::closeStationPort()
{
    app_.station().close();
}

} // namespace bv::app
