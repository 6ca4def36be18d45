// Leaves the processor's vector registers in their clean state after a library has used
// their wide halves and not cleared them.
#pragma once

// Qt's start-up leaves the upper halves of the vector registers marked in use on x86.
// While they are, every scalar floating-point instruction compiled without AVX (the
// maths library's atan2, sin and hypot among them) waits on them and runs ten to twenty
// times slower. One clearing after the application object is made restores the speed;
// threads started later inherit the clean state. Does nothing on other processors.
void ClearUpperVectorState();
