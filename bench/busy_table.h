// The tables the paint benchmarks paint. pump dispatches every message and
// paint there is, as the backend at hand does it.
#pragma once

// A new deal the human opens.
void DealForTheHuman(int (*pump)());
// A busy table: both hands of twelve, six covered attacks, the trump card,
// the stock and a status text.
void LayBusyTable(int (*pump)());
