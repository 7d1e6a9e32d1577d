#include "TestFiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

namespace carnelis::test {

QByteArray digestOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

RuntimeError thrownBy(const std::function<void()> &action)
{
    try {
        action();
    } catch (const RuntimeError &e) {
        return e;
    }
    ADD_FAILURE() << "no RuntimeError was thrown";
    return RuntimeError(0, QString());
}

} // namespace carnelis::test
