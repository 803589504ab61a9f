#pragma once

// Registers the four window classes with the runtime, in the program's order.
void RegisterWindowClasses();
