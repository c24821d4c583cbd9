// Build tool: turns the Markdown manual into the PDF shipped beside the program.
//   vexo-mkmanual SOURCE.md OUTPUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Fonts need a GUI application; the build runs it on the offscreen platform.
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: vexo-mkmanual SOURCE.md OUTPUT.pdf\n";
        return 2;
    }

    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        err << args.at(1) << ": " << source.errorString() << "\n";
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());
    QString title = markdown.section('\n', 0, 0);
    title.remove(QRegularExpression("^#+\\s*"));

    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (document.isEmpty()) {
        err << args.at(1) << ": no text\n";
        return 1;
    }

    // Written whole or not at all, so a failed run never leaves a broken manual behind.
    QSaveFile output(args.at(2));
    if (!output.open(QIODevice::WriteOnly)) {
        err << args.at(2) << ": " << output.errorString() << "\n";
        return 1;
    }
    {
        QPdfWriter writer(&output);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Vexo Control Tool"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        // Breaks the text into pages with margins of 2 cm and numbers them.
        document.print(&writer);
    }
    if (!output.commit()) {
        err << args.at(2) << ": " << output.errorString() << "\n";
        return 1;
    }
    return 0;
}
