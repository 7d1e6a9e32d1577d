#include "CupsPaper.h"

#include <QLibrary>
#include <QStringList>

namespace carnelis {

namespace {
// The few libcups declarations used, as its stable C interface gives them.
struct CupsOption {
    char *name;
    char *value;
};
struct CupsDest {
    char *name;
    char *instance;
    int isDefault;
    int numOptions;
    CupsOption *options;
};
using GetDests = int (*)(CupsDest **);
using FreeDests = void (*)(int, CupsDest *);
using GetOption = const char *(*)(const char *, int, CupsOption *);
} // namespace

CupsReadiness readinessFromCups(const QString &printerState, const QString &stateReasons)
{
    const QStringList reasons = stateReasons.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &reason : reasons) {
        const QString r = reason.trimmed();
        if (r.startsWith(QLatin1String("media-empty")) || r.startsWith(QLatin1String("media-needed")))
            return CupsReadiness::OutOfPaper;
    }
    // IPP printer-state: 3 idle, 4 processing, 5 stopped.
    if (printerState.trimmed() == QLatin1String("5"))
        return CupsReadiness::Stopped;
    return CupsReadiness::Ready;
}

CupsReadiness cupsReadiness(const QString &printerName)
{
    QLibrary cups(QStringLiteral("cups"), 2);
    auto getDests = reinterpret_cast<GetDests>(cups.resolve("cupsGetDests"));
    auto freeDests = reinterpret_cast<FreeDests>(cups.resolve("cupsFreeDests"));
    auto getOption = reinterpret_cast<GetOption>(cups.resolve("cupsGetOption"));
    if (!getDests || !freeDests || !getOption)
        return CupsReadiness::Unknown;

    CupsDest *dests = nullptr;
    const int count = getDests(&dests);
    CupsReadiness readiness = CupsReadiness::Unknown;
    const QByteArray name = printerName.toUtf8();
    for (int i = 0; i < count; ++i) {
        if (name != dests[i].name)
            continue;
        const char *state = getOption("printer-state", dests[i].numOptions, dests[i].options);
        const char *reasons = getOption("printer-state-reasons", dests[i].numOptions, dests[i].options);
        readiness = readinessFromCups(QString::fromUtf8(state ? state : ""), QString::fromUtf8(reasons ? reasons : ""));
        break;
    }
    freeDests(count, dests);
    return readiness;
}

} // namespace carnelis
