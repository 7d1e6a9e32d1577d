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

// The column, condition, value, COTE operator and value in the record; whether the
// COTE frame is open (the column frame is whenever a column other than TOUT is); the
// condition and COTE buttons chosen, and the help line.
using Expected = std::tuple<int16_t, QString, QString, QString, float, bool, Chosen, Chosen, QString>;
using Row = std::pair<std::vector<Click>, Expected>;

const Chosen none = std::nullopt;
const QString conditionPrompt = QStringLiteral("Inscrivez le Critère de Tri relatif à la colonne: \r\n");

// Each row is a sequence of clicks from the state the table click leaves (" TOUT"
// chosen), and what the record, the frames, the buttons and the help line hold after it.
const Row rows[] = {
    // column alone
    {{{G::Column, 1}}, {1, "", "", "", 0, false, none, none, "  NUMÉRO"}},
    // condition with a typed value, upper-cased with its accents
    {{{G::Column, 2}, {G::Condition, 6, "écu d'or"}},
     {2, "Contient", "ÉCU D'OR", "", 0, true, 6, none, "  DÉSIGNATION Contient ÉCU D'OR "}},
    // comparison reads 12,5 as 12.5
    {{{G::Column, 2}, {G::Condition, 0, "lion"}, {G::Cote, 1, "12,5"}},
     {2, "Est Égal à", "LION", " > ", 12.5, true, 0, 1, "  DÉSIGNATION Est Égal à LION  et Cote   >  que 12,5"}},
    // comparison reads 1E3 as 1000
    {{{G::Column, 5}, {G::Condition, 1, "10"}, {G::Cote, 0, "1e3"}},
     {5, "Est plus Grand que", "10", " = ", 1000, true, 1, 0, "  COTE Est plus Grand que 10  et Cote   =  à 1E3"}},
    // TOUT after a full set clears everything
    {{{G::Column, 2}, {G::Condition, 6, "a"}, {G::Cote, 2, "7"}, {G::Column, 0}},
     {0, "", "", "", 0, false, none, none, "  TOUT"}},
    // Est Vide asks nothing
    {{{G::Column, 4}, {G::Condition, 4}}, {4, "Est Vide", " ", "", 0, true, 4, none, "  ÉTAT Est Vide "}},
    // N'est pas Vide asks nothing
    {{{G::Column, 6}, {G::Condition, 5}},
     {6, "N'est pas Vide", " ", "", 0, true, 5, none, "  REMARQUE N'est pas Vide "}},
    // cancel at the condition prompt
    {{{G::Column, 1}, {G::Condition, 0, ""}}, {1, "", "", "", 0, true, none, none, "  NUMÉRO"}},
    // cancel keeps the earlier condition caption
    {{{G::Column, 1}, {G::Condition, 0, "5"}, {G::Condition, 6, ""}},
     {1, "Est Égal à", "", "", 0, true, none, none, "  NUMÉRO"}},
    // comparison after a cancel shows the help pieces kept
    {{{G::Column, 1}, {G::Condition, 0, "5"}, {G::Condition, 6, ""}, {G::Cote, 3}},
     {1, "Est Égal à", "", "", 0, true, none, 3, "  NUMÉRO Contient 5  et Cote   Ignoré"}},
    // cancel at the COTE prompt leaves no comparison
    {{{G::Column, 2}, {G::Condition, 6, "x"}, {G::Cote, 2, "9"}, {G::Cote, 1, ""}},
     {2, "Contient", "X", "", 0, true, 6, none, "  DÉSIGNATION Contient X "}},
    // Ignoré asks nothing and sets no operator
    {{{G::Column, 3}, {G::Condition, 8, "rou"}, {G::Cote, 3}},
     {3, "Commence par", "ROU", "", 0, true, 8, 3, "  VALEUR - COULEUR Commence par ROU  et Cote   Ignoré"}},
    // a new condition drops the comparison it deselects
    {{{G::Column, 2}, {G::Condition, 6, "a"}, {G::Cote, 1, "5"}, {G::Condition, 7, "b"}},
     {2, "Ne Contient Pas", "B", "", 0, true, 7, none, "  DÉSIGNATION Ne Contient Pas B "}},
    // another column keeps the COTE frame open but empty
    {{{G::Column, 2}, {G::Condition, 6, "a"}, {G::Cote, 0, "3"}, {G::Column, 3}},
     {3, "", "", "", 0, true, none, none, "  VALEUR - COULEUR"}},
};

class CriteriaPanelTable : public ::testing::TestWithParam<Row> {};

TEST_P(CriteriaPanelTable, ClickSequence)
{
    const auto &[clicks, expected] = GetParam();
    const auto &[colonne, condition, critere, operateur, valeur, frame5, cond, cote, labAide] = expected;
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
    for (const Click &click : clicks) {
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

    EXPECT_EQ(std::pair(dialogs.transcript(), dialogs.unusedAnswers()), std::pair(prompts, 0));
    EXPECT_EQ(std::tuple(s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote),
              std::tuple(Chosen(colonne), condition, critere, operateur, valeur));
    EXPECT_EQ(std::tuple(panel.frame4Enabled(), panel.frame5Enabled(), panel.chosen(G::Column),
                         panel.chosen(G::Condition), panel.chosen(G::Cote), panel.labAide(), focusGiven),
              std::tuple(colonne != 0, frame5, Chosen(colonne), cond, cote, labAide, coteClicks));
}

INSTANTIATE_TEST_SUITE_P(, CriteriaPanelTable, ::testing::ValuesIn(rows),
                         [](const auto &info) { return "row" + std::to_string(info.index); });

// A COTE value that is no number is asked for again, whatever the locale, until it is a
// number or the prompt is cancelled.
TEST(CriteriaPanel, CoteValueIsAskedAgainUntilANumberOrCancel)
{
    const QString question = QStringLiteral("Inscrivez le Critère de Tri facultatif relatif à la Cote:   <  que");
    const auto again = [&](const char *typed, const char *problem) {
        return DialogCall::inputBox(
            question + QStringLiteral("\r\n« %1 » %2 : inscrivez un nombre, par exemple 12,5.").arg(typed, problem));
    };
    const char *notANumber = "n'est pas un nombre";
    const struct {
        QStringList typed;
        std::vector<DialogCall> again; // the prompts after the first
        float valeur;                  // 0: cancelled, no comparison
    } cases[] = {
        {{"abc", "12,5"}, {again("ABC", notANumber)}, 12.5f},
        {{"1e39", "12 a", "1 234,5"}, {again("1E39", "est un nombre trop grand"), again("12 A", notANumber)}, 1234.5f},
        {{"abc", ""}, {again("ABC", notANumber)}, 0},
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
            prompts.insert(prompts.end(), c.again.begin(), c.again.end());
            for (const QString &t : c.typed)
                dialogs.answerInput(t);
            panel.userClick(G::Cote, 2);
            EXPECT_EQ(dialogs.transcript(), prompts);
            EXPECT_EQ(std::tuple(s.OperateurCote, s.ValeurCote, panel.chosen(G::Cote)),
                      c.valeur ? std::tuple(QString(" < "), c.valeur, Chosen(2)) : std::tuple(QString(), 0.0f, none));
        }
    }
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
    EXPECT_EQ(std::tuple(panel.chosen(G::Column), panel.chosen(G::Condition), s.ColonneTri, s.CritereTri),
              std::tuple(none, none, Chosen(9), QString("X")));

    panel.choose(G::Column, 0);
    EXPECT_EQ(std::tuple(s.ColonneTri, panel.labAide(), panel.AideColonne),
              std::tuple(Chosen(0), QString("  TOUT"), QString("  TOUT")));
}

} // namespace
