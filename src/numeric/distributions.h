// The probability functions every procedure uses: normal, t, χ², F and the signed-rank
// statistic, with the gamma and beta functions they are written with.
#pragma once

#include "numeric/chi_square_distribution.h"
#include "numeric/f_distribution.h"
#include "numeric/normal_distribution.h"
#include "numeric/signed_rank.h"
#include "numeric/special_functions.h"
#include "numeric/t_distribution.h"
