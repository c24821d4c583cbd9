#include "tablediff.h"

#include <QCoreApplication>
#include <QHash>

namespace
{
QString trDiff(const char *text)
{
    return QCoreApplication::translate("QCompareDialog", text);
}

QHash<int, int> firstIndexById(const QList<QControlDevice> &list)
{
    QHash<int, int> index;
    for (int i = 0; i < list.size(); ++i)
        if (!index.contains(list.at(i).id()))
            index.insert(list.at(i).id(), i);
    return index;
}

int changedFields(const QControlDevice &a, const QControlDevice &b)
{
    int fields = 0;
    if (a.ownerName() != b.ownerName())
        fields |= RemoteDifference::FIELD_OWNER;
    if (a.group() != b.group())
        fields |= RemoteDifference::FIELD_GROUP;
    if (a.active() != b.active())
        fields |= RemoteDifference::FIELD_STATE;
    if (a.workMode() != b.workMode())
        fields |= RemoteDifference::FIELD_WORK_MODE;
    return fields;
}
} // namespace

QControlDevice storedForm(const QControlDevice &remote, bool)
{
    // Only the work mode is reduced: a name the records would cut or replace must show as
    // a difference, never match what the stick made of it.
    QControlDevice stored = remote;
    stored.setWorkMode(remote.workMode() != 0 ? 1 : 0);
    return stored;
}

QList<RemoteDifference> compareTables(const QList<QControlDevice> &stick,
                                      const QList<QControlDevice> &file, bool longRecords)
{
    const QHash<int, int> inStick = firstIndexById(stick);
    const QHash<int, int> inFile = firstIndexById(file);
    QList<RemoteDifference> differences;
    for (int i = 0; i < stick.size(); ++i) {
        const QControlDevice &remote = stick.at(i);
        if (inStick.value(remote.id()) != i)
            continue;
        RemoteDifference d;
        d.id = remote.id();
        d.stick = storedForm(remote, longRecords);
        const auto other = inFile.constFind(remote.id());
        if (other == inFile.cend()) {
            d.kind = RemoteDifference::ONLY_IN_STICK;
            differences.append(d);
            continue;
        }
        d.file = storedForm(file.at(*other), longRecords);
        d.kind = RemoteDifference::CHANGED;
        d.fields = changedFields(d.stick, d.file);
        if (d.fields != 0)
            differences.append(d);
    }
    for (int i = 0; i < file.size(); ++i) {
        const QControlDevice &remote = file.at(i);
        if (inFile.value(remote.id()) != i || inStick.contains(remote.id()))
            continue;
        RemoteDifference d;
        d.kind = RemoteDifference::ONLY_IN_FILE;
        d.id = remote.id();
        d.file = storedForm(remote, longRecords);
        differences.append(d);
    }
    return differences;
}

QList<QControlDevice> applyDifference(const QList<QControlDevice> &stick,
                                      const RemoteDifference &difference)
{
    QList<QControlDevice> after = stick;
    int index = -1;
    for (int i = 0; i < after.size() && index < 0; ++i)
        if (after.at(i).id() == difference.id)
            index = i;
    if (difference.kind == RemoteDifference::ONLY_IN_STICK) {
        if (index >= 0)
            after.removeAt(index);
    } else if (index >= 0) {
        after[index] = difference.file;
    } else {
        after.append(difference.file);
    }
    return after;
}

QList<RemoteDifference> applyOrder(const QList<RemoteDifference> &differences)
{
    QList<RemoteDifference> ordered;
    for (const RemoteDifference &d : differences)
        if (d.kind == RemoteDifference::ONLY_IN_STICK)
            ordered.append(d);
    for (const RemoteDifference &d : differences)
        if (d.kind != RemoteDifference::ONLY_IN_STICK)
            ordered.append(d);
    return ordered;
}

QString changedFieldsText(int fields)
{
    QStringList names;
    if (fields & RemoteDifference::FIELD_OWNER)
        names << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "владелец"));
    if (fields & RemoteDifference::FIELD_GROUP)
        names << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "группа"));
    if (fields & RemoteDifference::FIELD_STATE)
        names << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "статус"));
    if (fields & RemoteDifference::FIELD_WORK_MODE)
        names << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "режим работы"));
    return names.join(QStringLiteral(", "));
}

QString remoteSummary(const QControlDevice &remote)
{
    QString text =
        trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "«%1», группа %2, %3"))
            .arg(remote.ownerName())
            .arg(remote.group())
            .arg(remote.active() ? trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "активен"))
                                 : trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "заблокирован")));
    if (remote.workMode() != 0)
        text += trDiff(QT_TRANSLATE_NOOP("QCompareDialog", ", пешеходный режим"));
    return text;
}

QStringList differenceLines(const QList<RemoteDifference> &differences, int limit)
{
    QStringList lines;
    for (const RemoteDifference &d : differences) {
        if (lines.size() == limit) {
            lines << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "... и еще %1"))
                         .arg(differences.size() - limit);
            break;
        }
        switch (d.kind) {
        case RemoteDifference::ONLY_IN_STICK:
            lines
                << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "№%1: только в USB-stick")).arg(d.id);
            break;
        case RemoteDifference::ONLY_IN_FILE:
            lines << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "№%1: нет в USB-stick")).arg(d.id);
            break;
        case RemoteDifference::CHANGED:
            lines << trDiff(QT_TRANSLATE_NOOP("QCompareDialog", "№%1: отличается (%2)"))
                         .arg(d.id)
                         .arg(changedFieldsText(d.fields));
            break;
        }
    }
    return lines;
}
