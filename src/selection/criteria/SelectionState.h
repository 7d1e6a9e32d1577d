#pragma once
#include <QString>
#include <cstdint>
#include <optional>

namespace carnelis {

// The user's choices, shared by the chooser (which writes them) and the table view
// (which reads them). One object for the run, owned by the application and handed to
// both windows by reference; read and written in place, so every reader sees the
// latest write at once.
struct SelectionState {
    QString NomFichierMdb;             // file name, without folder
    QString RepertoireMdb;             // folder, without its trailing separator
    QString NomTable;                  // upper-case table name; empty when none chosen
    std::optional<int16_t> ColonneTri; // 0 all rows, 1..6 a column; no value before the chooser loads
    QString ConditionTri;              // caption of the chosen condition, or empty
    QString CritereTri;                // the criterion, upper-cased; " " for the emptiness tests
    QString OperateurCote;             // " = ", " > ", " < " or empty
    float ValeurCote = 0.0f;           // the value COTE is compared with
    QString ResumeCriteres;            // readable summary, composed by the open request

    // What loading the chooser does: no table, no criteria; file and summary kept.
    void resetForChooserLoad();
    // What the Refresh button does: no criteria; file, table and summary kept.
    void resetCriteria();

    // Folder, one separator, file name: the path every window hands to the engine.
    QString databasePath() const;
};

} // namespace carnelis
