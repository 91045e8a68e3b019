// A whole run of the program on the headless console, the way tests and benchmarks drive it:
// a fresh console, the answers typed ahead, each with Enter, and the key that ends the run.
#pragma once

#include <string>
#include <vector>

// A fresh headless console of width x height (80 x 25 unless a test needs another), the
// console started on it, nothing typed yet.
void StartHeadlessRun(int width = 80, int height = 25);

// Types each answer followed by Enter.
void TypeAnswers(const std::vector<std::string>& answers);

// Types the answers ahead and the key that ends the run ("q"), then runs the program to its
// end on the console started last; returns its exit status.
int RunTypedAhead(const std::vector<std::string>& answers);

// StartHeadlessRun() then RunTypedAhead(answers).
int RunHeadless(const std::vector<std::string>& answers);
