#include "MainTexts.h"

namespace carnelis::shell {

namespace {
const QString crlf = QStringLiteral("\r\n");
} // namespace

QString withTrailingSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QStringList welcomeLines()
{
    return {
        QStringLiteral("Bienvenue  dans  ce  Logiciel  de  gestion  de"),
        QStringLiteral(" collection référencée. Vous pouvez à présent"),
        QStringLiteral(" sélectionner la Base de  Données  MDB  qui"),
        QStringLiteral(" contient  vos  tables.   ( Timbres,  Monnaies,"),
        QStringLiteral(" Objets ... ) en cliquant dans le menu Base de Données en haut, à gauche de cet écran."),
    };
}

QString welcomeText() { return welcomeLines().join(crlf); }

QString warningText()
{
    return QStringLiteral("         Un usage strictement privé est alors de rigueur et l'auteur du Logiciel "
                          "dégage à ce sujet toute responsabilité. ");
}

QString windowCaption()
{
    return QStringLiteral("CARNELIS  -  ") + QStringLiteral("par l'équipe CARNELIS") + QStringLiteral(" 12/2003");
}

QString titleCaption() { return QStringLiteral("CARNELIS  12/2003"); }

QString menuBase() { return QStringLiteral("  &Base de Données"); }
QString menuLire() { return QStringLiteral("  &A Lire"); }
QString menuPropos() { return QStringLiteral("  A &Propos"); }
QString menuQuitter() { return QStringLiteral("  &Quitter"); }

QString helpFileName() { return QStringLiteral("carnelis.htm"); }

QString helpMissingPrompt()
{
    return QStringLiteral("Le Fichier d'aide carnelis.htm est introuvable ou n'est pas associé correctement") + crlf +
           QStringLiteral("avec un visualiseur de fichiers html");
}

QString helpMissingTitle() { return QStringLiteral("Fichier d'Aide absent ou non associé."); }

QString aboutText()
{
    return QStringList{
        QStringLiteral("Gestion de Tables référencées. V 12/2002"),
        QStringLiteral("Conçu et écrit par l'équipe CARNELIS, 2003"),
        QStringLiteral("Avant toute utilisation, vous êtes invité à lire le"),
        QStringLiteral("fichier CARNELIS.HLP ou CARNELIS.HTM"),
        QString(),
    }
        .join(crlf);
}

QString aboutTitle() { return QStringLiteral(" CARNELIS. "); }

} // namespace carnelis::shell
