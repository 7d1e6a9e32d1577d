#include "CriteriaPanel.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

using G = CriteriaPanel::Group;
using Chosen = std::optional<int16_t>;

struct Click {
    G group;
    int16_t index;
    std::optional<QString> typed = std::nullopt; // the answer at the prompt, when one is expected
};

struct Expected {
    int16_t colonne;
    QString condition, critere, operateur;
    float valeur;
    bool frame4, frame5;
    Chosen column, cond, cote;
    QString labAide;
};

struct Row {
    const char *name;
    std::vector<Click> clicks;
    Expected expected;
};

const Chosen none = std::nullopt;
const QString conditionPrompt = QStringLiteral("Inscrivez le Critère de Tri relatif à la colonne: \r\n");

// Each row is a sequence of clicks from the state the table click leaves (" TOUT"
// chosen), and what the record, the frames, the buttons and the help line hold after it.
const Row rows[] = {
    {"column alone", {{G::Column, 1}}, {1, "", "", "", 0, true, false, 1, none, none, "  NUMÉRO"}},
    {"condition with a typed value, upper-cased with its accents",
     {{G::Column, 2}, {G::Condition, 6, "écu d'or"}},
     {2, "Contient", "ÉCU D'OR", "", 0, true, true, 2, 6, none, "  DÉSIGNATION Contient ÉCU D'OR "}},
    {"comparison reads 12,5 as 12.5",
     {{G::Column, 2}, {G::Condition, 0, "lion"}, {G::Cote, 1, "12,5"}},
     {2, "Est Égal à", "LION", " > ", 12.5, true, true, 2, 0, 1,
      "  DÉSIGNATION Est Égal à LION  et Cote   >  que 12,5"}},
    {"comparison reads 1E3 as 1000",
     {{G::Column, 5}, {G::Condition, 1, "10"}, {G::Cote, 0, "1e3"}},
     {5, "Est plus Grand que", "10", " = ", 1000, true, true, 5, 1, 0,
      "  COTE Est plus Grand que 10  et Cote   =  à 1E3"}},
    {"TOUT after a full set clears everything",
     {{G::Column, 2}, {G::Condition, 6, "a"}, {G::Cote, 2, "7"}, {G::Column, 0}},
     {0, "", "", "", 0, false, false, 0, none, none, "  TOUT"}},
    {"Est Vide asks nothing",
     {{G::Column, 4}, {G::Condition, 4}},
     {4, "Est Vide", " ", "", 0, true, true, 4, 4, none, "  ÉTAT Est Vide "}},
    {"N'est pas Vide asks nothing",
     {{G::Column, 6}, {G::Condition, 5}},
     {6, "N'est pas Vide", " ", "", 0, true, true, 6, 5, none, "  REMARQUE N'est pas Vide "}},
    {"cancel at the condition prompt",
     {{G::Column, 1}, {G::Condition, 0, ""}},
     {1, "", "", "", 0, true, true, 1, none, none, "  NUMÉRO"}},
    {"cancel keeps the earlier condition caption",
     {{G::Column, 1}, {G::Condition, 0, "5"}, {G::Condition, 6, ""}},
     {1, "Est Égal à", "", "", 0, true, true, 1, none, none, "  NUMÉRO"}},
    {"comparison after a cancel shows the help pieces kept",
     {{G::Column, 1}, {G::Condition, 0, "5"}, {G::Condition, 6, ""}, {G::Cote, 3}},
     {1, "Est Égal à", "", "", 0, true, true, 1, none, 3, "  NUMÉRO Contient 5  et Cote   Ignoré"}},
    {"cancel at the COTE prompt leaves no comparison",
     {{G::Column, 2}, {G::Condition, 6, "x"}, {G::Cote, 2, "9"}, {G::Cote, 1, ""}},
     {2, "Contient", "X", "", 0, true, true, 2, 6, none, "  DÉSIGNATION Contient X "}},
    {"Ignoré asks nothing and sets no operator",
     {{G::Column, 3}, {G::Condition, 8, "rou"}, {G::Cote, 3}},
     {3, "Commence par", "ROU", "", 0, true, true, 3, 8, 3, "  VALEUR - COULEUR Commence par ROU  et Cote   Ignoré"}},
    {"a new condition drops the comparison it deselects",
     {{G::Column, 2}, {G::Condition, 6, "a"}, {G::Cote, 1, "5"}, {G::Condition, 7, "b"}},
     {2, "Ne Contient Pas", "B", "", 0, true, true, 2, 7, none, "  DÉSIGNATION Ne Contient Pas B "}},
    {"another column keeps the COTE frame open but empty",
     {{G::Column, 2}, {G::Condition, 6, "a"}, {G::Cote, 0, "3"}, {G::Column, 3}},
     {3, "", "", "", 0, true, true, 3, none, none, "  VALEUR - COULEUR"}},
};

class CriteriaPanelTable : public ::testing::TestWithParam<Row> {};

TEST_P(CriteriaPanelTable, ClickSequence)
{
    const Row &row = GetParam();
    SelectionState s;
    ScriptedDialogs dialogs;
    CriteriaPanel panel(s, dialogs);
    int focusGiven = 0;
    panel.focusOpenButton = [&] { ++focusGiven; };
    // What the table click does: reset everything, then choose " TOUT" from code.
    panel.Effacement();
    panel.choose(G::Column, 0);

    std::vector<DialogCall> prompts;
    int coteClicks = 0;
    for (const Click &click : row.clicks) {
        if (click.typed) {
            dialogs.answerInput(*click.typed);
            prompts.push_back(
                DialogCall::inputBox(click.group == G::Condition
                                         ? conditionPrompt + CriteriaPanel::columnCaptions().at(*s.ColonneTri) + u' ' +
                                               CriteriaPanel::conditionCaptions().at(click.index).toUpper() + " ..."
                                         : "Inscrivez le Critère de Tri facultatif relatif à la Cote: " +
                                               CriteriaPanel::coteCaptions().at(click.index)));
        }
        coteClicks += click.group == G::Cote;
        panel.userClick(click.group, click.index);
        EXPECT_EQ(panel.Niveau, 0);
    }

    const Expected &e = row.expected;
    EXPECT_EQ(dialogs.transcript(), prompts);
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
    EXPECT_EQ(std::tuple(s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote),
              std::tuple(Chosen(e.colonne), e.condition, e.critere, e.operateur, e.valeur));
    EXPECT_EQ(std::tuple(panel.frame4Enabled(), panel.frame5Enabled(), panel.chosen(G::Column),
                         panel.chosen(G::Condition), panel.chosen(G::Cote), panel.labAide(), focusGiven),
              std::tuple(e.frame4, e.frame5, e.column, e.cond, e.cote, e.labAide, coteClicks));
}

INSTANTIATE_TEST_SUITE_P(, CriteriaPanelTable, ::testing::ValuesIn(rows), [](const auto &info) {
    std::string name;
    for (const char *c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
});

// A COTE value that is no number is asked for again, whatever the locale, until it is a
// number or the prompt is cancelled.
TEST(CriteriaPanel, CoteValueIsAskedAgainUntilANumberOrCancel)
{
    const QString question = QStringLiteral("Inscrivez le Critère de Tri facultatif relatif à la Cote:   <  que");
    const struct {
        QStringList typed;
        QStringList lines; // the line added to each prompt after the first
        const char *operateur;
        float valeur;
        Chosen cote;
    } cases[] = {
        {{"abc", "12,5"}, {"« ABC » n'est pas un nombre : inscrivez un nombre, par exemple 12,5."}, " < ", 12.5f, 2},
        {{"1e39", "12 a", "1 234,5"},
         {"« 1E39 » est un nombre trop grand : inscrivez un nombre, par exemple 12,5.",
          "« 12 A » n'est pas un nombre : inscrivez un nombre, par exemple 12,5."},
         " < ",
         1234.5f,
         2},
        {{"abc", ""}, {"« ABC » n'est pas un nombre : inscrivez un nombre, par exemple 12,5."}, "", 0, none},
    };
    for (const QLocale &locale : {QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (const auto &c : cases) {
            SCOPED_TRACE(c.typed.join(u'|').toStdString() + " " + locale.name().toStdString());
            SelectionState s;
            ScriptedDialogs dialogs;
            CriteriaPanel panel(s, dialogs);
            panel.userClick(G::Column, 5);
            dialogs.answerInput("10");
            panel.userClick(G::Condition, 1);
            dialogs.clearTranscript();
            std::vector<DialogCall> prompts{DialogCall::inputBox(question)};
            for (const QString &line : c.lines)
                prompts.push_back(DialogCall::inputBox(question + QStringLiteral("\r\n") + line));
            for (const QString &t : c.typed)
                dialogs.answerInput(t);
            panel.userClick(G::Cote, 2);
            EXPECT_EQ(dialogs.transcript(), prompts);
            EXPECT_EQ(s.OperateurCote, c.operateur);
            EXPECT_EQ(s.ValeurCote, c.valeur);
            EXPECT_EQ(panel.chosen(G::Cote), c.cote);
        }
    }
    QLocale::setDefault(QLocale::c());
}

TEST(CriteriaPanel, ChoosingFromCodeRunsTheClickOnlyForAButtonNotChosen)
{
    SelectionState s;
    ScriptedDialogs dialogs;
    CriteriaPanel panel(s, dialogs);

    panel.choose(G::Column, 0); // chosen when the window is made: nothing runs
    EXPECT_FALSE(s.ColonneTri.has_value());
    EXPECT_TRUE(panel.labAide().isEmpty());

    panel.userClick(G::Column, 2);
    dialogs.answerInput("x");
    panel.userClick(G::Condition, 6);
    s.ColonneTri = int16_t(9); // deselecting must not touch the record
    panel.Effacement();
    EXPECT_EQ(panel.chosen(G::Column), none);
    EXPECT_EQ(panel.chosen(G::Condition), none);
    EXPECT_EQ(s.ColonneTri, int16_t(9));
    EXPECT_EQ(s.CritereTri, "X");

    panel.choose(G::Column, 0);
    EXPECT_EQ(s.ColonneTri, int16_t(0));
    EXPECT_EQ(panel.labAide(), "  TOUT");
    EXPECT_EQ(panel.AideColonne, "  TOUT");
}

} // namespace
