#include "qadddevicedialog.h"

#include "commands.h"
#include "prompts.h"
#include "qmodemsession.h"
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
                                   const QStringList &owners, QModemSession *session)
    : QDialog(parent), m_devices(devices), m_session(session)
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
    m_owner->addItems(owners);
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

    for (int stage = 0; stage < STAGE_COUNT; ++stage)
        setStageResult(stage, false);
    setStage(STAGE_LISTEN);
}

QAddDeviceDialog::~QAddDeviceDialog() = default;

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

void QAddDeviceDialog::slotCommandTimeout()
{
    emit signalNoAnswer();
}

void QAddDeviceDialog::slotBadAnswer()
{
    emit signalBadAnswer();
}

void QAddDeviceDialog::slotGoodAnswer()
{
    emit signalGoodAnswer();
}

bool QAddDeviceDialog::runWaitDialog(QSearchWaitDialog *dialog,
                                     void (QAddDeviceDialog::*sendFirst)())
{
    return m_session->runTransaction(dialog, TRANSACTION_WIZARD, [&] { (this->*sendFirst)(); });
}

void QAddDeviceDialog::sendSearchMode()
{
    QRS232Message message;
    message.make_short_frame(0, SHORT_CLASS_COMMAND, CMD_SET_MODEM_MODE >> 8, MODEM_MODE_SEARCH, 0,
                             0, 0);
    message.set_answer_code(EXPECTED_STATUS);
    emit signalSendUsartCommand(message);
}

bool QAddDeviceDialog::slotStartBtnClicked()
{
    ++m_phase;
    QSearchWaitDialog wait(parentWidget(), tr("Установка режима работы"),
                           m_session->interfaceManager());
    connect(this, &QAddDeviceDialog::signalGoodAnswer, &wait, &QWaitDialog::accept);
    connect(this, &QAddDeviceDialog::signalNoAnswer, &wait, &QWaitDialog::systemReject);
    connect(this, &QAddDeviceDialog::signalBadAnswer, &wait, &QWaitDialog::systemReject);
    connect(this, &QAddDeviceDialog::signalSetWaitDialogMessage, &wait, &QWaitDialog::setText);
    if (!runWaitDialog(&wait, &QAddDeviceDialog::sendSearchMode))
        return false;

    disconnect(this, &QAddDeviceDialog::signalGoodAnswer, &wait, nullptr);
    connect(this, &QAddDeviceDialog::signalDeviceFound, &wait, &QWaitDialog::accept);
    m_heardValue = -1;
    m_listening = true;
    // Only a remote heard ends the phase well; a plain acknowledgement would also
    // accept the dialog.
    const bool heard =
        runWaitDialog(&wait, &QAddDeviceDialog::slotRequestFoundDevice) && m_heardValue != -1;
    m_listening = false;
    if (!heard)
        return false;

    m_foundId = m_heardValue & QControlDevice::ErasedId;
    m_foundGroup = quint8(quint32(m_heardValue) >> 24);
    m_address->setText(tr("Адрес ") + QString::number(m_foundId));
    setStageResult(STAGE_LISTEN, true);
    setStage(STAGE_OWNER);
    m_ownerButton->setFocus();
    return true;
}

void QAddDeviceDialog::slotRequestFoundDevice()
{
    if (!m_listening)
        return;
    emit signalSetWaitDialogMessage(
        tr("Поиск нового пульта... \n Нажмите и удерживайте в течение 4 секунд на пульте кнопку."));
    QRS232Message message;
    message.make_data_frame(CMD_GET_FOUND_REMOTE, TARGET_DEVICE, nullptr, 0);
    message.set_answer_code(EXPECTED_STATUS);
    emit signalSendUsartCommand(message);
}

void QAddDeviceDialog::requestLater(int ms)
{
    const int phase = m_phase;
    QTimer::singleShot(ms, this, [this, phase] {
        if (phase == m_phase)
            slotRequestFoundDevice();
    });
}

void QAddDeviceDialog::slotDeviceFound(int id)
{
    if (!m_listening)
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
    emit signalDeviceFound();
}

void QAddDeviceDialog::slotOwnerBtnClicked()
{
    const QString text = m_owner->currentText();
    QString refusal;
    if (text.size() > MaxOwnerNameLength)
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

int QAddDeviceDialog::exec()
{
    if (!slotStartBtnClicked())
        return 0;
    m_typeButton->setFocusProxy(m_owner);
    m_owner->setFocus();
    return QDialog::exec();
}
