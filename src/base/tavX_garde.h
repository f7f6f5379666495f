#pragma once
// The edge between Qt's event loop and the program's own code (sheet, grids, dialogs, tools).
//
// Qt does not carry exceptions through its event loop: one that got there would end the program,
// and the teacher's unsaved work with it. Every place where Qt calls into a grid or the sheet and
// the class file may raise (a TTavException for an index gone stale after a student or a series
// was removed, for instance) runs its work through Garder: the exception stops there, is logged,
// and is either told to the user (a command the teacher chose) or skipped (a paint, a model's
// data): the program goes on.
//
//   QVariant valeur;
//   Tav::Garder("données de la grille", nullptr, [&] { valeur = grille->Texte(c, l); });
#include "tavX_exceptions.h"

#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

class QWidget;

namespace Tav {

// Logs the failure of the operation `ou` (qWarning) and, when montrerA is given, shows the
// message in a box of that window. Never raises.
void SignalerException(const char* ou, const QString& message, QWidget* montrerA) noexcept;

// Runs the operation; false when it raised (the exception is then signalled as above).
template <typename F> bool Garder(const char* ou, QWidget* montrerA, F&& operation) noexcept {
    try {
        std::forward<F>(operation)();
        return true;
    } catch (const TTavException& e) {
        SignalerException(ou, e.Message(), montrerA);
    } catch (const std::exception& e) {
        SignalerException(ou, QString::fromLocal8Bit(e.what()), montrerA);
    } catch (...) {
        SignalerException(ou, QString(), montrerA);
    }
    return false;
}

// A slot that runs its operation through Garder, for connect(). The operation takes the signal's
// arguments, or none (clicked(bool) calling [this] { ... }):
//   connect(bouton, &QToolButton::clicked, this, Tav::Garde("bouton", this, [this] { ... }));
template <typename F> auto Garde(const char* ou, QWidget* montrerA, F operation) {
    return [ou, montrerA, operation](auto&&... arguments) {
        Garder(ou, montrerA, [&] {
            if constexpr (std::is_invocable_v<const F&, decltype(arguments)...>)
                operation(arguments...);
            else
                operation();
        });
    };
}

} // namespace Tav
