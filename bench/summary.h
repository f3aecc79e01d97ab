#pragma once

#include <vector>

// The spread of one kind's times.
struct Summary {
    double Median = 0;
    double Min = 0;
    double Max = 0;
};

// Of any number of samples (none gives zeros); the median of an even count is the mean of the middle two.
Summary Summarize(std::vector<double> samples);
