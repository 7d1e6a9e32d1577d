// The child of the crash test: a stream of edits, additions and deletions through the
// engine on one collection, until it is killed. Before each change it writes one line
// saying what it is about to do ("B ..."), and one line ("D") once the call that stores it
// has returned, straight to the pipe (no buffering), so that the parent knows at the
// moment of the kill which changes were reported written and which one was in flight.
//
//   crash_writer FILE TABLE SEED FIRST_SEQUENCE
#include "Engine.h"

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
    if (argc != 5)
        return 2;
    std::mt19937 random(unsigned(std::strtoul(argv[3], nullptr, 10)));
    auto db = DBEngine::OpenDatabase(QString::fromLocal8Bit(argv[1]));
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM %1 ORDER BY NUMERO").arg(argv[2]));
    for (long sequence = std::strtol(argv[4], nullptr, 10);; ++sequence) {
        const int count = rs->RecordCount();
        const unsigned pick = random() % 10;
        const QString seq = QString::number(sequence);
        if (count < 20 || (pick >= 5 && pick <= 7)) {
            say("B A N" + seq + ' ' + seq);
            rs->AddNew();
            rs->setField("NUMERO", "N" + seq);
            rs->setField("DESIGNATION", "A" + seq);
        } else {
            rs->setAbsolutePosition(int(random() % unsigned(count)));
            say((pick >= 8 ? "B X " : "B E ") + rs->Fields("NUMERO").text() + ' ' + seq);
            if (pick >= 8) {
                rs->Delete();
                say("D");
                continue;
            }
            rs->Edit();
            rs->setField("DESIGNATION", "E" + seq);
        }
        rs->setField("COTE", Value(double(sequence)));
        // Half of the edits are stored by leaving the row, as the grid does.
        if (pick < 5 && pick % 2 == 1)
            rs->setAbsolutePosition(int(random() % unsigned(count)));
        else
            rs->Update();
        say("D");
    }
}
