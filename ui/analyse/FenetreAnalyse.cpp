#include "FenetreAnalyse.h"

#include "GrapheReponse.h"
#include "PanneauMonteCarlo.h"
#include "Resume.h"
#include "Tableaux.h"
#include "Textes.h"
#include "analysis/BalayageIdeal.h"
#include "analysis/CsvReponse.h"
#include "analysis/Nomenclature.h"
#include "toolkit/Desktop.h"
#include "toolkit/Utf8.h"
#include "toolkit/files/WholeFile.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <functional>
#include <string_view>

namespace quorvan {

namespace {

// What the chart shows, in the order of its list.
enum Grandeur { Gain, Phase, Retard };

// The value axis of each: the gain down to 80 dB below its top (the pass band, the edge and
// the first decades of the stop band), the phase by 45° or 90°, the delay from zero.
const std::array<GrapheReponse::Axe, 3> Axes = {{
    {.titre = QStringLiteral("Gain (dB)"),
     .suffixe = QStringLiteral(" dB"),
     .decimales = 2,
     .profondeur = 80},
    {.titre = QStringLiteral("Phase (\u00B0)"),
     .suffixe = QStringLiteral("\u00B0"),
     .decimales = 1,
     .pas = graduations::Pas::Angle},
    {.titre = QStringLiteral("Temps de propagation de groupe"),
     .uniteSI = "s",
     .plancherZero = true},
}};

double valeur(const analyse::PointReponse& p, int grandeur) {
    return grandeur == Gain ? p.gainDb : grandeur == Phase ? p.phaseDeg : p.retard;
}

// The series offered for each kind of part, and the one proposed: precision resistors are
// as cheap as any, capacitors beyond E12 hard to find.
constexpr std::array<std::string_view, 4> SeriesResistances = {"E12", "E24", "E48", "E96"};
constexpr std::array<std::string_view, 3> SeriesCondensateurs = {"E6", "E12", "E24"};

const analyse::Serie& serieChoisie(const QComboBox* liste) {
    // Each item is the name of a series of the table.
    return *std::find_if(
        analyse::Series.begin(), analyse::Series.end(),
        [&](const analyse::Serie& s) { return toolkit::fromUtf8(s.nom) == liste->currentText(); });
}

const QString NomOptimisee = QStringLiteral("Valeurs optimis\u00E9es");

} // namespace

FenetreAnalyse::FenetreAnalyse(toolkit::Desktop& bureau, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , bureau_(bureau) {
    setObjectName(QStringLiteral("FenetreAnalyse"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Analyse"));
    creerControles();
    resize(1040, 860);
}

FenetreAnalyse::~FenetreAnalyse() = default;

analyse::SeriesPieces FenetreAnalyse::series() const {
    return {serieChoisie(resistances_), serieChoisie(condensateurs_)};
}

const analyse::Serie& FenetreAnalyse::serieNormalisee(TypeFiltre type) const {
    return serieChoisie(type == TypeFiltre::PasseHaut ? resistances_ : condensateurs_);
}

const Variante* FenetreAnalyse::circuitOptimise() const {
    return circuits_.size() > Optimisee ? &circuits_[Optimisee] : nullptr;
}

void FenetreAnalyse::creerControles() {
    auto* disposition = new QVBoxLayout(this);
    avertissement_ = new QLabel;
    avertissement_->setObjectName(QStringLiteral("Avertissement"));
    avertissement_->setWordWrap(true);
    QFont gras = avertissement_->font();
    gras.setBold(true);
    avertissement_->setFont(gras);
    avertissement_->hide();
    disposition->addWidget(avertissement_);
    resume_ = new QLabel(QStringLiteral(
        "Aucun filtre calcul\u00E9 pour l'instant : tapez une fr\u00E9quence dans la fen\u00EAtre "
        "principale et cliquez sur \u00AB Calcul \u00BB."));
    resume_->setObjectName(QStringLiteral("Resume"));
    resume_->setWordWrap(true);
    resume_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    disposition->addWidget(resume_);

    auto* ligne = new QHBoxLayout;
    grandeur_ = new QComboBox;
    grandeur_->setObjectName(QStringLiteral("Grandeur"));
    grandeur_->addItems({QStringLiteral("Gain (dB)"), QStringLiteral("Phase (\u00B0)"),
                         QStringLiteral("Temps de propagation de groupe")});
    resistances_ = new QComboBox;
    resistances_->setObjectName(QStringLiteral("Resistances"));
    condensateurs_ = new QComboBox;
    condensateurs_->setObjectName(QStringLiteral("Condensateurs"));
    for (const std::string_view nom : SeriesResistances) {
        resistances_->addItem(toolkit::fromUtf8(nom));
    }
    for (const std::string_view nom : SeriesCondensateurs) {
        condensateurs_->addItem(toolkit::fromUtf8(nom));
    }
    resistances_->setCurrentText(QStringLiteral("E96"));
    condensateurs_->setCurrentText(QStringLiteral("E12"));
    seriesMontrees_ = {resistances_->currentIndex(), condensateurs_->currentIndex()};
    enregistrer_ = new QPushButton(QStringLiteral("&Enregistrer\u2026"));
    enregistrer_->setObjectName(QStringLiteral("Enregistrer"));
    enregistrer_->setAccessibleName(QStringLiteral("Enregistrer les courbes ou le graphique"));
    enregistrerNomenclature_ =
        new QPushButton(QStringLiteral("Enregistrer la &nomenclature\u2026"));
    enregistrerNomenclature_->setObjectName(QStringLiteral("EnregistrerNomenclature"));
    enregistrerNomenclature_->setAccessibleName(
        QStringLiteral("Enregistrer la nomenclature des valeurs optimis\u00E9es"));
    for (const auto& [libelle, controle] :
         {std::pair{QStringLiteral("&Courbe :"), grandeur_},
          std::pair{QStringLiteral("&R\u00E9sistances :"), resistances_},
          std::pair{QStringLiteral("Con&densateurs :"), condensateurs_}}) {
        auto* l = new QLabel(libelle);
        l->setBuddy(controle);
        controle->setAccessibleName(QString(libelle).remove(u'&').remove(QStringLiteral(" :")));
        ligne->addWidget(l);
        ligne->addWidget(controle);
    }
    ligne->addStretch();
    ligne->addWidget(enregistrer_);
    ligne->addWidget(enregistrerNomenclature_);
    disposition->addLayout(ligne);

    vue_ = new GrapheReponse;
    vue_->setObjectName(QStringLiteral("Graphique"));
    vue_->setAccessibleName(QStringLiteral("R\u00E9ponse en fr\u00E9quence"));
    vue_->setToolTip(QStringLiteral("Tirez un rectangle pour agrandir, double-cliquez pour "
                                    "revoir toute la courbe."));
    vue_->setMinimumHeight(340);
    disposition->addWidget(vue_, 1);

    auto* pageTables = new QWidget;
    auto* dispositionTables = new QVBoxLayout(pageTables);
    auto* tables = new QHBoxLayout;
    composants_ =
        tableLecture(QStringLiteral("Composants"),
                     {QStringLiteral("Composant"), QStringLiteral("Valeur calcul\u00E9e"),
                      QStringLiteral("Valeur normalis\u00E9e"), QStringLiteral("\u00C9cart")},
                     QStringLiteral("Composants : valeurs calcul\u00E9es et normalis\u00E9es"));
    pieces_ = tableLecture(QStringLiteral("Pieces"),
                           {QStringLiteral("Pi\u00E8ce"), QStringLiteral("Valeur"),
                            QStringLiteral("S\u00E9rie"), QStringLiteral("\u00C9tage")},
                           QStringLiteral("Valeurs optimis\u00E9es : une ligne par pi\u00E8ce"));
    etages_ = tableLecture(
        QStringLiteral("Etages"),
        {QStringLiteral("\u00C9tage"), QStringLiteral("f0"), QStringLiteral("Q"),
         QStringLiteral("P\u00F4le r\u00E9el"), QStringLiteral("Gain"), QStringLiteral("Gain max"),
         QStringLiteral("Gain \u00D7 bande minimal")},
        QStringLiteral("\u00C9tages : fr\u00E9quence propre, facteur de qualit\u00E9, "
                       "gain, gain le plus haut depuis l'entr\u00E9e du filtre et produit "
                       "gain \u00D7 bande minimal de l'ampli op"));
    tables->addWidget(composants_);
    tables->addWidget(pieces_);
    dispositionTables->addLayout(tables);
    // At most three stages: the table takes their height, the parts tables the rest.
    etages_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    etages_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    dispositionTables->addWidget(etages_);
    panneau_ = new PanneauMonteCarlo(bureau_);
    onglets_ = new QTabWidget;
    onglets_->setObjectName(QStringLiteral("Onglets"));
    onglets_->addTab(pageTables, QStringLiteral("Com&posants et \u00E9tages"));
    onglets_->addTab(panneau_, QStringLiteral("&Monte Carlo et ampli op r\u00E9el"));
    disposition->addWidget(onglets_);

    for (QWidget* w : controles()) {
        w->setEnabled(false);
    }
    connect(grandeur_, &QComboBox::currentIndexChanged, this, [this] { tracer(false); });
    for (QComboBox* liste : {resistances_, condensateurs_}) {
        connect(liste, &QComboBox::currentIndexChanged, this, &FenetreAnalyse::seriesChoisies);
    }
    connect(enregistrer_, &QPushButton::clicked, this, &FenetreAnalyse::enregistrer);
    connect(enregistrerNomenclature_, &QPushButton::clicked, this,
            &FenetreAnalyse::enregistrerNomenclature);
    connect(panneau_, &PanneauMonteCarlo::courbesChangees, this, [this] { tracer(true); });
}

std::vector<QWidget*> FenetreAnalyse::controles() const {
    return {grandeur_, resistances_, condensateurs_, enregistrer_, enregistrerNomenclature_,
            vue_,      onglets_};
}

void FenetreAnalyse::donnerCircuitsAuPanneau() {
    std::vector<PanneauMonteCarlo::CircuitAnalysable> circuits;
    for (const Variante& v : circuits_) {
        circuits.push_back({v.nom, v.montage});
    }
    panneau_->definirCircuits(std::move(circuits));
}

void FenetreAnalyse::afficher(const Conception& conception) {
    if (!analyser(conception, false)) {
        if (conception_) {
            avertir(QStringLiteral("L'analyse du dernier filtre calcul\u00E9 n'a pas abouti : "
                                   "cette fen\u00EAtre montre toujours le pr\u00E9c\u00E9dent, ") +
                    texteConception(*conception_) + u'.');
        }
        return;
    }
    avertir({});
    // The panel's own controls keep their state: they follow their tab. The parts list waits
    // for the search just started.
    for (QWidget* w : controles()) {
        w->setEnabled(w != enregistrerNomenclature_);
    }
    setWindowTitle(QStringLiteral("Analyse \u2013 ") + texteConception(conception));
    // The first control has the focus, from the first design on.
    if (focusWidget() == nullptr) {
        grandeur_->setFocus();
    }
}

void FenetreAnalyse::calculEchoue() {
    if (conception_) {
        avertir(QStringLiteral("Le dernier \u00AB Calcul \u00BB n'a pas donn\u00E9 de filtre : "
                               "cette fen\u00EAtre montre toujours le pr\u00E9c\u00E9dent, ") +
                texteConception(*conception_) + u'.');
    }
}

void FenetreAnalyse::avertir(const QString& texte) {
    avertissement_->setText(texte);
    avertissement_->setVisible(!texte.isEmpty());
}

void FenetreAnalyse::seriesChoisies() {
    if (!conception_) {
        return;
    }
    if (analyser(*conception_, true)) {
        seriesMontrees_ = {resistances_->currentIndex(), condensateurs_->currentIndex()};
    } else {
        const QSignalBlocker r(resistances_);
        const QSignalBlocker c(condensateurs_);
        resistances_->setCurrentIndex(seriesMontrees_.first);
        condensateurs_->setCurrentIndex(seriesMontrees_.second);
    }
}

bool FenetreAnalyse::analyser(const Conception& conception, bool memeConception) {
    std::optional<analyse::ReponseIdeale> ideale;
    std::vector<analyse::PointReponse> traceIdeale;
    std::vector<Variante> circuits;
    QList<QStringList> composants;
    QList<QStringList> etages;
    const analyse::Serie& serie = serieNormalisee(conception.type);
    try {
        if (memeConception) {
            ideale = ideale_;
            traceIdeale = traceIdeale_;
            circuits.push_back(circuits_.at(Calculee));
        } else {
            const circuit::Montage calcule = circuit::monter(conception);
            // The exact response at the computed circuit's own pass-band gain, as the
            // optimisation aims at.
            ideale.emplace(
                conception.famille, conception.ordre, conception.type, conception.frequence,
                analyse::gainBandePassante(analyse::fonctionCircuit(calcule), conception.type));
            circuits.push_back(
                analyserVariante(QStringLiteral("Valeurs calcul\u00E9es"), calcule, *ideale));
            std::vector<double> frequences;
            for (const analyse::PointReponse& p : circuits.back().trace) {
                frequences.push_back(p.frequence);
            }
            traceIdeale = analyse::balayerIdeale(*ideale, frequences);
        }
        const Conception normalisee = analyse::normaliser(conception, serie);
        circuits.push_back(analyserVariante(QStringLiteral("Valeurs normalis\u00E9es ") +
                                                toolkit::fromUtf8(serie.nom),
                                            circuit::monter(normalisee), *ideale));
        composants = lignesComposants(conception.type, analyse::ecarts(conception, normalisee));
        etages = lignesEtages(analyse::etages(circuits.back().montage));
    } catch (const std::exception&) {
        bureau_.showMessage(this,
                            QStringLiteral("L'analyse de ce filtre n'a pas pu \u00EAtre faite : "
                                           "la fen\u00EAtre garde ce qu'elle montrait."),
                            toolkit::MessageIcon::None);
        return false;
    }
    conception_ = conception;
    ideale_ = std::move(ideale);
    traceIdeale_ = std::move(traceIdeale);
    circuits_ = std::move(circuits);
    donnerCircuitsAuPanneau();
    remplir(composants_, composants);
    remplir(etages_, etages);
    optimiser();
    tracer(memeConception);
    ecrireResume();
    return true;
}

void FenetreAnalyse::optimiser() {
    etatOptimisation_ = QStringLiteral("recherche en cours\u2026");
    remplir(pieces_, {});
    enregistrerNomenclature_->setEnabled(false);
    optimisations_.submit([this, conception = *conception_, series = series(),
                           ideale = *ideale_]() -> std::function<void()> {
        // Everything here is a copy: the window may change or go meanwhile.
        try {
            analyse::Optimisation o = analyse::optimiser(conception, series);
            std::optional<Variante> optimise;
            if (o.montage) {
                optimise = analyserVariante(NomOptimisee, std::move(*o.montage), ideale);
            }
            return
                [this, optimise = std::move(optimise), message = QString::fromStdString(o.message),
                 series] { optimisationTerminee(optimise, message, series); };
        } catch (const std::exception&) {
            return [this, series] {
                optimisationTerminee(
                    std::nullopt,
                    QStringLiteral("la recherche n'a pas pu \u00EAtre faite pour ce filtre."),
                    series);
            };
        }
    });
}

void FenetreAnalyse::optimisationTerminee(std::optional<Variante> optimise, const QString& message,
                                          const analyse::SeriesPieces& series) {
    seriesOptimisees_ = series;
    etatOptimisation_ = optimise ? QString() : message;
    if (optimise) {
        remplir(pieces_, lignesPieces(optimise->montage, series));
        circuits_.push_back(std::move(*optimise));
        donnerCircuitsAuPanneau();
        tracer(true);
    }
    enregistrerNomenclature_->setEnabled(optimise.has_value());
    ecrireResume();
}

void FenetreAnalyse::tracer(bool garderZoom) {
    if (!conception_) {
        return;
    }
    const int grandeur = grandeur_->currentIndex();
    GrapheReponse::Contenu contenu{Axes.at(static_cast<std::size_t>(grandeur)), {}, {}, {}, {}};
    const auto courbe = [grandeur](const QString& nom,
                                   const std::vector<analyse::PointReponse>& points,
                                   GrapheReponse::Trait trait) {
        GrapheReponse::Courbe c{nom, {}, trait};
        c.points.reserve(points.size());
        for (const analyse::PointReponse& p : points) {
            c.points.emplace_back(p.frequence, valeur(p, grandeur));
        }
        return c;
    };
    for (const Variante& v : circuits_) {
        const double f3 = v.caracteristiques.coupure3dB;
        if (std::isfinite(f3)) {
            contenu.reperes.push_back({contenu.courbes.size(), f3, texteFrequence(f3)});
        }
        contenu.courbes.push_back(courbe(v.nom, v.trace, GrapheReponse::Trait::Plein));
    }
    contenu.courbes.push_back(courbe(QStringLiteral("R\u00E9ponse id\u00E9ale"), traceIdeale_,
                                     GrapheReponse::Trait::Tirets));
    panneau_->completer(
        contenu, [grandeur](const analyse::PointReponse& p) { return valeur(p, grandeur); },
        grandeur == Gain);
    if (grandeur == Gain) {
        contenu.niveaux.push_back(
            {QStringLiteral("\u22123 dB"), circuits_[Calculee].caracteristiques.gainMaxDb - 3});
    }
    contenu.verticales.push_back(
        {QStringLiteral("Fr\u00E9quence tap\u00E9e"), conception_->frequence});
    vue_->montrer(std::move(contenu), garderZoom);
}

void FenetreAnalyse::ecrireResume() {
    Resume resume{
        circuits_[Calculee].caracteristiques.gainDb, conception_->frequence, {}, etatOptimisation_};
    for (const Variante& v : circuits_) {
        resume.circuits.push_back({v.nom, v.caracteristiques, v.ecartIdealDb});
    }
    resume_->setText(texteResume(resume));
}

void FenetreAnalyse::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace {

struct FormatFichier {
    FenetreAnalyse::Format format;
    const char* type; // the save dialog's file type
    const char* suffixe;
};

// clang-format off
constexpr std::array<FormatFichier, 2> Formats = {{
    {FenetreAnalyse::Format::Csv, "Courbes CSV (*.csv)",   "csv"},
    {FenetreAnalyse::Format::Png, "Graphique PNG (*.png)", "png"},
}};
// clang-format on

const FormatFichier* formatDuSuffixe(const QString& chemin) {
    for (const FormatFichier& f : Formats) {
        if (QFileInfo(chemin).suffix().compare(QLatin1String(f.suffixe), Qt::CaseInsensitive) ==
            0) {
            return &f;
        }
    }
    return nullptr;
}

const FormatFichier& formatDuType(const QString& type) {
    for (const FormatFichier& f : Formats) {
        if (type == QLatin1String(f.type)) {
            return f;
        }
    }
    return Formats.front();
}

} // namespace

std::optional<QString> FenetreAnalyse::enregistrerVers(const QString& chemin, Format format) const {
    if (!conception_) {
        return QStringLiteral("aucun filtre n'est calcul\u00E9");
    }
    QByteArray contenu;
    if (format == Format::Png) {
        QBuffer tampon(&contenu);
        if (!vue_->grab().save(&tampon, "PNG")) {
            return QStringLiteral("l'image n'a pas pu \u00EAtre produite");
        }
    } else {
        // ';' between fields and the user's decimal separator, as spreadsheets in their
        // language read them.
        const std::string decimal = QLocale().decimalPoint().toStdString();
        const std::string suffixe = '_' + std::string(serieNormalisee(conception_->type).nom);
        const std::array<analyse::CourbeCsv, 2> courbes = {{
            {"", circuits_[Calculee].points},
            {suffixe, circuits_[Normalisee].points},
        }};
        contenu = QByteArray::fromStdString(analyse::ligneConceptionCsv(*conception_, decimal) +
                                            analyse::reponseCsv(courbes, decimal));
    }
    return toolkit::writeWholeFile(chemin, contenu);
}

void FenetreAnalyse::enregistrer() {
    QFileDialog dialogue(this, QStringLiteral("Enregistrer l'analyse"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    QStringList types;
    for (const FormatFichier& f : Formats) {
        types << QLatin1String(f.type);
    }
    dialogue.setNameFilters(types);
    // The dialog adds the chosen type's suffix to a bare name before it asks whether to
    // replace a file: its question names the file that will be written.
    dialogue.setDefaultSuffix(QLatin1String(Formats.front().suffixe));
    dialogue.selectFile(QStringLiteral("analyse.") + QLatin1String(Formats.front().suffixe));
    connect(&dialogue, &QFileDialog::filterSelected, &dialogue, [&dialogue](const QString& type) {
        dialogue.setDefaultSuffix(QLatin1String(formatDuType(type).suffixe));
    });
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) {
        return;
    }
    // A name's own suffix says its format ("courbes.png" under the CSV type is a picture); any
    // other name gets the chosen type.
    const QString chemin = dialogue.selectedFiles().front();
    const FormatFichier* format = formatDuSuffixe(chemin);
    const std::optional<QString> echec = enregistrerVers(
        chemin, (format != nullptr ? *format : formatDuType(dialogue.selectedNameFilter())).format);
    if (echec) {
        bureau_.showMessage(
            this,
            QStringLiteral("Impossible d'enregistrer \u00AB %1 \u00BB : %2.").arg(chemin, *echec),
            toolkit::MessageIcon::None);
    }
}

std::optional<QString> FenetreAnalyse::enregistrerNomenclatureVers(const QString& chemin) const {
    const Variante* optimise = circuitOptimise();
    if (optimise == nullptr) {
        return QStringLiteral("aucun circuit optimis\u00E9 n'est calcul\u00E9");
    }
    return toolkit::writeWholeFile(
        chemin,
        QByteArray::fromStdString(analyse::nomenclatureCsv(analyse::nomenclature(
            optimise->montage, seriesOptimisees_.resistances, seriesOptimisees_.condensateurs))));
}

void FenetreAnalyse::enregistrerNomenclature() {
    QFileDialog dialogue(this, QStringLiteral("Enregistrer la nomenclature"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setNameFilter(QStringLiteral("Nomenclature CSV (*.csv)"));
    dialogue.setDefaultSuffix(QStringLiteral("csv"));
    dialogue.selectFile(QStringLiteral("nomenclature.csv"));
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) {
        return;
    }
    const QString chemin = dialogue.selectedFiles().front();
    if (const std::optional<QString> echec = enregistrerNomenclatureVers(chemin)) {
        bureau_.showMessage(
            this,
            QStringLiteral("Impossible d'enregistrer \u00AB %1 \u00BB : %2.").arg(chemin, *echec),
            toolkit::MessageIcon::None);
    }
}

} // namespace quorvan
