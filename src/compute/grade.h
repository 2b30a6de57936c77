#pragma once

// The grade computations, one file per job: reading numbers, formatting them, slopes, the
// report table and point names.
#include "compute/number_format.h"
#include "compute/number_read.h"
#include "compute/point_names.h"
#include "compute/report.h"
#include "compute/slopes.h"
