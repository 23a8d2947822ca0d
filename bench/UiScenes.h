#pragma once

#include <string>

// The programs the window benchmarks measure from outside, each run in a process of its own.
// Each answers the process's exit code; "bare" and "demo" print "painted <VmRSS kB> <RssAnon kB>"
// at their first paint and end, "refresh" and "loss" print their figure lines.
int RunScene(const std::string& scene, int& argc, char** argv);
