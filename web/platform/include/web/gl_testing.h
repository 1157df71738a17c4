// The exactness test's way into the web build's GL unit. With culling off, every line goes to
// WebGL, those that the unit would leave out as changing no pixel included; a scene drawn both
// ways must come out the same, pixel for pixel. Programs never call this.
#pragma once

void glWebCullingForTesting(bool on);
