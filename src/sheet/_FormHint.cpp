#include "_FormHint.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {
QPointer<TFormHint> fenetreUnique;
}

TFormHint::TFormHint()
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(10, 5, 10, 5);
    disposition->setSpacing(1);
    for (int i = 0; i < 7; ++i) {
        lignes[i] = new QLabel(this);
        lignes[i]->setTextFormat(Qt::PlainText);
        if (i == 0) {
            QFont police = lignes[i]->font();
            police.setBold(true);
            lignes[i]->setFont(police);
        }
        // A click on a line closes the window as well.
        lignes[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        disposition->addWidget(lignes[i]);
    }
    minuterie = new QTimer(this);
    minuterie->setSingleShot(true);
    minuterie->setInterval(5000);
    connect(minuterie, &QTimer::timeout, this, &QWidget::hide);
}

TFormHint* TFormHint::Instance() {
    if (!fenetreUnique) {
        fenetreUnique = new TFormHint();
        // A window without parent: it goes with the application, before Qt's last widgets.
        qAddPostRoutine([] { delete fenetreUnique.data(); });
        // A dialog that opens takes the teacher elsewhere: the window goes.
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, fenetreUnique,
                         [](QWindow* fenetre) {
                             if (fenetre && fenetre->modality() != Qt::NonModal) Cacher();
                         });
    }
    return fenetreUnique;
}

void TFormHint::Afficher(const QColor& couleur, const QStringList& textes, int n) {
    Afficher(couleur, textes, n, QCursor::pos());
}

void TFormHint::Afficher(const QColor& couleur, const QStringList& textes, int n,
                         const QPoint& pointeur) {
    TFormHint* f = Instance();
    n = std::clamp(n, 1, 7);
    f->nombre = n;
    QPalette p = f->palette();
    p.setColor(QPalette::Window, couleur);
    p.setColor(QPalette::WindowText, Qt::black);
    f->setPalette(p);
    for (int i = 0; i < 7; ++i) {
        f->lignes[i]->setText(textes.value(i));
        f->lignes[i]->setVisible(i < n);
    }
    f->adjustSize();
    f->move(pointeur.x() + 10, pointeur.y());
    f->show();
    f->raise();
    f->minuterie->start();
}

void TFormHint::Cacher() {
    if (fenetreUnique && fenetreUnique->isVisible()) fenetreUnique->hide();
}

bool TFormHint::EstAffichee() {
    return fenetreUnique && fenetreUnique->isVisible();
}

QStringList TFormHint::Lignes() {
    QStringList liste;
    if (!fenetreUnique) return liste;
    for (int i = 0; i < fenetreUnique->nombre; ++i)
        liste.append(fenetreUnique->lignes[i]->text());
    return liste;
}

void TFormHint::mousePressEvent(QMouseEvent* evenement) {
    evenement->accept();
    hide();
}

void TFormHint::hideEvent(QHideEvent* evenement) {
    minuterie->stop();
    QFrame::hideEvent(evenement);
}
