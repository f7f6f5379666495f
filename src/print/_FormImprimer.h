#pragma once
// TFormImprimer: the print window of a class sheet — what to print, the period, the header and
// footer texts, the font — and the runs it starts: to the printer (after the confirmation, with
// the progress window), to the print preview, or to a PDF file. The three go through the same
// drawing code. The printer set-up is kept for the whole session.
#include "tavX_impression.h"

#include <QDialog>
#include <QPixmap>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class TFichierTav;

namespace Impression {

// The printer of the session (its set-up is kept from one print window to the next).
QPrinter& Imprimante();
// The platform's page set-up dialog on that printer ("&Configurer l'impression ...").
void ConfigurerImpression(QWidget* parent);
// The print window of a class, shown modally.
void OuvrirImprimer(QWidget* parent, const TFichierTav& fichier, const QPixmap& logo);

} // namespace Impression

class TFormImprimer : public QDialog {
    Q_OBJECT
public:
    TFormImprimer(const TFichierTav& fichier, const QPixmap& logo, QWidget* parent = nullptr);
    ~TFormImprimer() override;

    enum class TDestination { Imprimante, Apercu, Pdf };

    // Seams: the confirmation (nothing: cancelled) and the output of a printer run.
    std::function<std::optional<TChoixImpression>(int nombrePages)> confirmer;
    std::function<std::unique_ptr<TSortiePages>()> creerSortie;

    // Runs the printout chosen towards a destination; false when nothing was printed.
    bool Lancer(TDestination destination);
    // The printout chosen in the window, measured on that page layout; nullptr after telling
    // why (no period, no series).
    std::unique_ptr<TImpression> Preparer(const QPageLayout& mise);

    QComboBox* ListeQuoi() const { return quoi; }
    QListWidget* ListePeriodes() const { return periodes; }
    QComboBox* Champ(int i) const { return champs[i]; } // 0..2 header, 3..5 footer
    QCheckBox* Encadre(int i) const { return encadres[i]; }
    QCheckBox* CaseFermer() const { return fermer; }
    QPushButton* BoutonOptions() const { return boutonOptions; }
    QLabel* EtiquettePolice() const { return etiquettePolice; }
    // The period checked (0: none).
    int PeriodeCochee() const;

private:
    void RemplirPeriodes();
    void CocherSeule(int ligne);
    void ChoisirPolice();
    void OuvrirOptions();
    void AfficherPolice();
    void Apercu();
    TParametresImpression Parametres(const QPageLayout& mise) const;

    const TFichierTav& fichier;
    QString police;
    int taillePolice = 9;
    QComboBox* quoi = nullptr;
    QListWidget* periodes = nullptr;
    QComboBox* champs[6] = {};
    QCheckBox* encadres[6] = {};
    QLabel* etiquettePolice = nullptr;
    QCheckBox* fermer = nullptr;
    QPushButton* boutonOptions = nullptr;
    bool remplissage = false;
};
