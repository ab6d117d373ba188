#pragma once

namespace zol::cli {

// Catches the first Ctrl-C (SIGINT) so that a run can stop after the piece in hand; a second
// one ends the program at once, as it would without this.
void CatchInterrupt();

// True once Ctrl-C was pressed after CatchInterrupt.
bool InterruptRequested();

} // namespace zol::cli
