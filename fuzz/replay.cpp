// Runs a fuzz target once over files and directories of inputs, without libFuzzer: the
// seed corpora become regression tests of the ordinary build.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace
{
int runFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray data = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()),
                           size_t(data.size()));
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int failures = 0;
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo info(QString::fromLocal8Bit(argv[i]));
        if (info.isDir()) {
            const QFileInfoList files =
                QDir(info.filePath()).entryInfoList(QDir::Files, QDir::Name);
            if (files.isEmpty()) {
                std::fprintf(stderr, "no inputs in %s\n", argv[i]);
                ++failures;
            }
            for (const QFileInfo &f : files) {
                failures += runFile(f.filePath());
                ++inputs;
            }
        } else {
            failures += runFile(info.filePath());
            ++inputs;
        }
    }
    std::printf("%d inputs run, %d unreadable\n", inputs, failures);
    std::fflush(stdout);
#if defined(__SANITIZE_ADDRESS__)
    // Leaks are judged while the target's statics (an application, a rig) still hold what
    // they own: Qt frees its font caches only after the check at exit would have run.
    __lsan_do_leak_check();
#endif
    std::_Exit(failures == 0 && inputs > 0 ? 0 : 1);
}
