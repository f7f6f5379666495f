#pragma once
// TQSort: an index-driven quicksort. It never touches the items itself: it
// asks the caller to compare and to swap positions of the caller's list.
#include <QtGlobal>
#include <functional>

class TQSort {
public:
    // Sets uneAction < 0 when e1 sorts before e2, 0 when equal, > 0 after.
    using TCompareEvent = std::function<void(void* sender, quint16 e1, quint16 e2, int& uneAction)>;
    using TSwapEvent = std::function<void(void* sender, quint16 e1, quint16 e2)>;

    TCompareEvent Compare;
    TSwapEvent Swap;

    // Sorts positions 0..n-1; does nothing unless both events are set and n >= 2.
    void Trier(void* sender, int n);

private:
    int Comparer(quint16 a, quint16 b);
    void Echanger(quint16 a, quint16 b) { Swap(courant, a, b); }
    void TrierPlage(int lo, int n);
    void* courant = nullptr;
};
