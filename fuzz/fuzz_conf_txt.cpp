// conf.txt as any bytes: read without a crash, every value at most 50 characters.
#include "FuzzSupport.h"

#include "intake/ConfTxt.h"

#include <QFile>

namespace {
QString g_path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    g_path = fuzz::scratchFolder() + QStringLiteral("/conf.txt");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QFile file(g_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fuzz::finding(QStringLiteral("cannot write conf.txt"));
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const std::optional<ConfTxt> conf = readConfTxt(g_path);
    if (!conf) fuzz::finding(QStringLiteral("a readable conf.txt was not read"));
    for (int key = 1; key <= 5; ++key)
        if (const auto value = conf->value(key); value && value->size() > 50)
            fuzz::finding(QStringLiteral("a value longer than 50 characters"));
    return 0;
}
