#pragma once
// The job codes live with the shared helpers so that every area can queue jobs.
#include "common/JobCodes.h"
