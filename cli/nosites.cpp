// A build without Qt SQL (the Windows build for now) keeps no sites: their commands and
// --site say so instead of pretending to work.
#include "vexoctl.h"

namespace
{
QString noSites()
{
    return QStringLiteral("this build of vexoctl keeps no sites (it lacks Qt SQL)");
}
} // namespace

bool VexoCtl::isSiteCommand(const QString &command)
{
    return command == QLatin1String("sites") || command == QLatin1String("history") ||
           command == QLatin1String("find") || command == QLatin1String("report");
}

void VexoCtl::runSiteCommand()
{
    end(EXIT_FAILED, noSites());
}

void VexoCtl::fileSiteSnapshot(int code, const QString &message)
{
    m_siteFiled = true;
    // The command's own work is done; only the snapshot is missing.
    end(code == EXIT_DONE ? EXIT_FAILED : code,
        message.isEmpty() ? noSites() : message + QLatin1Char('\n') + noSites());
}
