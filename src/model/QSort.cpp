#include "QSort.h"

void TQSort::Trier(void* sender, int n) {
    if (!Compare || !Swap || n < 2) return;
    courant = sender;
    TrierPlage(0, n);
}

int TQSort::Comparer(quint16 a, quint16 b) {
    int action = 0;
    Compare(courant, a, b, action);
    return action;
}

void TQSort::TrierPlage(int lo, int n) {
    while (n > 2) {
        int hi = lo + n - 1;
        const int mid = lo + n / 2;
        // Median of three into lo: it becomes the pivot.
        if (Comparer(mid, hi) > 0) Echanger(mid, hi);
        if (Comparer(mid, lo) > 0)
            Echanger(mid, lo);
        else if (Comparer(lo, hi) > 0)
            Echanger(lo, hi);
        if (n == 3) {
            Echanger(lo, mid);
            return;
        }

        // Partition lo+1..hi; items lo..eq-1 are those equal to the pivot.
        int i = lo + 1;
        int eq = lo + 1;
        for (;;) {
            int c = Comparer(i, lo);
            bool fini = false;
            while (c <= 0) {
                if (c == 0) {
                    Echanger(i, eq);
                    ++eq;
                }
                if (hi <= i) {
                    fini = true;
                    break;
                }
                ++i;
                c = Comparer(i, lo);
            }
            if (fini) break;
            // Item i is greater than the pivot: find a smaller one from the right.
            while (hi > i) {
                const int c2 = Comparer(lo, hi);
                if (c2 < 0) {
                    --hi;
                    continue;
                }
                Echanger(i, hi);
                if (c2 != 0) {
                    ++i;
                    --hi;
                }
                break;
            }
            if (!(hi > i)) break;
        }
        if (Comparer(i, lo) <= 0) ++i;

        // Move the block of equal items into the middle.
        for (int j = lo, k = i - 1; j < eq && k >= eq; ++j, --k)
            Echanger(j, k);

        const int petits = i - eq;
        const int grands = n + lo - i;
        if (petits <= grands) {
            TrierPlage(lo, petits);
            lo = i;
            n = grands;
        } else {
            TrierPlage(i, grands);
            n = petits;
        }
    }
    if (n == 2 && Comparer(lo, lo + 1) > 0) Echanger(lo, lo + 1);
}
