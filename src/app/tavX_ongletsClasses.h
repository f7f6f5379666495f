#pragma once
// The row of class tabs of the main window: one tab per open class sheet, drawn as flat buttons
// (style 0), buttons (style 1) or tabs (style 2).
#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;
class QTabBar;

class TOngletsClasses : public QWidget {
    Q_OBJECT
public:
    explicit TOngletsClasses(QWidget* parent = nullptr);

    // 0 flat buttons, 1 buttons, 2 tabs; another value changes nothing.
    void DefinirStyle(int style);
    int Style() const { return style; }

    void Vider();
    void Ajouter(const QString& legende);
    void Retirer(int indice);
    int Nombre() const { return int(legendes.size()); }
    QString Legende(int indice) const { return legendes.value(indice); }
    const QStringList& Legendes() const { return legendes; }

    // Selects a tab without sending ongletChoisi; -1 selects none.
    void Selectionner(int indice);
    int Selection() const { return selection; }
    // As a click on the tab: selects it and sends ongletChoisi.
    void Choisir(int indice);

signals:
    void ongletChoisi(int indice);

private:
    void Reconstruire();

    int style = 1;
    QStringList legendes;
    int selection = -1;
    QHBoxLayout* disposition = nullptr;
    QTabBar* barre = nullptr;
    QWidget* rangee = nullptr;
    QButtonGroup* groupe = nullptr;
    bool miseAJour = false;
};
