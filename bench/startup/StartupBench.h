// What the start-up bench's two halves say to each other: the measuring half starts the
// program's half once per run and reads its figures from the lines it prints.
#pragma once

namespace startupbench {

// The command-line switch that makes the bench the program's half: --scenario <data folder>.
inline constexpr const char *ScenarioSwitch = "--scenario";
// The program's half prints one line per figure: "<tag> <value>".
inline constexpr const char *ShownTag = "startup-bench: window shown ms";
inline constexpr const char *ChartsTag = "startup-bench: charts drawn ms";
inline constexpr const char *RssTag = "startup-bench: resident after sailing MB";

// The program's half: the program started as its main() starts it, on the data folder named,
// the first start answered at once, then a route planned and followed with the simulator.
int RunScenario(int argc, char **argv);

}  // namespace startupbench
