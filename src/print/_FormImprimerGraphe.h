#pragma once
// TFormImprimerGraphe: prints the graph of a student. The chart draws itself into the printer
// (or a PDF file) at the page's resolution; the clipboard is never touched.
#include <QDialog>
#include <QImage>
#include <functional>

class QPainter;

class TFormImprimerGraphe : public QDialog {
    Q_OBJECT
public:
    using TDessin = std::function<void(QPainter& peintre, const QRectF& cible)>;
    TFormImprimerGraphe(const QString& nom, const QImage& apercu, TDessin dessiner,
                        QWidget* parent = nullptr);

    // Draws the graph on the page of a painter's device (size in device units), kept in
    // proportion, centred, under its title.
    void DessinerPage(QPainter& peintre, const QSizeF& page) const;
    bool Imprimer();
    bool EnregistrerPdf(const QString& chemin, QString* cause = nullptr) const;

private:
    QString nom;
    QImage apercu;
    TDessin dessiner;
};
