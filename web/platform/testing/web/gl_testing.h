// The exactness test's way into the web build's GL unit. With culling off, the unit draws plainly:
// every line the program gives goes to WebGL, in its order, those that the unit would leave out as
// changing no pixel included; a scene drawn both ways must come out the same, byte for byte.
// Programs never call this.
#pragma once

void glWebCullingForTesting(bool on);
