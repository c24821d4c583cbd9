#include "qlineoperation.h"

#include "qmodemsession.h"

int QLineStep::judge(const QRS232Message &request, const QRS232Message &answer)
{
    return m_session->genericAcknowledge(request, answer);
}

int QLineOperation::judge(const QRS232Message &request, const QRS232Message &answer)
{
    return m_step ? m_step->judge(request, answer) : Unjudged;
}

bool QLineOperation::next()
{
    return m_step ? m_step->next() : true;
}
