#include "tavX_programme.h"

#include "tavX_interlocuteur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRadialGradient>
#include <QStandardPaths>
#include <QWidget>
#include <QtMath>

#ifdef Q_OS_WIN
#include <QLibrary>
#include <QSettings>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <mapi.h>
#include <windows.h>
#endif

#ifndef TAVELIN_ADRESSE_MISE_A_JOUR
#define TAVELIN_ADRESSE_MISE_A_JOUR ""
#endif

namespace Programme {

QString Nom() {
    return QStringLiteral("Tavelin");
}
QString Titre() {
    return QStringLiteral("Tavelin 2.9");
}
QString Legende() {
    return QStringLiteral("Tavelin version 2.9b");
}

QString Dossier() {
    QString dossier = QCoreApplication::applicationDirPath();
    if (dossier.isEmpty()) dossier = QDir::currentPath();
    return QDir::toNativeSeparators(dossier + QLatin1Char('/'));
}

QString FichierDonnees(const QString& nom) {
    for (const QString& chemin :
         {Dossier() + nom, Dossier() + QStringLiteral("../share/tavelin/") + nom}) {
        const QFileInfo fichier(QDir::fromNativeSeparators(chemin));
        if (fichier.isFile()) return fichier.canonicalFilePath();
    }
    return QString();
}

QString FichierAide() {
    return FichierDonnees(QStringLiteral("aide/index.html"));
}

QString AdresseMiseAJour() {
    return QStringLiteral(TAVELIN_ADRESSE_MISE_A_JOUR).trimmed();
}

// ---- Pictures ----------------------------------------------------------------------------------

QPixmap Logo() {
    const QString chemin = Dossier() + QStringLiteral("logo.bmp");
    if (QFileInfo::exists(chemin)) {
        QPixmap image;
        if (image.load(chemin) && !image.isNull()) return image;
    }
    return LogoInterne();
}

QPixmap LogoInterne() {
    // A page of a French squared exercise book (Seyès ruling) with a mark written in red, over
    // the program's name.
    const int l = 200, h = 236;
    QPixmap image(l, h);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient fond(0, 0, 0, h);
    fond.setColorAt(0, QColor(0x2e, 0x7d, 0x32));
    fond.setColorAt(1, QColor(0x1b, 0x5e, 0x20));
    p.setPen(Qt::NoPen);
    p.setBrush(fond);
    p.drawRoundedRect(QRectF(0, 0, l, h), 18, 18);

    // The page, slightly turned.
    p.save();
    p.translate(l / 2.0, 92);
    p.rotate(-6);
    const QRectF page(-62, -70, 124, 140);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(page.translated(4, 5), 4, 4);
    p.setBrush(QColor(0xff, 0xfe, 0xf8));
    p.drawRoundedRect(page, 4, 4);
    for (int i = 0; i < 28; ++i) {
        const qreal y = page.top() + 8 + i * 4.6;
        if (y > page.bottom() - 4) break;
        p.setPen(QPen(i % 4 == 0 ? QColor(0x7b, 0x9c, 0xd6) : QColor(0xc9, 0xd6, 0xef), 0.8));
        p.drawLine(QPointF(page.left() + 4, y), QPointF(page.right() - 4, y));
    }
    p.setPen(QPen(QColor(0xe5, 0x73, 0x73), 1.4));
    p.drawLine(QPointF(page.left() + 24, page.top() + 2),
               QPointF(page.left() + 24, page.bottom() - 2));
    QFont ecriture(QStringLiteral("Serif"));
    ecriture.setItalic(true);
    ecriture.setBold(true);
    ecriture.setPixelSize(34);
    p.setFont(ecriture);
    p.setPen(QColor(0xc6, 0x28, 0x28));
    p.drawText(QRectF(page.left() + 26, page.top() + 14, 96, 56), Qt::AlignCenter,
               QStringLiteral("17"));
    p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 2.2));
    p.drawLine(QPointF(page.left() + 46, page.top() + 72),
               QPointF(page.left() + 98, page.top() + 66));
    ecriture.setPixelSize(24);
    p.setFont(ecriture);
    p.drawText(QRectF(page.left() + 30, page.top() + 70, 96, 40), Qt::AlignCenter,
               QStringLiteral("20"));
    p.restore();

    QFont titre(QStringLiteral("Sans Serif"));
    titre.setBold(true);
    titre.setPixelSize(34);
    p.setFont(titre);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QRectF(2, 180, l, 44), Qt::AlignCenter, Nom());
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 178, l, 44), Qt::AlignCenter, Nom());
    return image;
}

QPixmap MotifFond() {
    // Squared paper: faint lines every 8 pixels, a stronger one every 32.
    QPixmap motif(32, 32);
    motif.fill(QColor(0xf1, 0xf4, 0xf8));
    QPainter p(&motif);
    p.setPen(QColor(0xdf, 0xe6, 0xef));
    for (int y = 7; y < 32; y += 8)
        p.drawLine(0, y, 31, y);
    p.setPen(QColor(0xc8, 0xd4, 0xe4));
    p.drawLine(0, 31, 31, 31);
    p.drawLine(31, 0, 31, 31);
    return motif;
}

namespace {

QPainterPath Engrenage(QPointF centre, qreal rayon) {
    QPainterPath chemin;
    const int dents = 8;
    for (int i = 0; i < dents * 2; ++i) {
        const qreal angle = i * M_PI / dents;
        const qreal r = (i % 2 == 0) ? rayon : rayon * 0.74;
        const qreal a1 = angle - M_PI / (dents * 2) * 0.9, a2 = angle + M_PI / (dents * 2) * 0.9;
        const QPointF p1 = centre + QPointF(r * qCos(a1), r * qSin(a1));
        const QPointF p2 = centre + QPointF(r * qCos(a2), r * qSin(a2));
        if (i == 0)
            chemin.moveTo(p1);
        else
            chemin.lineTo(p1);
        chemin.lineTo(p2);
    }
    chemin.closeSubpath();
    chemin.addEllipse(centre, rayon * 0.3, rayon * 0.3);
    return chemin;
}

void Fleche(QPainter& p, QPointF de, QPointF vers, const QColor& couleur) {
    p.setPen(QPen(couleur, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(de, vers);
    const QPointF d = vers - de;
    const qreal longueur = std::hypot(d.x(), d.y());
    if (longueur <= 0) return;
    const QPointF u = d / longueur, n(-u.y(), u.x());
    QPolygonF pointe;
    pointe << vers + u * 2 << vers - u * 7 + n * 6 << vers - u * 7 - n * 6;
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    p.drawPolygon(pointe);
}

QPixmap Dessiner(TImage image) {
    const int t = 32;
    QPixmap pm(t, t);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor contour(0x45, 0x4f, 0x5a);
    switch (image) {
    case TImage::Nouveau: {
        QPolygonF feuille;
        feuille << QPointF(7, 3) << QPointF(20, 3) << QPointF(26, 9) << QPointF(26, 29)
                << QPointF(7, 29);
        p.setPen(QPen(contour, 1.3));
        p.setBrush(Qt::white);
        p.drawPolygon(feuille);
        p.drawLine(QPointF(20, 3), QPointF(20, 9));
        p.drawLine(QPointF(20, 9), QPointF(26, 9));
        p.setPen(QPen(QColor(0x9f, 0xb4, 0xd0), 1));
        for (int y = 14; y <= 25; y += 4)
            p.drawLine(QPointF(10, y), QPointF(23, y));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x7d, 0x32));
        p.drawEllipse(QPointF(23, 24), 7, 7);
        p.setPen(QPen(Qt::white, 2.2));
        p.drawLine(QPointF(23, 20), QPointF(23, 28));
        p.drawLine(QPointF(19, 24), QPointF(27, 24));
        break;
    }
    case TImage::Ouvrir: {
        p.setPen(QPen(QColor(0x9a, 0x6b, 0x0f), 1.3));
        p.setBrush(QColor(0xf0, 0xc2, 0x4b));
        QPolygonF dos;
        dos << QPointF(3, 8) << QPointF(12, 8) << QPointF(15, 11) << QPointF(28, 11)
            << QPointF(28, 26) << QPointF(3, 26);
        p.drawPolygon(dos);
        p.setBrush(QColor(0xfb, 0xd8, 0x6f));
        QPolygonF devant;
        devant << QPointF(6, 15) << QPointF(31, 15) << QPointF(28, 26) << QPointF(3, 26);
        p.drawPolygon(devant);
        break;
    }
    case TImage::Imprimer: {
        p.setPen(QPen(contour, 1.3));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(0x8a, 0x96, 0xa3));
        p.drawRoundedRect(QRectF(3, 12, 26, 12), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 20, 14, 9));
        p.setPen(QPen(QColor(0x9f, 0xb4, 0xd0), 1));
        p.drawLine(QPointF(11, 24), QPointF(21, 24));
        p.drawLine(QPointF(11, 27), QPointF(19, 27));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x66, 0xbb, 0x6a));
        p.drawEllipse(QPointF(25, 16), 1.6, 1.6);
        break;
    }
    case TImage::Enregistrer: {
        p.setPen(QPen(QColor(0x1a, 0x3d, 0x73), 1.3));
        p.setBrush(QColor(0x3b, 0x6e, 0xc0));
        QPolygonF disquette;
        disquette << QPointF(4, 4) << QPointF(25, 4) << QPointF(28, 7) << QPointF(28, 28)
                  << QPointF(4, 28);
        p.drawPolygon(disquette);
        p.setBrush(QColor(0xdd, 0xe3, 0xea));
        p.drawRect(QRectF(9, 4, 13, 9));
        p.setBrush(QColor(0x3b, 0x6e, 0xc0));
        p.drawRect(QRectF(17, 6, 3, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 17, 16, 11));
        break;
    }
    case TImage::Configurer: {
        p.setPen(QPen(contour, 1.2));
        p.setBrush(QColor(0x90, 0xa4, 0xae));
        QPainterPath roue = Engrenage(QPointF(16, 16), 13);
        roue.setFillRule(Qt::OddEvenFill);
        p.drawPath(roue);
        break;
    }
    case TImage::Quitter: {
        p.setPen(QPen(QColor(0x6d, 0x4c, 0x41), 1.3));
        p.setBrush(QColor(0xa1, 0x88, 0x7f));
        p.drawRect(QRectF(4, 3, 15, 26));
        p.setBrush(QColor(0xff, 0xd5, 0x4f));
        p.drawEllipse(QPointF(15, 16), 1.5, 1.5);
        Fleche(p, QPointF(17, 16), QPointF(29, 16), QColor(0xc6, 0x28, 0x28));
        break;
    }
    case TImage::Recalculer: {
        p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 6, 20, 20), 100 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x7d, 0x32));
        QPolygonF pointe;
        pointe << QPointF(12, 1) << QPointF(20, 6.5) << QPointF(12, 12);
        p.drawPolygon(pointe);
        break;
    }
    case TImage::AgrandirMoyennes:
        Fleche(p, QPointF(27, 16), QPointF(6, 16), contour);
        break;
    case TImage::AgrandirNotes:
        Fleche(p, QPointF(5, 16), QPointF(26, 16), contour);
        break;
    case TImage::Equilibrer:
        Fleche(p, QPointF(16, 16), QPointF(4, 16), contour);
        Fleche(p, QPointF(16, 16), QPointF(28, 16), contour);
        break;
    case TImage::FeuVert:
    case TImage::FeuRouge: {
        const bool vert = image == TImage::FeuVert;
        QRadialGradient g(QPointF(13, 12), 14);
        g.setColorAt(0, vert ? QColor(0xb9, 0xf6, 0xca) : QColor(0xff, 0xcd, 0xd2));
        g.setColorAt(0.5, vert ? QColor(0x2e, 0xb8, 0x4b) : QColor(0xe5, 0x39, 0x35));
        g.setColorAt(1, vert ? QColor(0x1b, 0x5e, 0x20) : QColor(0x8e, 0x10, 0x10));
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
        p.setBrush(g);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        break;
    }
    }
    return pm;
}

} // namespace

QIcon Icone(TImage image) {
    return QIcon(Dessiner(image));
}

// ---- Desktop programs --------------------------------------------------------------------------

QString CheminCalculatrice() {
#ifdef Q_OS_WIN
    return QStandardPaths::findExecutable(QStringLiteral("calc.exe"));
#else
    for (const char* nom : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"}) {
        const QString chemin = QStandardPaths::findExecutable(QString::fromLatin1(nom));
        if (!chemin.isEmpty()) return chemin;
    }
    return {};
#endif
}

void LancerCalculatrice(QWidget* parent) {
    const QString calculatrice = CheminCalculatrice();
    if (calculatrice.isEmpty()) {
        Erreur(parent, QStringLiteral("Aucune calculatrice n'a été trouvée sur cet ordinateur.\r\n"
                                      "Installez par exemple gnome-calculator, kcalc, galculator, "
                                      "mate-calc ou xcalc."));
        return;
    }
    if (!Interlocuteur().LancerProgramme(calculatrice, {}))
        Erreur(parent, QStringLiteral("Impossible de lancer la calculatrice \"") + calculatrice +
                           QStringLiteral("\"."));
}

namespace {

QString MessageEchecCourrier() {
    return QStringLiteral("Impossible de lancer votre logiciel de courrier électronique depuis "
                          "Tavelin.\r\nIl est conseillé de le lancer normalement depuis votre "
                          "menu Démarrer.");
}

#ifdef Q_OS_WIN
// The simple-mail interface is used only when the machine declares it.
bool MapiDeclaree() {
    QSettings cle(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows Messaging "
                                 "Subsystem"),
                  QSettings::NativeFormat);
    return cle.value(QStringLiteral("MAPI")).toString() == QLatin1String("1");
}

LPMAPISENDMAIL FonctionEnvoi() {
    // Loaded once per run; the system releases the library when the program ends.
    static bool essaye = false;
    static LPMAPISENDMAIL fonction = nullptr;
    if (!essaye) {
        essaye = true;
        static QLibrary bibliotheque(QStringLiteral("MAPI32.DLL"));
        if (bibliotheque.load())
            fonction = reinterpret_cast<LPMAPISENDMAIL>(bibliotheque.resolve("MAPISendMail"));
    }
    return fonction;
}

bool EnvoyerParMapi(const QString& chemin, const QString& sujet) {
    if (!MapiDeclaree()) return false;
    LPMAPISENDMAIL envoyer = FonctionEnvoi();
    if (!envoyer) return false;
    QByteArray cheminAnsi = QDir::toNativeSeparators(chemin).toLocal8Bit();
    QByteArray nomAnsi = QFileInfo(chemin).fileName().toLocal8Bit();
    QByteArray sujetAnsi = sujet.toLocal8Bit();
    MapiFileDesc piece{};
    piece.nPosition = static_cast<ULONG>(-1);
    piece.lpszPathName = cheminAnsi.data();
    piece.lpszFileName = nomAnsi.data();
    MapiMessage message{};
    message.lpszSubject = sujetAnsi.data();
    message.nFileCount = 1;
    message.lpFiles = &piece;
    const ULONG resultat = envoyer(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
    return resultat == SUCCESS_SUCCESS || resultat == MAPI_USER_ABORT;
}
#endif

} // namespace

void EnvoyerParCourrier(QWidget* parent, const QString& chemin) {
    const QString sujet =
        QStringLiteral("Envoi du fichier Tavelin : ") + QFileInfo(chemin).fileName();
#ifdef Q_OS_WIN
    if (!EnvoyerParMapi(chemin, sujet)) Erreur(parent, MessageEchecCourrier());
#else
    const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (xdgEmail.isEmpty()) {
        Erreur(parent, MessageEchecCourrier());
        return;
    }
    QPointer<QWidget> fenetre(parent);
    Interlocuteur().LancerProgramme(
        xdgEmail,
        {QStringLiteral("--subject"), sujet, QStringLiteral("--attach"),
         QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath())},
        [fenetre](bool reussi) {
            if (!reussi) Erreur(fenetre, MessageEchecCourrier());
        });
#endif
}

} // namespace Programme
