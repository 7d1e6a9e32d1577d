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
        s.ColonneTri = int16_t(2);
        s.ConditionTri = "Contient";
        s.CritereTri = "LION";
        s.OperateurCote = " > ";
        s.ValeurCote = 5;
        s.ResumeCriteres = " DÉSIGNATION CONTIENT LION";
        load ? s.resetForChooserLoad() : s.resetCriteria();
        EXPECT_EQ(s.ColonneTri, int16_t(0));
        EXPECT_TRUE(s.ConditionTri.isEmpty() && s.CritereTri.isEmpty() && s.OperateurCote.isEmpty());
        EXPECT_EQ(s.ValeurCote, 0.0f);
        EXPECT_EQ(s.databasePath(), "/home/paul/COLLECTION.MDB");
        EXPECT_EQ(s.ResumeCriteres, " DÉSIGNATION CONTIENT LION");
        EXPECT_EQ(s.NomTable, load ? "" : "TIMBRES");
    }
}

} // namespace
