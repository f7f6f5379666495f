#include "_FormProgression.h"

#include <QCoreApplication>

TFormProgression::TFormProgression(QWidget* parent) : QProgressDialog(parent) {
    setObjectName(QStringLiteral("FormProgression"));
    setWindowTitle(QStringLiteral("Impression"));
    setCancelButtonText(QStringLiteral("&Annuler"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
}

bool TFormProgression::Avancer(int position, int total, const QString& legende) {
    setMaximum(total);
    setValue(position - 1);
    setLabelText(legende);
    if (!isVisible()) show();
    QCoreApplication::processEvents();
    return !wasCanceled();
}
