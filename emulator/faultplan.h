#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace vexo::emu
{

// Faults waiting for the next answers. Each counter is used up by one answer frame.
class FaultPlan
{
public:
    // What happens to one answer on its way out.
    struct Decision {
        bool drop = false;
        int delayMs = 0;
        bool corrupt = false;
        QByteArray garbage;  // written before the frame
        int pieces = 1;      // the escaped frame is cut into this many writes
        int gapMs = 0;       // between the pieces
        bool hangUp = false; // the line closes instead: the device acted, nothing goes out

        bool any() const
        {
            return drop || delayMs > 0 || corrupt || !garbage.isEmpty() || pieces > 1 || hangUp;
        }
        QString describe() const;
    };

    struct ForcedStatus {
        quint16 command = 0; // request word: data-frame command or short-frame word 1
        quint8 status = 0;
        quint8 detail = 0;
        int count = 1; // < 0: until cleared
    };

    void dropAnswers(int count) { m_drop = qMax(0, count); }
    void delayAnswers(int count, int ms);
    void corruptChecksums(int count) { m_corrupt = qMax(0, count); }
    void sendGarbage(const QByteArray &bytes, int count);
    void splitAnswers(int count, int pieces, int gapMs);
    void forceStatus(const ForcedStatus &forced);
    void misnameParams(int count) { m_misnamed = qMax(0, count); }
    void garbleWrites(int count) { m_garbled = qMax(0, count); }
    void hangUp() { m_hangUp = true; }
    // Every fault, set before or after, waits until a request with this command word has
    // come `occurrence` times; the answer to that request is the first one it touches. So
    // a fault lands in the middle of an operation, whatever the requests before it.
    void holdUntil(quint16 command, int occurrence);
    void clear() { *this = FaultPlan(); }

    // Called for every checked request before it is handled.
    void noteRequest(quint16 command);

    // Consumes one use of each pending fault.
    Decision nextAnswer();
    // The status to give instead of executing this request, if one is forced.
    bool takeForced(quint16 command, ForcedStatus *out);
    // Whether this parameter answer goes out for another parameter.
    bool takeMisnamedParam();
    // Whether this remote write is stored damaged while the answer says it went well.
    bool takeGarbledWrite();

    bool pending() const;

private:
    int m_drop = 0;
    int m_delayCount = 0;
    int m_delayMs = 0;
    int m_corrupt = 0;
    int m_garbageCount = 0;
    QByteArray m_garbage;
    int m_splitCount = 0;
    int m_splitPieces = 2;
    int m_splitGapMs = 0;
    QList<ForcedStatus> m_forced;
    int m_misnamed = 0;
    int m_garbled = 0;
    bool m_hangUp = false;
    quint16 m_holdCommand = 0;
    int m_holdLeft = 0; // > 0: faults wait
};

// Cuts bytes into `pieces` parts of nearly equal size (none empty).
QList<QByteArray> splitBytes(const QByteArray &bytes, int pieces);

// The frame with its checksum changed, so that it no longer matches.
QByteArray corruptChecksum(const QByteArray &frame);

} // namespace vexo::emu
