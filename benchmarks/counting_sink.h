// The rasterisers' pixel plot replaced by a counting sink, in a unit of its own so that neither
// the rasterisers nor the bare loop can have it inlined.
#pragma once

long long sinkDraws();
void resetSink();
// Calls the sink n times, as a rasteriser making n draws would.
void bareSinkLoop(long long n);
