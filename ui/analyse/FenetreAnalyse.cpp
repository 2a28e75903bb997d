#include "FenetreAnalyse.h"

#include "analysis/CsvReponse.h"
#include "report/EcritureNombres.h"
#include "toolkit/Desktop.h"
#include "toolkit/Utf8.h"
#include "toolkit/files/WholeFile.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quorvan {

namespace {

// What the chart shows, in the order of its list.
enum Grandeur { Gain, Phase, Retard };

// How far below its peak the gain is drawn: the pass band, the edge and the first decades of
// the stop band, legibly.
constexpr double ProfondeurGainDb = 80;

QString texte(const std::string& s) {
    return QString::fromStdString(s);
}

// "950 Hz", "1,38 kHz", "2,5 MHz": three significant digits in the user's notation.
QString texteFrequence(double hz) {
    if (!std::isfinite(hz)) {
        return QStringLiteral("hors du balayage");
    }
    const auto [echelle, unite] = hz >= 1e6   ? std::pair{1e6, "MHz"}
                                  : hz >= 1e3 ? std::pair{1e3, "kHz"}
                                              : std::pair{1.0, "Hz"};
    return QLocale().toString(hz / echelle, 'g', 3) + u' ' + QLatin1String(unite);
}

QString texteDb(double db) {
    return QLocale().toString(db, 'f', 2) + QStringLiteral(" dB");
}

// A component value as the report writes it, with the user's decimal separator.
QString texteValeur(TypeFiltre type, double valeur) {
    return texte(formatComposant(type, valeur, QLocale().decimalPoint().toStdString()));
}

double valeur(const analyse::PointReponse& p, int grandeur, double echelleRetard) {
    return grandeur == Gain ? p.gainDb : grandeur == Phase ? p.phaseDeg : p.retard * echelleRetard;
}

// The curve's value at `f`, interpolated on the logarithmic frequency scale.
double valeurEn(const std::vector<analyse::PointReponse>& points, double f, int grandeur,
                double echelleRetard) {
    const auto apres =
        std::lower_bound(points.begin(), points.end(), f,
                         [](const analyse::PointReponse& p, double x) { return p.frequence < x; });
    if (apres == points.begin() || apres == points.end()) {
        return valeur(apres == points.end() ? points.back() : points.front(), grandeur,
                      echelleRetard);
    }
    const auto avant = apres - 1;
    const double t = std::log(f / avant->frequence) / std::log(apres->frequence / avant->frequence);
    return (1 - t) * valeur(*avant, grandeur, echelleRetard) +
           t * valeur(*apres, grandeur, echelleRetard);
}

QTableWidget* table(const QStringList& titres, const QString& nomAccessible) {
    auto* t = new QTableWidget(0, static_cast<int>(titres.size()));
    t->setHorizontalHeaderLabels(titres);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setAccessibleName(nomAccessible);
    return t;
}

// Fills a table in one go: sizing the columns cell by cell would cost more than the analysis.
void remplir(QTableWidget* t, const QList<QStringList>& lignes) {
    t->setRowCount(static_cast<int>(lignes.size()));
    for (int ligne = 0; ligne < lignes.size(); ++ligne) {
        for (int i = 0; i < lignes[ligne].size(); ++i) {
            t->setItem(ligne, i, new QTableWidgetItem(lignes[ligne][i]));
        }
    }
    t->resizeColumnsToContents();
}

} // namespace

FenetreAnalyse::FenetreAnalyse(toolkit::Desktop& bureau, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , bureau_(bureau) {
    setObjectName(QStringLiteral("FenetreAnalyse"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Analyse"));
    creerControles();
    resize(920, 720);
}

FenetreAnalyse::~FenetreAnalyse() = default;

const analyse::Serie& FenetreAnalyse::serie() const {
    return analyse::Series.at(static_cast<std::size_t>(serie_->currentIndex()));
}

void FenetreAnalyse::creerControles() {
    auto* disposition = new QVBoxLayout(this);
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

    graphe_ = new QChart;
    // Axis labels in the user's notation.
    graphe_->setLocalizeNumbers(true);
    traceCalculee_ = new QLineSeries;
    traceCalculee_->setName(QStringLiteral("Valeurs calcul\u00E9es"));
    traceNormalisee_ = new QLineSeries;
    traceFrequence_ = new QLineSeries;
    traceFrequence_->setName(QStringLiteral("Fr\u00E9quence tap\u00E9e"));
    traceFrequence_->setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    marques3dB_ = new QScatterSeries;
    marques3dB_->setName(QStringLiteral("Points \u00E0 \u22123 dB"));
    marques3dB_->setMarkerSize(9);
    axeFrequence_ = new QLogValueAxis;
    axeFrequence_->setTitleText(QStringLiteral("Fr\u00E9quence (Hz)"));
    axeFrequence_->setLabelFormat(QStringLiteral("%.6g"));
    axeFrequence_->setMinorTickCount(8);
    axeValeur_ = new QValueAxis;
    graphe_->addAxis(axeFrequence_, Qt::AlignBottom);
    graphe_->addAxis(axeValeur_, Qt::AlignLeft);
    for (QXYSeries* s :
         {static_cast<QXYSeries*>(traceCalculee_), static_cast<QXYSeries*>(traceNormalisee_),
          static_cast<QXYSeries*>(traceFrequence_), static_cast<QXYSeries*>(marques3dB_)}) {
        graphe_->addSeries(s);
        s->attachAxis(axeFrequence_);
        s->attachAxis(axeValeur_);
    }
    vue_ = new QChartView(graphe_);
    vue_->setObjectName(QStringLiteral("Graphique"));
    vue_->setRenderHint(QPainter::Antialiasing);
    vue_->setAccessibleName(QStringLiteral("R\u00E9ponse en fr\u00E9quence"));
    vue_->setMinimumHeight(300);
    disposition->addWidget(vue_, 1);

    auto* tables = new QHBoxLayout;
    composants_ = table({QStringLiteral("Composant"), QStringLiteral("Valeur calcul\u00E9e"),
                         QStringLiteral("Valeur normalis\u00E9e"), QStringLiteral("\u00C9cart")},
                        QStringLiteral("Composants : valeurs calcul\u00E9es et normalis\u00E9es"));
    composants_->setObjectName(QStringLiteral("Composants"));
    etages_ =
        table({QStringLiteral("\u00C9tage"), QStringLiteral("f0"), QStringLiteral("Q"),
               QStringLiteral("P\u00F4le r\u00E9el"), QStringLiteral("Gain \u00D7 bande minimal")},
              QStringLiteral("\u00C9tages : fr\u00E9quence propre, facteur de qualit\u00E9 "
                             "et produit gain \u00D7 bande minimal de l'ampli op"));
    etages_->setObjectName(QStringLiteral("Etages"));
    tables->addWidget(composants_);
    tables->addWidget(etages_);
    disposition->addLayout(tables);

    for (QWidget* w : {static_cast<QWidget*>(grandeur_), static_cast<QWidget*>(serie_),
                       static_cast<QWidget*>(enregistrer_), static_cast<QWidget*>(vue_),
                       static_cast<QWidget*>(composants_), static_cast<QWidget*>(etages_)}) {
        w->setEnabled(false);
    }
    connect(grandeur_, &QComboBox::currentIndexChanged, this, &FenetreAnalyse::tracer);
    connect(serie_, &QComboBox::currentIndexChanged, this, &FenetreAnalyse::serieChoisie);
    connect(enregistrer_, &QPushButton::clicked, this, &FenetreAnalyse::enregistrer);
}

void FenetreAnalyse::afficher(const Conception& conception) {
    conception_ = conception;
    calculee_ = analyse::analyser(conception);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setEnabled(true);
    }
    setWindowTitle(QStringLiteral("Analyse \u2013 ") +
                   toolkit::fromUtf8(famille(conception.famille).libelle) + QStringLiteral(", ") +
                   toolkit::fromUtf8(libelleType(conception.type)).toLower() +
                   QStringLiteral(", ordre %1, ").arg(conception.ordre) +
                   texteFrequence(conception.frequence));
    recalculerNormalisee();
}

void FenetreAnalyse::serieChoisie() {
    if (conception_) {
        recalculerNormalisee();
    }
}

void FenetreAnalyse::recalculerNormalisee() {
    conceptionNormalisee_ = analyse::normaliser(*conception_, serie());
    normalisee_ = analyse::analyser(conceptionNormalisee_);
    traceNormalisee_->setName(QStringLiteral("Valeurs normalis\u00E9es ") +
                              toolkit::fromUtf8(serie().nom));
    tracer();
    remplirTables();
    ecrireResume();
}

void FenetreAnalyse::tracer() {
    if (!conception_) {
        return;
    }
    const int grandeur = grandeur_->currentIndex();
    // Delays in the unit that suits them.
    double plusLong = 0;
    for (const Courbe* c : {&calculee_, &normalisee_}) {
        for (const analyse::PointReponse& p : c->points) {
            plusLong = std::max(plusLong, std::fabs(p.retard));
        }
    }
    const auto [echelleRetard, uniteRetard] = plusLong < 1e-3 ? std::pair{1e6, "\u00B5s"}
                                              : plusLong < 1  ? std::pair{1e3, "ms"}
                                                              : std::pair{1.0, "s"};
    double bas = std::numeric_limits<double>::infinity();
    double haut = -bas;
    for (const auto& [courbe, trace] :
         {std::pair{&calculee_, traceCalculee_}, std::pair{&normalisee_, traceNormalisee_}}) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(courbe->points.size()));
        for (const analyse::PointReponse& p : courbe->points) {
            const double y = valeur(p, grandeur, echelleRetard);
            points.append({p.frequence, y});
            bas = std::min(bas, y);
            haut = std::max(haut, y);
        }
        // A change of series leaves the computed curve as it is drawn.
        if (trace->points() != points) {
            trace->replace(points);
        }
    }
    if (grandeur == Gain) {
        haut =
            std::max(calculee_.caracteristiques.gainMaxDb, normalisee_.caracteristiques.gainMaxDb);
        bas = std::max(bas, haut - ProfondeurGainDb);
        haut += 5;
    }
    const double marge = (haut - bas) * 0.05 + 1e-12;
    axeValeur_->setRange(bas - marge, haut + marge);
    axeValeur_->applyNiceNumbers();
    axeValeur_->setTitleText(grandeur == Gain    ? QStringLiteral("Gain (dB)")
                             : grandeur == Phase ? QStringLiteral("Phase (\u00B0)")
                                                 : QStringLiteral("Temps de propagation (") +
                                                       QString::fromUtf8(uniteRetard) + u')');
    axeFrequence_->setRange(calculee_.points.front().frequence, calculee_.points.back().frequence);
    const double f = conception_->frequence;
    traceFrequence_->replace({{f, axeValeur_->min()}, {f, axeValeur_->max()}});
    QList<QPointF> marques;
    for (const Courbe* c : {&calculee_, &normalisee_}) {
        const double f3 = c->caracteristiques.coupure3dB;
        if (std::isfinite(f3)) {
            marques.append({f3, valeurEn(c->points, f3, grandeur, echelleRetard)});
        }
    }
    marques3dB_->replace(marques);
}

void FenetreAnalyse::remplirTables() {
    QList<QStringList> composants;
    for (const analyse::Ecart& e : analyse::ecarts(*conception_, conceptionNormalisee_)) {
        composants.append({texte(e.nom), texteValeur(conception_->type, e.calculee),
                           texteValeur(conception_->type, e.normalisee),
                           QLocale().toString(e.pourcent, 'f', 2) + QStringLiteral(" %")});
    }
    remplir(composants_, composants);
    QList<QStringList> etages;
    for (const analyse::Etage& e : analyse::etages(conceptionNormalisee_)) {
        QStringList noms;
        for (const std::string& n : e.composants) {
            noms << texte(n);
        }
        etages.append(
            {QStringLiteral("%1 (%2)").arg(etages.size() + 1).arg(noms.join(QStringLiteral(", "))),
             texteFrequence(e.f0), QLocale().toString(e.q, 'f', 3),
             e.poleReel ? texteFrequence(*e.poleReel) : QStringLiteral("\u2014"),
             texteFrequence(e.gbwMinimum())});
    }
    remplir(etages_, etages);
}

void FenetreAnalyse::ecrireResume() {
    const QString nomSerie = toolkit::fromUtf8(serie().nom);
    const analyse::Caracteristiques& a = calculee_.caracteristiques;
    const analyse::Caracteristiques& b = normalisee_.caracteristiques;
    resume_->setText(
        QStringLiteral("Le gain tombe de 3 dB \u00E0 %1 avec les valeurs calcul\u00E9es et \u00E0 "
                       "%2 avec les valeurs normalis\u00E9es %3 (fr\u00E9quence tap\u00E9e : %4). "
                       "Ondulation dans la bande passante : %5 et %6. Le gain \u00D7 bande "
                       "minimal de chaque ampli op est une r\u00E8gle pratique : 100 \u00D7 "
                       "gain \u00D7 f0 \u00D7 Q.")
            .arg(texteFrequence(a.coupure3dB), texteFrequence(b.coupure3dB), nomSerie,
                 texteFrequence(conception_->frequence), texteDb(a.ondulationDb),
                 texteDb(b.ondulationDb)));
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
