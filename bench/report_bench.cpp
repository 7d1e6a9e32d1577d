// The printed report of a large collection written to PDF: rows a second and peak
// memory. Each size runs in a process of its own, so that the peaks of two sizes show
// whether memory grows with the row count.
//
//   report_bench [ROWS...]                (default: 10000 100000 300000)
//   report_bench --garder DOSSIER ROWS    keeps the collection and the PDF in DOSSIER
#include "Engine.h"
#include "PdfPrinter.h"
#include "ReportWriter.h"
#include "SelectionState.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

using namespace carnelis;

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool makeCollection(const QString &path, int rows)
{
    sqlite3 *raw = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &raw) != SQLITE_OK)
        return false;
    std::unique_ptr<sqlite3, int (*)(sqlite3 *)> db(raw, sqlite3_close);
    if (sqlite3_exec(db.get(),
                     "CREATE TABLE TIMBRES (NUMERO TEXT, DESIGNATION TEXT, COULEUR TEXT, ETAT TEXT, COTE REAL, "
                     "DIVERS TEXT); BEGIN;",
                     nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    sqlite3_stmt *rawStmt = nullptr;
    sqlite3_prepare_v2(db.get(), "INSERT INTO TIMBRES VALUES (?,?,?,?,?,?)", -1, &rawStmt, nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> insert(rawStmt, sqlite3_finalize);
    static const char *designations[] = {"Cérès 10 c",     "Semeuse camée", "Marianne de Gandon", "Type Sage",
                                         "Blason de Lyon", "Pont du Gard",  "Jeanne d'Arc"};
    static const char *colours[] = {"rouge", "bleu", "vert", "bistre", "violet", "brun-lilas"};
    static const char *states[] = {"Neuf", "Oblitéré", "TB", "Sup"};
    for (int i = 1; i <= rows; ++i) {
        const QByteArray numero = QByteArray::number(i);
        sqlite3_bind_text(insert.get(), 1, numero.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert.get(), 2, designations[i % 7], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert.get(), 3, colours[i % 6], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert.get(), 4, states[i % 4], -1, SQLITE_STATIC);
        sqlite3_bind_double(insert.get(), 5, (i % 997) * 0.25);
        if (i % 5 == 0)
            sqlite3_bind_null(insert.get(), 6);
        else
            sqlite3_bind_text(insert.get(), 6, "Coin daté", -1, SQLITE_STATIC);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            return false;
        sqlite3_reset(insert.get());
    }
    return sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The same composition on a device that draws nothing: what the report costs without
// the PDF writer.
class BlankPrinter : public PrinterDevice {
protected:
    FontUsed resolveFont(const FontRequest &request) override
    {
        FontUsed used;
        used.name = request.name;
        used.size = request.size;
        return used;
    }
    bool hasCharacter(QChar) override { return true; }
    double pageHeight() override { return 28.7; }
    double pageWidth() override { return 20.0; }
    void beginDocument() override {}
    void beginPage() override {}
    void drawText(int, double, const QString &) override {}
    void drawLine(double, double, double, double, Rgb) override {}
    void endDocument() override {}
    void abortDocument() override {}
};

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QList<int> sizes;
    QString keep;
    bool alone = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--garder") && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--seul"))
            alone = true;
        else
            sizes << arg.toInt();
    }
    if (sizes.isEmpty())
        sizes = {10000, 100000, 300000};

    if (!alone) {
        // The machine may be shared: processor time tells what the report itself costs.
        out << "| rows | seconds | rows/s | processor seconds | rows/s of processor | PDF size (MiB) | "
               "peak after the query (MiB) | peak memory (MiB) | rows/s of processor without the PDF |\n"
               "|---|---|---|---|---|---|---|---|---|\n";
        out.flush();
        for (const int rows : sizes) {
            QStringList arguments{QStringLiteral("--seul"), QString::number(rows)};
            if (!keep.isEmpty())
                arguments << QStringLiteral("--garder") << keep;
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), arguments);
            if (!child.waitForFinished(-1) || child.exitCode() != 0)
                return 1;
            out << child.readAllStandardOutput();
            out.flush();
        }
        return 0;
    }

    QTemporaryDir temporary;
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    for (const int rows : sizes) {
        const QString base = dir.filePath(QStringLiteral("C%1.MDB").arg(rows));
        if (!makeCollection(base, rows)) {
            std::fprintf(stderr, "cannot build the collection of %d rows\n", rows);
            return 1;
        }
        SelectionState selection;
        selection.NomFichierMdb = QFileInfo(base).fileName();
        selection.NomTable = QStringLiteral("TIMBRES");
        selection.ResumeCriteres = QStringLiteral(" Toutes les lignes.");
        const QString pdf = dir.filePath(QStringLiteral("R%1.pdf").arg(rows));

        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuSeconds();
        DataControl data;
        data.DatabaseName = base;
        data.RecordSource = QStringLiteral("SELECT * FROM TIMBRES ORDER BY NUMERO");
        data.Refresh();
        data.recordset()->MoveLast(); // the whole keyset, as the report's walk will build it
        data.recordset()->setAbsolutePosition(0);
        const long peakAfterQuery = peakKiB();
        PdfPrinter printer(pdf);
        ReportWriter(printer, *data.recordset()).write(selection, QStringLiteral("05/12/2026"));
        printer.EndDoc();
        const double seconds = timer.nsecsElapsed() / 1e9;
        const double cpu = cpuSeconds() - cpuStart;
        const long peakAfterPdf = peakKiB();

        const double blankStart = cpuSeconds();
        data.Refresh();
        BlankPrinter blank;
        ReportWriter(blank, *data.recordset()).write(selection, QStringLiteral("05/12/2026"));
        blank.EndDoc();
        const double blankCpu = cpuSeconds() - blankStart;

        out << "| " << rows << " | " << QString::number(seconds, 'f', 2) << " | "
            << QString::number(rows / seconds, 'f', 0) << " | " << QString::number(cpu, 'f', 2) << " | "
            << QString::number(rows / cpu, 'f', 0) << " | "
            << QString::number(QFileInfo(pdf).size() / 1048576.0, 'f', 1) << " | "
            << QString::number(peakAfterQuery / 1024.0, 'f', 1) << " | "
            << QString::number(peakAfterPdf / 1024.0, 'f', 1) << " | " << QString::number(rows / blankCpu, 'f', 0)
            << " |\n";
        out.flush();
    }
    return 0;
}
