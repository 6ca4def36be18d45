#pragma once

#include <string>
#include <vector>

// A row of coefficients as a text gives them, and the line (from 1) it stands on.
struct CoefficientRow {
    std::vector<double> values;
    int line = 0;
};

// What is wrong with coefficients: the line at fault and the reason.
struct ImportProblem {
    int line = 0;
    std::string reason;
};

// Reads the rows of a coefficient text: every line that holds more than blanks is one
// row of numbers separated by spaces, tabs or commas (a carriage return before the line
// break is a blank too); lines whose first character other than a blank is '#' are
// comments. Numbers are read as C reads them, whatever the locale ("-1.5e-3", "2"). False,
// with the line and the reason in *problem, for a word that is not a finite number.
bool ReadCoefficientRows(const std::string& text, std::vector<CoefficientRow>* rows,
                         ImportProblem* problem);
