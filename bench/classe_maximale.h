#pragma once
// A maximal class for the benchmarks: 50 students, 255 series over three
// trimesters, every field filled, points and appreciations set.
#include <memory>

class TFichierTav;

std::unique_ptr<TFichierTav> ClasseMaximale();
