// carnelis-snapshot SOURCE.MDB CIBLE.sqlite
// The helper process that reads a genuine Access file for the program. It runs under a
// time and memory limit set by its parent; whatever mdbtools does with a damaged file,
// the worst outcome is this process ending. Its one line of output is the French reason
// of a failure.
#include "JetFile.h"
#include "SnapshotWriter.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace {

int reportFd = STDOUT_FILENO;

void report(const char *text)
{
    const size_t length = std::strlen(text);
    if (write(reportFd, text, length) < 0 || write(reportFd, "\n", 1) < 0)
        return; // nobody to tell
}

// mdbtools prints warnings for damaged pages, possibly thousands of them: they go
// nowhere, so that they never fill a pipe or mix with our own line.
void silenceLibrary()
{
    reportFd = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        close(null);
    }
}

// The values must not depend on the user's settings: the C numeric locale, mdbtools'
// own defaults for the character sets (UTF-8 out, code page 1252 for Jet 3).
void neutralEnvironment()
{
    unsetenv("MDBICONV");
    unsetenv("MDB_ICONV");
    unsetenv("MDB_JET3_CHARSET");
    unsetenv("MDBOPTS");
    setenv("LC_ALL", "C", 1);
    std::setlocale(LC_ALL, "C");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        report("usage : carnelis-snapshot SOURCE.MDB CIBLE.sqlite");
        return 64;
    }
    silenceLibrary();
    neutralEnvironment();
    try {
        carnelis::access::writeSnapshot(argv[1], argv[2]);
        return 0;
    } catch (const carnelis::access::ReadError &e) {
        report(e.what());
    } catch (const std::bad_alloc &) {
        report("sa lecture demande plus de mémoire que permis ; le fichier est sans doute endommagé.");
    } catch (const std::exception &) {
        report("sa lecture a échoué ; le fichier est sans doute endommagé.");
    }
    return 2;
}
