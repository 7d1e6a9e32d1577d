#include "SnapshotProcess.h"

#include "RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

namespace carnelis::access {

namespace {

constexpr int helperReported = 2; // the helper's exit code when it explains itself

// A helper built with AddressSanitizer reserves terabytes of address space for its shadow
// memory before main: under an address-space limit it could not even start.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool limitAddressSpace = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool limitAddressSpace = false;
#else
constexpr bool limitAddressSpace = true;
#endif
#else
constexpr bool limitAddressSpace = true;
#endif
QString displayName(const QString &path) { return QFileInfo(path).fileName(); }

RuntimeError unreadable(const QString &source, const QString &reason)
{
    return RuntimeError(
        err::NotADatabase,
        QStringLiteral("Le fichier Access « %1 » n'a pas pu être lu : %2").arg(displayName(source), reason));
}

RuntimeError helperMissing()
{
    return RuntimeError(err::CannotOpen, QStringLiteral("Le programme de lecture des fichiers Access "
                                                        "(carnelis-snapshot) est introuvable : réinstallez CARNELIS."));
}

// The helper's environment: the user's, without what would change how mdbtools reads
// characters and numbers.
QProcessEnvironment neutralEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : env.keys())
        if (name.startsWith(QLatin1String("LC_")) || name == QLatin1String("LANG") ||
            name == QLatin1String("LANGUAGE") || name == QLatin1String("MDBICONV") ||
            name == QLatin1String("MDB_ICONV") || name == QLatin1String("MDB_JET3_CHARSET") ||
            name == QLatin1String("MDBOPTS"))
            env.remove(name);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    return env;
}

// Runs in the child between fork and exec: only async-signal-safe calls, since the
// parent may have other threads.
void limitChild(const SnapshotLimits &limits)
{
    if (limitAddressSpace) {
        const rlimit memory{rlim_t(limits.memoryBytes), rlim_t(limits.memoryBytes)};
        setrlimit(RLIMIT_AS, &memory);
    }
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    // A second guard should the parent itself be stopped while waiting.
    const rlim_t cpuSeconds = rlim_t(limits.timeoutMs) / 1000 + 5;
    const rlimit cpu{cpuSeconds, cpuSeconds};
    setrlimit(RLIMIT_CPU, &cpu);
}

} // namespace

QString snapshotHelperPath()
{
    if (!QCoreApplication::instance())
        return QStringLiteral(CARNELIS_SNAPSHOT_HELPER);
    const QString programFolder = QCoreApplication::applicationDirPath();
    // Beside the program in the build tree; the installed layout is found relative to the
    // program, so that a package unpacked anywhere finds its own helper.
    for (const QString &folder :
         {programFolder, QDir::cleanPath(programFolder + QStringLiteral("/" CARNELIS_HELPER_FROM_BIN))}) {
        const QString candidate = folder + QStringLiteral("/carnelis-snapshot");
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    // The helper of the build tree serves that tree's programs only (the test programs
    // stand in a folder of their own): an installed program never runs a stray build.
    const QString buildTree = QStringLiteral(CARNELIS_BUILD_TREE);
    if (programFolder == buildTree || programFolder.startsWith(buildTree + u'/'))
        return QStringLiteral(CARNELIS_SNAPSHOT_HELPER);
    return programFolder + QStringLiteral("/carnelis-snapshot");
}

void runSnapshotHelper(const QString &source, const QString &target, const SnapshotLimits &limits)
{
    const QString helperPath = snapshotHelperPath();
    if (!QFileInfo(helperPath).isExecutable())
        throw helperMissing();

    QProcess helper;
    helper.setProgram(helperPath);
    helper.setArguments({source, target});
    helper.setProcessEnvironment(neutralEnvironment());
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.setChildProcessModifier([limits] { limitChild(limits); });
    helper.start();
    if (!helper.waitForStarted())
        throw helperMissing();

    const bool timedOut = !helper.waitForFinished(limits.timeoutMs);
    if (timedOut) {
        helper.kill();
        helper.waitForFinished();
    }
    if (!timedOut && helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0 && QFileInfo::exists(target))
        return;

    QFile::remove(target);
    if (timedOut)
        throw unreadable(source, QStringLiteral("sa lecture dépasse %1 secondes ; il est sans doute endommagé.")
                                     .arg(limits.timeoutMs / 1000));
    const QString reason = QString::fromUtf8(helper.readAllStandardOutput().left(4096)).trimmed();
    if (helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == helperReported && !reason.isEmpty())
        throw unreadable(source, reason);
    // Killed by a signal (crash, memory or processor limit) or ended without a word.
    throw unreadable(source, QStringLiteral("il est endommagé."));
}

} // namespace carnelis::access
