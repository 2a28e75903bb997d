#include "OptionsLigneCommande.h"

#include "Texte.h"
#include "analysis/ValeursNormalisees.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <string_view>

namespace quorvan::cli {

namespace {

const QCommandLineOption OptionAide({QStringLiteral("h"), QStringLiteral("help")}, {});
const QCommandLineOption OptionVersion(QStringLiteral("version"), {});
const QCommandLineOption OptionFiltre(QStringLiteral("filtre"), {}, QStringLiteral("F"));
const QCommandLineOption OptionOrdre(QStringLiteral("ordre"), {}, QStringLiteral("N"));
const QCommandLineOption OptionType(QStringLiteral("type"), {}, QStringLiteral("T"));
const QCommandLineOption OptionDecimal(QStringLiteral("decimal"), {}, QStringLiteral("SEP"));
const QCommandLineOption OptionSerie(QStringLiteral("serie"), {}, QStringLiteral("SERIE"));
const QCommandLineOption OptionJson(QStringLiteral("json"), {});

// One option a row of FichiersSortie.
const QList<QCommandLineOption> OptionsFichiers = [] {
    QList<QCommandLineOption> options;
    for (const FichierSortie& f : FichiersSortie) {
        options.append(QCommandLineOption(qtexte(f.option), {}, QStringLiteral("FICHIER")));
    }
    return options;
}();

bool prendUneValeur(const QString& argument) {
    QList<QCommandLineOption> options = {OptionFiltre, OptionOrdre, OptionType, OptionDecimal,
                                         OptionSerie};
    for (const QCommandLineOption& option : options + OptionsFichiers + optionsAnalyse()) {
        if (!option.valueName().isEmpty() &&
            argument == QStringLiteral("--") + option.names().front()) {
            return true;
        }
    }
    return false;
}

bool nombreNegatif(const QString& argument) {
    return argument.size() >= 2 && argument[0] == u'-' &&
           (argument[1].isDigit() || argument[1] == u'.');
}

// A frequency may be written "-50", which the parser would take for options: every such
// argument that is not an option's value moves behind "--", where arguments stand as typed.
QStringList negatifsApresDoubleTiret(const QStringList& arguments) {
    QStringList options;
    QStringList positionnels;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (i > 0 && argument == QStringLiteral("--")) {
            positionnels += arguments.mid(i + 1);
            break;
        }
        if (i > 0 && nombreNegatif(argument)) {
            positionnels.push_back(argument);
            continue;
        }
        options.push_back(argument);
        if (prendUneValeur(argument) && i + 1 < arguments.size()) {
            options.push_back(arguments[++i]);
        }
    }
    if (!positionnels.isEmpty()) {
        options.push_back(QStringLiteral("--"));
        options += positionnels;
    }
    return options;
}

// The argument as typed that named an unknown option.
QString argumentInconnu(const QStringList& arguments, const QString& nom) {
    for (const QString& argument : arguments.mid(1)) {
        QString sansTirets = argument.section(u'=', 0, 0);
        while (sansTirets.startsWith(u'-')) {
            sansTirets.remove(0, 1);
        }
        if (argument.startsWith(u'-') && sansTirets == nom) {
            return argument.section(u'=', 0, 0);
        }
    }
    return nom;
}

std::string texte(const QString& s) {
    return s.toStdString();
}

std::string nomsDesFamilles() {
    return enumeration(Familles, [](const Famille& f) { return f.nomCommande; });
}

std::string nomsDesSeries() {
    return enumeration(analyse::Series, [](const analyse::Serie& s) { return s.nom; });
}

std::string bornesOrdre() {
    return "de " + std::to_string(OrdreMin) + " \u00E0 " + std::to_string(OrdreMax);
}

// Why two of the files cannot go where they are asked to, if they cannot.
std::optional<ErreurUsage> fichiersEnConflit(const Demande& demande) {
    for (std::size_t i = 0; i < FichiersSortie.size(); ++i) {
        for (std::size_t j = i + 1; j < FichiersSortie.size(); ++j) {
            const std::optional<std::string>& a = demande.fichiers[i];
            const std::optional<std::string>& b = demande.fichiers[j];
            if (!a || !b || !memeFichier(*a, *b)) {
                continue;
            }
            const std::string options = "les options --" + std::string(FichiersSortie[i].option) +
                                        " et --" + std::string(FichiersSortie[j].option);
            if (*a == "-") {
                return ErreurUsage{options + " \u00E9crivent toutes deux sur la sortie"};
            }
            return ErreurUsage{options + " d\u00E9signent le m\u00EAme fichier : \u00AB " + *a +
                               " \u00BB et \u00AB " + *b + " \u00BB"};
        }
    }
    return std::nullopt;
}

} // namespace

Commande analyserArguments(const QStringList& arguments) {
    QCommandLineParser analyseur;
    analyseur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    analyseur.addOptions({OptionAide, OptionVersion, OptionFiltre, OptionOrdre, OptionType,
                          OptionDecimal, OptionSerie, OptionJson});
    analyseur.addOptions(OptionsFichiers);
    analyseur.addOptions(optionsAnalyse());
    const QStringList lus = negatifsApresDoubleTiret(arguments);
    if (!analyseur.parse(lus)) {
        const QStringList inconnues = analyseur.unknownOptionNames();
        if (!inconnues.isEmpty()) {
            return ErreurUsage{"option inconnue : " +
                               texte(argumentInconnu(arguments, inconnues.front()))};
        }
        // The parser takes whatever follows an option as its value: only the last argument
        // can lack one.
        if (prendUneValeur(lus.back())) {
            return ErreurUsage{"l'option " + texte(lus.back()) + " attend une valeur"};
        }
        // The one refusal left: "--help=x" or "--version=x", a value for an option without.
        for (const QString& argument : lus.mid(1)) {
            if (argument == QStringLiteral("--")) {
                break;
            }
            const QString nom = argument.section(u'=', 0, 0);
            if (argument.contains(u'=') && !prendUneValeur(nom)) {
                return ErreurUsage{"l'option " + texte(nom) + " ne prend pas de valeur"};
            }
        }
        return ErreurUsage{texte(analyseur.errorText())};
    }
    if (analyseur.isSet(OptionAide)) {
        return AfficherAide{};
    }
    if (analyseur.isSet(OptionVersion)) {
        return AfficherVersion{};
    }

    Demande demande;
    if (analyseur.isSet(OptionFiltre)) {
        const QString nom = analyseur.value(OptionFiltre);
        const Famille* trouvee = nullptr;
        for (const Famille& f : Familles) {
            if (texte(nom) == f.nomCommande) {
                trouvee = &f;
            }
        }
        if (trouvee == nullptr) {
            return valeurRefusee(OptionFiltre, nom, nomsDesFamilles());
        }
        demande.NumFiltre = trouvee->index;
    }
    if (analyseur.isSet(OptionOrdre)) {
        const QString ecrit = analyseur.value(OptionOrdre);
        bool lu = false;
        const int ordre = ecrit.toInt(&lu);
        // Only the order as the menu writes it: no sign, no blanks, no leading zero.
        if (!lu || !ordreConnu(ordre) || QString::number(ordre) != ecrit) {
            return valeurRefusee(OptionOrdre, ecrit, "un ordre " + bornesOrdre());
        }
        demande.NumOrdre = ordre;
    }
    if (analyseur.isSet(OptionType)) {
        const QString nom = analyseur.value(OptionType);
        const auto nomme = [&nom](TypeFiltre type) { return texte(nom) == nomCommandeType(type); };
        if (!nomme(TypeFiltre::PasseBas) && !nomme(TypeFiltre::PasseHaut)) {
            return valeurRefusee(OptionType, nom,
                                 std::string(nomCommandeType(TypeFiltre::PasseBas)) + " ou " +
                                     std::string(nomCommandeType(TypeFiltre::PasseHaut)));
        }
        demande.type = nomme(TypeFiltre::PasseBas) ? TypeFiltre::PasseBas : TypeFiltre::PasseHaut;
    }
    if (analyseur.isSet(OptionDecimal)) {
        const QString separateur = analyseur.value(OptionDecimal);
        if (separateur != QStringLiteral(",") && separateur != QStringLiteral(".")) {
            return valeurRefusee(OptionDecimal, separateur, "\",\" ou \".\"");
        }
        demande.separateur = texte(separateur);
    }

    if (analyseur.isSet(OptionSerie)) {
        const QString nom = analyseur.value(OptionSerie);
        const std::optional<analyse::Serie> serie = lireSerie(nom);
        if (!serie) {
            return valeurRefusee(OptionSerie, nom, nomsDesSeries());
        }
        demande.serie = std::string(serie->nom);
    }
    for (std::size_t i = 0; i < FichiersSortie.size(); ++i) {
        const QCommandLineOption& option = OptionsFichiers[static_cast<qsizetype>(i)];
        if (analyseur.isSet(option)) {
            const QString nom = analyseur.value(option);
            if (nom.isEmpty()) {
                return valeurRefusee(option, nom, "un nom de fichier, ou - pour la sortie");
            }
            demande.fichiers[i] = texte(nom);
        }
    }
    if (const std::optional<ErreurUsage> conflit = fichiersEnConflit(demande)) {
        return *conflit;
    }
    demande.json = analyseur.isSet(OptionJson);
    std::variant<DemandeAnalyse, ErreurUsage> analyse =
        lireDemandeAnalyse(analyseur, demande.serie.has_value());
    if (auto* erreur = std::get_if<ErreurUsage>(&analyse)) {
        return std::move(*erreur);
    }
    demande.analyse = std::get<DemandeAnalyse>(std::move(analyse));

    const QStringList positionnels = analyseur.positionalArguments();
    if (positionnels.isEmpty()) {
        return ErreurUsage{"fr\u00E9quence manquante"};
    }
    if (positionnels.size() > 1) {
        return ErreurUsage{"une seule fr\u00E9quence est attendue, re\u00E7u : \"" +
                           texte(positionnels[1]) + "\""};
    }
    demande.texteFrequence = texte(positionnels.front());
    return demande;
}

std::string texteAide() {
    std::string usageFichiers;
    std::string aideFichiers;
    for (const FichierSortie& f : FichiersSortie) {
        usageFichiers += " [--" + std::string(f.option) + " FICHIER]";
        aideFichiers += "  --" + std::string(f.option) + " FICHIER\n";
        for (const QString& ligne : qtexte(f.aide).split(u'\n')) {
            aideFichiers += "                " + texte(ligne) + "\n";
        }
    }
    return "Usage : quorvan-cli [--filtre F] [--ordre N] [--type T] [--decimal SEP]\n"
           "                   [--serie SERIE] [--json]" +
           usageFichiers +
           "\n"
           "                   [--optimiser [--serie-r SERIE] [--serie-c SERIE]]\n"
           "                   [--essais N [--tolerance-r PCT] [--tolerance-c PCT] [--loi LOI]\n"
           "                    [--graine S] [--gabarit-coupure PCT] [--gabarit-ondulation DB]]\n"
           "                   [--gbw HZ] [--gain-boucle-ouverte DB]" +
           "\n"
           "                   [--] FREQUENCE\n"
           "\n"
           "Calcule les composants d'un filtre actif \u00E0 amplificateurs op\u00E9rationnels\n"
           "et \u00E9crit le m\u00EAme texte que la fen\u00EAtre de Quorvan.\n"
           "\n"
           "  --filtre F    famille du filtre, " +
           std::string(Familles.front().nomCommande) +
           " par d\u00E9faut :\n"
           "                " +
           nomsDesFamilles() +
           "\n"
           "  --ordre N     ordre du filtre, " +
           bornesOrdre() + " (d\u00E9faut " + std::to_string(OrdreMin) +
           ")\n"
           "  --type T      passe-bas (d\u00E9faut) ou passe-haut\n"
           "  --decimal SEP s\u00E9parateur d\u00E9cimal \u00E0 l'\u00E9criture, \",\" ou "
           "\".\"\n"
           "                (d\u00E9faut : celui des param\u00E8tres r\u00E9gionaux pour le "
           "texte,\n"
           "                \".\" pour les CSV)\n"
           "  --serie SERIE valeurs normalis\u00E9es " +
           nomsDesSeries() +
           " (majuscules ou\n"
           "                minuscules) des composants num\u00E9rot\u00E9s, apr\u00E8s le "
           "texte ;\n"
           "                les fichiers \u00E9crits les utilisent\n"
           "  --json        \u00E9crit le filtre en JSON (unit\u00E9s SI) au lieu du texte\n" +
           aideFichiers + aideAnalyse() +
           "  --help        affiche cette aide\n"
           "  --version     affiche la version\n"
           "\n"
           "Chaque FICHIER est \u00E9crit en entier ou pas du tout : si l'\u00E9criture "
           "\u00E9choue,\n"
           "le fichier qui \u00E9tait l\u00E0 reste intact. \"-\" \u00E9crit sur la sortie, "
           "apr\u00E8s le\n"
           "texte. Deux options ne peuvent pas d\u00E9signer le m\u00EAme fichier.\n"
           "\n"
           "FREQUENCE est la fr\u00E9quence de coupure en hertz, lue comme dans la fen\u00EAtre :\n"
           "le point est le seul s\u00E9parateur d\u00E9cimal.\n"
           "\n"
           "Code de sortie : 0 filtre calcul\u00E9, 1 filtre irr\u00E9alisable, fr\u00E9quence "
           "absente,\n"
           "fichier ou sortie impossible \u00E0 \u00E9crire, 2 erreur d'usage.\n";
}

} // namespace quorvan::cli
