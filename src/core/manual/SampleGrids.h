#pragma once
// The two sample contents of the tab "Escalar Manual", for practice on the initial data set:
// "Carregar" fills the first four services' first three days with a grid that has mistakes to
// find (a soldier outside a roster, a number that is no soldier, a soldier without rest, too few
// soldiers); "Corrigir" fills the same cells with the grid put right.

#include "ManualGrid.h"

enum class SampleGrid { Carregar, Corrigir };

// Writes the sample's texts into rows 1 to 4, day columns 1 to 3, whatever the grid holds;
// other cells are left as they are.
void FillSampleGrid(ManualGrid& grid, SampleGrid which);
