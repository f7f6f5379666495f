#pragma once
// TGrilleMoyennesTavelin: the averages grid, to the right of the grades grid of a class sheet.
//
// For the period shown, four columns per student (rows 1..N, the same rows as the grades grid):
// the raw average, the rounded average, the bonus/malus points and the report-card average,
// each header ending with the scale of the averages. The grid keeps the four columns of every
// period as last computed, and recomputes a period only when the class file marks it to be
// redisplayed: switching to a period that is not marked costs no computation.
//
// A right click opens a turbo menu: rounding mode (column 1), bonus/malus points (column 2),
// scale of the averages (columns 0 and 3), and copy/paste of a column through the clipboard.
#include "_TGrilleGenerique.h"

#include <QList>
#include <QStringList>

class TGrilleMoyennesTavelin : public TGrilleGeneriqueTavelin {
    Q_OBJECT
public:
    // Command numbers of the turbo menus.
    enum TCommande : int {
        CmdPasArrondi = 1,
        CmdArrondiDixieme = 2,
        CmdArrondiQuart = 3,
        CmdArrondiDemi = 4,
        CmdMoins2 = 5,
        CmdMoins1v5 = 6,
        CmdMoins1 = 7,
        CmdMoins0v5 = 8,
        CmdAucunPoint = 9,
        CmdPlus0v5 = 10,
        CmdPlus1 = 11,
        CmdPlus1v5 = 12,
        CmdPlus2 = 13,
        CmdAutresPoints = 14,
        CmdSur20 = 15,
        CmdSur10 = 16,
        CmdAutreEchelle = 17,
        CmdCopier = 18,
        CmdColler = 19,
    };

    TGrilleMoyennesTavelin(TPanneauGrille* panneau, int periode, TFichierTav* fichier,
                           TFeuilleClasse* feuille);

    // Shows the averages of a period; ligne 0 refreshes the whole period, another row only that
    // student's row (when the period is marked to be redisplayed).
    void NotifMoyennes(int periode, int ligne) override;

    void StyleCellule(int colonne, int ligne, TStyleCellule& style) const override;
    void SourisEnfoncee(Qt::MouseButton bouton, int colonne, int ligne,
                        const QPoint& positionGlobale) override;
    void Commande(int numero) override;

    // The cell of the last right click.
    int ColonneClic() const { return colonneClic; }
    int LigneClic() const { return ligneClic; }

    // Student rows computed since the grid was made (each row costs the averages of a student).
    int NombreLignesCalculees() const { return lignesCalculees; }
    // The four columns kept for a period (empty until the period was first shown).
    QStringList ColonneSauvee(int periode, int colonne) const;

    // The scale S written in the headers.
    static QString Echelle(const TFichierTav& fichier);

private:
    int NombreEleves() const;
    void EcrireEntetes();
    void CalculerLigne(int periode, int ligne);
    void SauverColonnes(int periode);
    void RestaurerColonnes(int periode);
    void MarquerToutesLesPeriodes();
    QString TexteMenuCopier() const;
    void CopierColonne(int colonne);
    void CollerPoints();
    bool DemanderPoints(QString& texte);
    bool DemanderEchelle(int& echelle);

    int colonneClic = -1;
    int ligneClic = -1;
    int lignesCalculees = 0;
    // 4 lists per period: colonnesSauvees[4 * (p - 1) + c], each from row 0 (the header).
    QList<QStringList> colonnesSauvees;
};
