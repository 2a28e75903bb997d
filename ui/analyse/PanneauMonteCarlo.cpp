#include "PanneauMonteCarlo.h"

#include "ExecutionMonteCarlo.h"
#include "Histogramme.h"
#include "Tableaux.h"
#include "Textes.h"
#include "analysis/Etages.h"
#include "analysis/GbwNecessaire.h"
#include "report/LectureSI.h"
#include "toolkit/Desktop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace quorvan {

namespace {

// The parts that make up this share of the −3 dB frequency's variance, the largest first, are
// the ones to tighten first: past it, tightening buys little.
constexpr double PartAResserrer = 80.0;

const QString Tiret = QStringLiteral("\u2014");

QDoubleSpinBox* champ(double minimum, double maximum, double valeur, int decimales,
                      const QString& suffixe) {
    auto* c = new QDoubleSpinBox;
    c->setRange(minimum, maximum);
    c->setDecimals(decimales);
    c->setValue(valeur);
    c->setSuffix(suffixe);
    return c;
}

QString texteNombre(double valeur, int decimales) {
    return QLocale().toString(valeur, 'f', decimales);
}

} // namespace

PanneauMonteCarlo::PanneauMonteCarlo(toolkit::Desktop& bureau, QWidget* parent)
    : QWidget(parent)
    , bureau_(bureau)
    , execution_(new ExecutionMonteCarlo(this)) {
    setObjectName(QStringLiteral("MonteCarlo"));
    creerControles();
    connect(execution_, &ExecutionMonteCarlo::progression, this,
            [this](qint64 faits, qint64 total) {
                progression_->setMaximum(static_cast<int>(total));
                progression_->setValue(static_cast<int>(faits));
            });
    connect(execution_, &ExecutionMonteCarlo::termine, this, &PanneauMonteCarlo::montrer);
    connect(execution_, &ExecutionMonteCarlo::echoue, this, &PanneauMonteCarlo::echec);
}

PanneauMonteCarlo::~PanneauMonteCarlo() = default;

void PanneauMonteCarlo::creerControles() {
    circuit_ = new QComboBox;
    resistances_ = champ(0, 50, 1, 2, QStringLiteral(" %"));
    condensateurs_ = champ(0, 50, 5, 2, QStringLiteral(" %"));
    loi_ = new QComboBox;
    loi_->addItem(QStringLiteral("uniforme"), static_cast<int>(analyse::Loi::Uniforme));
    loi_->addItem(QStringLiteral("gauss"), static_cast<int>(analyse::Loi::Gauss));
    loi_->setToolTip(QStringLiteral("Uniforme : toute valeur dans la tol\u00E9rance. Gauss : loi "
                                    "normale d'\u00E9cart type tol\u00E9rance / 3, sans sortir "
                                    "de la tol\u00E9rance."));
    essais_ = new QSpinBox;
    essais_->setRange(1, static_cast<int>(analyse::EssaisMax));
    essais_->setValue(static_cast<int>(analyse::ReglagesMonteCarlo{}.essais));
    essais_->setGroupSeparatorShown(true);
    graine_ = new QSpinBox;
    graine_->setRange(0, std::numeric_limits<int>::max());
    graine_->setValue(static_cast<int>(analyse::ReglagesMonteCarlo{}.graine));
    limiteCoupure_ = new QCheckBox(QStringLiteral("\u00C9cart de &fr\u00E9quence \u00B1"));
    ecartCoupure_ = champ(0.01, 100, 5, 2, QStringLiteral(" %"));
    limiteOndulation_ = new QCheckBox(QStringLiteral("Ondulation ma&x."));
    ondulationMax_ = champ(0, 20, 1, 2, QStringLiteral(" dB"));
    gbw_ = new QLineEdit;
    gbw_->setPlaceholderText(QStringLiteral("id\u00E9al"));
    a0_ = champ(20, 200, 100, 1, QStringLiteral(" dB"));
    lancer_ = new QPushButton(QStringLiteral("&Lancer"));
    progression_ = new QProgressBar;
    etat_ = new QLabel;
    ampli_ = new QLabel;
    ampli_->setWordWrap(true);
    ampli_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const std::pair<QWidget*, const char*> noms[] = {
        {circuit_, "CircuitMC"},
        {resistances_, "ToleranceR"},
        {condensateurs_, "ToleranceC"},
        {loi_, "Loi"},
        {essais_, "Essais"},
        {graine_, "Graine"},
        {limiteCoupure_, "LimiteCoupure"},
        {ecartCoupure_, "EcartCoupure"},
        {limiteOndulation_, "LimiteOndulation"},
        {ondulationMax_, "OndulationMax"},
        {gbw_, "Gbw"},
        {a0_, "A0"},
        {lancer_, "Lancer"},
        {progression_, "Progression"},
        {etat_, "EtatMC"},
        {ampli_, "BesoinAmpli"},
    };
    for (const auto& [w, nom] : noms) {
        w->setObjectName(QString::fromLatin1(nom));
    }

    auto* reglages = new QGridLayout;
    const auto ligne = [reglages](int rang, int colonne, const QString& libelle, QWidget* champ,
                                  int largeur = 1) {
        auto* l = new QLabel(libelle);
        l->setBuddy(champ);
        champ->setAccessibleName(QString(libelle).remove(u'&').remove(QStringLiteral(" :")));
        reglages->addWidget(l, rang, colonne);
        reglages->addWidget(champ, rang, colonne + 1, 1, largeur);
    };
    ligne(0, 0, QStringLiteral("Circuit &analys\u00E9 :"), circuit_, 3);
    ligne(1, 0, QStringLiteral("Tol\u00E9rance des &R :"), resistances_);
    ligne(1, 2, QStringLiteral("des C&o :"), condensateurs_);
    ligne(2, 0, QStringLiteral("Lo&i :"), loi_);
    ligne(2, 2, QStringLiteral("&Nombre d'essais :"), essais_);
    ligne(3, 0, QStringLiteral("&Graine :"), graine_);
    reglages->addWidget(limiteCoupure_, 4, 0);
    reglages->addWidget(ecartCoupure_, 4, 1);
    reglages->addWidget(limiteOndulation_, 4, 2);
    reglages->addWidget(ondulationMax_, 4, 3);
    ligne(5, 0, QStringLiteral("Gain \u00D7 &bande de l'ampli op :"), gbw_);
    ligne(5, 2, QStringLiteral("Gain en boucle o&uverte :"), a0_);
    resistances_->setAccessibleName(QStringLiteral("Tol\u00E9rance des r\u00E9sistances"));
    condensateurs_->setAccessibleName(QStringLiteral("Tol\u00E9rance des condensateurs"));
    // The fields as wide as their numbers, so that the results get the room.
    for (QWidget* c :
         std::initializer_list<QWidget*>{resistances_, condensateurs_, essais_, graine_,
                                         ecartCoupure_, ondulationMax_, gbw_, a0_}) {
        c->setMaximumWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    }
    reglages->addWidget(lancer_, 6, 0);
    reglages->addWidget(progression_, 6, 1, 1, 3);
    reglages->addWidget(etat_, 7, 0, 1, 4);

    resume_ = new QLabel;
    resume_->setObjectName(QStringLiteral("ResumeMC"));
    resume_->setWordWrap(true);
    resume_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    centiles_ =
        tableLecture(QStringLiteral("Centiles"),
                     {QStringLiteral("Centile"), QStringLiteral("Coupure \u00E0 \u22123 dB"),
                      QStringLiteral("Ondulation")},
                     QStringLiteral("Centiles de la coupure et de l'ondulation"));
    sensibilites_ = tableLecture(
        QStringLiteral("Sensibilites"),
        {QStringLiteral("Composant"), QStringLiteral("Coupure (% par %)"),
         QStringLiteral("Ondulation (dB par %)"), QStringLiteral("Part de la variance"), QString()},
        QStringLiteral("Sensibilit\u00E9s, les composants \u00E0 resserrer en premier d'abord"));
    histoCoupure_ = new Histogramme(QStringLiteral("Coupure \u00E0 \u22123 dB"));
    histoCoupure_->setObjectName(QStringLiteral("HistoCoupure"));
    histoOndulation_ = new Histogramme(QStringLiteral("Ondulation"));
    histoOndulation_->setObjectName(QStringLiteral("HistoOndulation"));

    auto* resultats = new QVBoxLayout;
    resultats->addWidget(ampli_);
    resultats->addWidget(resume_);
    auto* tables = new QHBoxLayout;
    tables->addWidget(centiles_);
    tables->addWidget(sensibilites_, 1);
    resultats->addLayout(tables, 1);
    // Under the settings, where the lines are short.
    auto* histogrammes = new QHBoxLayout;
    histogrammes->addWidget(histoCoupure_);
    histogrammes->addWidget(histoOndulation_);
    reglages->addLayout(histogrammes, 8, 0, 1, 4);
    reglages->setRowStretch(8, 1);

    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(4, 4, 4, 4);
    disposition->addLayout(reglages);
    disposition->addLayout(resultats, 1);

    connect(lancer_, &QPushButton::clicked, this, &PanneauMonteCarlo::lancerOuArreter);
    connect(circuit_, &QComboBox::currentIndexChanged, this, [this](int rang) {
        choix_ = {circuit_->currentText(), rang};
        invalider();
        actualiserAmpli();
    });
    connect(loi_, &QComboBox::currentIndexChanged, this, &PanneauMonteCarlo::invalider);
    for (QDoubleSpinBox* c : {resistances_, condensateurs_, ecartCoupure_, ondulationMax_}) {
        connect(c, &QDoubleSpinBox::valueChanged, this, &PanneauMonteCarlo::invalider);
    }
    for (QSpinBox* c : {essais_, graine_}) {
        connect(c, &QSpinBox::valueChanged, this, &PanneauMonteCarlo::invalider);
    }
    for (QCheckBox* c : {limiteCoupure_, limiteOndulation_}) {
        connect(c, &QCheckBox::toggled, this, &PanneauMonteCarlo::invalider);
    }
    connect(gbw_, &QLineEdit::editingFinished, this, &PanneauMonteCarlo::actualiserAmpli);
    connect(a0_, &QDoubleSpinBox::valueChanged, this, &PanneauMonteCarlo::actualiserAmpli);
    invalider();
}

void PanneauMonteCarlo::definirCircuits(std::vector<CircuitAnalysable> circuits) {
    // The window redraws its chart once it has given the circuits.
    const QSignalBlocker silence(this);
    std::optional<circuit::Montage> avant;
    if (const circuit::Montage* m = circuitAnalyse()) {
        avant = *m;
    }
    circuits_ = std::move(circuits);
    {
        const QSignalBlocker bloque(circuit_);
        circuit_->clear();
        for (const CircuitAnalysable& c : circuits_) {
            circuit_->addItem(c.nom);
        }
        // The circuit the user chose, by its name, which the optimised one keeps while it is
        // searched for again; another series renames the standard values' one: its place then.
        const int memeNom = circuit_->findText(choix_.first);
        circuit_->setCurrentIndex(memeNom >= 0                        ? memeNom
                                  : choix_.second < circuit_->count() ? choix_.second
                                                                      : 0);
    }
    // Another series or the optimised parts arriving may leave the analysed circuit as it was:
    // its run and results stay.
    const circuit::Montage* apres = circuitAnalyse();
    if (avant && apres != nullptr && *avant == *apres) {
        return;
    }
    invalider();
    actualiserAmpli();
}

const circuit::Montage* PanneauMonteCarlo::circuitAnalyse() const {
    const int i = circuit_->currentIndex();
    return i >= 0 && i < static_cast<int>(circuits_.size())
               ? &circuits_[static_cast<std::size_t>(i)].montage
               : nullptr;
}

analyse::ReglagesMonteCarlo PanneauMonteCarlo::reglages() const {
    analyse::ReglagesMonteCarlo r;
    r.essais = static_cast<std::size_t>(essais_->value());
    r.tolerances.loi = static_cast<analyse::Loi>(loi_->currentData().toInt());
    r.tolerances.resistancesPct = resistances_->value();
    r.tolerances.condensateursPct = condensateurs_->value();
    r.graine = static_cast<std::uint64_t>(graine_->value());
    if (limiteCoupure_->isChecked()) {
        r.limites.ecartCoupurePct = ecartCoupure_->value();
    }
    if (limiteOndulation_->isChecked()) {
        r.limites.ondulationMaxDb = ondulationMax_->value();
    }
    return r;
}

double PanneauMonteCarlo::gainBoucleOuverte() const {
    return std::pow(10.0, a0_->value() / 20);
}

void PanneauMonteCarlo::lancerOuArreter() {
    if (execution_->enCours()) {
        execution_->arreter();
        finDuCalcul(QStringLiteral("Calcul arr\u00EAt\u00E9."));
        return;
    }
    const circuit::Montage* montage = circuitAnalyse();
    if (montage == nullptr) {
        return;
    }
    invalider();
    execution_->lancer(*montage, reglages());
    lancer_->setText(QStringLiteral("Arr\u00EA&ter"));
    progression_->setRange(0, essais_->value());
    progression_->setValue(0);
    etat_->setText(QStringLiteral("Calcul en cours\u2026"));
}

void PanneauMonteCarlo::finDuCalcul(const QString& etat) {
    lancer_->setText(QStringLiteral("&Lancer"));
    etat_->setText(etat);
}

void PanneauMonteCarlo::invalider() {
    const bool enCours = execution_->enCours();
    execution_->arreter();
    finDuCalcul(enCours ? QStringLiteral("R\u00E9glages modifi\u00E9s : calcul arr\u00EAt\u00E9.")
                        : QString());
    progression_->reset();
    resume_->setText(QStringLiteral("Rendement : ") + Tiret +
                     QStringLiteral(". Choisissez les tol\u00E9rances et cliquez sur "
                                    "\u00AB Lancer \u00BB."));
    remplir(centiles_, {});
    remplir(sensibilites_, {});
    histoCoupure_->effacer();
    histoOndulation_->effacer();
    if (resultat_) {
        resultat_.reset();
        emit courbesChangees();
    }
}

void PanneauMonteCarlo::echec() {
    finDuCalcul(QStringLiteral("Calcul impossible."));
    bureau_.showMessage(
        this,
        QStringLiteral("Le calcul de Monte Carlo n'a pas pu \u00EAtre fait : les r\u00E9glages ou "
                       "les valeurs de ce circuit sont hors de ce que l'analyse accepte."),
        toolkit::MessageIcon::None);
}

void PanneauMonteCarlo::montrer(std::shared_ptr<const analyse::ResultatMonteCarlo> resultat) {
    resultat_ = std::move(resultat);
    const analyse::ResultatMonteCarlo& r = *resultat_;
    const std::size_t essais = r.ondulations.size();
    finDuCalcul(QStringLiteral("Termin\u00E9 : %L1 essais.").arg(essais));

    QString resume =
        QStringLiteral("Rendement : %1. Pire cas de la coupure \u00E0 \u22123 dB : de %2 \u00E0 "
                       "%3 (circuit nominal : %4).")
            .arg(r.rendementPct ? texteDecimales(*r.rendementPct, 1, QStringLiteral("%")) : Tiret,
                 texteSI(r.pireCas.coupureMin, "Hz", 4), texteSI(r.pireCas.coupureMax, "Hz", 4),
                 texteSI(r.nominal.coupure3dB, "Hz", 4));
    if (r.coupures.size() < essais) {
        resume += QStringLiteral(" %L1 essais sans coupure \u00E0 \u22123 dB dans le balayage.")
                      .arg(essais - r.coupures.size());
    }
    resume_->setText(resume);

    const auto ligne = [](const QString& nom, double coupure, double ondulation) {
        return QStringList{nom, texteSI(coupure, "Hz", 4),
                           texteDecimales(ondulation, 3, QStringLiteral("dB"))};
    };
    const analyse::Repartition& c = r.coupure3dB;
    const analyse::Repartition& o = r.ondulationDb;
    remplir(centiles_,
            {ligne(QStringLiteral("1 %"), c.p1, o.p1), ligne(QStringLiteral("5 %"), c.p5, o.p5),
             ligne(QStringLiteral("50 %"), c.p50, o.p50),
             ligne(QStringLiteral("95 %"), c.p95, o.p95),
             ligne(QStringLiteral("99 %"), c.p99, o.p99),
             ligne(QStringLiteral("Minimum"), c.min, o.min),
             ligne(QStringLiteral("Maximum"), c.max, o.max)});

    QList<QStringList> lignes;
    double cumul = 0;
    for (const analyse::Sensibilite& s : r.sensibilites) {
        lignes.append(
            {QString::fromStdString(s.nom), texteNombre(s.coupurePctParPct, 3),
             texteNombre(s.ondulationDbParPct, 3),
             texteDecimales(s.partVariancePct, 1, QStringLiteral("%")),
             cumul < PartAResserrer ? QStringLiteral("\u00E0 resserrer en premier") : QString()});
        cumul += s.partVariancePct;
    }
    remplir(sensibilites_, lignes);

    histoCoupure_->montrer(r.coupures, [](double v) { return texteSI(v, "Hz", 4); });
    histoOndulation_->montrer(r.ondulations,
                              [](double v) { return texteDecimales(v, 3, QStringLiteral("dB")); });
    emit courbesChangees();
}

void PanneauMonteCarlo::actualiserAmpli() {
    ampliReel_.clear();
    const circuit::Montage* montage = circuitAnalyse();
    if (montage == nullptr) {
        ampli_->clear();
        emit courbesChangees();
        return;
    }
    const double a0 = gainBoucleOuverte();
    std::optional<double> gbw = lireSI(gbw_->text().toStdString(), "Hz");
    if (!gbw_->text().trimmed().isEmpty() && !(gbw && *gbw > 0)) {
        // As a spin box does, the field goes back to the last value it could read.
        const QString tape = gbw_->text();
        gbw_->setText(gbwValide_);
        gbw = lireSI(gbwValide_.toStdString(), "Hz");
        bureau_.showMessage(this,
                            QStringLiteral("Gain \u00D7 bande illisible : \u00AB %1 \u00BB. Tapez "
                                           "une fr\u00E9quence positive, par exemple \u00AB 1 MHz "
                                           "\u00BB ou \u00AB 2,5e6 \u00BB, ou rien pour un ampli "
                                           "op id\u00E9al.")
                                .arg(tape.trimmed()),
                            toolkit::MessageIcon::None);
    }
    gbwValide_ = gbw_->text();
    try {
        double regle = 0;
        for (const analyse::Etage& e : analyse::etages(*montage)) {
            regle = std::max(regle, e.gbwMinimum());
        }
        const std::optional<double> besoin = analyse::gbwNecessaire(*montage, a0);
        const QString a0Texte = texteDecimales(a0_->value(), 1, QStringLiteral("dB"));
        ampli_->setText(
            (besoin
                 ? QStringLiteral("Gain \u00D7 bande n\u00E9cessaire : %1 avec %2 en boucle "
                                  "ouverte, pour rester \u00E0 %3 de la r\u00E9ponse id\u00E9ale")
                       .arg(texteSI(*besoin, "Hz", 3), a0Texte)
                 : QStringLiteral("Aucun gain \u00D7 bande ne suffit avec %1 en boucle ouverte "
                                  "pour rester \u00E0 %3 de la r\u00E9ponse id\u00E9ale")
                       .arg(a0Texte))
                .arg(texteDecimales(analyse::EcartAmpliMaxDb, 1, QStringLiteral("dB"))) +
            QStringLiteral(" ; la r\u00E8gle pratique des \u00E9tages en demande jusqu'\u00E0 %1.")
                .arg(texteSI(regle, "Hz", 3)));
        if (gbw && *gbw > 0) {
            ampliReel_ = analyse::balayerAutour(
                analyse::Reseau(*montage, analyse::AmpliOpReel{*gbw, a0}), montage->frequence);
        }
    } catch (const std::exception&) {
        ampli_->setText(QStringLiteral("L'ampli op r\u00E9el n'a pas pu \u00EAtre analys\u00E9 "
                                       "sur ce circuit."));
    }
    emit courbesChangees();
}

void PanneauMonteCarlo::completer(GrapheReponse::Contenu& contenu,
                                  const std::function<double(const analyse::PointReponse&)>& valeur,
                                  bool gain) const {
    if (gain && resultat_) {
        GrapheReponse::Bande bande{QStringLiteral("Essais entre 1 % et 99 %"), {}, {}};
        for (std::size_t i = 0; i < resultat_->frequences.size(); ++i) {
            bande.bas.emplace_back(resultat_->frequences[i], resultat_->bandeBasDb[i]);
            bande.haut.emplace_back(resultat_->frequences[i], resultat_->bandeHautDb[i]);
        }
        contenu.bandes.push_back(std::move(bande));
    }
    if (!ampliReel_.empty()) {
        GrapheReponse::Courbe courbe{
            QStringLiteral("Avec ampli op r\u00E9el"), {}, GrapheReponse::Trait::Tirets};
        for (const analyse::PointReponse& p : ampliReel_) {
            courbe.points.emplace_back(p.frequence, valeur(p));
        }
        contenu.courbes.push_back(std::move(courbe));
    }
}

} // namespace quorvan
