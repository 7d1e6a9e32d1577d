#include "BenchCatalogue.h"

#include "CollectionFile.h"
#include "Value.h"

#include <algorithm>
#include <random>
#include <vector>

namespace carnelis::bench {

// One fitting column per condition.
const Filter filters[10] = {
    {Condition::EstEgalA, 3, "ROUGE", "COULEUR = 'ROUGE' COLLATE NOCASE"},
    {Condition::EstPlusGrandQue, 1, "500", "CAST(NUMERO AS REAL) > 500"},
    {Condition::EstPlusPetitQue, 5, "500", "COTE < 500"},
    {Condition::EstDifferentDe, 4, "TB", "(ETAT <> 'TB' COLLATE NOCASE OR ETAT IS NULL)"},
    {Condition::EstVide, 6, " ", "(DIVERS IS NULL OR rtrim(DIVERS) = '')"},
    {Condition::NEstPasVide, 2, " ", "(DESIGNATION IS NOT NULL AND rtrim(DESIGNATION) <> '')"},
    {Condition::Contient, 2, "SEMEUSE", "instr(upper(DESIGNATION), 'SEMEUSE') <> 0"},
    {Condition::NeContientPas, 2, "SEMEUSE", "(instr(upper(DESIGNATION), 'SEMEUSE') = 0 OR DESIGNATION IS NULL)"},
    {Condition::CommencePar, 2, "MARIANNE", "substr(DESIGNATION, 1, 8) = 'MARIANNE' COLLATE NOCASE"},
    {Condition::FinitPar, 3, "BLEU", "substr(COULEUR, -4) = 'BLEU' COLLATE NOCASE"},
};

const char *const handOrder = " ORDER BY CAST(NUMERO AS INTEGER), NUMERO";

void makeCatalogue(const QString &path, int rows)
{
    static const char *const subjects[] = {
        "Marianne de Gandon", "Semeuse camée", "Cérès", "Sabine", "Type Sage", "Merson", "Pasteur", "Mercure", "Iris",
        "Coq de Decaris",     "Europa"};
    static const char *const colours[] = {"rouge",  "bleu",   "vert", "brun",          "orange",
                                          "violet", "carmin", "noir", "bleu outremer", "vert-olive"};
    static const char *const states[] = {"Neuf", "TB", "TTB", "Oblitéré", "SUP"};
    std::mt19937 dice(1234);
    std::vector<int> numbers(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        numbers[size_t(i)] = i + 1;
    std::shuffle(numbers.begin(), numbers.end(), dice);
    CollectionFile file(path);
    file.createTable("COLLECTION");
    std::vector<std::vector<Value>> batch;
    for (int i = 0; i < rows; ++i) {
        const auto r = dice();
        batch.push_back(
            {QString::number(numbers[size_t(i)]),
             r % 50 == 0 ? Value() : Value(QString::fromUtf8(subjects[r % 11]) + " " + QString::number(r % 97)),
             r % 40 == 1 ? Value() : Value(QString::fromUtf8(colours[(r >> 8) % 10])),
             r % 30 == 2 ? Value() : Value(QString::fromUtf8(states[(r >> 12) % 5])),
             r % 25 == 3 ? Value() : Value(double((r >> 4) % 100000) / 100.0),
             (r >> 16) % 3 == 0 ? Value() : Value(QStringLiteral("remarque %1").arg(r % 13))});
        if (batch.size() == 50000) {
            file.appendRows("COLLECTION", batch);
            batch.clear();
        }
    }
    file.appendRows("COLLECTION", batch);
}

} // namespace carnelis::bench
