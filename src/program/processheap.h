#pragma once

// How the C library's heap serves this program.
namespace ProcessHeap {

// Takes the heap's lists of recently freed small blocks out of use. The tree of a large
// catalogue is hundreds of thousands of small rows, freed at every rebuild; those lists
// then filled up, and each larger block freed among them made the heap sort them all, so
// that a tree over many categories took a third longer to rebuild than over few. Freed
// blocks are now joined with their neighbours at once; the per-thread cache of the most
// recent ones still serves the common case.
void setUp();

} // namespace ProcessHeap
