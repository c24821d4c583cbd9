#include "tablecheck.h"

#include "remotetable.h"

#include <QCoreApplication>

namespace
{
struct CheckText {
    Q_DECLARE_TR_FUNCTIONS(TableCheck)
};

// Remotes named in a refusal before the rest are only counted.
constexpr int LISTED_REMOTES = 10;
// An owner longer than this is cut in a message line; the whole name is in the table.
constexpr int SHOWN_OWNER = 40;

bool fitsFormat(const QString &name, bool longRecords)
{
    const int room =
        (longRecords ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize) -
        QControlDevice::NameOffset;
    const QByteArray encoded = QControlDevice::encodeName(name, longRecords);
    // A record's name ends at the first zero byte.
    return encoded.size() <= room && !encoded.contains('\0') &&
           QControlDevice::decodeName(encoded, longRecords) == name;
}

bool idFits(int id)
{
    return id >= 0 && id <= QControlDevice::MaxId;
}
} // namespace

RECORD_FORMAT_T recordFormat(bool longRecords)
{
    return longRecords ? RECORDS_LONG : RECORDS_SHORT;
}

bool ownerNameFits(const QString &name, RECORD_FORMAT_T format)
{
    switch (format) {
    case RECORDS_SHORT:
        return fitsFormat(name, false);
    case RECORDS_LONG:
        return fitsFormat(name, true);
    case RECORDS_ANY:
        break;
    }
    return fitsFormat(name, false) || fitsFormat(name, true);
}

QString ownerNameProblem(const QString &name, RECORD_FORMAT_T format)
{
    if (ownerNameFits(name, format))
        return QString();
    if (name.contains(QChar(0)))
        return CheckText::tr("владелец содержит нулевой символ");
    // Of a name neither format holds, the long records' reason: they hold more.
    return ownerNameRefusal(name, format != RECORDS_SHORT);
}

QList<int> unfitRemotes(const QList<QControlDevice> &list, RECORD_FORMAT_T format)
{
    QList<int> unfit;
    for (int i = 0; i < list.size(); ++i) {
        const QControlDevice &remote = list.at(i);
        if (!idFits(remote.id()) || !ownerNameFits(remote.ownerName(), format))
            unfit << i;
    }
    return unfit;
}

QString remoteLabel(const QControlDevice &remote)
{
    QString owner = remote.ownerName();
    if (owner.size() > SHOWN_OWNER)
        owner = owner.left(SHOWN_OWNER) + QChar(0x2026);
    return CheckText::tr("№%1, владелец «%2»").arg(remote.id()).arg(owner);
}

QString tableRefusal(const QString &notDone, const QString &counts,
                     const QList<QControlDevice> &list, const QList<int> &unfit,
                     RECORD_FORMAT_T format)
{
    QStringList lines{notDone};
    if (!counts.isEmpty())
        lines << counts;
    if (!unfit.isEmpty()) {
        lines << CheckText::tr("Пультов, которые записи USB-stick не могут хранить без "
                               "изменений: %1. Первые из них:")
                     .arg(unfit.size());
        for (int i = 0; i < unfit.size() && i < LISTED_REMOTES; ++i) {
            const QControlDevice &remote = list.at(unfit.at(i));
            const QString why =
                idFits(remote.id())
                    ? ownerNameProblem(remote.ownerName(), format)
                    : CheckText::tr("номер вне диапазона 0..%1").arg(QControlDevice::MaxId);
            lines << remoteLabel(remote) + ": " + why;
        }
        if (unfit.size() > LISTED_REMOTES)
            lines << CheckText::tr("... и еще %1").arg(unfit.size() - LISTED_REMOTES);
    }
    return lines.join(QLatin1Char('\n'));
}
