#pragma once
// TGrilleBilanTavelin: the summary grid of a class sheet, under the tabs of the summary page (one
// tab per period and "Sur l'année").
//
// For a period: per student the report-card average, as the settings ask the averages per grade
// type and the written and oral averages, the ranking and the report-card appreciations; for the
// year: every period's report-card average, the annual averages and the annual ranking. Six
// statistics rows under the students. The texts come from Bilan::Calculer (tavX_bilan.h), the
// routine the command line prints too; the grid only shows and paints them.
//
// The grid is rebuilt when its page or tab is shown after something it shows changed: while the
// page is hidden, a change only marks it to be rebuilt.
//
// A right click opens its turbo menu (ranking order, scale, per-type and written/oral columns,
// the two roundings, copy of a column or a cell); a left click on the header row shows the
// school-record statistics of the period.
#include "_TGrilleGenerique.h"
#include "tavX_bilan.h"

class TGrilleBilanTavelin : public TGrilleGeneriqueTavelin {
    Q_OBJECT
public:
    enum TCommande : int {
        CmdAscendant = 1,
        CmdDescendant = 2,
        CmdSur20 = 3,
        CmdSur10 = 4,
        CmdAutreEchelle = 5,
        CmdParType = 6,
        CmdArrondi = 7,        // 7..11: "arrondirMoyennes" := item - 7
        CmdArrondiAnnuel = 12, // 12..16: "arrondirMoyennesAnnuelles" := item - 12
        CmdCopierColonne = 17,
        CmdCopierCellule = 18,
        CmdEcritOral = 19,
    };

    TGrilleBilanTavelin(TPanneauGrille* panneau, TFichierTav* fichier, TFeuilleClasse* feuille);

    // Shows view V (1..P a period, P + 1 the year). Rebuilt when the view changes or something
    // it shows changed (option != 0 forces it); only marked while the summary page is hidden.
    void NotifPeriode(int vue, int option) override;
    // The students changed: the whole grid is rebuilt, every column follows its student.
    void NotifEleves(int w, int l) override;

    void StyleCellule(int colonne, int ligne, TStyleCellule& style) const override;
    void SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                        const QPoint& positionGlobale) override;
    void CelluleSelectionnee(int colonne, int ligne) override;
    void Commande(int numero) override;

    int Vue() const { return vue; }
    const Bilan::TVue& Contenu() const { return contenu; }
    bool Masquee() const { return contenu.masquee; }
    int ColonneClic() const { return colonneClic; }
    int LigneClic() const { return ligneClic; }
    // Rebuilds since the grid was made.
    int NombreReconstructions() const { return reconstructions; }
    // Rebuilds now for the view shown.
    void Reconstruire();

private:
    bool PageVisible() const;
    // Something shown changed: rebuilt at once when shown (after the current event), else
    // when next shown.
    void AReconstruire();
    void ConstruireMenu();
    void CopierColonne(int colonne);
    bool DemanderEchelle(int& echelle);
    // A setting was written from the menu: the sheets follow it; a grid outside a sheet
    // rebuilds itself.
    void ReglageEcrit();

    int vue = 1;
    Bilan::TVue contenu;
    bool aReconstruire = true;
    bool reconstructionPrevue = false;
    int colonneClic = -1;
    int ligneClic = -1;
    int reconstructions = 0;
};
