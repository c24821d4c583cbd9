#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QModemSession;
class QPropertyWidget;
class QTableWidget;

// Owns the actuator's parameter table: one editor per parameter, the reads and writes
// that move the values between the editors, the actuator image and the actuator, and
// the steps of those transactions.
class QParamController : public QObject
{
    Q_OBJECT
public:
    QParamController(QModemSession *session, QTableWidget *table, QObject *parent = nullptr);
    ~QParamController() override;

    // Builds the editors; again after a change of language, which leaves every row
    // unmarked and unknown until the next read.
    void buildParamTable(bool first);
    // Shows the values of the actuator image: known ones as read, the rest unknown.
    void refreshParamTable();

    int rowCount() const;
    QPropertyWidget *editor(int row) const;
    static QString rowHeader(int row);
    // The identifiers a running read or write has still to process.
    const QList<quint16> &pending() const { return pendingParams; }

public slots:
    void load_exe_device_properties();
    bool save_exe_device_properties();
    void set_def_exe_device_properties();
    void apply_restore_exe_device_properties(bool apply);

private:
    void register_steps();
    // False when the version is needed, unknown, and could not be read.
    bool ensure_device_version();
    void read_pending();
    // Reads every parameter back after the actuator changed them by itself.
    void read_back(bool checkVersion);
    // The actuator changed its values by itself: the image no longer knows them.
    void forget_values();

    QModemSession *m_session;
    QTableWidget *m_table;
    QList<quint16> pendingParams;
};
