// The entry of the table-window module (quornet-gui.so), loaded by `quornet` when it shows a
// window. Kept apart so the dedicated host runs on QtCore and QtNetwork alone.
#pragma once

namespace quornet::app {
struct CommandLine;

using RunTableWindow = int (*)(int argc, char** argv, const CommandLine* commandLine);
inline constexpr char RunTableWindowSymbol[] = "quornetRunTableWindow";
inline constexpr char TableWindowModule[] = "quornet-gui";
} // namespace quornet::app
