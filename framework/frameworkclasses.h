#pragma once

// Registers the framework's own classes with the runtime; the program registers its own after.
void RegisterFrameworkClasses();
