#include "faultplan.h"

#include <QStringList>

namespace vexo::emu
{

void FaultPlan::delayAnswers(int count, int ms)
{
    m_delayCount = qMax(0, count);
    m_delayMs = qMax(0, ms);
}

void FaultPlan::sendGarbage(const QByteArray &bytes, int count)
{
    m_garbage = bytes;
    m_garbageCount = bytes.isEmpty() ? 0 : qMax(0, count);
}

void FaultPlan::splitAnswers(int count, int pieces, int gapMs)
{
    m_splitCount = qMax(0, count);
    m_splitPieces = qMax(2, pieces);
    m_splitGapMs = qMax(0, gapMs);
}

void FaultPlan::forceStatus(const ForcedStatus &forced)
{
    for (int i = 0; i < m_forced.size(); ++i) {
        if (m_forced.at(i).command == forced.command) {
            m_forced.removeAt(i);
            break;
        }
    }
    if (forced.count != 0)
        m_forced.append(forced);
}

void FaultPlan::holdUntil(quint16 command, int occurrence)
{
    m_holdCommand = command;
    m_holdLeft = qMax(0, occurrence);
}

void FaultPlan::noteRequest(quint16 command)
{
    if (m_holdLeft > 0 && command == m_holdCommand)
        --m_holdLeft;
}

FaultPlan::Decision FaultPlan::nextAnswer()
{
    Decision d;
    if (m_holdLeft > 0)
        return d;
    if (m_hangUp) {
        m_hangUp = false;
        d.hangUp = true;
        return d;
    }
    if (m_drop > 0) {
        --m_drop;
        d.drop = true;
        return d; // a lost answer uses up nothing else
    }
    if (m_delayCount > 0) {
        --m_delayCount;
        d.delayMs = m_delayMs;
    }
    if (m_corrupt > 0) {
        --m_corrupt;
        d.corrupt = true;
    }
    if (m_garbageCount > 0) {
        --m_garbageCount;
        d.garbage = m_garbage;
    }
    if (m_splitCount > 0) {
        --m_splitCount;
        d.pieces = m_splitPieces;
        d.gapMs = m_splitGapMs;
    }
    return d;
}

bool FaultPlan::takeForced(quint16 command, ForcedStatus *out)
{
    if (m_holdLeft > 0)
        return false;
    for (int i = 0; i < m_forced.size(); ++i) {
        ForcedStatus &f = m_forced[i];
        if (f.command != command)
            continue;
        *out = f;
        if (f.count > 0 && --f.count == 0)
            m_forced.removeAt(i);
        return true;
    }
    return false;
}

bool FaultPlan::takeMisnamedParam()
{
    if (m_misnamed <= 0 || m_holdLeft > 0)
        return false;
    --m_misnamed;
    return true;
}

bool FaultPlan::takeGarbledWrite()
{
    if (m_garbled <= 0 || m_holdLeft > 0)
        return false;
    --m_garbled;
    return true;
}

bool FaultPlan::pending() const
{
    return m_drop || m_delayCount || m_corrupt || m_garbageCount || m_splitCount ||
           !m_forced.isEmpty() || m_misnamed || m_garbled || m_hangUp;
}

QString FaultPlan::Decision::describe() const
{
    if (drop)
        return QStringLiteral("dropped");
    if (hangUp)
        return QStringLiteral("line closed instead");
    QStringList parts;
    if (!garbage.isEmpty())
        parts << QStringLiteral("after %1 garbage bytes").arg(garbage.size());
    if (corrupt)
        parts << QStringLiteral("checksum corrupted");
    if (delayMs > 0)
        parts << QStringLiteral("delayed %1 ms").arg(delayMs);
    if (pieces > 1)
        parts << QStringLiteral("in %1 pieces %2 ms apart").arg(pieces).arg(gapMs);
    return parts.join(QStringLiteral(", "));
}

QList<QByteArray> splitBytes(const QByteArray &bytes, int pieces)
{
    QList<QByteArray> out;
    const qsizetype n = bytes.size();
    pieces = int(qBound<qsizetype>(1, qsizetype(pieces), qMax<qsizetype>(1, n)));
    qsizetype from = 0;
    for (int i = 0; i < pieces; ++i) {
        const qsizetype to = n * (i + 1) / pieces;
        out.append(bytes.mid(from, to - from));
        from = to;
    }
    return out;
}

QByteArray corruptChecksum(const QByteArray &frame)
{
    QByteArray out = frame;
    if (out.size() >= 2)
        out[out.size() - 2] = char(quint8(out.at(out.size() - 2)) ^ 0x5A);
    return out;
}

} // namespace vexo::emu
