#include "HelpPage.h"

#include "MainTexts.h"

#include <QDir>
#include <QFileInfo>

namespace carnelis::shell {

QString helpPagePath(const QString &programFolder)
{
    const QString beside = programFolder + helpFileName();
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral(CARNELIS_DATA_FROM_BIN "/") + helpFileName());
    return QFileInfo(installed).isFile() ? installed : beside;
}

} // namespace carnelis::shell
