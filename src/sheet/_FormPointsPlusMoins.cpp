#include "_FormPointsPlusMoins.h"

#include "tavX_fichierTav.h"
#include "tavX_interlocuteur.h"
#include "tavX_nombres.h"
#include "tavX_saisieTexte.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int HauteurLigne = 18;
constexpr int LargeurPanneauImage = 110;

// The student list: odd rows (counted from 0) on a light grey-blue, the others on white, the
// selected row on light blue with blue text; each name 5 pixels from the left and 2 from the top.
class TDelegueEleves : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selectionnee = option.state.testFlag(QStyle::State_Selected);
        const QColor fond = selectionnee      ? QColor(197, 209, 248)
                            : index.row() % 2 ? QColor(238, 241, 244)
                                              : QColor(Qt::white);
        peintre->save();
        peintre->fillRect(option.rect, fond);
        peintre->setFont(option.font);
        peintre->setPen(selectionnee ? QColor(Qt::blue) : QColor(Qt::black));
        const QRect zone = option.rect.adjusted(5, 2, -2, 0);
        peintre->drawText(zone, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                        Qt::ElideRight, zone.width()));
        peintre->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize taille = QStyledItemDelegate::sizeHint(option, index);
        taille.setHeight(qMax(HauteurLigne, option.fontMetrics.height() + 4));
        return taille;
    }
};

} // namespace

TFormPointsPlusMoins::TFormPointsPlusMoins(QWidget* owner, const QPixmap& logo,
                                           TFichierTav* fichier)
    : QDialog(owner), fichier(fichier) {
    setWindowTitle(QStringLiteral("Points en plus ou en moins"));
    setObjectName(QStringLiteral("FormPointsPlusMoins"));

    // Left: the sheet's picture, stretched in a narrow frame.
    auto* panneau = new QFrame(this);
    panneau->setObjectName(QStringLiteral("Panel1"));
    panneau->setFixedWidth(LargeurPanneauImage);
    image = new QLabel(panneau);
    image->setObjectName(QStringLiteral("Image1"));
    image->setFrameShape(QFrame::Panel);
    image->setFrameShadow(QFrame::Sunken);
    image->setScaledContents(true);
    image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    if (!logo.isNull()) image->setPixmap(logo);
    auto* dispositionPanneau = new QVBoxLayout(panneau);
    dispositionPanneau->setContentsMargins(0, 0, 0, 0);
    dispositionPanneau->addWidget(image);

    // Right: the period tabs over the list, the label and the edit field.
    onglets = new QTabBar(this);
    onglets->setObjectName(QStringLiteral("TabControlPeriodes"));
    onglets->setExpanding(false);
    onglets->setDrawBase(false);
    onglets->setCursor(Qt::PointingHandCursor);
    for (QString nom : fichier->ListePeriodes())
        onglets->addTab(nom.replace(QLatin1Char('&'), QStringLiteral("&&")));

    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    listeEleves = new QListWidget(page);
    listeEleves->setObjectName(QStringLiteral("ListBoxEleves"));
    listeEleves->setItemDelegate(new TDelegueEleves(listeEleves));
    listeEleves->setSelectionMode(QAbstractItemView::SingleSelection);
    listeEleves->setUniformItemSizes(true);
    listeEleves->addItems(fichier->ListeEleves());
    listeEleves->setMinimumSize(260, 220);
    listeEleves->viewport()->installEventFilter(this);

    etiquette =
        new QLabel(QStringLiteral("Points en plus ou en moins pour l'élève sélectionné :"), page);
    etiquette->setObjectName(QStringLiteral("Label1"));
    edit = new QLineEdit(page);
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->setMaxLength(255);
    Tav::ControlerSaisie(edit);
    edit->installEventFilter(this);
    etiquette->setBuddy(edit);

    auto* dispositionPage = new QVBoxLayout(page);
    dispositionPage->addWidget(listeEleves, 1);
    dispositionPage->addWidget(etiquette);
    dispositionPage->addWidget(edit);

    auto* droite = new QVBoxLayout;
    droite->setSpacing(0);
    droite->addWidget(onglets);
    droite->addWidget(page, 1);

    auto* haut = new QHBoxLayout;
    haut->addWidget(panneau);
    haut->addSpacing(6);
    haut->addLayout(droite, 1);

    boutonFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    boutonFermer->setAutoDefault(false);
    connect(boutonFermer, &QPushButton::clicked, this, &TFormPointsPlusMoins::Fermer);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(boutonFermer);

    auto* mise = new QVBoxLayout(this);
    mise->addLayout(haut, 1);
    mise->addSpacing(6);
    mise->addLayout(bas);

    onglets->installEventFilter(this);
    connect(onglets, &QTabBar::currentChanged, this, &TFormPointsPlusMoins::OngletChange);
    connect(listeEleves, &QListWidget::currentRowChanged, this, &TFormPointsPlusMoins::EleveChange);
    connect(edit, &QLineEdit::textEdited, this, [this] { texteRefuse.clear(); });

    onglets->setCurrentIndex(0);
    periode = 1;
    if (listeEleves->count() > 0) {
        retour = true;
        listeEleves->setCurrentRow(0);
        retour = false;
        eleve = 1;
    } else {
        edit->setEnabled(false);
    }
    ChargerPoints();
    edit->setFocus();
}

void TFormPointsPlusMoins::ChargerPoints() {
    edit->setText(eleve >= 1 ? fichier->PointsPlusMoins(periode, eleve) : QString());
    edit->selectAll();
    texteRefuse.clear();
}

bool TFormPointsPlusMoins::DejaRefuse(const QString& texte) const {
    return !texteRefuse.isNull() && texte == texteRefuse;
}

bool TFormPointsPlusMoins::Enregistrer() {
    if (eleve < 1) return true;
    const QString texte = edit->text();
    if (texte.trimmed().isEmpty()) return true;
    if (!Tav::EstNombre(texte)) {
        // A click that takes the focus from the edit and then acts (another student, another
        // tab, the close button) is refused once, with one message.
        if (!verification && !DejaRefuse(texte)) {
            verification = true;
            Erreur(this, MessageNombreIncorrect(texte));
            verification = false;
            texteRefuse = texte;
            QTimer::singleShot(0, this, [this] { texteRefuse.clear(); });
        }
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    fichier->ModifierPointsPlusMoins(periode, eleve, texte);
    return true;
}

void TFormPointsPlusMoins::OngletChange(int indice) {
    if (retour || indice < 0) return;
    if (!Enregistrer()) {
        retour = true;
        onglets->setCurrentIndex(periode - 1);
        retour = false;
        return;
    }
    periode = indice + 1;
    ChargerPoints();
}

void TFormPointsPlusMoins::EleveChange(int ligne) {
    if (retour || ligne < 0) return;
    if (!Enregistrer()) {
        retour = true;
        listeEleves->setCurrentRow(eleve - 1);
        retour = false;
        return;
    }
    eleve = ligne + 1;
    ChargerPoints();
}

void TFormPointsPlusMoins::EleveSuivant() {
    if (!Enregistrer()) return;
    if (eleve >= 1 && eleve < listeEleves->count()) listeEleves->setCurrentRow(eleve);
    edit->setFocus();
    edit->selectAll();
}

void TFormPointsPlusMoins::Fermer() {
    if (Enregistrer()) QDialog::accept();
}

void TFormPointsPlusMoins::reject() {
    if (Enregistrer()) QDialog::reject();
}

bool TFormPointsPlusMoins::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == edit) {
        if (evenement->type() == QEvent::KeyPress) {
            auto* touche = static_cast<QKeyEvent*>(evenement);
            if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
                EleveSuivant();
                return true;
            }
            if (touche->text() == QStringLiteral(".")) {
                edit->insert(QStringLiteral(","));
                return true;
            }
        } else if (evenement->type() == QEvent::FocusOut) {
            const Qt::FocusReason raison = static_cast<QFocusEvent*>(evenement)->reason();
            // The window losing the activation (a message box, another program) is no exit.
            if (!verification && raison != Qt::ActiveWindowFocusReason &&
                raison != Qt::PopupFocusReason)
                Enregistrer();
        }
    } else if (evenement->type() == QEvent::MouseButtonPress) {
        // A change of student or of tab is refused before it shows while the text is wrong.
        const QPoint point = static_cast<QMouseEvent*>(evenement)->position().toPoint();
        if (objet == listeEleves->viewport()) {
            const QModelIndex cible = listeEleves->indexAt(point);
            if (cible.isValid() && cible.row() != eleve - 1 && !Enregistrer()) return true;
        } else if (objet == onglets) {
            const int cible = onglets->tabAt(point);
            if (cible >= 0 && cible != periode - 1 && !Enregistrer()) return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
