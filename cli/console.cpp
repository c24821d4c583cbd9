#include "console.h"

#include "qmodemsession.h"
#include "qoperation.h"

#include <QRegularExpression>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace
{
constexpr int BarWidth = 30;

bool isTerminal(FILE *stream)
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream));
#else
    return isatty(fileno(stream));
#endif
}

// Whether the last thing on standard error is a bar without a line end.
bool barShown = false;

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void clearBar()
{
    if (barShown)
        write(stderr, QStringLiteral("\r\033[K"));
    barShown = false;
}

// Texts meant for a window's labels: line breaks of rich text, several lines in one.
QString plain(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("<br\\s*/?>")), QStringLiteral("\n"));
    return text.trimmed();
}

void drawBar(const QOperation *operation)
{
    QString line = plain(operation->text()).section(QLatin1Char('\n'), 0, 0);
    if (operation->maximum() > 0) {
        const int done = qBound(0, operation->progress(), operation->maximum());
        const int filled = BarWidth * done / operation->maximum();
        line += QStringLiteral(" [%1%2] %3%")
                    .arg(QString(filled, QLatin1Char('#')),
                         QString(BarWidth - filled, QLatin1Char(' ')))
                    .arg(100 * done / operation->maximum());
    }
    write(stderr, QStringLiteral("\r\033[K") + line);
    barShown = true;
}
} // namespace

namespace console
{
void out(const QString &text)
{
    if (isTerminal(stdout))
        clearBar();
    write(stdout, text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n'));
}

void err(const QString &text)
{
    clearBar();
    write(stderr, plain(text) + QLatin1Char('\n'));
}

void ask(const QString &text)
{
    clearBar();
    write(stderr, plain(text) + QLatin1Char(' '));
}

bool stderrIsTerminal()
{
    return isTerminal(stderr);
}

#ifdef Q_OS_WIN
ConsoleSetup::ConsoleSetup()
    : m_inputCodePage(GetConsoleCP()), m_outputCodePage(GetConsoleOutputCP())
{
    // Everything is written as UTF-8, and the bar moves with escape sequences.
    SetConsoleCP(CP_UTF8);
    SetConsoleOutputCP(CP_UTF8);
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode))
        SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

ConsoleSetup::~ConsoleSetup()
{
    // The console outlives us; leave it as it was.
    if (m_inputCodePage)
        SetConsoleCP(m_inputCodePage);
    if (m_outputCodePage)
        SetConsoleOutputCP(m_outputCodePage);
}
#else
ConsoleSetup::ConsoleSetup() = default;
ConsoleSetup::~ConsoleSetup() = default;
#endif

void watchOperations(QModemSession *session)
{
    QObject::connect(session, &QModemSession::operationStarted, session, [](QOperation *operation) {
        if (stderrIsTerminal()) {
            drawBar(operation);
            QObject::connect(operation, &QOperation::textChanged, operation,
                             [operation] { drawBar(operation); });
            QObject::connect(operation, &QOperation::progressChanged, operation,
                             [operation] { drawBar(operation); });
            QObject::connect(operation, &QOperation::finished, operation, &clearBar);
            return;
        }
        // In a log, each step once.
        err(operation->text());
        QObject::connect(operation, &QOperation::textChanged, operation,
                         [](const QString &text) { err(text); });
    });
}
} // namespace console
