#include "processheap.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

void ProcessHeap::setUp()
{
#ifdef __GLIBC__
    mallopt(M_MXFAST, 0);
#endif
}
