// libFuzzer harness for the packed HTML container: whatever the bytes, nothing is written
// outside the unpack folder (a sibling marker folder must stay empty).
#include "chartview/KvPackedHTML.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static QTemporaryDir root;
    const QString base = root.path();
    const QString target = base + "/a/b/out";
    QDir(base).removeRecursively();
    QDir().mkpath(target);
    const QString container = base + "/a/container.pkh";
    {
        QFile f(container);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    try {
        UnpackFiles(container, target);
    } catch (const std::exception &) {
    }
    // Everything under base must be the container, the folders on the way, or inside target.
    QDirIterator it(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path == container || path == base + "/a" || path == base + "/a/b" || path == target) continue;
        if (!path.startsWith(target + "/")) std::abort();
    }
    return 0;
}
