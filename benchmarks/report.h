#pragma once
// The benchmark's report: one Markdown table row per measure, its floor beside it and their ratio.
#include "sampling.h"

void printTableHead();
// target: what the figure must stay within, as text ("<= 1.15x floor", "< 5 ms"), or "" for none.
void printRow(const char* what, const summary& measured, const summary& floor, const char* target);
