#include "CriteriaPanel.h"

#include "Collection.h"
#include "CriteriaInput.h"
#include "DialogServices.h"
#include "SelectionState.h"

namespace carnelis {

namespace {

const QString crlf = QStringLiteral("\r\n");

bool takesNoValue(int16_t condition) { return !asksValue(Condition(condition)); }

} // namespace

const QStringList &CriteriaPanel::columnCaptions()
{
    static const QStringList captions = [] {
        QStringList list{QString::fromUtf8(allRowsCaption)};
        for (const CollectionColumn &column : collectionTable)
            list << QString::fromUtf8(column.chooserCaption);
        // Three further buttons no code refers to, kept with their design caption.
        list << QStringLiteral("Option1") << QStringLiteral("Option1") << QStringLiteral("Option1");
        return list;
    }();
    return captions;
}

const QStringList &CriteriaPanel::conditionCaptions()
{
    static const QStringList captions = [] {
        QStringList list;
        for (const ConditionDefinition &condition : conditions)
            list << QString::fromUtf8(condition.caption);
        return list;
    }();
    return captions;
}

const QStringList &CriteriaPanel::coteCaptions()
{
    static const QStringList captions{QStringLiteral("  =  à"), QStringLiteral("  >  que"), QStringLiteral("  <  que"),
                                      QStringLiteral("  Ignoré")};
    return captions;
}

CriteriaPanel::CriteriaPanel(SelectionState &selection, DialogServices &dialogs)
    : selection_(selection), dialogs_(dialogs)
{
}

void CriteriaPanel::notify()
{
    if (changed)
        changed();
}

void CriteriaPanel::setLabAide(const QString &text)
{
    labAide_ = text;
    notify();
}

void CriteriaPanel::choose(Group group, int16_t index)
{
    if (chosen_[group] == index)
        return;
    userClick(group, index);
}

void CriteriaPanel::userClick(Group group, int16_t index)
{
    chosen_[group] = index;
    notify();
    switch (group) {
    case Column:
        Option1_Click(index);
        break;
    case Condition:
        Option2_Click(index);
        break;
    case Cote:
        Option3_Click(index);
        break;
    }
}

void CriteriaPanel::Option1_Click(int16_t Index)
{
    Niveau = 1;
    Effacement();
    if (Index != 0) {
        frame4Enabled_ = true;
    } else {
        frame4Enabled_ = false;
        frame5Enabled_ = false;
    }
    selection_.ColonneTri = Index;
    selection_.ConditionTri.clear();
    selection_.CritereTri.clear();
    selection_.OperateurCote.clear();
    selection_.ValeurCote = 0.0f;
    AideColonne = u' ' + columnCaptions().at(Index);
    setLabAide(AideColonne);
}

void CriteriaPanel::Option2_Click(int16_t Index)
{
    Niveau = 2;
    Effacement();
    // The COTE buttons have just been deselected: a comparison the panel no longer shows
    // must not go on filtering the view.
    selection_.OperateurCote.clear();
    selection_.ValeurCote = 0.0f;

    const QString &caption = conditionCaptions().at(Index);
    AideCondition = u' ' + caption;
    selection_.CritereTri.clear();
    frame5Enabled_ = true;
    setLabAide(AideColonne + AideCondition);

    if (takesNoValue(Index)) {
        selection_.CritereTri = QStringLiteral(" ");
    } else {
        const int16_t column = selection_.ColonneTri.value_or(0);
        const QString prompt = QStringLiteral("Inscrivez le Critère de Tri relatif à la colonne: ") + crlf +
                               columnCaptions().at(column) + u' ' + caption.toUpper() + QStringLiteral(" ...");
        selection_.CritereTri = criterionFromTyped(dialogs_.InputBox(prompt));
    }

    if (!selection_.CritereTri.isEmpty()) {
        AideCritere = takesNoValue(Index) ? QStringLiteral(" ") : u' ' + selection_.CritereTri + u' ';
        selection_.ConditionTri = caption;
        setLabAide(AideColonne + AideCondition + AideCritere);
    } else {
        deselect(Condition);
        setLabAide(AideColonne);
    }
}

void CriteriaPanel::Option3_Click(int16_t Index)
{
    const QString &caption = coteCaptions().at(Index);
    AideCote = QStringLiteral(" et Cote ") + caption;
    const QString help = AideColonne + AideCondition + AideCritere + AideCote;
    setLabAide(help);

    static const QString operators[] = {QStringLiteral(" = "), QStringLiteral(" > "), QStringLiteral(" < "), QString()};
    std::optional<float> value = 0.0f;
    if (Index != 3) {
        // Asked again until the answer is a number, so that no text becomes 0 unseen.
        const QString question = QStringLiteral("Inscrivez le Critère de Tri facultatif relatif à la Cote: ") + caption;
        QString prompt = question;
        for (;;) {
            const QString typed = criterionFromTyped(dialogs_.InputBox(prompt));
            if (typed.isEmpty()) {
                value.reset();
                break;
            }
            value = coteValueFromTyped(typed);
            if (value) {
                setLabAide(help + u' ' + typed);
                break;
            }
            prompt = question + crlf + QStringLiteral("« ") + typed + QStringLiteral(" » ") + coteValueProblem(typed) +
                     QStringLiteral(" : inscrivez un nombre, par exemple 12,5.");
        }
    }

    if (value) {
        selection_.ValeurCote = *value;
        selection_.OperateurCote = operators[Index];
    } else {
        // Cancelled: no comparison at all rather than one against 0.
        selection_.ValeurCote = 0.0f;
        selection_.OperateurCote.clear();
        deselect(Cote);
        setLabAide(AideColonne + AideCondition + AideCritere);
    }
    if (focusOpenButton)
        focusOpenButton();
}

void CriteriaPanel::Effacement()
{
    if (Niveau == 0)
        deselect(Column);
    if (Niveau <= 1)
        deselect(Condition);
    if (Niveau <= 2)
        deselect(Cote);
    Niveau = 0;
    notify();
}

void CriteriaPanel::clearHelpPieces()
{
    AideColonne.clear();
    AideCondition.clear();
    AideCritere.clear();
    AideCote.clear();
}

} // namespace carnelis
