#include "SelectionState.h"

namespace carnelis {

void SelectionState::resetCriteria()
{
    ColonneTri = int16_t(0);
    ConditionTri.clear();
    CritereTri.clear();
    OperateurCote.clear();
    ValeurCote = 0.0f;
}

void SelectionState::resetForChooserLoad()
{
    NomTable.clear();
    resetCriteria();
}

QString SelectionState::databasePath() const { return RepertoireMdb + u'/' + NomFichierMdb; }

} // namespace carnelis
