#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void startQt() {
    static int argc = 1;
    static char name[] = "etiquetas-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

QString scratchFolder() {
    QString base = qEnvironmentVariable("ETIQUETAS_FUZZ_SCRATCH");
    if (base.isEmpty())
        base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    auto* dir = new QTemporaryDir(base + QStringLiteral("/etiquetas-fuzz-XXXXXX"));
    if (!dir->isValid()) finding(QStringLiteral("no scratch folder"));
    return dir->path();
}

void finding(const QString& what) {
    std::fprintf(stderr, "FINDING: %s\n", what.toUtf8().constData());
    std::abort();
}

} // namespace fuzz
