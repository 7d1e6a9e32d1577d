#include "SelectionState.h"

#include <gtest/gtest.h>

using namespace carnelis;

namespace {

SelectionState full()
{
    SelectionState s;
    s.NomFichierMdb = "COLLECTION.MDB";
    s.RepertoireMdb = "/home/paul";
    s.NomTable = "TIMBRES";
    s.ColonneTri = int16_t(2);
    s.ConditionTri = "Contient";
    s.CritereTri = "LION";
    s.OperateurCote = " > ";
    s.ValeurCote = 5;
    s.ResumeCriteres = " DÉSIGNATION CONTIENT LION Et Cote  > 5.00";
    return s;
}

TEST(SelectionState, StartsEmptyWithNoColumnYet)
{
    const SelectionState s;
    EXPECT_FALSE(s.ColonneTri.has_value());
    EXPECT_TRUE(s.NomTable.isEmpty() && s.NomFichierMdb.isEmpty() && s.ResumeCriteres.isEmpty());
    EXPECT_EQ(s.ValeurCote, 0.0f);
}

TEST(SelectionState, ResetsKeepWhatTheyMust)
{
    SelectionState load = full();
    load.resetForChooserLoad();
    SelectionState refresh = full();
    refresh.resetCriteria();

    for (const SelectionState *s : {&load, &refresh}) {
        EXPECT_EQ(s->ColonneTri, int16_t(0));
        EXPECT_TRUE(s->ConditionTri.isEmpty() && s->CritereTri.isEmpty() && s->OperateurCote.isEmpty());
        EXPECT_EQ(s->ValeurCote, 0.0f);
        EXPECT_EQ(s->NomFichierMdb, "COLLECTION.MDB");
        EXPECT_EQ(s->RepertoireMdb, "/home/paul");
        EXPECT_EQ(s->ResumeCriteres, full().ResumeCriteres);
    }
    EXPECT_TRUE(load.NomTable.isEmpty());
    EXPECT_EQ(refresh.NomTable, "TIMBRES");
}

TEST(SelectionState, PathHasOneSeparatorAlsoAtTheRoot)
{
    SelectionState s;
    s.NomFichierMdb = "A.MDB";
    s.RepertoireMdb = ""; // the root folder, its separator removed
    EXPECT_EQ(s.databasePath(), "/A.MDB");
    s.RepertoireMdb = "/media/cle";
    EXPECT_EQ(s.databasePath(), "/media/cle/A.MDB");
}

} // namespace
