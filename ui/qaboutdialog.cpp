#include "qaboutdialog.h"

#include "mainwindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace
{
const char ProgramLicenceUrl[] = "https://www.gnu.org/licenses/gpl-3.0.html";
const char QtLicenceUrl[] = "https://www.gnu.org/licenses/lgpl-3.0.html";

QString link(const char *url, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(QLatin1String(url), text.toHtmlEscaped());
}
} // namespace

QAboutDialog::QAboutDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("О программе"));

    auto *icon = new QLabel(this);
    icon->setPixmap(QIcon(":/images/app.ico").pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    m_heading = new QLabel(this);
    m_heading->setObjectName("aboutHeading");
    m_heading->setText("<h2>Vexo Control Tool " + MainWindow::versionText() + "</h2>");

    m_body = new QLabel(this);
    m_body->setObjectName("aboutText");
    m_body->setWordWrap(true);
    m_body->setOpenExternalLinks(true);
    m_body->setTextInteractionFlags(Qt::TextBrowserInteraction);
    QStringList paragraphs;
    paragraphs << tr("Настройка приводов ворот и рольставней через USB-stick: таблица пультов "
                     "в USB-stick и исполнительном устройстве, параметры устройства, пароль "
                     "администратора, обновление прошивки.")
                      .toHtmlEscaped();
    paragraphs << tr("Работает на Qt %1 (собрана с Qt %2).")
                      .arg(QLatin1String(qVersion()), QLatin1String(QT_VERSION_STR))
                      .toHtmlEscaped();
    paragraphs << QStringLiteral("Copyright © 2026 Vexo Electronics");
    paragraphs << tr("Программа распространяется на условиях %1, версии 3 или более поздней, "
                     "без каких-либо гарантий.")
                      .arg(link(ProgramLicenceUrl, "GNU General Public License"));
    paragraphs << tr("Qt — библиотека The Qt Company Ltd., используется на условиях %1 версии 3.")
                      .arg(link(QtLicenceUrl, "GNU Lesser General Public License"));
    m_body->setText("<p>" + paragraphs.join("</p><p>") + "</p>");

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *texts = new QVBoxLayout;
    texts->addWidget(m_heading);
    texts->addWidget(m_body);
    texts->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

QString QAboutDialog::text() const
{
    return QTextDocumentFragment::fromHtml(m_heading->text()).toPlainText() + "\n" +
           QTextDocumentFragment::fromHtml(m_body->text()).toPlainText();
}
