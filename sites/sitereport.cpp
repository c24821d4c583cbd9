#include "sitereport.h"

#include "remotetable.h"
#include "sitelibrary.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

bool SiteReport::collect(const SiteLibrary &library, const Site &site, SiteReportData *data,
                         QString *error)
{
    data->site = site;
    data->date = QDateTime::currentDateTime();
    const QList<HistoryEntry> history = library.history(site.folder);
    data->changes = history.mid(std::max(qsizetype(0), history.size() - ChangesShown));
    // The newest snapshot that can be read stands for the site today.
    bool found = false;
    for (auto i = history.crbegin(); i != history.crend() && !found; ++i) {
        if (!i->readable)
            continue;
        if (!SiteLibrary::loadSnapshot(i->snapshot.path, &data->remotes, error))
            return false;
        found = true;
    }
    if (!history.isEmpty() && !found) {
        if (error)
            *error = tr("Ни один снимок объекта «%1» не читается").arg(site.name);
        return false;
    }
    // Versions and parameters as last known: a table written later need not have read them.
    for (auto i = history.crbegin(); i != history.crend(); ++i) {
        const SnapshotMeta &meta = i->snapshot.meta;
        if (data->stickVersion.isEmpty())
            data->stickVersion = meta.stickVersion;
        if (data->actuatorVersion.isEmpty())
            data->actuatorVersion = meta.actuatorVersion;
        // A write of one parameter knows that one only: each is taken where last known.
        for (auto p = meta.params.cbegin(); p != meta.params.cend(); ++p)
            if (!data->paramValues.contains(p.key()))
                data->paramValues.insert(p.key(), {p.value(), meta.time});
    }
    return true;
}

QString SiteReport::html(const SiteReportData &data)
{
    const QLocale locale;
    const auto esc = [](const QString &text) { return text.toHtmlEscaped(); };
    QString h;
    h += QStringLiteral("<html><body>");
    h += QStringLiteral("<h1>%1</h1>").arg(esc(data.site.name));
    if (!data.site.address.isEmpty())
        h += QStringLiteral("<p><b>%1:</b> %2</p>").arg(esc(tr("Адрес")), esc(data.site.address));
    h += QStringLiteral("<p><b>%1:</b> %2</p>")
             .arg(esc(tr("Дата")), esc(locale.toString(data.date, QLocale::LongFormat)));
    if (!data.site.notes.isEmpty())
        h +=
            QStringLiteral("<p><b>%1:</b> %2</p>").arg(esc(tr("Примечания")), esc(data.site.notes));

    h += QStringLiteral("<h2>%1</h2>").arg(esc(tr("Версии прошивок")));
    const QString unknown = tr("неизвестна");
    h += QStringLiteral("<p>%1: %2<br>%3: %4</p>")
             .arg(esc(tr("USB-stick")),
                  esc(data.stickVersion.isEmpty() ? unknown : data.stickVersion),
                  esc(tr("Исполнительное устройство")),
                  esc(data.actuatorVersion.isEmpty() ? unknown : data.actuatorVersion));

    h += QStringLiteral("<h2>%1</h2>").arg(esc(tr("Параметры исполнительного устройства")));
    if (data.params.isEmpty()) {
        h += QStringLiteral("<p>%1</p>").arg(esc(tr("Параметры не читались")));
    } else {
        h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr>");
        for (const QString &title : {tr("Параметр"), tr("Значение"), tr("Известно с")})
            h += QStringLiteral("<th>%1</th>").arg(esc(title));
        h += QStringLiteral("</tr>");
        for (const SiteReportData::Param &p : data.params)
            h += QStringLiteral("<tr><td>%1</td><td>%2</td><td style=\"white-space: nowrap\">%3"
                                "</td></tr>")
                     .arg(esc(p.name), esc(p.value),
                          esc(locale.toString(p.time.toLocalTime(), QLocale::ShortFormat)));
        h += QStringLiteral("</table>");
    }

    h += QStringLiteral("<h2>%1 (%2)</h2>").arg(esc(tr("Пульты"))).arg(data.remotes.size());
    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
                        "<thead><tr>");
    for (const QString &title :
         {tr("Номер"), tr("Владелец"), tr("Группа"), tr("Состояние"), tr("Режим работы")})
        h += QStringLiteral("<th>%1</th>").arg(esc(title));
    h += QStringLiteral("</tr></thead>");
    for (const QControlDevice &r : data.remotes) {
        const QStringList cells = remoteRowTexts(r);
        h += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                 .arg(esc(cells.at(COLUMN_ID)), esc(cells.at(COLUMN_OWNER)))
                 .arg(r.group())
                 .arg(esc(cells.at(COLUMN_STATUS)),
                      esc(r.workMode() != 0 ? tr("пешеходный") : tr("обычный")));
    }
    h += QStringLiteral("</table>");

    h += QStringLiteral("<h2>%1</h2>").arg(esc(tr("Последние изменения")));
    if (data.changes.isEmpty()) {
        h += QStringLiteral("<p>%1</p>").arg(esc(tr("Снимков нет")));
    } else {
        h += QStringLiteral(
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>");
        for (const QString &title : {tr("Время"), tr("Действие"), tr("Компьютер"), tr("Добавлено"),
                                     tr("Удалено"), tr("Изменено")})
            h += QStringLiteral("<th style=\"white-space: nowrap\">%1</th>").arg(esc(title));
        h += QStringLiteral("</tr>");
        for (const HistoryEntry &e : data.changes) {
            const SnapshotMeta &m = e.snapshot.meta;
            const QString count = QStringLiteral("<td>%1</td>");
            // A time or an action cut over two lines reads as two entries.
            h += QStringLiteral("<tr><td style=\"white-space: nowrap\">%1</td>"
                                "<td style=\"white-space: nowrap\">%2</td><td>%3</td>")
                     .arg(esc(locale.toString(m.time.toLocalTime(), QLocale::ShortFormat)),
                          esc(SnapshotAction::text(m.action)), esc(m.machine));
            if (e.readable)
                h += count.arg(e.added) + count.arg(e.removed) + count.arg(e.changed);
            else
                h += QStringLiteral("<td colspan=\"3\">%1</td>").arg(esc(tr("не читается")));
            h += QStringLiteral("</tr>");
        }
        h += QStringLiteral("</table>");
    }
    h += QStringLiteral("</body></html>");
    return h;
}

bool SiteReport::writePdf(const SiteReportData &data, const QString &path, QString *error)
{
    // QPdfWriter says nothing when it cannot write: the file is tried first.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (error)
                *error = tr("Ошибка записи файла %1: %2").arg(path, probe.errorString());
            return false;
        }
    }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(tr("Объект «%1»").arg(data.site.name));
    writer.setCreator(QStringLiteral("Vexo Control Tool"));
    QTextDocument document;
    document.setHtml(html(data));
    document.print(&writer);
    if (QFileInfo(path).size() == 0) {
        if (error)
            *error = tr("Ошибка записи файла %1").arg(path);
        return false;
    }
    return true;
}
