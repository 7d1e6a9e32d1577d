#include "SelectionState.h"

#include <gtest/gtest.h>

using namespace carnelis;

namespace {

// A new load of the chooser forgets the table, a refresh keeps it; both keep the file
// and the last summary, and clear the criteria.
TEST(SelectionState, ResetsKeepWhatTheyMust)
{
    for (const bool load : {true, false}) {
        SelectionState s;
        s.NomFichierMdb = "COLLECTION.MDB";
        s.RepertoireMdb = "/home/paul";
        s.NomTable = "TIMBRES";
        std::tie(s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote, s.ResumeCriteres) =
            std::tuple(int16_t(2), "Contient", "LION", " > ", 5.0f, " DÉSIGNATION CONTIENT LION");
        load ? s.resetForChooserLoad() : s.resetCriteria();
        EXPECT_EQ(std::tuple(s.ColonneTri, s.ConditionTri + s.CritereTri + s.OperateurCote, s.ValeurCote,
                             s.databasePath(), s.ResumeCriteres, s.NomTable),
                  std::tuple(std::optional<int16_t>(0), QString(), 0.0f, QString("/home/paul/COLLECTION.MDB"),
                             QString(" DÉSIGNATION CONTIENT LION"), QString(load ? "" : "TIMBRES")));
    }
}

} // namespace
