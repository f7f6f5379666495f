#pragma once
// TFormExportation ("Exporter les données"): the export formats offered by the plug-ins, the
// information of the selected one, and the export of the sheet's class through it.
#include "tavX_hoteExport.h"

#include <QDialog>
#include <QPixmap>

class QListWidget;
class QPushButton;
class TFichierTav;

class TFormExportation : public QDialog {
    Q_OBJECT
public:
    TFormExportation(QWidget* parent, const TFichierTav& fichier, const QPixmap& logo);

    void Informations();
    void Exporter();

    const QList<Outils::TFormatExport>& Formats() const { return formats; }
    QListWidget* ListBoxPetiteDescription() const { return liste; }
    QPushButton* BoutonInformations() const { return boutonInformations; }
    QPushButton* BoutonExporter() const { return boutonExporter; }

private:
    int Ligne() const; // the selected format, -1 for none
    const TFichierTav& fichier;
    QList<Outils::TFormatExport> formats;
    QListWidget* liste = nullptr;
    QPushButton* boutonInformations = nullptr;
    QPushButton* boutonExporter = nullptr;
};
