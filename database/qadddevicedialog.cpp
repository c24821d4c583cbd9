#include "qadddevicedialog.h"

#include "commands.h"
#include "prompts.h"
#include "qmodemsession.h"
#include "qremotesearch.h"
#include "qsearchwaitdialog.h"
#include "remotetable.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
constexpr int NOTHING_HEARD_POLL_MS = 500;
constexpr int REGISTERED_PAUSE_MS = 3000;
constexpr int OWNER_BOX_MIN_WIDTH = 200;
constexpr int HEADING_MARGIN = 6;
} // namespace

QAddDeviceDialog::QAddDeviceDialog(QWidget *parent, const QList<QControlDevice> *devices,
                                   const QStringList &owners, QModemSession *session,
                                   QRemoteSearch *search)
    : QDialog(parent), m_devices(devices), m_session(session), m_search(search)
{
    setWindowTitle(tr("Новый пульт"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel("<h3>" + tr("Мастер добавления новых пультов") + "</h3>", this);
    heading->setMargin(HEADING_MARGIN);
    layout->addWidget(heading);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *grid = new QGridLayout(panel);
    grid->addWidget(new QLabel("<h4>" + tr("Этап") + "</h4>", panel), 0, 0);
    grid->addWidget(new QLabel("<h4>" + tr("Результат") + "</h4>", panel), 0, 3);
    for (QLabel *&result : m_stageResult)
        result = new QLabel(panel);

    auto *listenLabel = new QLabel(tr("Прослушивание"), panel);
    m_address = new QLabel(panel);
    m_address->setObjectName("label_address");
    m_searchButton = new QPushButton(tr("Повторный поиск"), panel);
    m_searchButton->setObjectName("pushButton_search");
    grid->addWidget(listenLabel, 1, 0);
    grid->addWidget(m_address, 1, 1);
    grid->addWidget(m_searchButton, 1, 2);
    grid->addWidget(m_stageResult[STAGE_LISTEN], 1, 3);

    auto *typeLabel = new QLabel(tr("Выбор типа пульта"), panel);
    m_type = new QComboBox(panel);
    m_type->addItems({tr("Обычный режим"), tr("Пешеходный режим")});
    m_typeButton = new QPushButton(tr("Ок"), panel);
    grid->addWidget(typeLabel, 2, 0);
    grid->addWidget(m_type, 2, 1);
    grid->addWidget(m_typeButton, 2, 2);
    grid->addWidget(m_stageResult[STAGE_TYPE], 2, 3);

    auto *ownerLabel = new QLabel(tr("Назначение владельца"), panel);
    m_owner = new QComboBox(panel);
    m_owner->setObjectName("comboBox_owner");
    m_owner->setEditable(true);
    m_owner->setMinimumWidth(OWNER_BOX_MIN_WIDTH);
    // A remote without an owner gives no name to choose.
    QStringList names;
    for (const QString &owner : owners)
        if (!owner.trimmed().isEmpty() && !names.contains(owner))
            names.append(owner);
    m_owner->addItems(names);
    m_owner->setCurrentIndex(-1);
    m_ownerButton = new QPushButton(tr("Применить"), panel);
    m_ownerButton->setObjectName("pushButton_owner");
    grid->addWidget(ownerLabel, 3, 0);
    grid->addWidget(m_owner, 3, 1);
    grid->addWidget(m_ownerButton, 3, 2);
    grid->addWidget(m_stageResult[STAGE_OWNER], 3, 3);
    layout->addWidget(panel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancelButton = new QPushButton(tr("Отмена"), this);
    m_cancelButton->setObjectName("pushButton_cancel");
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);

    m_stageWidgets[STAGE_LISTEN] = {listenLabel, m_address, m_stageResult[STAGE_LISTEN]};
    m_stageWidgets[STAGE_OWNER] = {ownerLabel, m_owner, m_ownerButton, m_stageResult[STAGE_OWNER]};
    m_stageWidgets[STAGE_TYPE] = {typeLabel, m_type, m_typeButton, m_stageResult[STAGE_TYPE]};
    // The remote type is never asked in this program.
    for (QWidget *w : m_stageWidgets[STAGE_TYPE])
        w->hide();

    connect(m_searchButton, &QPushButton::clicked, this, &QAddDeviceDialog::slotStartBtnClicked);
    connect(m_typeButton, &QPushButton::clicked, this, &QAddDeviceDialog::slotTypeBtnClicked);
    connect(m_ownerButton, &QPushButton::clicked, this, &QAddDeviceDialog::slotOwnerBtnClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QAddDeviceDialog::reject);

    // Nothing is passed or failed before the user has done anything.
    for (QLabel *result : m_stageResult)
        result->clear();
    setStage(STAGE_LISTEN);
}

QAddDeviceDialog::~QAddDeviceDialog()
{
    // Closed with a phase still running (the program ends): the line is not left held.
    if (m_phase)
        m_phase->cancel();
}

void QAddDeviceDialog::setStage(int stage)
{
    for (int s = 0; s < STAGE_COUNT; ++s)
        for (QWidget *w : m_stageWidgets[s])
            w->setEnabled(s == stage);
}

void QAddDeviceDialog::setStageResult(int stage, bool ok)
{
    m_stageResult[stage]->setText(ok ? "<font color=#00ff00>" + tr("Завершен") + "</font>"
                                     : "<font color=#ff0000>" + tr("Не пройден") + "</font>");
}

void QAddDeviceDialog::sendSearchMode()
{
    QRS232Message message;
    message.make_short_frame(0, SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, MODEM_MODE_SEARCH, 0,
                             0, 0);
    message.set_answer_code(EXPECTED_STATUS);
    emit signalSendUsartCommand(message);
}

void QAddDeviceDialog::start()
{
    if (!slotStartBtnClicked())
        done(0);
}

bool QAddDeviceDialog::slotStartBtnClicked()
{
    QOperation *phase = m_session->begin(tr("Установка режима работы"), true, true);
    if (phase->outcome() == QOperation::Refused) {
        m_session->prompts()->warning(this, tr("Ошибка"), phase->errorString(), QMessageBox::Ok);
        return false;
    }
    m_phase = phase;
    m_heardValue = -1;
    // Over the wizard once it shows, so that it waits as the window does.
    const QPointer<QSearchWaitDialog> wait =
        new QSearchWaitDialog(isVisible() ? this : parentWidget(), phase, m_session);
    connect(this, &QAddDeviceDialog::signalSetWaitDialogMessage, wait, &QWaitDialog::setText);
    wait->open();
    connect(phase, &QOperation::finished, this, [this, phase, wait] {
        // A remote reported while the user's Cancel waited for the line is not taken.
        const bool heard = phase->succeeded() && !(wait && wait->cancelPending());
        // Queued: a poll answered together with a Cancel is judged before the phase ends.
        QMetaObject::invokeMethod(
            this,
            [this, heard] {
                m_listening = false;
                listeningEnded(heard && m_heardValue != -1);
            },
            Qt::QueuedConnection);
    });
    m_session->proceed(
        phase, TRANSACTION_WIZARD, [this] { sendSearchMode(); },
        [self = QPointer<QAddDeviceDialog>(this), phase](bool ok) {
            if (!ok || !self || !phase || phase->isFinished())
                return;
            self->m_listening = true;
            self->poll(phase);
        });
    return true;
}

void QAddDeviceDialog::listeningEnded(bool heard)
{
    if (!heard) {
        // After a first phase that heard nothing the wizard is never shown.
        if (!isVisible())
            done(0);
        return;
    }
    m_foundId = m_heardValue & QControlDevice::ErasedId;
    m_foundGroup = quint8(quint32(m_heardValue) >> 24);
    m_address->setText(tr("Адрес ") + QString::number(m_foundId));
    setStageResult(STAGE_LISTEN, true);
    setStage(STAGE_OWNER);
    if (!isVisible()) {
        m_typeButton->setFocusProxy(m_owner);
        open();
    }
    m_ownerButton->setFocus();
}

void QAddDeviceDialog::slotRequestFoundDevice()
{
    poll(m_phase);
}

void QAddDeviceDialog::poll(QOperation *phase)
{
    // The search refuses a phase that is no longer the running operation.
    if (m_listening && m_search->poll(phase, [self = QPointer<QAddDeviceDialog>(this)](int heard) {
            if (self)
                self->slotDeviceFound(heard);
        }))
        emit signalSetWaitDialogMessage(tr("Поиск нового пульта... \n Нажмите и удерживайте в "
                                           "течение 4 секунд на пульте кнопку."));
}

void QAddDeviceDialog::requestLater(int ms)
{
    m_session->hold(m_phase);
    QTimer::singleShot(ms, this, [this, phase = m_phase] { poll(phase); });
}

void QAddDeviceDialog::slotDeviceFound(int id)
{
    if (!m_listening || !m_phase)
        return;
    const int remoteId = id & QControlDevice::ErasedId;
    // The erased-record id would end every later read of the table right there.
    if (id == -1 || remoteId == QControlDevice::ErasedId) {
        requestLater(NOTHING_HEARD_POLL_MS);
        return;
    }
    for (const QControlDevice &remote : *m_devices) {
        if (remote.id() == remoteId) {
            emit signalSetWaitDialogMessage(
                tr("Данный пульт уже зарегистрирован на пользователя '") + remote.ownerName() +
                tr("'. Поиск пульта будет автоматически продолжен."));
            requestLater(REGISTERED_PAUSE_MS);
            return;
        }
    }
    m_heardValue = id;
    m_session->complete(m_phase, true);
}

void QAddDeviceDialog::slotOwnerBtnClicked()
{
    const QString text = m_owner->currentText();
    QString refusal;
    if (text.trimmed().isEmpty())
        refusal = tr("Введите имя владельца пульта");
    else if (text.size() > MaxOwnerNameLength)
        refusal = tr("Информация о владельце пульта не должна быть длиннее 59 символов. Текущая "
                     "длина ") +
                  QString::number(text.size()) + ".";
    else
        refusal = ownerNameRefusal(text, m_session->modem().longRecords());
    if (!refusal.isEmpty()) {
        m_session->prompts()->warning(this, tr("Ошибка"), refusal, QMessageBox::Ok);
        return;
    }
    m_ownerName = text;
    setStageResult(STAGE_OWNER, true);
    accept();
}

void QAddDeviceDialog::slotTypeBtnClicked()
{
    m_workMode = quint8(m_type->currentIndex());
    setStageResult(STAGE_TYPE, true);
    setStage(STAGE_OWNER);
}
