#include "SampleCollection.h"

#include "CollectionFile.h"
#include "RuntimeError.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace carnelis {

namespace {

// A small fixed generator, so that the sample is the same on every machine.
class Dice {
public:
    uint32_t next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int n) { return int(next() % uint32_t(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[below(int(N))];
    }

private:
    uint32_t state_ = 20260512u;
};

Value cote(Dice &d, double low, double high)
{
    const double v = low + (high - low) * std::pow(d.below(10000) / 10000.0, 3.0);
    return Value(std::round(v * 100.0) / 100.0);
}

// Now and then a Null or an empty text, as a real catalogue has.
Value sometimes(Dice &d, const QString &text, int nullPercent, int emptyPercent)
{
    const int r = d.below(100);
    if (r < nullPercent)
        return {};
    if (r < nullPercent + emptyPercent)
        return QString();
    return text;
}

std::vector<std::vector<Value>> stamps()
{
    static const char *const subjects[] = {"Marianne de Gandon",
                                           "Semeuse camée",
                                           "Cérès",
                                           "Napoléon III lauré",
                                           "Sabine de Gandon",
                                           "Type Sage",
                                           "Type Blanc",
                                           "Merson",
                                           "Pasteur",
                                           "Paix d'Ouvré",
                                           "Mercure",
                                           "Iris",
                                           "Arc de Triomphe",
                                           "Jeanne d'Arc",
                                           "Coq de Decaris",
                                           "Europa",
                                           "Croix-Rouge",
                                           "Poste aérienne",
                                           "Préoblitéré",
                                           "Timbre-taxe",
                                           "Marianne de Béquet",
                                           "Marianne de Cheffer",
                                           "Liberté de Gandon",
                                           "Château de Chambord",
                                           "Île de Ré"};
    static const char *const faces[] = {"1 c",    "5 c", "10 c", "15 c", "25 c", "30 c",   "50 c",  "1 F",
                                        "1 F 50", "2 F", "3 F",  "5 F",  "10 F", "0,20 €", "0,50 €"};
    static const char *const colours[] = {"rouge",    "bleu",       "vert", "brun-lilas", "orange", "violet", "carmin",
                                          "outremer", "vert-olive", "noir", "gris",       "rose",   "Bleu",   "ROUGE"};
    static const char *const states[] = {"Neuf **", "Neuf *", "Oblitéré", "Neuf sans gomme", "Oblitéré", "Neuf **"};
    static const char *const remarks[] = {"Dent courte",
                                          "Belles marges",
                                          "Oblitération de Paris",
                                          "Variété : recto-verso",
                                          "Exemplaire de l'album de mon père",
                                          "Coin daté",
                                          "Bord de feuille",
                                          "Signé Calves",
                                          "Petit clair",
                                          "À faire expertiser"};
    Dice d;
    std::vector<std::vector<Value>> rows;
    for (int n = 1; n <= 300; ++n) {
        const QString designation =
            QString::fromUtf8(d.pick(subjects)) + QStringLiteral(" ") + QString::fromUtf8(d.pick(faces));
        rows.push_back({QString::number(n), sometimes(d, designation, 2, 1),
                        sometimes(d, QString::fromUtf8(d.pick(colours)), 4, 2),
                        sometimes(d, QString::fromUtf8(d.pick(states)), 3, 0),
                        d.chance(5) ? Value() : cote(d, 0.1, 2500.0),
                        d.chance(55) ? Value() : sometimes(d, QString::fromUtf8(d.pick(remarks)), 0, 10)});
    }
    return rows;
}

std::vector<std::vector<Value>> coins()
{
    struct Kind {
        const char *name;
        const char *metal;
        int firstYear, years;
    };
    static const Kind kinds[] = {{"1 franc Semeuse", "argent", 1898, 23},
                                 {"2 francs Semeuse", "argent", 1898, 23},
                                 {"20 francs Napoléon III tête laurée", "or", 1861, 10},
                                 {"5 francs Hercule de Dupré", "argent", 1870, 9},
                                 {"5 francs Cérès", "argent", 1849, 3},
                                 {"Louis d'or au buste nu", "or", 1774, 18},
                                 {"Écu de 6 livres Louis XVI", "argent", 1774, 18},
                                 {"Sou de Louis XVI", "cuivre", 1774, 18},
                                 {"20 centimes Marianne de Lindauer", "cupro-nickel", 1962, 40},
                                 {"10 francs Turin", "argent", 1929, 11},
                                 {"10 francs Génie de Dupré", "nickel", 1988, 13},
                                 {"2 euros commémorative", "bimétallique", 2007, 18},
                                 {"Liard de France", "cuivre", 1655, 20},
                                 {"20 francs Napoléon Ier tête nue", "or", 1803, 12},
                                 {"1 franc Morlon", "aluminium-bronze", 1931, 11},
                                 {"5 francs Lavrillier", "nickel", 1933, 7},
                                 {"10 francs Coq de Guiraud", "cupro-nickel", 1950, 9},
                                 {"1 centime Dupré", "bronze", 1848, 50}};
    static const char *const grades[] = {"B", "TB", "TTB", "SUP", "SPL", "FDC", "TTB+"};
    static const char *const remarks[] = {"Rayures au revers",
                                          "Patine d'origine",
                                          "Atelier de Paris (A)",
                                          "Atelier de Strasbourg (BB)",
                                          "Achetée à la bourse de l'Isle-sur-la-Sorgue",
                                          "Nettoyée",
                                          "Tranche cannelée",
                                          "Frappe médaille"};
    Dice d;
    for (int skip = 0; skip < 7; ++skip)
        d.next();
    std::vector<std::vector<Value>> rows;
    for (int n = 1; n <= 150; ++n) {
        const Kind &k = d.pick(kinds);
        const QString designation = QString::fromUtf8(k.name) + u' ' + QString::number(k.firstYear + d.below(k.years));
        const double high = QByteArray(k.metal) == "or" ? 4000.0 : QByteArray(k.metal) == "argent" ? 400.0 : 40.0;
        rows.push_back(
            {QString::number(n), sometimes(d, designation, 2, 0), sometimes(d, QString::fromUtf8(k.metal), 3, 2),
             sometimes(d, QString::fromUtf8(d.pick(grades)), 3, 0), d.chance(4) ? Value() : cote(d, 0.5, high),
             d.chance(60) ? Value() : sometimes(d, QString::fromUtf8(d.pick(remarks)), 0, 10)});
    }
    return rows;
}

std::vector<std::vector<Value>> objects()
{
    static const char *const things[] = {"Carte postale de Lyon",  "Boîte d'allumettes",
                                         "Plaque émaillée Byrrh",  "Médaille de l'Exposition universelle",
                                         "Capsule de champagne",   "Buvard publicitaire",
                                         "Pin's de la Poste",      "Carte téléphonique",
                                         "Fève des Rois",          "Image d'Épinal",
                                         "Étiquette de camembert", "Porte-plume",
                                         "Télécarte 50 unités",    "Affiche SNCF"};
    static const char *const colours[] = {"polychrome", "sépia", "noir et blanc", "bleu", "rouge et or", "vert"};
    static const char *const states[] = {"Bon état", "Très bon état", "Usé", "Comme neuf", "Abîmé"};
    Dice d;
    for (int skip = 0; skip < 13; ++skip)
        d.next();
    std::vector<std::vector<Value>> rows;
    // Numbers that show the natural order: 1, 2, 10, 100 and a few with letters.
    QStringList numbers;
    for (int n = 1; n <= 44; ++n)
        numbers << QString::number(n);
    numbers << "100"
            << "101"
            << "A2"
            << "A10"
            << "B1"
            << "010";
    for (const QString &number : numbers) {
        rows.push_back(
            {number, sometimes(d, QString::fromUtf8(d.pick(things)), 2, 2),
             sometimes(d, QString::fromUtf8(d.pick(colours)), 6, 2),
             sometimes(d, QString::fromUtf8(d.pick(states)), 4, 0), d.chance(6) ? Value() : cote(d, 1.0, 300.0),
             d.chance(70) ? Value() : sometimes(d, QStringLiteral("Trouvé au vide-grenier de l'été"), 0, 20)});
    }
    return rows;
}

std::vector<std::vector<Value>> addresses()
{
    return {
        {"Dupont", "Jeanne", "12 rue des Lilas", "69003", "Lyon", "04 78 00 00 01"},
        {"Lefèvre", "André", "3 place de l'Église", "13100", "Aix-en-Provence", Value()},
        {"Müller", "Hélène", "Chemin d'En-Haut", "67000", "Strasbourg", "03 88 00 00 02"},
        {"N'Diaye", "Moussa", "8 allée Saint-Éloi", "44000", "Nantes", ""},
        {"Bourse aux timbres", Value(), "Marché Carré Marigny", "75008", "Paris", Value()},
    };
}

} // namespace

void writeSampleCollection(const QString &path)
{
    if (QFileInfo::exists(path))
        throw RuntimeError(err::ValueRefused,
                           QStringLiteral("Le fichier « %1 » existe déjà : il n'a pas été modifié.").arg(path));
    CollectionFile file(path);
    const std::pair<const char *, std::vector<std::vector<Value>>> tables[] = {
        {"TIMBRES", stamps()}, {"MONNAIES", coins()}, {"OBJETS", objects()}};
    for (const auto &[name, rows] : tables) {
        file.createTable(QString::fromLatin1(name));
        file.appendRows(QString::fromLatin1(name), rows);
    }
    file.createTable("ADRESSES", {{"NOM", "TEXT"},
                                  {"PRENOM", "TEXT"},
                                  {"ADRESSE", "TEXT"},
                                  {"CODE_POSTAL", "TEXT"},
                                  {"VILLE", "TEXT"},
                                  {"TELEPHONE", "TEXT"}});
    file.appendRows("ADRESSES", addresses());
}

} // namespace carnelis
