#pragma once
#include <QString>
#include <array>

namespace carnelis {

// The six columns every collection table has, as the grid shows them.
struct CollectionColumn {
    const char *name;    // the table's column
    const char *caption; // the grid heading, blanks included
    int widthTwips;
};

inline constexpr std::array<CollectionColumn, 6> gridColumns{{
    {"NUMERO", "NUMÉRO", 1429},
    {"DESIGNATION", "       DÉSIGNATION DE L'OBJET", 4683},
    {"COULEUR", "           VALEUR  -  COULEUR", 4683},
    {"ETAT", "ÉTAT", 979},
    {"COTE", "COTE    ", 1667},
    {"DIVERS", "    REMARQUE", 2170},
}};

// The one numeric column: shown with two decimals, a new row starts it at 0.
inline constexpr int coteColumn = 4;

} // namespace carnelis
