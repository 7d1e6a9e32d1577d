#include "SnapshotProcess.h"

#include "RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace carnelis::access {

namespace {

using Clock = std::chrono::steady_clock;

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
constexpr int execFailed = 127;
// Written by the child when the helper could not be started at all (the dynamic loader
// also ends with 127, for instance when the memory limit is too small).
constexpr char execFailedMark[] = "\x01exec";

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
std::vector<std::string> neutralEnvironment()
{
    std::vector<std::string> env;
    for (char **e = environ; e && *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        if (name.rfind("LC_", 0) == 0 || name == "LANG" || name == "LANGUAGE" || name == "MDBICONV" ||
            name == "MDB_ICONV" || name == "MDB_JET3_CHARSET" || name == "MDBOPTS")
            continue;
        env.push_back(entry);
    }
    env.emplace_back("LC_ALL=C");
    return env;
}

std::vector<char *> pointers(std::vector<std::string> &strings)
{
    std::vector<char *> out;
    for (std::string &s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

class Pipe {
public:
    Pipe()
    {
        if (pipe2(fds_, O_CLOEXEC) != 0)
            throw RuntimeError(err::CannotOpen, QStringLiteral("Impossible de lancer la lecture du fichier Access."));
    }
    ~Pipe()
    {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe &) = delete;
    Pipe &operator=(const Pipe &) = delete;
    int read() const { return fds_[0]; }
    int write() const { return fds_[1]; }
    void closeRead() { closeEnd(0); }
    void closeWrite() { closeEnd(1); }

private:
    void closeEnd(int i)
    {
        if (fds_[i] >= 0)
            ::close(fds_[i]);
        fds_[i] = -1;
    }
    int fds_[2] = {-1, -1};
};

// Only async-signal-safe calls between fork and exec: the parent may have other threads.
[[noreturn]] void execHelper(const char *helper, char *const argv[], char *const envp[], int reportFd,
                             const SnapshotLimits &limits)
{
    dup2(reportFd, STDOUT_FILENO);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDERR_FILENO);
    }
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
    execve(helper, argv, envp);
    if (write(STDOUT_FILENO, execFailedMark, sizeof execFailedMark - 1) < 0)
        _exit(execFailed);
    _exit(execFailed);
}

struct Outcome {
    bool timedOut = false;
    int status = 0;
    QByteArray output;
};

Outcome waitForHelper(pid_t pid, int readFd, int timeoutMs)
{
    Outcome outcome;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto remainingMs = [&] {
        return int(std::max<int64_t>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
    };
    bool open = true;
    while (open) {
        pollfd p{readFd, POLLIN, 0};
        const int ready = poll(&p, 1, remainingMs());
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            outcome.timedOut = true;
            break;
        }
        char buffer[1024];
        const ssize_t n = ::read(readFd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            open = false;
        else if (outcome.output.size() < 4096)
            outcome.output.append(buffer, int(n));
    }
    while (!outcome.timedOut) {
        const pid_t done = waitpid(pid, &outcome.status, WNOHANG);
        if (done == pid)
            return outcome;
        if (done < 0 && errno != EINTR)
            return outcome;
        if (remainingMs() == 0)
            outcome.timedOut = true;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGKILL);
    while (waitpid(pid, &outcome.status, 0) < 0 && errno == EINTR) {
    }
    return outcome;
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
    const QString helper = snapshotHelperPath();
    if (!QFileInfo(helper).isExecutable())
        throw helperMissing();

    std::string helperPath = QFile::encodeName(helper).toStdString();
    std::vector<std::string> args{helperPath, QFile::encodeName(source).toStdString(),
                                  QFile::encodeName(target).toStdString()};
    std::vector<std::string> env = neutralEnvironment();
    std::vector<char *> argv = pointers(args);
    std::vector<char *> envp = pointers(env);

    Pipe pipe;
    const pid_t pid = fork();
    if (pid < 0)
        throw RuntimeError(err::CannotOpen, QStringLiteral("Impossible de lancer la lecture du fichier Access."));
    if (pid == 0)
        execHelper(helperPath.c_str(), argv.data(), envp.data(), pipe.write(), limits);
    pipe.closeWrite();

    const Outcome outcome = waitForHelper(pid, pipe.read(), limits.timeoutMs);
    const int status = outcome.status;
    if (!outcome.timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0 && QFileInfo::exists(target))
        return;

    QFile::remove(target);
    if (outcome.timedOut)
        throw unreadable(source, QStringLiteral("sa lecture dépasse %1 secondes ; il est sans doute endommagé.")
                                     .arg(limits.timeoutMs / 1000));
    if (WIFEXITED(status) && WEXITSTATUS(status) == execFailed && outcome.output.startsWith(execFailedMark))
        throw helperMissing();
    const QString reason = QString::fromUtf8(outcome.output).trimmed();
    if (WIFEXITED(status) && WEXITSTATUS(status) == helperReported && !reason.isEmpty())
        throw unreadable(source, reason);
    // Killed by a signal (crash, memory or processor limit) or ended without a word.
    throw unreadable(source, QStringLiteral("il est endommagé."));
}

} // namespace carnelis::access
