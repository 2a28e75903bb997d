#include "FenetreAnalyse.h"

#include "GrapheReponse.h"
#include "PanneauMonteCarlo.h"
#include "Tableaux.h"
#include "Textes.h"
#include "analysis/CsvReponse.h"
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

#include <array>
#include <cmath>
#include <exception>

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

const analyse::Serie& FenetreAnalyse::serie() const {
    return analyse::Series.at(static_cast<std::size_t>(serie_->currentIndex()));
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
    serie_ = new QComboBox;
    serie_->setObjectName(QStringLiteral("Serie"));
    for (const analyse::Serie& s : analyse::Series) {
        serie_->addItem(toolkit::fromUtf8(s.nom));
    }
    serie_->setCurrentText(QStringLiteral("E24"));
    serieMontree_ = serie_->currentIndex();
    enregistrer_ = new QPushButton(QStringLiteral("&Enregistrer\u2026"));
    enregistrer_->setObjectName(QStringLiteral("Enregistrer"));
    enregistrer_->setAccessibleName(QStringLiteral("Enregistrer les courbes ou le graphique"));
    for (const auto& [libelle, controle] :
         {std::pair{QStringLiteral("&Courbe :"), grandeur_},
          std::pair{QStringLiteral("&S\u00E9rie normalis\u00E9e :"), serie_}}) {
        auto* l = new QLabel(libelle);
        l->setBuddy(controle);
        controle->setAccessibleName(QString(libelle).remove(u'&').remove(QStringLiteral(" :")));
        ligne->addWidget(l);
        ligne->addWidget(controle);
    }
    ligne->addStretch();
    ligne->addWidget(enregistrer_);
    disposition->addLayout(ligne);

    vue_ = new GrapheReponse;
    vue_->setObjectName(QStringLiteral("Graphique"));
    vue_->setAccessibleName(QStringLiteral("R\u00E9ponse en fr\u00E9quence"));
    vue_->setToolTip(QStringLiteral("Tirez un rectangle pour agrandir, double-cliquez pour "
                                    "revoir toute la courbe."));
    vue_->setMinimumHeight(340);
    disposition->addWidget(vue_, 1);

    auto* pageTables = new QWidget;
    auto* tables = new QHBoxLayout(pageTables);
    composants_ =
        tableLecture(QStringLiteral("Composants"),
                     {QStringLiteral("Composant"), QStringLiteral("Valeur calcul\u00E9e"),
                      QStringLiteral("Valeur normalis\u00E9e"), QStringLiteral("\u00C9cart")},
                     QStringLiteral("Composants : valeurs calcul\u00E9es et normalis\u00E9es"));
    etages_ = tableLecture(
        QStringLiteral("Etages"),
        {QStringLiteral("\u00C9tage"), QStringLiteral("f0"), QStringLiteral("Q"),
         QStringLiteral("P\u00F4le r\u00E9el"), QStringLiteral("Gain \u00D7 bande minimal")},
        QStringLiteral("\u00C9tages : fr\u00E9quence propre, facteur de qualit\u00E9 "
                       "et produit gain \u00D7 bande minimal de l'ampli op"));
    tables->addWidget(composants_);
    tables->addWidget(etages_);
    panneau_ = new PanneauMonteCarlo(bureau_);
    onglets_ = new QTabWidget;
    onglets_->setObjectName(QStringLiteral("Onglets"));
    onglets_->addTab(pageTables, QStringLiteral("Com&posants et \u00E9tages"));
    onglets_->addTab(panneau_, QStringLiteral("&Monte Carlo et ampli op r\u00E9el"));
    disposition->addWidget(onglets_);

    for (QWidget* w : {static_cast<QWidget*>(grandeur_), static_cast<QWidget*>(serie_),
                       static_cast<QWidget*>(enregistrer_), static_cast<QWidget*>(vue_),
                       static_cast<QWidget*>(onglets_)}) {
        w->setEnabled(false);
    }
    connect(grandeur_, &QComboBox::currentIndexChanged, this, [this] { tracer(false); });
    connect(serie_, &QComboBox::currentIndexChanged, this, &FenetreAnalyse::serieChoisie);
    connect(enregistrer_, &QPushButton::clicked, this, &FenetreAnalyse::enregistrer);
    connect(panneau_, &PanneauMonteCarlo::courbesChangees, this, [this] { tracer(true); });
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
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setEnabled(true);
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

void FenetreAnalyse::serieChoisie() {
    if (!conception_) {
        return;
    }
    if (analyser(*conception_, true)) {
        serieMontree_ = serie_->currentIndex();
    } else {
        const QSignalBlocker bloque(serie_);
        serie_->setCurrentIndex(serieMontree_);
    }
}

bool FenetreAnalyse::analyser(const Conception& conception, bool memeConception) {
    Variante calculee;
    Variante normalisee;
    QList<QStringList> composants;
    QList<QStringList> etages;
    try {
        if (!memeConception) {
            calculee = analyserVariante(conception);
        }
        normalisee = analyserVariante(analyse::normaliser(conception, serie()));
        composants =
            lignesComposants(conception.type, analyse::ecarts(conception, normalisee.conception));
        etages = lignesEtages(analyse::etages(normalisee.conception));
    } catch (const std::exception&) {
        bureau_.showMessage(this,
                            QStringLiteral("L'analyse de ce filtre n'a pas pu \u00EAtre faite : "
                                           "la fen\u00EAtre garde ce qu'elle montrait."),
                            toolkit::MessageIcon::None);
        return false;
    }
    if (!memeConception) {
        conception_ = conception;
        calculee_ = std::move(calculee);
    }
    normalisee_ = std::move(normalisee);
    std::vector<PanneauMonteCarlo::CircuitAnalysable> circuits;
    for (const auto& [variante, nom] : variantes()) {
        circuits.push_back({nom, circuit::monter(variante->conception)});
    }
    panneau_->definirCircuits(std::move(circuits));
    remplir(composants_, composants);
    remplir(etages_, etages);
    tracer(memeConception);
    ecrireResume();
    return true;
}

void FenetreAnalyse::tracer(bool garderZoom) {
    if (!conception_) {
        return;
    }
    const int grandeur = grandeur_->currentIndex();
    GrapheReponse::Contenu contenu{Axes.at(static_cast<std::size_t>(grandeur)), {}, {}, {}, {}};
    for (const auto& [variante, nom] : variantes()) {
        GrapheReponse::Courbe courbe{nom, {}, GrapheReponse::Trait::Plein};
        courbe.points.reserve(variante->trace.size());
        for (const analyse::PointReponse& p : variante->trace) {
            courbe.points.emplace_back(p.frequence, valeur(p, grandeur));
        }
        const double f3 = variante->caracteristiques.coupure3dB;
        if (std::isfinite(f3)) {
            contenu.reperes.push_back({contenu.courbes.size(), f3, texteFrequence(f3)});
        }
        contenu.courbes.push_back(std::move(courbe));
    }
    panneau_->completer(
        contenu, [grandeur](const analyse::PointReponse& p) { return valeur(p, grandeur); },
        grandeur == Gain);
    if (grandeur == Gain) {
        contenu.niveaux.push_back(
            {QStringLiteral("\u22123 dB"), calculee_.caracteristiques.gainMaxDb - 3});
    }
    contenu.verticales.push_back(
        {QStringLiteral("Fr\u00E9quence tap\u00E9e"), conception_->frequence});
    vue_->montrer(std::move(contenu), garderZoom);
}

std::vector<std::pair<const Variante*, QString>> FenetreAnalyse::variantes() const {
    return {
        {&calculee_, QStringLiteral("Valeurs calcul\u00E9es")},
        {&normalisee_,
         QStringLiteral("Valeurs normalis\u00E9es ") + toolkit::fromUtf8(serie().nom)},
    };
}

void FenetreAnalyse::ecrireResume() {
    const QString nomSerie = toolkit::fromUtf8(serie().nom);
    const analyse::Caracteristiques& a = calculee_.caracteristiques;
    const analyse::Caracteristiques& b = normalisee_.caracteristiques;
    const QString dB = QStringLiteral("dB");
    resume_->setText(
        QStringLiteral("Le gain tombe de 3 dB \u00E0 %1 avec les valeurs calcul\u00E9es et \u00E0 "
                       "%2 avec les valeurs normalis\u00E9es %3 (fr\u00E9quence tap\u00E9e : %4). "
                       "Ondulation dans la bande passante : %5 et %6. Le gain \u00D7 bande "
                       "minimal de chaque ampli op est une r\u00E8gle pratique : 100 \u00D7 "
                       "gain \u00D7 f0 \u00D7 Q.")
            .arg(texteFrequence(a.coupure3dB), texteFrequence(b.coupure3dB), nomSerie,
                 texteSI(conception_->frequence, "Hz", 6), texteDecimales(a.ondulationDb, 2, dB),
                 texteDecimales(b.ondulationDb, 2, dB)));
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
        const std::string suffixe = '_' + std::string(serie().nom);
        const std::array<analyse::CourbeCsv, 2> courbes = {{
            {"", calculee_.points},
            {suffixe, normalisee_.points},
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

} // namespace quorvan
