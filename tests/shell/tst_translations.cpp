#include "qlanguagecatalog.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace
{
struct Message {
    QString context, source, translation;
    bool unfinished = false;
};

QList<Message> readTs(const QString &path, QString *language = nullptr)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS") && language) {
            *language = xml.attributes().value("language").toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            m = Message{context, {}, {}, false};
        } else if (name == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const auto type = xml.attributes().value("type").toString();
            m.unfinished = type == QLatin1String("unfinished");
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            // Texts no longer in the sources do not count.
            if (type != QLatin1String("vanished") && type != QLatin1String("obsolete"))
                messages << m;
        }
    }
    return messages;
}

QStringList tsFiles()
{
    return QDir(VEXO_SOURCE_DIR "/resources/translations")
        .entryList({"lang_*.ts"}, QDir::Files, QDir::Name);
}

// What a translation has to keep from its source for the code around it to work.
QString shapeProblem(const QString &source, const QString &translation)
{
    static const QRegularExpression placeholder("%\\d");
    QStringList a, b;
    for (auto it = placeholder.globalMatch(source); it.hasNext();)
        a << it.next().captured();
    for (auto it = placeholder.globalMatch(translation); it.hasNext();)
        b << it.next().captured();
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b)
        return "placeholders " + a.join(',') + " became " + b.join(',');
    // Texts are joined to names and numbers: "Адрес " + id.
    if (source.endsWith(' ') != translation.endsWith(' ') && source.endsWith(' '))
        return "trailing space lost";
    if (source.startsWith(' ') && !translation.startsWith(' '))
        return "leading space lost";
    if (source.count('\n') != translation.count('\n'))
        return "line breaks differ";
    if (source.count("<br>") != translation.count("<br>"))
        return "<br> differs";
    return QString();
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyLanguageIsComplete()
    {
        QCOMPARE(tsFiles(), (QStringList{"lang_en.ts", "lang_pl.ts", "lang_ru.ts", "lang_uk.ts"}));
        for (const QString &name : tsFiles()) {
            QString language;
            const QList<Message> messages =
                readTs(VEXO_SOURCE_DIR "/resources/translations/" + name, &language);
            QVERIFY2(messages.size() > 200, qPrintable(name));
            QStringList faults;
            for (const Message &m : messages) {
                const QString where = name + " " + m.context + ": " + m.source;
                if (m.unfinished || m.translation.isEmpty())
                    faults << where + " — unfinished";
                else if (const QString why = shapeProblem(m.source, m.translation); !why.isEmpty())
                    faults << where + " — " + why;
                else if (language == "ru" && m.translation != m.source)
                    faults << where + " — Russian differs from the source";
            }
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        }
    }

    void noTextOfTheSourcesIsMissing()
    {
        // lupdate over the sources as they are now; every text must be in every file.
        QTemporaryDir dir;
        const QString fresh = dir.filePath("fresh.ts");
        QStringList args{"-silent", "-locations", "none"};
        // Every subsystem folder, as scripts/translations takes them.
        const QDir root(VEXO_SOURCE_DIR);
        for (const QString &sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFile::exists(root.filePath(sub + "/CMakeLists.txt")) && !sub.startsWith("build") &&
                !QStringList{"tests", "bench", "resources", "scripts"}.contains(sub))
                args << root.filePath(sub);
        }
        args << "-ts" << fresh;
        QProcess lupdate;
        lupdate.start(VEXO_LUPDATE, args);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        const QList<Message> wanted = readTs(fresh);
        QVERIFY(wanted.size() > 200);
        for (const QString &name : tsFiles()) {
            QSet<QString> have;
            for (const Message &m : readTs(VEXO_SOURCE_DIR "/resources/translations/" + name))
                have.insert(m.context + '\x1f' + m.source);
            QStringList missing;
            for (const Message &m : wanted)
                if (!have.contains(m.context + '\x1f' + m.source))
                    missing << m.context + ": " + m.source;
            QVERIFY2(missing.isEmpty(), qPrintable(name + " lacks (run scripts/translations):\n" +
                                                   missing.join('\n')));
        }
    }

    void builtFilesNameTheirLanguages()
    {
        // The names the language menu shows and the system's language is matched against.
        const struct {
            const char *file;
            QLocale::Language language;
        } expected[] = {{"lang_en.qm", QLocale::English},
                        {"lang_pl.qm", QLocale::Polish},
                        {"lang_ru.qm", QLocale::Russian},
                        {"lang_uk.qm", QLocale::Ukrainian}};
        for (const auto &e : expected) {
            QTranslator translator;
            QVERIFY2(translator.load(QStringLiteral(VEXO_LANGUAGE_DIR "/") + e.file), e.file);
            QCOMPARE(translator.translate("MainWindow", "Русский"),
                     QLanguageCatalog::nameForLocale(QLocale(e.language)));
        }
        QCOMPARE(QLanguageCatalog::nameForLocale(QLocale(QLocale::German)), "English");
    }

    void manualIsBuilt()
    {
        QFile pdf(VEXO_MANUAL_PDF);
        QVERIFY2(pdf.open(QIODevice::ReadOnly), VEXO_MANUAL_PDF);
        const QByteArray data = pdf.readAll();
        QVERIFY(data.startsWith("%PDF-"));
        QVERIFY(data.trimmed().endsWith("%%EOF"));
        const qsizetype pages = data.count("/Type /Page\n") + data.count("/Type /Page\r") +
                                data.count("/Type /Page ") + data.count("/Type /Page/");
        QVERIFY2(pages >= 5, qPrintable(QString::number(pages)));
    }

    void manualCoversEveryMenu()
    {
        // Every entry of the menus a user sees, by its text.
        QFile form(VEXO_SOURCE_DIR "/ui/mainwindow.ui");
        QVERIFY(form.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&form);
        QHash<QString, QString> actionText;
        QStringList shown;
        QString action, property;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == QLatin1String("action"))
                action.clear();
            if (!xml.isStartElement())
                continue;
            const QString name = xml.attributes().value("name").toString();
            if (xml.name() == QLatin1String("action"))
                action = name;
            else if (xml.name() == QLatin1String("addaction"))
                shown << name;
            else if (xml.name() == QLatin1String("property"))
                property = name;
            else if (xml.name() == QLatin1String("string") && !action.isEmpty() &&
                     property == QLatin1String("text"))
                actionText.insert(action, xml.readElementText());
        }
        QFile manual(VEXO_SOURCE_DIR "/resources/manual/manual.md");
        QVERIFY(manual.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(manual.readAll());
        QStringList missing;
        for (const QString &name : shown) {
            const QString entry = actionText.value(name);
            // Sub-menus, separators and the hidden autonomy menu have no action text here.
            const QRegularExpression named("(«|→ )" + QRegularExpression::escape(entry) + "»");
            if (!entry.isEmpty() && !name.startsWith("actionRemote") && !text.contains(named))
                missing << entry;
        }
        QVERIFY(shown.size() > 20);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
