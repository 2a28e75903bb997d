#include "Form1.h"

#include "ChargementAnalyse.h"
#include "ConceptionForm1.h"
#include "IconeAmpli.h"
#include "engine/Familles.h"
#include "help/APropos.h"
#include "help/Aide.h"
#include "report/CommandeCalcul.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"
#include "toolkit/MenuItemArray.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Utf8.h"
#include "ui/analyse/Analyse.h"
#include "ui/impression/Impression.h"
#include "ui/schematics/ImageList1.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>
#include <string>

namespace quorvan {

Form1::Form1(toolkit::Desktop& bureau, toolkit::Printing& impression, QWidget* parent)
    : QMainWindow(parent)
    , bureau_(bureau)
    , impression_(impression)
    , ImageList1_(chargerImageList1()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toolkit::fromUtf8(ConceptionForm1.caption));
    // The program's icon, for this window and the help window alike.
    QApplication::setWindowIcon(iconeAmpli());
    createControls();
    createMenus();
    setDesignGeometry();
}

Form1::~Form1() = default;

namespace {

// A control of the design table, by name and kind; a design that lacks it is a programming
// error that must stop the program at once rather than crash it later.
template <typename T>
T* controle(const QWidget* client, const char* nom) {
    T* trouve = client->findChild<T*>(QString::fromLatin1(nom));
    if (trouve == nullptr) {
        throw std::logic_error(std::string("Form1 has no control named ") + nom);
    }
    return trouve;
}

} // namespace

void Form1::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    toolkit::buildControls(client, ControlesForm1, toolkit::logicalDpi(this));

    TextFreq_ = controle<toolkit::TextBox>(client, "TextFreq");
    Picture1_ = controle<toolkit::PictureBox>(client, "Picture1");
    LblFiltre_ = controle<toolkit::Label>(client, "LblFiltre");
    LblType_ = controle<toolkit::Label>(client, "LblType");
    LblOrdre_ = controle<toolkit::Label>(client, "LblOrdre");
    auto* label1 = controle<toolkit::Label>(client, "Label1");

    // The scroll-bar colour behind the frequency, the menu-text colour (black) behind the
    // diagram so that its transparent white shows black.
    QPalette couleurs = TextFreq_->palette();
    couleurs.setColor(QPalette::Base, couleurs.color(QPalette::Button));
    TextFreq_->setPalette(couleurs);
    Picture1_->setBackground(QApplication::palette("QMenu").color(QPalette::WindowText));

    // The family name ends just before the type label.
    LblFiltre_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // "Passe-haut" fills its label in fonts wider than the design's; keep the order apart.
    LblOrdre_->setIndent(QFontMetrics(LblOrdre_->font()).averageCharWidth());

    // Names a screen reader announces (labels announce their caption); the frequency box takes
    // its caption's.
    label1->setBuddy(TextFreq_);
    TextFreq_->setAccessibleName(label1->text());
    Picture1_->setAccessibleName(QStringLiteral("Sch\u00E9ma du filtre"));
    for (auto* bouton : client->findChildren<toolkit::CommandButton*>()) {
        bouton->setAccessibleName(bouton->text());
    }

    connect(controle<toolkit::CommandButton>(client, "CmdCalcul"), &QPushButton::clicked, this,
            &Form1::CmdCalcul_Click);
    connect(controle<toolkit::CommandButton>(client, "CmdImprim"), &QPushButton::clicked, this,
            &Form1::CmdImprim_Click);
}

void Form1::createMenus() {
    QMenuBar* barre = menuBar();

    auto* quitter = new QAction(QStringLiteral("&Quitter"), this);
    quitter->setObjectName(QStringLiteral("MnuQuitter"));
    connect(quitter, &QAction::triggered, this, &Form1::MnuQuitter_Click);
    barre->addAction(quitter);

    QMenu* structure = barre->addMenu(QStringLiteral("&Structure du filtre"));
    structure->setObjectName(QStringLiteral("MnuStructure"));
    MnuFiltre_ = new toolkit::MenuItemArray(structure, QStringLiteral("MnuFiltre"),
                                            [this](std::int16_t index) { MnuFiltre_Click(index); });
    for (const Famille& f : Familles) {
        MnuFiltre_->addItem(static_cast<std::int16_t>(f.index), toolkit::fromUtf8(f.itemMenu));
    }

    QMenu* ordre = barre->addMenu(QStringLiteral("&Ordre du filtre"));
    ordre->setObjectName(QStringLiteral("MnuOrdre"));
    MnuO_ = new toolkit::MenuItemArray(ordre, QStringLiteral("MnuO"),
                                       [this](std::int16_t index) { MnuO_Click(index); });
    for (std::int16_t i = OrdreMin; i <= OrdreMax; ++i) {
        MnuO_->addItem(i, QStringLiteral("&%1").arg(i));
    }

    QMenu* type = barre->addMenu(QStringLiteral("&Type de filtre"));
    type->setObjectName(QStringLiteral("MnuTypeFiltre"));
    MnuType_ = new toolkit::MenuItemArray(type, QStringLiteral("MnuType"),
                                          [this](std::int16_t index) { MnuType_Click(index); });
    MnuType_->addItem(0, QStringLiteral("Passe-&Bas"), true);
    MnuType_->addItem(1, QStringLiteral("Passe-&Haut"), true);

    QMenu* analyse = barre->addMenu(QStringLiteral("&Analyse"));
    analyse->setObjectName(QStringLiteral("MnuAnalyseMenu"));
    QAction* reponse =
        analyse->addAction(QStringLiteral("&R\u00E9ponse et valeurs normalis\u00E9es\u2026"));
    reponse->setObjectName(QStringLiteral("MnuAnalyse"));
    reponse->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(reponse, &QAction::triggered, this, &Form1::MnuAnalyse_Click);

    QMenu* interrogation = barre->addMenu(QStringLiteral("&?"));
    interrogation->setObjectName(QStringLiteral("MnuInterrogation"));
    QAction* aide = interrogation->addAction(QStringLiteral("&Aide"));
    aide->setObjectName(QStringLiteral("MnuAide"));
    aide->setShortcut(QKeySequence(Qt::Key_F1));
    // F1 works from anywhere in the program, also while one of its menus is open.
    aide->setShortcutContext(Qt::ApplicationShortcut);
    connect(aide, &QAction::triggered, this, [] { MnuAide_Click(); });
    QAction* aPropos = interrogation->addAction(QStringLiteral("A &propos de ..."));
    aPropos->setObjectName(QStringLiteral("MnuAPropos"));
    connect(aPropos, &QAction::triggered, this, &Form1::MnuAPropos_Click);
}

void Form1::setDesignGeometry() {
    // The design places the client area, below the menu bar, at a fixed point of the screen.
    const QRect client = toolkit::clientGeometry(ConceptionForm1, toolkit::logicalDpi(this));
    const int barre = menuBar()->sizeHint().height();
    setGeometry(client.adjusted(0, -barre, 0, 0));
}

void Form1::Form_Load() {
    MnuO_Click(2);
    MnuFiltre_Click(0);
    MnuType_Click(0);
    // The coefficient table is constant data, present from the start.
    show();
    TextFreq_->takeFocus();
}

void Form1::MnuFiltre_Click(std::int16_t Index) {
    for (std::int16_t i = 0; i <= FamilleMax; ++i) {
        MnuFiltre_->setChecked(i, false);
    }
    MnuFiltre_->setChecked(Index, true);
    module_.NumFiltre = Index;
    LblFiltre_->setCaption(toolkit::fromUtf8(famille(Index).libelle));
}

void Form1::MnuO_Click(std::int16_t Index) {
    for (std::int16_t i = OrdreMin; i <= OrdreMax; ++i) {
        MnuO_->setChecked(i, false);
    }
    MnuO_->setChecked(Index, true);
    module_.NumOrdre = Index;
    numeroImage_ = MnuType_->isChecked(0) ? Index - 1 : Index + 5;
    Picture1_->setPicture(ImageList1_.picture(numeroImage_));
    LblOrdre_->setCaption(QStringLiteral("Ordre %1").arg(module_.NumOrdre));
}

void Form1::MnuType_Click(std::int16_t Index) {
    MnuType_->setChecked(0, false);
    MnuType_->setChecked(1, false);
    MnuType_->setChecked(Index, true);
    MnuO_Click(module_.NumOrdre);
    const TypeFiltre type = Index == 0 ? TypeFiltre::PasseBas : TypeFiltre::PasseHaut;
    LblType_->setCaption(toolkit::fromUtf8(libelleType(type)));
}

void Form1::CmdCalcul_Click() {
    const TypeFiltre type = MnuType_->isChecked(0) ? TypeFiltre::PasseBas : TypeFiltre::PasseHaut;
    const std::string filtre = LblFiltre_->caption().toStdString();
    const std::string libelleType = LblType_->caption().toStdString();
    // Numbers are written the way the user's regional settings write them.
    const std::string separateur = QLocale().decimalPoint().toStdString();
    const IssueCalcul issue = executerCalcul(module_, {type, filtre, libelleType},
                                             TextFreq_->text().toStdString(), separateur);
    Resultat_ = QString::fromStdString(issue.Resultat);
    if (issue.contenu == ContenuResultat::Rapport) {
        derniereConception_ = issue.conception;
        if (FenetreAnalyse_) {
            analyse_->afficher(*derniereConception_);
        }
    } else if (FenetreAnalyse_) {
        analyse_->calculEchoue();
    }
    dernierCalculReussi_ = issue.contenu == ContenuResultat::Rapport;
    if (issue.bip) {
        bureau_.beep();
    }
    bureau_.showMessage(this, QString::fromStdString(issue.message), toolkit::MessageIcon::None);
    if (issue.focusFrequence) {
        TextFreq_->takeFocus();
    }
}

void Form1::CmdImprim_Click() {
    imprimerResultat(impression_, bureau_, this, Picture1_->picture(), Resultat_);
}

void Form1::MnuAPropos_Click() {
    bureau_.showMessage(this, QString::fromStdString(texteAPropos()),
                        toolkit::MessageIcon::Information);
}

QWidget* Form1::fenetreAnalyse() const {
    return FenetreAnalyse_;
}

void Form1::MnuAnalyse_Click() {
    if (!FenetreAnalyse_) {
        QString raison;
        FabriqueAnalyse* fabrique = chargerFabriqueAnalyse(cheminPluginAnalyse(), raison);
        if (fabrique == nullptr) {
            bureau_.showMessage(
                this,
                QStringLiteral("La fen\u00EAtre d'analyse n'a pas pu \u00EAtre ouverte : ") +
                    raison,
                toolkit::MessageIcon::None);
            return;
        }
        analyse_ = fabrique->creer(bureau_, this);
        FenetreAnalyse_ = analyse_->fenetre();
        if (derniereConception_) {
            analyse_->afficher(*derniereConception_);
            if (!dernierCalculReussi_) {
                analyse_->calculEchoue();
            }
        }
    }
    FenetreAnalyse_->setWindowState(FenetreAnalyse_->windowState() & ~Qt::WindowMinimized);
    FenetreAnalyse_->show();
    FenetreAnalyse_->raise();
    FenetreAnalyse_->activateWindow();
}

void Form1::MnuQuitter_Click() {
    close();
}

} // namespace quorvan
