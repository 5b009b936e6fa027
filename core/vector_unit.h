// The state of the processor's vector unit between pieces of code.
#pragma once

// Vectorised library routines (Qt's text, image and memory code among them)
// may leave the upper halves of the x86-64 vector registers in use.  Plain
// SSE code that runs after them (the pixel and numeric loops) then pays a
// state-transition penalty on every vector instruction, two to three times
// the loop's own time on some processors.  Clears that state (vzeroupper)
// where the processor has AVX; does nothing elsewhere.  Cheap: call it
// before a timed loop that follows such code.
void settle_vector_unit();
