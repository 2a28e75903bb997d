#pragma once

#include "engine/Conception.h"
#include "engine/Module1.h"
#include "toolkit/ImageList.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <optional>

class QAction;

namespace quorvan {

class Analyse;

namespace toolkit {
class Desktop;
class Label;
class MenuItemArray;
class PictureBox;
class Printing;
class TextBox;
} // namespace toolkit

// The main window: the selection menus, the frequency box, "Calcul", "Impression du
// résultat", the circuit diagram of the selection and the status line that names it.
class Form1 final : public QMainWindow {
    Q_OBJECT

public:
    Form1(toolkit::Desktop& bureau, toolkit::Printing& impression, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence: Bessel, order 2, low-pass; shows the window with the focus in
    // the frequency box.
    void Form_Load();

    void MnuFiltre_Click(std::int16_t Index);
    void MnuO_Click(std::int16_t Index);
    void MnuType_Click(std::int16_t Index);
    void CmdCalcul_Click();
    void CmdImprim_Click();
    void MnuAPropos_Click();
    // Opens the analysis window on the last design, or brings it to the front.
    void MnuAnalyse_Click();
    void MnuQuitter_Click();

    // The selection and the arrays of the last computation.
    [[nodiscard]] const Module1& module1() const { return module_; }
    // The last report or failure message, lines ending in CR LF.
    [[nodiscard]] const QString& Resultat() const { return Resultat_; }
    // The number in ImageList1 of the picture Picture1 shows.
    [[nodiscard]] int numeroImage() const { return numeroImage_; }
    // The analysis window while it is open.
    [[nodiscard]] QWidget* fenetreAnalyse() const;

private:
    void createControls();
    void createMenus();
    void setDesignGeometry();

    toolkit::Desktop& bureau_;
    toolkit::Printing& impression_;

    Module1 module_;
    QString Resultat_;
    std::optional<Conception> derniereConception_; // of the last report
    bool dernierCalculReussi_ = true;              // no "Calcul" yet, or one with a report
    QPointer<QWidget> FenetreAnalyse_;
    Analyse* analyse_ = nullptr; // the window's interface while it is open
    int numeroImage_ = 0;
    toolkit::ImageList ImageList1_;

    toolkit::TextBox* TextFreq_ = nullptr;
    toolkit::PictureBox* Picture1_ = nullptr;
    toolkit::Label* LblFiltre_ = nullptr;
    toolkit::Label* LblType_ = nullptr;
    toolkit::Label* LblOrdre_ = nullptr;
    toolkit::MenuItemArray* MnuFiltre_ = nullptr;
    toolkit::MenuItemArray* MnuO_ = nullptr;
    toolkit::MenuItemArray* MnuType_ = nullptr;
};

} // namespace quorvan
