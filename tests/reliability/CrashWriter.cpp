// The child of the crash test: a stream of edits, additions and deletions through the
// engine on one collection, until it is killed. Before each change it writes one line
// saying what it is about to do ("B ..."), and one line ("D") once the call that stores it
// has returned, straight to the pipe (no buffering), so that the parent knows at the
// moment of the kill which changes were reported written and which one was in flight.
//
//   crash_writer FILE TABLE SEED FIRST_SEQUENCE
#include "Engine.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>

using namespace carnelis;

namespace {

void say(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) != bytes.size())
        std::_Exit(3); // the parent is gone
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: crash_writer FILE TABLE SEED FIRST_SEQUENCE\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString table = QString::fromLocal8Bit(argv[2]);
    std::mt19937 random(unsigned(std::strtoul(argv[3], nullptr, 10)));
    long sequence = std::strtol(argv[4], nullptr, 10);

    try {
        auto db = DBEngine::OpenDatabase(path);
        auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM %1 ORDER BY NUMERO").arg(table));
        for (;; ++sequence) {
            const int count = rs->RecordCount();
            const unsigned pick = random() % 10;
            const QString seq = QString::number(sequence);
            if (count < 20 || (pick >= 5 && pick <= 7)) {
                say("B A N" + seq + ' ' + seq);
                rs->AddNew();
                rs->setField("NUMERO", "N" + seq);
                rs->setField("DESIGNATION", "A" + seq);
                rs->setField("COTE", Value(double(sequence)));
                rs->Update();
                say("D");
            } else if (pick >= 8) {
                rs->setAbsolutePosition(int(random() % unsigned(count)));
                say("B X " + rs->Fields("NUMERO").text());
                rs->Delete();
                say("D");
            } else {
                rs->setAbsolutePosition(int(random() % unsigned(count)));
                say("B E " + rs->Fields("NUMERO").text() + ' ' + seq);
                rs->Edit();
                rs->setField("DESIGNATION", "E" + seq);
                rs->setField("COTE", Value(double(sequence)));
                // Half of the edits are stored by leaving the row, as the grid does.
                if (pick % 2 == 0)
                    rs->Update();
                else
                    rs->setAbsolutePosition(int(random() % unsigned(count)));
                say("D");
            }
        }
    } catch (const RuntimeError &e) {
        std::fprintf(stderr, "Erreur %d : %s\n", e.number(), e.what());
        return 1;
    }
}
