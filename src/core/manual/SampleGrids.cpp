#include "SampleGrids.h"

namespace {

// Rows 1 to 4 (services), day columns 1 to 3.
using Sample = const char* const[4][3];

constexpr Sample Carregar = {
    {"1", "4", "5"},
    {"11", "12", "6"},
    {"21 22 23", "24 25 26", "27 22 29"},
    {"36 3831", "39 30", "37 31 33"},
};

constexpr Sample Corrigir = {
    {"1", "4", "5"},
    {"13", "12", "11"},
    {"21 22 23", "24 25 26", "27 28 29"},
    {"36 38 31", "39 30 32", "37 33 34"},
};

}

void FillSampleGrid(ManualGrid& grid, SampleGrid which)
{
    const Sample& sample = which == SampleGrid::Carregar ? Carregar : Corrigir;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            grid.cell(r, c) = QString::fromUtf8(sample[r][c]);
    }
}
