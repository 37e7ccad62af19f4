// The plain driver of a fuzz target: runs LLVMFuzzerTestOneInput once for every file named on
// the command line and for every file of every folder named there (sorted by name, so a replay
// is repeatable). CTest runs it over the committed corpus and the kept regression inputs; a
// fault the fuzzer would report aborts the run here too.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace
{

bool replay(const QString& path, bool verbose)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (verbose)
        std::fprintf(stderr, "replaying %s (%lld bytes)\n", qPrintable(path),
                     qlonglong(bytes.size()));
    // A copy of exactly the input's size, so a read past the end is caught as the fuzzer would.
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(copy.data(), copy.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    bool verbose = qEnvironmentVariableIsSet("QUORNET_REPLAY_VERBOSE");
    int replayed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("-v")) {
            verbose = true;
            continue;
        }
        const QFileInfo info(arg);
        if (info.isDir()) {
            const QFileInfoList files =
                QDir(arg).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
            for (const QFileInfo& f : files) {
                if (f.fileName().startsWith(QLatin1Char('.'))) continue;
                replay(f.filePath(), verbose) ? ++replayed : ++failed;
            }
        } else if (info.isFile()) {
            replay(arg, verbose) ? ++replayed : ++failed;
        } else {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            ++failed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    // Replaying nothing proves nothing: a missing corpus is a failure.
    return failed == 0 && replayed > 0 ? 0 : 1;
}
