// How the engine compares with plain SQLite on the same file in the same run: opening a
// filtered view (query, RecordCount, first 50 rows), reading 50 rows at a random
// position, and the memory the opening takes.
//
//   carnelis-bench                  10 000 and 100 000 rows
//   carnelis-bench --million        the same, then 1 000 000 rows
//   carnelis-bench --lignes 5000    any list of sizes, separated by commas
//   carnelis-bench --dossier DIR    keeps the generated files in DIR and reuses them
#include "CollectionFile.h"
#include "Engine.h"
#include "KeysetRecordset.h"
#include "Recherche.h"
#include "SelectionState.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>

#include "BenchCatalogue.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <random>
#include <string>

using namespace carnelis;
using namespace carnelis::bench;

namespace {

using Clock = std::chrono::steady_clock;

// Processor time of the process, not the wall clock: the figures must not depend on what
// else the machine is doing meanwhile.
struct CpuClock {
    using time_point = double;
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
    }
};

double msSince(double start) { return CpuClock::now() - start; }
double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double open = 0, handOpen = 0, jump = 0, page = 0, handPage = 0;
    double peakMb = 0, keysetBytesPerRow = 0;
    int count = 0, handCount = 0;
};

class HandWritten {
public:
    explicit HandWritten(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr);
    }
    ~HandWritten() { sqlite3_close(db_); }

    // count(*), then the first 50 rows, as a program without a keyset would.
    int open(const std::string &where)
    {
        int count = int(scalar("SELECT count(*) FROM COLLECTION WHERE " + where));
        rows("SELECT * FROM COLLECTION WHERE " + where + handOrder + " LIMIT 50");
        return count;
    }
    void page(const std::string &where, int offset)
    {
        rows("SELECT * FROM COLLECTION WHERE " + where + handOrder + " LIMIT 50 OFFSET " + std::to_string(offset));
    }

private:
    long long scalar(const std::string &sql)
    {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr);
        sqlite3_step(s);
        const long long v = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        return v;
    }
    void rows(const std::string &sql)
    {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr);
        volatile size_t bytes = 0;
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0; c < 6; ++c)
                bytes = bytes + size_t(sqlite3_column_bytes(s, c));
        sqlite3_finalize(s);
    }
    sqlite3 *db_ = nullptr;
};

void readRows(Recordset &rs, int first, int count)
{
    volatile int length = 0;
    for (int p = first; p < std::min(rs.RecordCount(), first + count); ++p)
        for (int c = 0; c < 6; ++c)
            length = length + int(rs.valueAt(p, c).toDisplayText(QLocale::c()).size());
}

bool engineOnly = false; // --moteur-seul, for profiling the engine alone

Figures measure(Database &db, HandWritten &hand, const Filter &c, bool withCote, int rows, std::mt19937 &dice)
{
    SelectionState s;
    s.NomTable = "COLLECTION";
    s.ConditionTri = conditionCaption(c.condition);
    s.CritereTri = QString::fromUtf8(c.criterion);
    s.OperateurCote = withCote ? " > " : "";
    s.ValeurCote = 150.0f;
    QString text;
    Recherche(s, columnNameFor(c.column), text);
    std::string where = c.handWhere;
    if (withCote)
        where = "(" + where + ") AND COTE > 150";

    Figures f;
    const int repeats = rows >= 1000000 ? 1 : rows >= 100000 ? 3 : 7;
    std::vector<double> opens, hands;
    std::unique_ptr<Recordset> rs;
    for (int r = 0; r < repeats; ++r) {
        rs.reset();
        sqlite3_memory_highwater(1);
        auto start = CpuClock::now();
        rs = db.OpenRecordset(text);
        f.count = rs->RecordCount();
        readRows(*rs, 0, 50);
        opens.push_back(msSince(start));
        f.peakMb = std::max(f.peakMb, double(sqlite3_memory_highwater(1)) / 1048576.0);

        start = CpuClock::now();
        f.handCount = engineOnly ? f.count : hand.open(where);
        hands.push_back(msSince(start));
    }
    std::sort(opens.begin(), opens.end());
    std::sort(hands.begin(), hands.end());
    f.open = opens[opens.size() / 2];
    f.handOpen = hands[hands.size() / 2];

    // The first jump past the first page builds the whole keyset; its memory is SQLite's
    // own at its peak (page cache included) plus the in-memory sort.
    if (f.count > 0) {
        sqlite3_memory_highwater(1);
        const auto start = CpuClock::now();
        rs->setAbsolutePosition(f.count / 2);
        f.jump = msSince(start);
        const auto &keysetRs = static_cast<KeysetRecordset &>(*rs);
        const double keyset = double(keysetRs.keysetBytes());
        // The in-memory sort holds the keyset too at its peak; without ORDER BY only the
        // keyset is allocated.
        const double sort = std::max(double(keysetRs.sortPeakBytes()), keyset);
        f.peakMb = std::max(f.peakMb, (double(sqlite3_memory_highwater(1)) + sort) / 1048576.0);
        f.keysetBytesPerRow = keyset / f.count;
    }

    // Random pages: each at a position no page read so far has touched.
    const int pages = 20, handPages = rows >= 1000000 ? 2 : 5;
    if (f.count > 50) {
        std::uniform_int_distribution<int> at(0, f.count - 50);
        auto start = CpuClock::now();
        for (int i = 0; i < pages; ++i)
            readRows(*rs, at(dice), 50);
        f.page = msSince(start) / pages;
        start = CpuClock::now();
        for (int i = 0; i < handPages && !engineOnly; ++i)
            hand.page(where, at(dice));
        f.handPage = msSince(start) / handPages;
    }
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes = {10000, 100000};
    QString folder;
    int only = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--million") {
            sizes.push_back(1000000);
        } else if (a == "--lignes" && i + 1 < argc) {
            sizes.clear();
            for (const QString &n : QString::fromLatin1(argv[++i]).split(u','))
                sizes.push_back(n.toInt());
        } else if (a == "--moteur-seul") {
            engineOnly = true;
        } else if (a == "--condition" && i + 1 < argc) {
            only = std::atoi(argv[++i]);
        } else if (a == "--dossier" && i + 1 < argc) {
            folder = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(
                stderr,
                "Utilisation : carnelis-bench [--million] [--lignes N,N,...] [--dossier DIR] [--condition 0-9]\n");
            return 2;
        }
    }

    QTemporaryDir dir;
    std::mt19937 dice(99);
    std::printf("Temps processeur en ms, médiane ; « à la main » : count(*) puis les 50 premières lignes "
                "(LIMIT 50), et la page par LIMIT 50 OFFSET.\n\n");
    std::printf("| lignes | condition | COTE | trouvées | ouverture | à la main | rapport | premier saut | page | "
                "page à la main | pointe Mo | keyset o/ligne |\n");
    std::printf("|---:|---|:-:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int rows : sizes) {
        const QString name = QStringLiteral("BENCH%1.MDB").arg(rows);
        const QString path = folder.isEmpty() ? dir.filePath(name) : folder + u'/' + name;
        if (!QFile::exists(path)) {
            auto start = Clock::now();
            makeCatalogue(path, rows);
            std::fprintf(stderr, "%d lignes créées en %.0f ms\n", rows, msSince(start));
        }
        auto db = DBEngine::OpenDatabase(path);
        HandWritten hand(path);
        hand.open("1"); // the file in the system's cache for both
        for (const Filter &c : filters) {
            if (only >= 0 && &c != &filters[only])
                continue;
            for (bool withCote : {false, true}) {
                const Figures f = measure(*db, hand, c, withCote, rows, dice);
                if (f.count != f.handCount)
                    std::fprintf(stderr, "écart de comptage : %s %d contre %d\n", definitionOf(c.condition).caption,
                                 f.count, f.handCount);
                std::printf("| %d | %s | %s | %d | %.1f | %.1f | %.2f | %.1f | %.3f | %.1f | %.1f | %.1f |\n", rows,
                            definitionOf(c.condition).caption, withCote ? "> 150" : "—", f.count, f.open, f.handOpen,
                            f.open / f.handOpen, f.jump, f.page, f.handPage, f.peakMb, f.keysetBytesPerRow);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
