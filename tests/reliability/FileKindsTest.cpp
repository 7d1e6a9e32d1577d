// Every kind of file the user may hand to carnelis-base, through the real program: each
// command answers, or refuses with a French message and its exit code; never a signal,
// and no file is changed or left behind unless the command was asked to write it.
#include "CollectionFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace carnelis;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The folder's files and their digests: what a command may not change behind the user.
std::map<QString, QByteArray> snapshot(const QString &folder)
{
    std::map<QString, QByteArray> files;
    for (const QFileInfo &i : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        files[i.fileName()] = i.isFile() ? QCryptographicHash::hash(bytesOf(i.filePath()), QCryptographicHash::Sha256)
                                         : QByteArray("dossier");
    return files;
}

struct Outcome {
    bool crashed = false;
    int status = -1;
    QString err;
};

Outcome carnelisBase(const QStringList &args)
{
    QProcess p;
    p.start(CARNELIS_BASE, args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {true, -1, "délai dépassé"};
    }
    return {p.exitStatus() != QProcess::NormalExit, p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

TEST(FileKinds, EveryCommandOnEveryKindOfFileAnswersOrRefusesInFrench)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    auto in = [&](const char *name) { return folder + u'/' + QString::fromLatin1(name); };

    {
        CollectionFile sound(in("BON.MDB"));
        sound.createTable("TIMBRES");
        sound.appendRows("TIMBRES", {{"1", "L'ÉCU", Value(), Value(), 2.5, Value()}});
    }
    const QByteArray sound = bytesOf(in("BON.MDB"));
    QByteArray random(8192, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 251);
    QByteArray jetHeader(4096, '\0');
    jetHeader.replace(4, 15, "Standard Jet DB");
    const QString jetFolder = QStringLiteral(CARNELIS_JET_TESTDATA);
    const QByteArray genuine = bytesOf(jetFolder + "/testV1997.mdb");

    writeBytes(in("TEXTE.MDB"), "NUMERO;DESIGNATION\n1;Écu\n");
    writeBytes(in("HASARD.MDB"), random);
    writeBytes(in("VIDE.MDB"), {});
    writeBytes(in("TRONQUE.MDB"), sound.left(sound.size() - 100));
    writeBytes(in("ENTETE.MDB"), sound.left(100));
    writeBytes(in("JETFAUX.MDB"), jetHeader);
    writeBytes(in("LECTURE.MDB"), sound);
    QFile::setPermissions(in("LECTURE.MDB"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QDir(folder).mkdir("DOSSIER.MDB");
    QStringList files = {"BON.MDB",    "TEXTE.MDB",   "HASARD.MDB",  "VIDE.MDB",    "TRONQUE.MDB",
                         "ENTETE.MDB", "JETFAUX.MDB", "LECTURE.MDB", "DOSSIER.MDB", "ABSENT.MDB"};
    if (!genuine.isEmpty()) {
        writeBytes(in("ACCESS.MDB"), genuine);
        writeBytes(in("ACCESS_TRONQUE.MDB"), genuine.left(genuine.size() / 3));
        files << "ACCESS.MDB"
              << "ACCESS_TRONQUE.MDB";
    }

    int answered = 0, refused = 0;
    for (const QString &name : files) {
        const QString file = folder + u'/' + name;
        const struct {
            QStringList args;
            bool writes;    // asked to write the file itself, which only a sound writable or new file allows
            QString output; // a file the command is asked to make
        } commands[] = {
            {{"tables", file}, false, {}},
            {{"requete", file, "SELECT * FROM TIMBRES WHERE DESIGNATION = 'l''écu'"}, false, {}},
            {{"filtre", file, "TIMBRES", "--colonne", "2", "--condition", "Contient", "--critere", "'"}, false, {}},
            {{"rapport", file, "TIMBRES", folder + "/SORTIE.pdf"}, false, "SORTIE.pdf"},
            {{"importer", file, folder + "/CIBLE.MDB"}, false, "CIBLE.MDB"},
            {{"nouvelle", file, "AUTRE"}, true, {}},
        };
        for (const auto &c : commands) {
            const bool mayWrite = c.writes && (name == "BON.MDB" || name == "ABSENT.MDB");
            const auto before = snapshot(folder);
            const Outcome o = carnelisBase(c.args);
            const std::string context =
                (c.args.value(0) + u' ' + name + " → " + QString::number(o.status) + ' ' + o.err.trimmed())
                    .toStdString();
            ASSERT_FALSE(o.crashed) << context;
            auto after = snapshot(folder);
            if (o.status == 0) {
                ++answered;
                if (!c.output.isEmpty()) {
                    EXPECT_TRUE(after.count(c.output)) << context;
                    after.erase(c.output);
                    QFile::remove(folder + u'/' + c.output);
                }
                EXPECT_EQ(c.writes, mayWrite) << "wrote a file it may not write: " << context;
                if (mayWrite) { // the one change asked for
                    if (before.count(name))
                        after[name] = before.at(name);
                    else
                        after.erase(name);
                }
            } else {
                ++refused;
                EXPECT_TRUE(o.status == 1 || o.status == 2) << context;
                EXPECT_FALSE(o.err.trimmed().isEmpty()) << context;
                EXPECT_FALSE(o.err.contains("3000")) << "the engine's raw failure: " << context;
            }
            EXPECT_EQ(after, before) << context;
            // The next command finds the folder as this one did.
            for (const auto &[entry, digest] : snapshot(folder))
                if (!before.count(entry))
                    QDir(folder + u'/' + entry).exists() ? void(QDir(folder + u'/' + entry).removeRecursively())
                                                         : void(QFile::remove(folder + u'/' + entry));
        }
    }
    EXPECT_GT(answered, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
