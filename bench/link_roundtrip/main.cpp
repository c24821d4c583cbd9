// Round trips through the interface manager to a peer that paces its output like a
// 4800-baud line: how far the link is from what the wire allows.
#include "benchmode.h"
#include "ptychannel.h"
#include "qinterface_manager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    const bool quick = takeShortFlag(argc, argv);
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : quick ? 10 : 40;
    constexpr int baud = 4800;

    PtyChannel peer;
    if (!peer.open()) {
        fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(peer.errorString()));
        return 1;
    }
    if (!quick)
        peer.setPacing(baud);

    // One 64-byte remote record as the answer to every request.
    QRS232Message answer;
    const QByteArray record(64, 'R');
    answer.make_data_frame(0x3109, 0, record.constData(), int(record.size()));
    const QByteArray answerWire = LinkCodec::escape(answer.frame());

    qint64 wireBytes = 0;
    QByteArray pending;
    QObject::connect(&peer, &PtyChannel::received, [&](const QByteArray &b) {
        wireBytes += b.size();
        pending += b;
        // Every request is a complete 11-byte data frame (plus escapes); answer each one.
        while (pending.size() >= 11) {
            pending.clear();
            peer.write(answerWire);
            wireBytes += answerWire.size();
        }
    });

    QInterface_Manager manager;
    QSignalSpy status(&manager, &QInterface_Manager::signal_interface_status);
    manager.set_port(peer.slavePath(), baud, 0);
    manager.start_interface();
    if (!status.wait(3000) || !status.first().first().toBool()) {
        fprintf(stderr, "cannot open %s\n", qPrintable(peer.slavePath()));
        return 1;
    }

    int done = 0;
    int lost = 0;
    QElapsedTimer clock;
    auto sendNext = [&] {
        QRS232Message request;
        request.make_data_frame(0x0403, 0, nullptr, 0);
        request.set_answer_code(1);
        manager.send_command(request);
    };
    QObject::connect(&manager, &QInterface_Manager::signal_proc_incoming_message, [&] {
        if (++done == count)
            app.quit();
        else
            QTimer::singleShot(0, &manager, sendNext);
    });
    QObject::connect(&manager, &QInterface_Manager::signal_ack_timeout, [&] {
        ++lost;
        app.quit();
    });

    clock.start();
    sendNext();
    app.exec();
    const double elapsed = clock.nsecsElapsed() / 1e9;
    manager.stop_interface();

    const double wire = wireBytes * 10.0 / baud;
    printf("exchanges:        %d%s\n", done, lost ? " (stopped by a time-out)" : "");
    printf("elapsed:          %.3f s (%.1f ms per exchange)\n", elapsed,
           1000 * elapsed / qMax(1, done));
    printf("wire lower bound: %.3f s (%lld bytes both ways, 10 bits a byte at %d baud)\n", wire,
           wireBytes, baud);
    printf("ratio:            %.2f\n", elapsed / wire);
    return lost || done != count ? 1 : 0;
}
