#pragma once

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QModemSession;
class QOperation;
class QPropertyWidget;
class QTableWidget;

// Owns the actuator's parameter table: one editor per parameter, the reads and writes
// that move the values between the editors, the actuator image and the actuator, and
// the steps of those transactions.
class QParamController : public QObject
{
    Q_OBJECT
public:
    // Without a table (a program without a window) there are no editors: the values live
    // in the actuator image only.
    QParamController(QModemSession *session, QTableWidget *table, QObject *parent = nullptr);
    ~QParamController() override;

    // Builds the editors; again after a change of language, keeping what each row showed.
    void buildParamTable(bool first);
    // Shows the values of the actuator image: known ones as read, the rest unknown.
    void refreshParamTable();

    int rowCount() const;
    QPropertyWidget *editor(int row) const;
    static QString rowHeader(int row);
    // The work modes by the actuator's numbers, as the mode editor offers them.
    static QStringList workModeNames();
    // The identifiers a running read or write has still to process.
    const QList<quint16> &pending() const { return pendingParams; }
    // Whether the actuator takes value for parameter id, as the editors offer it.
    static bool valueInRange(quint16 id, int value);
    // A value as its editor shows it: a work mode by name, a duration with its unit.
    static QString valueText(quint16 id, int value, const QLocale &locale = QLocale());

    // Reads the parameters ids (every one when empty) as one operation; null when none
    // started (another operation running: said).
    QOperation *readParams(const QList<quint16> &ids);
    // Writes values to the parameters ids as one operation; null when none started.
    QOperation *writeParams(const QList<quint16> &ids, const QList<quint8> &values);

public slots:
    // Each runs as one operation (the version query, the writes, applying or restoring and
    // reading back); they return once it has started.
    void load_exe_device_properties();
    // False when nothing was started (nothing to write, a value missing, another operation).
    bool save_exe_device_properties();
    void set_def_exe_device_properties();
    void apply_restore_exe_device_properties(bool apply);

private:
    // Runs next within operation once the actuator's version is known, asking for it
    // when it is needed; failed runs instead when it could not be read.
    void afterVersion(QOperation *operation, const std::function<void()> &next,
                      const std::function<void()> &failed = {});
    void readPending(QOperation *operation);
    // Reads every parameter back after the actuator changed them by itself.
    void readBack(QOperation *operation, bool checkVersion);
    // The rows to write (asking when none is marked) and their values; false when there
    // is nothing to write or a value is missing, which has been said.
    bool collectWrites(QList<quint8> *values);
    void writePending(QOperation *operation, const QList<quint8> &values,
                      const std::function<void()> &written);
    void applyOrRestore(QOperation *operation, bool apply);
    // The actuator changed its values by itself: the image no longer knows them.
    void forgetValues();
    // No row stays marked as edited once the actuator has replaced the values.
    void unmarkAll();

    QModemSession *m_session;
    QTableWidget *m_table;
    QList<quint16> pendingParams;
    class ReadStep;
    class WriteStep;
    std::unique_ptr<ReadStep> m_readStep;
    std::unique_ptr<WriteStep> m_writeStep;
};
