// A catalogue of 1 000 000 rows end to end: the view opened through the engine and through
// the real table view window (offscreen), jumps to 50 % and to the last row, one filter of
// each kind; wall time, processor time and the peak resident memory of the process, each
// beside plain SQLite on the same file. Every measure runs in a process of its own, so
// that each peak is that road's own.
//
//   scale_bench [--lignes N] [--dossier DIR]
#include "CollectionFile.h"
#include "DialogServices.h"
#include "Engine.h"
#include "FRMGRID.h"
#include "Forms.h"
#include "Recherche.h"
#include "SelectionState.h"
#include "SystemPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <sys/resource.h>

#include "BenchCatalogue.h"
#include <chrono>
#include <cstdio>
#include <ctime>

#include <random>
#include <string>

using namespace carnelis;
using namespace carnelis::bench;

namespace {

// The peak resident memory of this process. Linux carries ru_maxrss across exec, so a
// child started by a parent that built the catalogue would report the parent's peak;
// VmHWM belongs to the process's own memory alone.
long peakKiB()
{
    QFile status("/proc/self/status");
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLong();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Wall and processor clocks, and the process peak, at the end of each step.
class Steps {
public:
    Steps() { restart(); }
    void restart()
    {
        wall_ = std::chrono::steady_clock::now();
        cpu_ = cpuMs();
    }
    void done(const char *name)
    {
        const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall_).count();
        std::printf("%s %.1f %.1f %.1f\n", name, wall, cpuMs() - cpu_, double(peakKiB()) / 1024.0);
        std::fflush(stdout);
        restart();
    }

private:
    static double cpuMs()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
    }
    std::chrono::steady_clock::time_point wall_;
    double cpu_ = 0;
};

void readRows(Recordset &rs, int first)
{
    volatile qsizetype length = 0;
    for (int p = first; p < std::min(rs.RecordCount(), first + 50); ++p)
        for (int c = 0; c < 6; ++c)
            length = length + rs.valueAt(p, c).toDisplayText(QLocale::c()).size();
}

QString queryFor(int condition)
{
    if (condition < 0)
        return unfilteredQuery("COLLECTION");
    const Filter &c = filters[condition];
    SelectionState s;
    s.NomTable = "COLLECTION";
    s.ConditionTri = conditionCaption(c.condition);
    s.CritereTri = QString::fromUtf8(c.criterion);
    QString text;
    Recherche(s, columnNameFor(c.column), text);
    return text;
}

// The engine as the view drives it: open (count and first rows), 50 %, last row.
void engineRoad(const QString &path, int condition)
{
    Steps steps;
    DataControl data;
    data.DatabaseName = path;
    data.RecordSource = queryFor(condition);
    data.Refresh();
    Recordset &rs = *data.recordset();
    readRows(rs, 0);
    steps.done("ouverture");
    if (rs.RecordCount() == 0)
        return;
    rs.setAbsolutePosition(rs.RecordCount() / 2);
    readRows(rs, rs.AbsolutePosition());
    steps.done("milieu");
    rs.MoveLast();
    readRows(rs, rs.AbsolutePosition());
    steps.done("fin");
}

// What a program on plain SQLite would do for the same view: count(*), then pages by
// LIMIT/OFFSET in the same order; the last page by the reversed order.
void sqliteRoad(const QString &path, int condition)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::string where = condition < 0 ? "1" : filters[condition].handWhere;
    auto run = [&](const std::string &sql) {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
        long long first = 0;
        volatile size_t bytes = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            first = sqlite3_column_int64(s, 0);
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                bytes = bytes + size_t(sqlite3_column_bytes(s, c));
        }
        sqlite3_finalize(s);
        return first;
    };
    Steps steps;
    const long long count = run("SELECT count(*) FROM COLLECTION WHERE " + where);
    run("SELECT * FROM COLLECTION WHERE " + where + handOrder + " LIMIT 50");
    steps.done("ouverture");
    run("SELECT * FROM COLLECTION WHERE " + where + handOrder + " LIMIT 50 OFFSET " + std::to_string(count / 2));
    steps.done("milieu");
    run("SELECT * FROM COLLECTION WHERE " + where + " ORDER BY CAST(NUMERO AS INTEGER) DESC, NUMERO DESC LIMIT 50");
    steps.done("fin");
    sqlite3_close(db);
}

// Stands for the desktop: the window must not ask anything on this road.
class SilentDialogs : public DialogServices {
public:
    int MsgBox(const QString &prompt, int, const std::optional<QString> &) override
    {
        std::fprintf(stderr, "message : %s\n", qPrintable(prompt));
        return vb::OK;
    }
    QString InputBox(const QString &) override { return {}; }
    void Beep() override {}
    void SetCursorPos(int, int) override {}
    QString Today() override { return "12-06-2026"; }
    QString AppPath() override { return QDir::currentPath(); }
    bool OpenDocument(const QString &) override { return false; }
};

// The real table view, offscreen: its load, then its 50 % and last-row entries, each step
// ending with the window painted.
void windowRoad(const QString &path)
{
    SelectionState selection;
    SilentDialogs dialogs;
    SystemPrinter printer; // the road never prints
    FormSlot carnelis, chooser, grid;
    AppContext ctx{selection, dialogs, carnelis, chooser, grid, printer};
    grid.setFactory([&ctx] { return std::make_unique<FRMGRID>(ctx); });
    selection.RepertoireMdb = QFileInfo(path).absolutePath();
    selection.NomFichierMdb = QFileInfo(path).fileName();
    selection.NomTable = "COLLECTION";
    selection.ColonneTri = 0;
    selection.ResumeCriteres = " Toutes les lignes";

    Steps steps;
    auto &view = static_cast<FRMGRID &>(grid.Show());
    view.grab();
    steps.done("ouverture");
    view.Milieu->trigger();
    view.grab();
    steps.done("milieu");
    view.Fin->trigger();
    view.grab();
    steps.done("fin");
    grid.Unload();
}

struct Measure {
    double wall = 0, cpu = 0, peak = 0;
};
using Road = std::map<std::string, Measure>;

Road runChild(const QStringList &args)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + "/scale-bench-runtime";
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", runtime);
    }
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), args);
    child.waitForFinished(-1);
    Road road;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() == 4)
            road[f[0].toStdString()] = {f[1].toDouble(), f[2].toDouble(), f[3].toDouble()};
    }
    return road;
}

QString cell(const Road &road, const char *step)
{
    const auto it = road.find(step);
    if (it == road.end())
        return "—";
    return QString::asprintf("%.0f ms (%.0f) · %.0f Mo", it->second.wall, it->second.cpu, it->second.peak);
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList args = [&] {
        QStringList a;
        for (int i = 1; i < argc; ++i)
            a << QString::fromLocal8Bit(argv[i]);
        return a;
    }();
    if (args.value(0) == "--etape") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QLocale::setDefault(QLocale::c());
        const QString road = args.value(1), path = args.value(2);
        const int condition = args.value(3, "-1").toInt();
        if (road == "vide")
            Steps().done("ouverture");
        else if (road == "moteur")
            engineRoad(path, condition);
        else if (road == "sqlite")
            sqliteRoad(path, condition);
        else if (road == "fenetre")
            windowRoad(path);
        return 0;
    }

    QCoreApplication app(argc, argv);
    int rows = 1000000;
    QString folder;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--lignes" && i + 1 < args.size()) {
            rows = args[++i].toInt();
        } else if (args[i] == "--dossier" && i + 1 < args.size()) {
            folder = args[++i];
        } else {
            std::fprintf(stderr, "Utilisation : scale_bench [--lignes N] [--dossier DIR]\n");
            return 2;
        }
    }
    QTemporaryDir dir;
    const QString path = (folder.isEmpty() ? dir.path() : folder) + QStringLiteral("/SCALE%1.MDB").arg(rows);
    if (!QFile::exists(path)) {
        const auto start = std::chrono::steady_clock::now();
        makeCatalogue(path, rows);
        std::fprintf(stderr, "%d lignes créées en %.0f s\n", rows,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    runChild({"--etape", "sqlite", path}); // the file in the system's cache for every road

    const Road empty = runChild({"--etape", "vide", path});
    std::printf("Processus vide (Qt chargé) : %s\n\n", qPrintable(cell(empty, "ouverture")));
    std::printf("Temps réel (temps processeur) · pointe de mémoire résidente du processus (VmHWM), %d lignes.\n\n",
                rows);
    std::printf("| vue | chemin | ouverture | saut à 50 %% | dernière ligne |\n|---|---|---|---|---|\n");
    auto print = [](const QString &view, const char *how, const Road &road) {
        std::printf("| %s | %s | %s | %s | %s |\n", qPrintable(view), how, qPrintable(cell(road, "ouverture")),
                    qPrintable(cell(road, "milieu")), qPrintable(cell(road, "fin")));
        std::fflush(stdout);
    };
    print("toutes les lignes", "fenêtre FRMGRID", runChild({"--etape", "fenetre", path}));
    print("toutes les lignes", "moteur", runChild({"--etape", "moteur", path}));
    print("toutes les lignes", "SQLite seul", runChild({"--etape", "sqlite", path}));
    for (int c = 0; c < int(std::size(filters)); ++c) {
        const QString view =
            (conditionCaption(filters[c].condition) + " " + QString::fromUtf8(filters[c].criterion)).trimmed();
        print(view, "moteur", runChild({"--etape", "moteur", path, QString::number(c)}));
        print(view, "SQLite seul", runChild({"--etape", "sqlite", path, QString::number(c)}));
    }
    return 0;
}
