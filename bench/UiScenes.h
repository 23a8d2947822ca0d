#pragma once

#include <string>

// The programs the window benchmarks measure from outside, each run in a process of its own.
// Each answers the process's exit code; "demo" and "bare-<width>x<height>" (an empty window of
// that size) print "painted <VmRSS kB> <RssAnon kB> <width> <height>" at their first paint and
// end, "refresh" and "loss" print their figure lines.
int RunScene(const std::string& scene, int& argc, char** argv);
