#pragma once

#include <functional>

// The heap's policy for the large blocks of a long list and its text document: how much freed
// memory it keeps for the next use, and when it hands the rest back to the system.

// Sets the allocator's thresholds; called once at start-up.
void ConfigureHeap();
// Hands the heap's free memory back to the system if it holds more than it keeps. Called once a
// large text has gone: its many small blocks lie freed all through the heap, where the allocator,
// which trims only the top, would keep them until the program ends.
void ReleaseFreeMemory();

// Passing an empty function restores the real service.
void SetReleaseFreeMemoryForTesting(std::function<void()> release);
